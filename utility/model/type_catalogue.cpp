#include "type_catalogue.h"

#include <array>

#include "utility_strings.h"

namespace velmora {

namespace {

using enum IntervalListId;
using enum Measures;
using enum RecordSize;
using enum ValueWidth;
using enum RawEncoding;
using enum Resolution;
using enum ScaleKind;
using enum UnitOption;
// AlarmRange by name (its None would clash with IntervalListId's).
constexpr AlarmRange NoRange = AlarmRange::None, ScaledInput = AlarmRange::ScaledInput,
                     ThermocoupleCodes = AlarmRange::ThermocoupleCodes, HighTemperature = AlarmRange::HighTemperature,
                     DisplayTemperature = AlarmRange::DisplayTemperature;
using namespace feature;

// One row per known code. First line: code, model name id, what it measures, record,
// reading and alarm widths, interval list, first set-up page, readings block size and
// header length. Second line: how values are encoded, rounded and printed, the user
// scaling, where the temperature unit is kept, and the features; then, where they
// apply, the range of typed alarm levels and the carbon monoxide warning level (the
// highest, and the lowest shown as stored).
// clang-format off
constexpr std::array<TypeInfo, 21> kTypes{{
    {1,  149, Temperature,    Narrow, Bits8,  Bits8,  A,             1,  64,  3,  // KV-USB-1
         CalibratedDegrees,    PlainTenth,     Unscaled,         WholeByte, kCompatible},
    {2,  149, Temperature,    Narrow, Bits8,  Bits8,  A,             1,  512, 3,  // KV-USB-1
         CalibratedDegrees,    PlainTenth,     Unscaled,         WholeByte, kCompatible},
    {3,  150, Temperature,    Narrow, Bits8,  Bits8,  A,             1,  512, 3,  // KV-USB-2
         CalibratedDegrees,    PlainTenth,     Unscaled,         WholeByte, kHumidity | kCompatible},
    {4,  151, Voltage,        Wide,   Bits16, Bits16, C,             8,  512, 3,  // KV-USB-3
         UserScaled,           ScaledStep,     AlarmsFromLevels, NoUnit,    kCompatible, ScaledInput},
    {5,  152, Current,        Wide,   Bits16, Bits16, C,             8,  512, 3,  // KV-USB-4
         UserScaled,           ScaledStep,     AlarmsFromLevels, NoUnit,    kCompatible, ScaledInput},
    {6,  151, Voltage,        Wide,   Bits16, Bits16, C,             8,  512, 3,  // KV-USB-3
         UserScaled,           ScaledStep,     AlarmsFromTexts,  NoUnit,    kCompatible, ScaledInput},
    {7,  152, Current,        Wide,   Bits16, Bits16, C,             8,  512, 3,  // KV-USB-4
         UserScaled,           ScaledStep,     AlarmsFromTexts,  NoUnit,    kCompatible, ScaledInput},
    {8,  153, Temperature,    Wide,   Bits16, Bits16, FixedHalfHour, 11, 512, 3,  // KV-USB-LITE
         LiteSensor,           LiteDegree,     Unscaled,         WholeByte, kCompatible},
    {9,  154, CarbonMonoxide, Wide,   Bits16, Bits16, E,             14, 512, 3,  // KV-USB-5
         CalibratedPpm,        HalfPpm,        Unscaled,         NoUnit,    kZeroBelow3ppm | kCompatible,
         NoRange, 1000, 3},
    {10, 155, Temperature,    Wide,   Bits16, Bits16, D,             16, 512, 3,  // KV-USB-6
         FixedTenthsF,         WholeDegree,    Unscaled,         Bit0,      kThermocouple | kCompatible,
         ThermocoupleCodes},
    {11, 174, CarbonMonoxide, Wide,   Bits16, Bits16, E,             14, 512, 3,  // KV-USB-5-LR
         CalibratedPpm,        HalfPpm,        Unscaled,         NoUnit,    kCompatible, NoRange, 300, 0},
    {12, 175, Temperature,    Narrow, Bits8,  Bits8,  A,             1,  512, 3,  // KV-USB-2-LCD
         CalibratedDegrees,    PlainTenth,     Unscaled,         WholeByte,
         kHumidity | kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible},
    {13, 177, Temperature,    Narrow, Bits8,  Bits8,  A,             1,  512, 3,  // KV-USB-2-HA
         CalibratedDegrees,    PlainTenth,     Unscaled,         WholeByte,
         kHumidity | kRollOver | kKeepsDelay | kCompatible},
    {14, 178, Temperature,    Wide,   Bits16, Bits16, B,             20, 512, 3,  // KV-USB-1-HT
         CalibratedHundredths, HighTempTenths, Unscaled,         WholeByte,
         kRollOver | kKeepsDelay | kCompatible | kFixedLeds | kDegreeUnit, HighTemperature},
    {15, 181, Temperature,    Wide,   Bits16, Bits16, D,             16, 512, 3,  // KV-USB-6-LCD
         FixedTenthsF,         WholeDegree,    Unscaled,         Bit0,
         kThermocouple | kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible, ThermocoupleCodes},
    {16, 182, Temperature,    Narrow, Bits8,  Bits8,  A,             1,  512, 3,  // KV-USB-2-HA-LCD
         CalibratedDegrees,    PlainTenth,     Unscaled,         WholeByte,
         kHumidity | kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible},
    {17, 183, Events,         Wide,   Bits16, Bits8,  None,          0,  512, 3,  // QX-USB-5
         Counts,               PlainCount,     Unscaled,         NoUnit,    0},
    {18, 184, Temperature,    Wide,   Bits16, Bits16, None,          0,  512, 3,  // QX-USB-1-RCG
         FixedTenthsF,         PlainTenth,     Unscaled,         WholeByte, kRollOver | kDegreeUnit},
    {19, 187, Temperature,    Wide,   Bits16, Bits16, A,             1,  512, 3,  // KV-USB-1-LCD
         FixedTenthsF,         WholeDegree,    Unscaled,         WholeByte,
         kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible | kDegreeUnit, DisplayTemperature},
    {20, 189, Voltage,        Wide,   Bits16, Bits16, None,          0,  512, 4,// QX-OEM-3
         UserScaled,           ScaledStep,     AlarmsFromTexts,  NoUnit,    kRollOver, ScaledInput},
    {21, 187, Temperature,    Wide,   Bits16, Bits16, A,             1,  512, 3,  // KV-USB-1-LCD
         FixedTenthsF,         WholeDegree,    Unscaled,         WholeByte,
         kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible | kDegreeUnit, DisplayTemperature},
}};

// Code 0 (no logger) and codes above 21.
constexpr TypeInfo kUnknown{0, 0, Nothing, Wide, Bits16, Bits8, None, 0, 512, 3,
                            Calibrated, PlainTenth, Unscaled, NoUnit, 0};
// clang-format on

constexpr std::array<IntervalChoice, 7> kListA{{{"10 Sec (45 Hrs)", 10},
                                                {"1 Min (11 Days)", 60},
                                                {"5 Min (56 Days)", 300},
                                                {"30 Min (11 Mths)", 1800},
                                                {"1 Hour (1.8 Yrs)", 3600},
                                                {"6 Hours (>2 Yrs)", 21600},
                                                {"12 Hours (>2 Yrs)", 43200}}};
constexpr std::array<IntervalChoice, 8> kListB{{{"1 Sec (9 Hrs)", 1},
                                                {"10 Sec (3.5 Days)", 10},
                                                {"1 Min (22 Days)", 60},
                                                {"5 Min (3.5 Mths)", 300},
                                                {"30 Min (1.8 Yrs)", 1800},
                                                {"1 Hour (>2 Yrs)", 3600},
                                                {"6 Hours (>2 Yrs)", 21600},
                                                {"12 Hours (>2 Yrs)", 43200}}};
constexpr std::array<IntervalChoice, 8> kListC{{{"1 Sec (9 Hrs)", 1},
                                                {"10 Sec (3.7 Days)", 10},
                                                {"1 Min (22 Days)", 60},
                                                {"5 Min (3 Mths)", 300},
                                                {"30 Min (1.8 Yrs)", 1800},
                                                {"1 Hour (>2 Yrs)", 3600},
                                                {"6 Hours (>2 Yrs)", 21600},
                                                {"12 Hours (>2 Yrs)", 43200}}};
constexpr std::array<IntervalChoice, 9> kListD{{{"1 Sec (9 Hrs)", 1},
                                                {"10 Sec (3.5 Days)", 10},
                                                {"30 Sec (11 Days)", 30},
                                                {"1 Min (22 Days)", 60},
                                                {"5 Min (3.5 Mths)", 300},
                                                {"30 Min (1.8 Yrs)", 1800},
                                                {"1 Hour (>2 Yrs)", 3600},
                                                {"6 Hours (>2 Yrs)", 21600},
                                                {"12 Hours (>2 Yrs)", 43200}}};
constexpr std::array<IntervalChoice, 4> kListE{
    {{"10 Sec (3 Days)", 10}, {"30 Sec (11 Days)", 30}, {"1 Min (22 Days)", 60}, {"5 Min (3 Mths)", 300}}};

} // namespace

const TypeInfo* typeInfo(LoggerType type) { return (type >= 1 && type <= kMaxKnownType) ? &kTypes[type - 1] : nullptr; }

const TypeInfo& typeRow(LoggerType type)
{
    const TypeInfo* info = typeInfo(type);
    return info ? *info : kUnknown;
}

std::string modelName(LoggerType type)
{
    const TypeInfo* info = typeInfo(type);
    return info ? msg(info->modelStringId) : std::string("USB");
}

bool isKnownType(LoggerType t) { return typeInfo(t) != nullptr; }
bool isNarrow(LoggerType t) { return typeRow(t).record == Narrow; }
bool isWide(LoggerType t) { return isKnownType(t) && typeRow(t).record == Wide; }
bool hasWideAlarms(LoggerType t) { return typeRow(t).alarms == Bits16; }
bool isScaled(LoggerType t) { return typeRow(t).scale != Unscaled; }
bool alarmsFromTexts(LoggerType t) { return typeRow(t).scale == AlarmsFromTexts; }
bool isTemperature(LoggerType t) { return typeRow(t).measures == Temperature; }
bool isHumidity(LoggerType t) { return typeRow(t).has(kHumidity); }
bool isCo(LoggerType t) { return typeRow(t).measures == CarbonMonoxide; }
bool isThermocouple(LoggerType t) { return typeRow(t).has(kThermocouple); }
bool isFixedEncodingTemperature(LoggerType t) { return typeRow(t).encoding == FixedTenthsF; }
bool hasPushButton(LoggerType t) { return typeRow(t).has(kPushButton); }
bool hasDisplay(LoggerType t) { return typeRow(t).has(kDisplay); }
bool isCompatible(LoggerType t) { return typeRow(t).has(kCompatible); }
bool isEventLogger(LoggerType t) { return typeRow(t).measures == Events; }
bool hasRollOverDownload(LoggerType t) { return typeRow(t).has(kRollOver); }

bool hasWrappedRollOver(const LoggerConfig& c)
{
    return hasRollOverDownload(c.type()) && c.isOverwriteMode() && c.wrapCount() >= 1;
}

std::size_t downloadRowCount(const LoggerConfig& c)
{
    if (hasWrappedRollOver(c))
        return c.memoryCapacity() > 0 ? c.memoryCapacity() - 1u : 0u;
    return c.readingCount();
}
bool keepsStartDelay(LoggerType t) { return typeRow(t).has(kKeepsDelay); }
bool ledsCanBeDisabled(LoggerType t) { return !typeRow(t).has(kFixedLeds); }

std::size_t configLength(LoggerType t) { return static_cast<std::size_t>(typeRow(t).record); }
std::size_t readingBlockSize(LoggerType t) { return typeRow(t).readingBlock; }
std::size_t readingHeaderLength(LoggerType t) { return typeRow(t).readingHeader; }
int valuesPerReading(LoggerType t) { return isHumidity(t) ? 2 : 1; }
int bytesPerValue(LoggerType t) { return static_cast<int>(typeRow(t).readings); }

int setupEntryPage(LoggerType t) { return isCompatible(t) ? typeRow(t).setupEntryPage : 0; }

IntervalList intervalList(LoggerType type)
{
    static constexpr std::array<IntervalChoice, 1> kFixed{{{"30 Min", 1800}}};
    switch (typeRow(type).intervals) {
    case A: return {kListA, 0};
    case B: return {kListB, -1};
    case C: return {kListC, 1};
    case D: return {kListD, 1};
    case E: return {kListE, 0};
    case FixedHalfHour: return {kFixed, 0};
    case None: break;
    }
    return {{}, -1};
}

std::string_view intervalName(std::uint32_t seconds)
{
    switch (seconds) {
    case 1: return "1 Second";
    case 2: return "2 Seconds";
    case 10: return "10 Seconds";
    case 30: return "30 Seconds";
    case 60: return "1 Minute";
    case 300: return "5 Minutes";
    case 1800: return "30 Minutes";
    case 3600: return "1 Hour";
    case 21600: return "6 Hours";
    case 43200: return "12 Hours";
    default: return "UnKnown";
    }
}

} // namespace velmora
