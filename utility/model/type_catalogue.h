#pragma once
// Everything that depends on a logger's type code, described once per code: one row
// per type, whose columns are the questions the rest of the program asks about a type.
// Code outside the catalogue asks the row (or one of the predicates below), never the
// code itself.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "logger_config.h"

namespace velmora {

struct IntervalChoice {
    std::string_view text;
    std::uint16_t seconds;
};

// The interval choice lists of the name pages. `fallback` is the entry selected when
// the logger's interval is not in the list; -1 means none is selected.
struct IntervalList {
    std::span<const IntervalChoice> entries;
    int fallback;
};

enum class IntervalListId : std::uint8_t { None, A, B, C, D, E, FixedHalfHour };

// What the logger measures.
enum class Measures : std::uint8_t { Nothing, Temperature, Voltage, Current, CarbonMonoxide, Events };

// The configuration record the logger exchanges, by its length in bytes.
enum class RecordSize : std::uint16_t { Narrow = 64, Wide = 256 };

// The width of a stored reading or alarm level, by its length in bytes.
enum class ValueWidth : std::uint8_t { Bits8 = 1, Bits16 = 2 };

// How a raw reading or alarm code becomes a value.
enum class RawEncoding : std::uint8_t {
    Calibrated,           // raw × calGain + calOffset; codes outside the table
    CalibratedDegrees,    // the same, -40 + 0.5 °C or 1 °F per count: the unit lives in the calibration
    CalibratedHundredths, // the same, -40 + 0.01 degree per count in either unit
    CalibratedPpm,        // the same, negative values read as 0 ppm
    FixedTenthsF,         // tenths of °F above -328 °F; the unit asked of inputOptions bit 0
    LiteSensor,           // calibrated volts on the sensor's line; the unit asked of the whole byte
    UserScaled,           // calibrated (not below 0), then inputScalar × scaleGain + scaleOffset
    Counts,               // the raw number itself (events, counts)
};

// The step a value is rounded to and the decimals its text is printed with.
enum class Resolution : std::uint8_t {
    PlainTenth,     // printed "%.1f" as converted; a rounding asked for uses 0.1
    PlainCount,     // printed "%.0f" as converted; a rounding asked for uses 0.1
    ScaledStep,     // the connected logger's displayStep and displayDecimals
    LiteDegree,     // 1 °C or 2 °F (whole byte), printed "%.0f"
    HalfPpm,        // 0.5 ppm, printed "%.1f"
    WholeDegree,    // 1 °F or 0.5 °C (inputOptions bit 0), printed with 0 or 1 decimal
    HighTempTenths, // step 0.1; a reading is printed as whole tenths around the code 4000
};

// The user scaling of voltage and current loggers, and where their alarm texts come from.
enum class ScaleKind : std::uint8_t {
    Unscaled,
    AlarmsFromLevels, // alarm texts printed from the raw alarm levels
    AlarmsFromTexts,  // alarm texts as entered, kept in highAlarmText and lowAlarmText
};

// Where inputOptions keeps the temperature unit that is shown (status page, file
// header) and written by a change of unit. The conversions of the fixed encoding ask
// bit 0 whatever this column says (see RawEncoding::FixedTenthsF).
enum class UnitOption : std::uint8_t {
    NoUnit,    // the byte means something else (scaling in force, event options) or nothing
    WholeByte, // 1 = °F, 0 = °C; the status page shows other values as an error, the file as °C
    Bit0,      // bit 0; the thermocouple kind shares the byte
};

// Features a type has or lacks (TypeInfo::features).
namespace feature {
inline constexpr std::uint16_t kHumidity = 1u << 0;      // humidity channel and alarms, sensor-fault warning
inline constexpr std::uint16_t kThermocouple = 1u << 1;  // thermocouple kind J/K/T, tcGain and tcOffset
inline constexpr std::uint16_t kDisplay = 1u << 2;       // LCD with a display mode
inline constexpr std::uint16_t kPushButton = 1u << 3;    // push-button start
inline constexpr std::uint16_t kRollOver = 1u << 4;      // a wrapped roll-over memory changes a download's rows
inline constexpr std::uint16_t kKeepsDelay = 1u << 5;    // keeps the start delay it was given, so readings
                                                         // held, not the delay, tell that the wait is over
inline constexpr std::uint16_t kCompatible = 1u << 6;    // accepted by the main menu
inline constexpr std::uint16_t kZeroBelow3ppm = 1u << 7; // CO readings under 3 ppm show as 0
inline constexpr std::uint16_t kFixedLeds = 1u << 8;     // the indicator LEDs cannot be switched off
inline constexpr std::uint16_t kDegreeUnit = 1u << 9;    // the unit text is the degree sign of inputOptions,
                                                         // not the units slot
} // namespace feature

// The levels a typed alarm level may take (the alarm page with typed levels).
enum class AlarmRange : std::uint8_t {
    None,               // alarm levels are not typed for this type
    ScaledInput,        // the user-scaled values of zero and of full-scale input
    ThermocoupleCodes,  // the values of the codes 0 and 27000
    HighTemperature,    // -40 to 125 °C, or -40 to 257 °F
    DisplayTemperature, // -40 to 87.5 °C, or -40 to 189 °F
};

struct TypeInfo {
    LoggerType code;
    std::string_view model; // the model name
    Measures measures;
    RecordSize record;
    ValueWidth readings;
    ValueWidth alarms; // 16-bit levels at 34 and 56, or 8-bit at 34 and 35
    IntervalListId intervals;
    int setupEntryPage;         // first set-up page, 0 when the type is refused
    std::uint16_t readingBlock; // bytes per block of the readings download
    std::uint8_t readingHeader; // bytes before the readings (count of 16 or 24 bits)
    RawEncoding encoding;
    Resolution resolution;
    ScaleKind scale;
    UnitOption unit;
    std::uint16_t features; // feature:: bits
    AlarmRange alarmRange = AlarmRange::None;
    // The carbon monoxide warning level: the highest level that can be set (0 = no
    // warning level), and the lowest stored level the page shows as it is (a level
    // outside shownFrom..max is offered as the recommended 50 ppm instead).
    std::uint16_t warningMax = 0;
    std::uint16_t warningShownFrom = 0;

    constexpr bool has(std::uint16_t f) const { return (features & f) != 0; }
};

inline constexpr LoggerType kMaxKnownType = 21;

// The catalogue row of a known type, nullptr for 0 and codes above 21.
const TypeInfo* typeInfo(LoggerType type);
// The row of any code: 0 and codes above 21 get the row of an unknown logger (model
// "USB", a 256-byte record, 8-bit alarms, nothing measured, no features).
const TypeInfo& typeRow(LoggerType type);

std::string modelName(LoggerType type); // "USB" for unknown codes

// Membership tests of the type groups, each a read of the row.
bool isKnownType(LoggerType type);
bool isNarrow(LoggerType type);        // 64-byte record, 8-bit readings
bool isWide(LoggerType type);          // a known type with a 256-byte record and 16-bit readings
bool hasWideAlarms(LoggerType type);   // 16-bit alarm levels at 34 and 56
bool isScaled(LoggerType type);        // user scaling of voltage or current
bool alarmsFromTexts(LoggerType type); // scaled, alarm levels shown as entered
bool isTemperature(LoggerType type);
bool isHumidity(LoggerType type);
bool isCo(LoggerType type);
bool isThermocouple(LoggerType type);
bool isFixedEncodingTemperature(LoggerType type); // tenths of °F above -328 °F
bool hasPushButton(LoggerType type);
bool hasDisplay(LoggerType type);
bool isCompatible(LoggerType type);
bool isEventLogger(LoggerType type);
bool hasRollOverDownload(LoggerType type);
bool keepsStartDelay(LoggerType type);
bool ledsCanBeDisabled(LoggerType type);

// A roll-over memory that has filled and gone round: it holds memoryCapacity - 1
// readings, and readingCount is then the write position, 0 included.
bool hasWrappedRollOver(const LoggerConfig& c);
// The rows of a download's reading table: memoryCapacity - 1 for a wrapped roll-over
// memory, otherwise readingCount. Whether there is anything to download asks this,
// not readingCount.
std::size_t downloadRowCount(const LoggerConfig& c);

std::size_t configLength(LoggerType type);        // 64 or 256
std::size_t readingBlockSize(LoggerType type);    // 64 or 512
std::size_t readingHeaderLength(LoggerType type); // 3 or 4
int valuesPerReading(LoggerType type);            // 2 for humidity types (temperature, humidity), else 1
int bytesPerValue(LoggerType type);               // 1 for 8-bit readings, 2 for 16-bit readings
int setupEntryPage(LoggerType type);              // 0 when refused

IntervalList intervalList(LoggerType type);
// The two wordings of an interval: as the status page prints it ("1 Second", ...,
// "UnKnown"), and as the consecutive-alarm page shows the logging rate ("10 Second",
// and nothing for a rate its loggers do not have).
enum class IntervalWording { Status, AlarmDelay };
std::string_view intervalName(std::uint32_t seconds, IntervalWording wording = IntervalWording::Status);

} // namespace velmora
