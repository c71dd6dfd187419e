#include "logger_config.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "type_catalogue.h"

namespace velmora {

std::uint16_t LoggerConfig::u16(std::size_t o) const
{
    return static_cast<std::uint16_t>(bytes[o] | (bytes[o + 1] << 8));
}

std::uint32_t LoggerConfig::u32(std::size_t o) const
{
    return static_cast<std::uint32_t>(bytes[o]) | (static_cast<std::uint32_t>(bytes[o + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[o + 2]) << 16) | (static_cast<std::uint32_t>(bytes[o + 3]) << 24);
}

float LoggerConfig::f32(std::size_t o) const { return std::bit_cast<float>(u32(o)); }

void LoggerConfig::setU16(std::size_t o, std::uint16_t v)
{
    bytes[o] = static_cast<std::uint8_t>(v & 0xFF);
    bytes[o + 1] = static_cast<std::uint8_t>(v >> 8);
}

void LoggerConfig::setU32(std::size_t o, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[o + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

void LoggerConfig::setF32(std::size_t o, float v) { setU32(o, std::bit_cast<std::uint32_t>(v)); }

int LoggerConfig::startFullYear() const
{
    const int y = startYear();
    return y < 70 ? 2000 + y : 1900 + y;
}

void LoggerConfig::setFlag(std::uint16_t bit, bool on)
{
    setFlags(static_cast<std::uint16_t>(on ? (flags() | bit) : (flags() & ~bit)));
}

void LoggerConfig::setMode(std::uint8_t bit, bool on)
{
    setModeFlags(static_cast<std::uint8_t>(on ? (modeFlags() | bit) : (modeFlags() & ~bit)));
}

void LoggerConfig::setStart(int year, int month, int day, int hour, int minute, int second)
{
    setU8(cfg::kStartDay, static_cast<std::uint8_t>(day));
    setU8(cfg::kStartMinute, static_cast<std::uint8_t>(minute));
    setU8(cfg::kStartYear, static_cast<std::uint8_t>(year % 100));
    setU8(cfg::kStartMonth, static_cast<std::uint8_t>(month));
    setU8(cfg::kStartHour, static_cast<std::uint8_t>(hour));
    setU8(cfg::kStartSecond, static_cast<std::uint8_t>(second));
}

std::uint16_t LoggerConfig::highAlarmRaw() const
{
    return hasWideAlarms(type()) ? u16(cfg::kHighAlarm) : u8(cfg::kHighAlarm);
}

std::uint16_t LoggerConfig::lowAlarmRaw() const
{
    return hasWideAlarms(type()) ? u16(cfg::kLowAlarmWide) : u8(cfg::kLowAlarmNarrow);
}

void LoggerConfig::setHighAlarmRaw(std::uint16_t v)
{
    if (hasWideAlarms(type()))
        setU16(cfg::kHighAlarm, v);
    else
        setU8(cfg::kHighAlarm, static_cast<std::uint8_t>(v));
}

void LoggerConfig::setLowAlarmRaw(std::uint16_t v)
{
    if (hasWideAlarms(type()))
        setU16(cfg::kLowAlarmWide, v);
    else
        setU8(cfg::kLowAlarmNarrow, static_cast<std::uint8_t>(v));
}

bool LoggerConfig::isPushButtonStart() const { return hasPushButton(type()) && hasMode(mode::kPushButton); }

void LoggerConfig::setLcdMode(LcdMode m)
{
    setMode(mode::kLcdBit5, m != LcdMode::Off);
    setMode(mode::kLcdBit6, m == LcdMode::OnAfterButton);
}

// Bit 5 switches the display on; bit 6 only says how. Bit 6 alone is a display that
// is off, as the display page shows it (and then writes the pair clean).
LcdMode LoggerConfig::lcdMode() const
{
    if (!hasMode(mode::kLcdBit5))
        return LcdMode::Off;
    return hasMode(mode::kLcdBit6) ? LcdMode::OnAfterButton : LcdMode::AlwaysOn;
}

std::size_t LoggerConfig::slotOffset(TextSlot slot)
{
    switch (slot) {
    case TextSlot::Name: return cfg::kName;
    case TextSlot::Units: return cfg::kUnits;
    case TextSlot::ScaleIn1: return cfg::kScaleIn1;
    case TextSlot::ScaleOut1: return cfg::kScaleOut1;
    case TextSlot::ScaleIn2: return cfg::kScaleIn2;
    case TextSlot::ScaleOut2: return cfg::kScaleOut2;
    case TextSlot::HighAlarmText: return cfg::kHighAlarmText;
    case TextSlot::LowAlarmText: return cfg::kLowAlarmText;
    case TextSlot::RangeText: return cfg::kRangeText;
    case TextSlot::InputUnits: return cfg::kInputUnits;
    case TextSlot::DefaultUnits: return cfg::kDefaultUnits;
    case TextSlot::DefaultIn1: return cfg::kDefaultIn1;
    case TextSlot::DefaultOut1: return cfg::kDefaultOut1;
    case TextSlot::DefaultIn2: return cfg::kDefaultIn2;
    case TextSlot::DefaultOut2: return cfg::kDefaultOut2;
    case TextSlot::CalPointHigh: return cfg::kCalPointHigh;
    case TextSlot::CalPointLow: return cfg::kCalPointLow;
    }
    return cfg::kName;
}

std::size_t LoggerConfig::slotSize(TextSlot slot)
{
    switch (slot) {
    case TextSlot::Name: return 16;
    case TextSlot::Units:
    case TextSlot::InputUnits:
    case TextSlot::DefaultUnits: return 12;
    case TextSlot::RangeText: return 14;
    default: return 8;
    }
}

std::string LoggerConfig::readText(std::size_t offset, std::size_t size) const
{
    const auto* begin = bytes.data() + offset;
    const auto* end = std::find(begin, begin + size, std::uint8_t{0});
    return std::string(begin, end);
}

std::string LoggerConfig::text(TextSlot slot) const
{
    // Name and units read as stored; a full slot still ends at the slot's edge, never
    // in the next field. The other slots read as if terminated in their last byte.
    const std::size_t size = slotSize(slot);
    const bool asStored = slot == TextSlot::Name || slot == TextSlot::Units;
    return readText(slotOffset(slot), asStored ? size : size - 1);
}

std::string LoggerConfig::name() const { return text(TextSlot::Name); }
std::string LoggerConfig::units() const { return text(TextSlot::Units); }

void LoggerConfig::setText(TextSlot slot, const std::string& text)
{
    const std::size_t offset = slotOffset(slot);
    const std::size_t size = slotSize(slot);
    const std::size_t n = std::min(text.size(), size - 1);
    std::memset(bytes.data() + offset, 0, size);
    std::memcpy(bytes.data() + offset, text.data(), n);
}

std::string LoggerConfig::firmwareText() const { return readText(cfg::kFirmwareCode, 4); }

std::string LoggerConfig::unitText() const
{
    if (!typeRow(type()).has(feature::kDegreeUnit))
        return units();
    // Windows-1252: the degree sign is the byte B0.
    switch (inputOptions()) {
    case 0: return "\260C";
    case 1: return "\260F";
    default: return "";
    }
}

DatePeriod LoggerConfig::period(std::size_t o) const { return DatePeriod{u8(o), u8(o + 1), u8(o + 2), u8(o + 3)}; }

void LoggerConfig::setPeriod(std::size_t o, DatePeriod p)
{
    setU8(o, p.day);
    setU8(o + 1, p.month);
    setU8(o + 2, p.yearSince1900);
    setU8(o + 3, p.months);
}

bool LoggerConfig::isDelayedStartPending() const
{
    if (startDelay() == 0)
        return false;
    // A logger that keeps its start delay tells by the readings it holds, or by its
    // push-button start, that the delay is no longer pending.
    const LoggerType t = type();
    if (keepsStartDelay(t) && (readingCount() != 0 || (hasPushButton(t) && hasMode(mode::kPushButton))))
        return false;
    return true;
}

bool LoggerConfig::isWaitingForButton() const
{
    return hasPushButton(type()) && hasMode(mode::kPushButton) && readingCount() == 0;
}

} // namespace velmora
