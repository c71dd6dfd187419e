#include "logger_presets.h"

#include <array>
#include <cmath>

#include "demo_signal.h"
#include "logger_memory.h"
#include "number_format.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

enum class Scaling { None, Volts30, MilliAmps25, Volts10 };

struct Preset {
    const char* name;
    const char* firmware;
    std::uint16_t interval; // seconds
    std::uint16_t demoReadings;
    std::uint16_t capacity;
    float calGain, calOffset;
    std::uint8_t inputOptions, modeFlags;
    double high, low; // alarm levels in the logger's unit; NAN = alarm off
    Scaling scaling;
};

constexpr float kNarrowGain = 0.5f, kNarrowOffset = -40.0f;
// The fixed temperature encoding needs no calibration; these document it.
constexpr float kTenthsF = 0.1f, kTenthsOffset = -328.0f;

// One row per type code 1..21.
const std::array<Preset, 21> kPresets{{
    {"Fridge", "2.10", 300, 576, 16382, kNarrowGain, kNarrowOffset, 0, 0, 8.0, 2.0, Scaling::None},
    {"Freezer", "2.10", 300, 576, 16382, kNarrowGain, kNarrowOffset, 0, 0, -15.0, -25.0, Scaling::None},
    {"Store", "2.31", 300, 576, 16382, kNarrowGain, kNarrowOffset, 0, 0, 25.0, 15.0, Scaling::None},
    {"Battery Bank", "3.04", 60, 1440, 32766, 3.0f / 65472.0f, 0.0f, 0, 0, 14.4, 11.5, Scaling::Volts30},
    {"Pump Current", "3.04", 60, 1440, 32766, 2.5f / 65472.0f, 0.0f, 0, 0, 18.0, 5.0, Scaling::MilliAmps25},
    {"Solar Panel", "3.12", 60, 1440, 32766, 3.0f / 65472.0f, 0.0f, 0, 0, 14.4, 11.5, Scaling::Volts30},
    {"Flow Loop", "3.12", 60, 1440, 32766, 2.5f / 65472.0f, 0.0f, 0, 0, 18.0, 5.0, Scaling::MilliAmps25},
    {"Office Lite", "1.20", 1800, 96, 32766, 2.5f / 65472.0f, 0.0f, 0, 0, 26.0, 16.0, Scaling::None},
    {"Boiler Room", "5.12", 60, 1440, 32766, 0.02f, 0.0f, 0, mode::kSounder, 1001.0, 35.0, Scaling::None},
    {"Oven", "6.03", 10, 2160, 32766, kTenthsF, kTenthsOffset, 0x20, 0, 200.0, 150.0, Scaling::None},
    {"Cellar CO", "5.12", 60, 1440, 32766, 0.005f, 0.0f, 0, mode::kSounder, 301.0, 25.0, Scaling::None},
    {"Display Store", "2.44", 300, 576, 16382, kNarrowGain, kNarrowOffset, 0, mode::kLcdBit5, 25.0, 15.0,
     Scaling::None},
    {"Warehouse", "2.40", 300, 576, 16382, kNarrowGain, kNarrowOffset, 0, 0, 30.0, 10.0, Scaling::None},
    {"Kiln", "4.01", 60, 720, 32766, 0.01f, -40.0f, 0, 0, 320.0, 150.0, Scaling::None},
    {"Furnace", "6.10", 10, 2160, 32766, kTenthsF, kTenthsOffset, 0x10, mode::kLcdBit5 | mode::kLcdBit6, 160.0, 80.0,
     Scaling::None},
    {"Lab", "2.44", 300, 576, 16382, kNarrowGain, kNarrowOffset, 0, mode::kLcdBit5, 24.0, 18.0, Scaling::None},
    {"Door", "E2.0", 0, 200, 32766, 1.0f, 0.0f, 0x0D, 0, NAN, NAN, Scaling::None},
    {"Cold Chain", "Q1.2", 300, 576, 32766, kTenthsF, kTenthsOffset, 0, 0, -15.0, -25.0, Scaling::None},
    {"Office", "7.02", 300, 576, 32766, kTenthsF, kTenthsOffset, 0, mode::kLcdBit5, 25.0, 18.0, Scaling::None},
    {"OEM Sensor", "Q3.1", 60, 1440, 65535, 1.0f / 65472.0f, 0.0f, 0, 0, 8.0, 2.0, Scaling::Volts10},
    {"Freezer LCD", "7.02", 300, 576, 32766, kTenthsF, kTenthsOffset, 0, mode::kLcdBit5, -15.0, -25.0, Scaling::None},
}};

// The first of the month `monthsBack` months before `now`, as a stored date period.
DatePeriod periodStarting(const CivilTime& now, int monthsBack, int months)
{
    int month = now.month - monthsBack;
    int year = now.year;
    while (month < 1) {
        month += 12;
        --year;
    }
    return DatePeriod{1, static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(year - 1900),
                      static_cast<std::uint8_t>(months)};
}

void setScaling(LoggerConfig& c, Scaling s)
{
    struct Texts {
        const char *range, *unit, *top;
        float scalar;
    };
    const Texts t = s == Scaling::Volts30       ? Texts{"0.00 - 30.00", "Volts", "30.00", 10.0f}
                    : s == Scaling::MilliAmps25 ? Texts{"0.00 - 25.00", "mA", "25.00", 10.0f}
                                                : Texts{"0.00 - 10.00", "Volts", "10.00", 10.0f};
    c.setInputScalar(t.scalar);
    c.setText(TextSlot::RangeText, t.range);
    c.setText(TextSlot::InputUnits, t.unit);
    c.setText(TextSlot::DefaultUnits, t.unit);
    c.setText(TextSlot::Units, t.unit);
    for (TextSlot slot : {TextSlot::DefaultIn1, TextSlot::DefaultOut1, TextSlot::ScaleIn1, TextSlot::ScaleOut1})
        c.setText(slot, "0.00");
    for (TextSlot slot : {TextSlot::DefaultIn2, TextSlot::DefaultOut2, TextSlot::ScaleIn2, TextSlot::ScaleOut2})
        c.setText(slot, t.top);
    c.setText(TextSlot::CalPointHigh, t.top);
    c.setText(TextSlot::CalPointLow, "0.00");
}

// "%.2f" with a full stop whatever the locale: the text goes into download files.
std::string alarmText(double v) { return fixedText(v, 2); }

LoggerConfig presetRecord(LoggerType type, const Preset& p, const CivilTime& now)
{
    LoggerConfig c;
    c.setType(type);
    c.setName(p.name);
    c.setSampleInterval(p.interval);
    c.setMemoryCapacity(p.capacity);
    c.setCalGain(p.calGain);
    c.setCalOffset(p.calOffset);
    c.setInputOptions(p.inputOptions);
    c.setModeFlags(p.modeFlags);
    for (std::size_t i = 0; i < 4; ++i)
        c.bytes[cfg::kFirmwareCode + i] = static_cast<std::uint8_t>(p.firmware[i]);
    c.setSerialNumber(10400000u + type * 1009u);
    if (isScaled(type))
        setScaling(c, p.scaling);
    if (isThermocouple(type)) {
        c.setF32(cfg::kTcGain, 1.0f);
        c.setF32(cfg::kTcOffset, 0.0f);
    }
    if (isCo(type)) {
        c.setSensorLife(periodStarting(now, 6, 24));
        c.setCalibrationDue(periodStarting(now, 3, 12));
    }
    if (!isNarrow(type))
        c.setU16(cfg::kBatteryLevel, 2700);
    const DemoSignal signal(c);
    if (!std::isnan(p.high)) {
        c.setHighAlarmRaw(signal.rawFor(p.high));
        c.setLowAlarmRaw(signal.rawFor(p.low));
        // The CO high slot holds the sensor's top code and stays off; the low slot is
        // the warning level.
        c.setHighAlarmEnabled(!isCo(type));
        c.setLowAlarmEnabled(true);
        if (alarmsFromTexts(type)) {
            c.setText(TextSlot::HighAlarmText, alarmText(p.high));
            c.setText(TextSlot::LowAlarmText, alarmText(p.low));
        }
    }
    if (isHumidity(type)) {
        c.setRhHighAlarm(140); // 70 %rh
        c.setRhLowAlarm(60);   // 30 %rh
        c.setRhHighEnabled(true);
        c.setRhLowEnabled(true);
    }
    return c;
}

} // namespace

LoggerImage makePresetImage(LoggerType type, const CivilTime& now)
{
    const Preset& p = kPresets.at(static_cast<std::size_t>(type) - 1);
    LoggerImage image;
    image.record = presetRecord(type, p, now);
    LoggerConfig& c = image.record;
    const DemoSignal signal(c);

    // The demo log ends at `now`: work out when it began.
    std::int64_t span = 0;
    if (isEventLogger(type)) {
        for (std::uint64_t i = 0; i < p.demoReadings; ++i)
            span += signal.eventWord(i) & 0x7FFF;
        span = (span + 9) / 10;
    } else {
        span = std::int64_t{p.interval} * (p.demoReadings - 1);
    }
    const CivilTime start = civilOfSeconds(secondsOf(now) / 60 * 60 - span);
    c.setStart(start.year, start.month, start.day, start.hour, start.minute, start.second);

    LoggerMemory memory;
    memory.restart(type, p.capacity);
    const std::int64_t startSecond = secondsOf(start) % 86400;
    for (std::uint64_t i = 0; i < p.demoReadings; ++i) {
        if (isEventLogger(type)) {
            const std::uint16_t word = signal.eventWord(i);
            memory.store(std::span<const std::uint16_t>(&word, 1));
        } else {
            const auto secondOfDay =
                static_cast<std::uint32_t>((startSecond + static_cast<std::int64_t>(i) * p.interval) % 86400);
            const DemoReading r = signal.sample(i, secondOfDay);
            memory.store(std::span<const std::uint16_t>(r.values.data(), static_cast<std::size_t>(r.count)));
        }
    }
    image.memory = memory.downloadBytes(maxDownloadBytes(type));
    c.setReadingCount(p.demoReadings);
    c.setFlag(flag::kUndownloaded, true);
    return image;
}

} // namespace velmora
