#pragma once
// The 256-byte configuration record a logger carries. It is kept as the byte image
// the logger sends, and every field is read and written at its offset with explicit
// little-endian conversions, so the image can be sent back unchanged and nothing
// depends on the compiler's struct layout.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

using LoggerType = std::uint8_t;

// Offsets of the record's fields.
namespace cfg {
inline constexpr std::size_t kType = 0, kCommand = 1, kName = 2, kStartHour = 18, kStartMinute = 19, kStartSecond = 20,
                             kStartDay = 21, kStartMonth = 22, kStartYear = 23, kStartDelay = 24, kSampleInterval = 28,
                             kReadingCount = 30, kFlags = 32, kHighAlarm = 34, kLowAlarmNarrow = 35, kCalGain = 36,
                             kCalOffset = 40, kLiveReading = 44, kInputOptions = 46, kModeFlags = 47,
                             kFirmwareCode = 48, kSerialNumber = 52, kLowAlarmWide = 56, kRhHighAlarm = 56,
                             kRhLowAlarm = 57, kWrapCount = 58, kMemoryCapacity = 60, kConsecutiveHigh = 62,
                             kConsecutiveLow = 63, kUnits = 64, kScaleIn1 = 76, kScaleOut1 = 84, kScaleIn2 = 92,
                             kScaleOut2 = 100, kInputScalar = 108, kHighAlarmText = 112, kLowAlarmText = 120,
                             kRangeText = 128, kInputUnits = 142, kDefaultUnits = 154, kDefaultIn1 = 166,
                             kDefaultOut1 = 174, kDefaultIn2 = 182, kDefaultOut2 = 190, kCalPointHigh = 198,
                             kCalPointLow = 206, kBatteryLevel = 214, kSensorLife = 216, kCalibrationDue = 220,
                             kTcGain = 224, kTcOffset = 228, kCountPeriod = 232;
} // namespace cfg

// Bits of `flags`.
namespace flag {
inline constexpr std::uint16_t kHighEnabled = 1u << 0, kLowEnabled = 1u << 1, kHighLatched = 1u << 2,
                               kLowLatched = 1u << 3, kRhHighEnabled = 1u << 4, kRhLowEnabled = 1u << 5,
                               kRhHighLatched = 1u << 6, kRhLowLatched = 1u << 7, kLogging = 1u << 8,
                               kUndownloaded = 1u << 9, kBatteryLow = 1u << 10, kBatteryCritical = 1u << 11,
                               kSensorFault = 1u << 12;
}

// Bits of `modeFlags`.
namespace mode {
inline constexpr std::uint8_t kLedsDisabled = 1u << 0, kScaleFalling = 1u << 1, kSounder = 1u << 3,
                              kOverwrite = 1u << 4, kLcdBit5 = 1u << 5, kLcdBit6 = 1u << 6, kPushButton = 1u << 7;
}

enum class LcdMode { Off, OnAfterButton, AlwaysOn };

// The text slots that have a fixed size and are terminated in their last byte when read.
enum class TextSlot {
    Name,
    Units,
    ScaleIn1,
    ScaleOut1,
    ScaleIn2,
    ScaleOut2,
    HighAlarmText,
    LowAlarmText,
    RangeText,
    InputUnits,
    DefaultUnits,
    DefaultIn1,
    DefaultOut1,
    DefaultIn2,
    DefaultOut2,
    CalPointHigh,
    CalPointLow
};

// A date period stored in 4 bytes: start day, month, year - 1900, length in months.
struct DatePeriod {
    std::uint8_t day = 0, month = 0, yearSince1900 = 0, months = 0;
};

class LoggerConfig {
public:
    static constexpr std::size_t kSize = 256;
    static constexpr std::size_t kNarrowSize = 64;

    std::array<std::uint8_t, kSize> bytes{};

    // Raw little-endian access at any offset.
    std::uint8_t u8(std::size_t offset) const { return bytes[offset]; }
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    float f32(std::size_t offset) const;
    void setU8(std::size_t offset, std::uint8_t v) { bytes[offset] = v; }
    void setU16(std::size_t offset, std::uint16_t v);
    void setU32(std::size_t offset, std::uint32_t v);
    void setF32(std::size_t offset, float v);

    // Fields.
    LoggerType type() const { return u8(cfg::kType); }
    void setType(LoggerType t) { setU8(cfg::kType, t); }
    std::uint8_t command() const { return u8(cfg::kCommand); }
    void setCommand(std::uint8_t c) { setU8(cfg::kCommand, c); }
    std::uint8_t startHour() const { return u8(cfg::kStartHour); }
    std::uint8_t startMinute() const { return u8(cfg::kStartMinute); }
    std::uint8_t startSecond() const { return u8(cfg::kStartSecond); }
    std::uint8_t startDay() const { return u8(cfg::kStartDay); }
    std::uint8_t startMonth() const { return u8(cfg::kStartMonth); }
    std::uint8_t startYear() const { return u8(cfg::kStartYear); }
    int startFullYear() const; // below 70 means 2000 + value, otherwise 1900 + value
    std::uint32_t startDelay() const { return u32(cfg::kStartDelay); }
    void setStartDelay(std::uint32_t v) { setU32(cfg::kStartDelay, v); }
    std::uint16_t sampleInterval() const { return u16(cfg::kSampleInterval); }
    void setSampleInterval(std::uint16_t v) { setU16(cfg::kSampleInterval, v); }
    std::uint16_t readingCount() const { return u16(cfg::kReadingCount); }
    void setReadingCount(std::uint16_t v) { setU16(cfg::kReadingCount, v); }
    std::uint16_t flags() const { return u16(cfg::kFlags); }
    void setFlags(std::uint16_t v) { setU16(cfg::kFlags, v); }
    bool hasFlag(std::uint16_t bit) const { return (flags() & bit) != 0; }
    void setFlag(std::uint16_t bit, bool on);
    float calGain() const { return f32(cfg::kCalGain); }
    void setCalGain(float v) { setF32(cfg::kCalGain, v); }
    float calOffset() const { return f32(cfg::kCalOffset); }
    void setCalOffset(float v) { setF32(cfg::kCalOffset, v); }
    std::uint8_t inputOptions() const { return u8(cfg::kInputOptions); }
    void setInputOptions(std::uint8_t v) { setU8(cfg::kInputOptions, v); }
    std::uint8_t modeFlags() const { return u8(cfg::kModeFlags); }
    void setModeFlags(std::uint8_t v) { setU8(cfg::kModeFlags, v); }
    bool hasMode(std::uint8_t bit) const { return (modeFlags() & bit) != 0; }
    void setMode(std::uint8_t bit, bool on);
    std::uint32_t serialNumber() const { return u32(cfg::kSerialNumber); }
    void setSerialNumber(std::uint32_t v) { setU32(cfg::kSerialNumber, v); }
    std::uint8_t wrapCount() const { return u8(cfg::kWrapCount); }
    void setWrapCount(std::uint8_t v) { setU8(cfg::kWrapCount, v); }
    std::uint16_t memoryCapacity() const { return u16(cfg::kMemoryCapacity); }
    void setMemoryCapacity(std::uint16_t v) { setU16(cfg::kMemoryCapacity, v); }
    float inputScalar() const { return f32(cfg::kInputScalar); }
    void setInputScalar(float v) { setF32(cfg::kInputScalar, v); }
    float tcGain() const { return f32(cfg::kTcGain); }
    float tcOffset() const { return f32(cfg::kTcOffset); }
    std::uint32_t countPeriod() const { return u32(cfg::kCountPeriod); }
    void setCountPeriod(std::uint32_t v) { setU32(cfg::kCountPeriod, v); }
    DatePeriod sensorLife() const { return period(cfg::kSensorLife); }
    DatePeriod calibrationDue() const { return period(cfg::kCalibrationDue); }
    void setSensorLife(DatePeriod p) { setPeriod(cfg::kSensorLife, p); }
    void setCalibrationDue(DatePeriod p) { setPeriod(cfg::kCalibrationDue, p); }

    void setStart(int year, int month, int day, int hour, int minute, int second);

    // Flag accessors.
    bool isLogging() const { return hasFlag(flag::kLogging); }
    void setHighAlarmEnabled(bool b) { setFlag(flag::kHighEnabled, b); }
    void setLowAlarmEnabled(bool b) { setFlag(flag::kLowEnabled, b); }
    void setHighAlarmLatched(bool b) { setFlag(flag::kHighLatched, b); }
    void setLowAlarmLatched(bool b) { setFlag(flag::kLowLatched, b); }
    void setRhHighEnabled(bool b) { setFlag(flag::kRhHighEnabled, b); }
    void setRhLowEnabled(bool b) { setFlag(flag::kRhLowEnabled, b); }
    void setRhHighLatched(bool b) { setFlag(flag::kRhHighLatched, b); }
    void setRhLowLatched(bool b) { setFlag(flag::kRhLowLatched, b); }

    // Alarm levels, 16-bit at 34/56 or 8-bit at 34/35 by the alarm width of the type.
    std::uint16_t highAlarmRaw() const;
    std::uint16_t lowAlarmRaw() const;
    void setHighAlarmRaw(std::uint16_t v);
    void setLowAlarmRaw(std::uint16_t v);
    double rhHighAlarm() const { return u8(cfg::kRhHighAlarm) * 0.5; }
    double rhLowAlarm() const { return u8(cfg::kRhLowAlarm) * 0.5; }
    void setRhHighAlarm(std::uint8_t v) { setU8(cfg::kRhHighAlarm, v); }
    void setRhLowAlarm(std::uint8_t v) { setU8(cfg::kRhLowAlarm, v); }
    std::uint8_t consecutiveHigh() const { return u8(cfg::kConsecutiveHigh); }
    void setConsecutiveHigh(std::uint8_t v) { setU8(cfg::kConsecutiveHigh, v); }
    std::uint8_t consecutiveLow() const { return u8(cfg::kConsecutiveLow); }
    void setConsecutiveLow(std::uint8_t v) { setU8(cfg::kConsecutiveLow, v); }

    // Mode accessors.
    void setLedsDisabled(bool b) { setMode(mode::kLedsDisabled, b); }
    void setOverwriteMode(bool b) { setMode(mode::kOverwrite, b); }
    bool isOverwriteMode() const { return hasMode(mode::kOverwrite); }
    void setSounder(bool b) { setMode(mode::kSounder, b); }
    void setPushButtonStart(bool b) { setMode(mode::kPushButton, b); }
    bool isPushButtonStart() const; // bit 7, for the push-button types only
    void setLcdMode(LcdMode m);
    LcdMode lcdMode() const;

    // Event logger (type 17) options.
    int inputRange() const { return inputOptions() & 0x03; }
    int sampleMode() const { return (inputOptions() >> 4) & 0x03; }

    // Texts, as 8-bit (Windows-1252) strings. `name` and `units` read as stored (up
    // to the first NUL, never past the slot); every other slot is terminated in its
    // last byte first, so a slot that arrives full still reads as a text.
    std::string text(TextSlot slot) const;
    std::string name() const;
    std::string units() const;
    void setName(const std::string& text) { setText(TextSlot::Name, text); }
    // Copies at most the slot's size minus one characters and zero-fills the rest.
    void setText(TextSlot slot, const std::string& text);
    std::string firmwareText() const; // up to four characters, no terminator needed
    // The unit shown beside values: the degree sign and letter of inputOptions (0 = °C,
    // 1 = °F, nothing for other values) for the types whose row says so, else `units`.
    std::string unitText() const;

    // State tests.
    bool hasUndownloadedData() const { return hasFlag(flag::kUndownloaded) && readingCount() > 0; }
    bool isDelayedStartPending() const;
    bool isWaitingForButton() const;

    static std::size_t slotOffset(TextSlot slot);
    static std::size_t slotSize(TextSlot slot);

private:
    DatePeriod period(std::size_t offset) const;
    void setPeriod(std::size_t offset, DatePeriod p);
    std::string readText(std::size_t offset, std::size_t size) const;
};

} // namespace velmora
