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
constexpr AlarmRange ScaledInput = AlarmRange::ScaledInput, ThermocoupleCodes = AlarmRange::ThermocoupleCodes,
                     HighTemperature = AlarmRange::HighTemperature, DisplayTemperature = AlarmRange::DisplayTemperature;
using namespace feature;

// One row per known code, each column by name (type_catalogue.h says what each
// column means). A column a row leaves out has the column's default: no typed alarm
// range, no carbon monoxide warning level.
// clang-format off
constexpr std::array<TypeInfo, 21> kTypes{{
    // KV-USB-1
    {.code = 1, .model = utilitytext::kModelKvUsb1, .measures = Temperature, .record = Narrow, .readings = Bits8, .alarms = Bits8,
     .intervals = A, .setupEntryPage = 1, .readingBlock = 64, .readingHeader = 3,
     .encoding = CalibratedDegrees, .resolution = PlainTenth, .scale = Unscaled, .unit = WholeByte,
     .features = kCompatible},
    // KV-USB-1
    {.code = 2, .model = utilitytext::kModelKvUsb1, .measures = Temperature, .record = Narrow, .readings = Bits8, .alarms = Bits8,
     .intervals = A, .setupEntryPage = 1, .readingBlock = 512, .readingHeader = 3,
     .encoding = CalibratedDegrees, .resolution = PlainTenth, .scale = Unscaled, .unit = WholeByte,
     .features = kCompatible},
    // KV-USB-2
    {.code = 3, .model = utilitytext::kModelKvUsb2, .measures = Temperature, .record = Narrow, .readings = Bits8, .alarms = Bits8,
     .intervals = A, .setupEntryPage = 1, .readingBlock = 512, .readingHeader = 3,
     .encoding = CalibratedDegrees, .resolution = PlainTenth, .scale = Unscaled, .unit = WholeByte,
     .features = kHumidity | kCompatible},
    // KV-USB-3
    {.code = 4, .model = utilitytext::kModelKvUsb3, .measures = Voltage, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = C, .setupEntryPage = 8, .readingBlock = 512, .readingHeader = 3,
     .encoding = UserScaled, .resolution = ScaledStep, .scale = AlarmsFromLevels, .unit = NoUnit,
     .features = kCompatible, .alarmRange = ScaledInput},
    // KV-USB-4
    {.code = 5, .model = utilitytext::kModelKvUsb4, .measures = Current, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = C, .setupEntryPage = 8, .readingBlock = 512, .readingHeader = 3,
     .encoding = UserScaled, .resolution = ScaledStep, .scale = AlarmsFromLevels, .unit = NoUnit,
     .features = kCompatible, .alarmRange = ScaledInput},
    // KV-USB-3
    {.code = 6, .model = utilitytext::kModelKvUsb3, .measures = Voltage, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = C, .setupEntryPage = 8, .readingBlock = 512, .readingHeader = 3,
     .encoding = UserScaled, .resolution = ScaledStep, .scale = AlarmsFromTexts, .unit = NoUnit,
     .features = kCompatible, .alarmRange = ScaledInput},
    // KV-USB-4
    {.code = 7, .model = utilitytext::kModelKvUsb4, .measures = Current, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = C, .setupEntryPage = 8, .readingBlock = 512, .readingHeader = 3,
     .encoding = UserScaled, .resolution = ScaledStep, .scale = AlarmsFromTexts, .unit = NoUnit,
     .features = kCompatible, .alarmRange = ScaledInput},
    // KV-USB-LITE
    {.code = 8, .model = utilitytext::kModelKvUsbLite, .measures = Temperature, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = FixedHalfHour, .setupEntryPage = 11, .readingBlock = 512, .readingHeader = 3,
     .encoding = LiteSensor, .resolution = LiteDegree, .scale = Unscaled, .unit = WholeByte,
     .features = kCompatible},
    // KV-USB-5
    {.code = 9, .model = utilitytext::kModelKvUsb5, .measures = CarbonMonoxide, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = E, .setupEntryPage = 14, .readingBlock = 512, .readingHeader = 3,
     .encoding = CalibratedPpm, .resolution = HalfPpm, .scale = Unscaled, .unit = NoUnit,
     .features = kZeroBelow3ppm | kCompatible, .warningMax = 1000, .warningShownFrom = 3},
    // KV-USB-6
    {.code = 10, .model = utilitytext::kModelKvUsb6, .measures = Temperature, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = D, .setupEntryPage = 16, .readingBlock = 512, .readingHeader = 3,
     .encoding = FixedTenthsF, .resolution = WholeDegree, .scale = Unscaled, .unit = Bit0,
     .features = kThermocouple | kCompatible, .alarmRange = ThermocoupleCodes},
    // KV-USB-5-LR
    {.code = 11, .model = utilitytext::kModelKvUsb5Lr, .measures = CarbonMonoxide, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = E, .setupEntryPage = 14, .readingBlock = 512, .readingHeader = 3,
     .encoding = CalibratedPpm, .resolution = HalfPpm, .scale = Unscaled, .unit = NoUnit,
     .features = kCompatible, .warningMax = 300},
    // KV-USB-2-LCD
    {.code = 12, .model = utilitytext::kModelKvUsb2Lcd, .measures = Temperature, .record = Narrow, .readings = Bits8, .alarms = Bits8,
     .intervals = A, .setupEntryPage = 1, .readingBlock = 512, .readingHeader = 3,
     .encoding = CalibratedDegrees, .resolution = PlainTenth, .scale = Unscaled, .unit = WholeByte,
     .features = kHumidity | kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible},
    // KV-USB-2-HA
    {.code = 13, .model = utilitytext::kModelKvUsb2Ha, .measures = Temperature, .record = Narrow, .readings = Bits8, .alarms = Bits8,
     .intervals = A, .setupEntryPage = 1, .readingBlock = 512, .readingHeader = 3,
     .encoding = CalibratedDegrees, .resolution = PlainTenth, .scale = Unscaled, .unit = WholeByte,
     .features = kHumidity | kRollOver | kKeepsDelay | kCompatible},
    // KV-USB-1-HT
    {.code = 14, .model = utilitytext::kModelKvUsb1Ht, .measures = Temperature, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = B, .setupEntryPage = 20, .readingBlock = 512, .readingHeader = 3,
     .encoding = CalibratedHundredths, .resolution = HighTempTenths, .scale = Unscaled, .unit = WholeByte,
     .features = kRollOver | kKeepsDelay | kCompatible | kFixedLeds | kDegreeUnit, .alarmRange = HighTemperature},
    // KV-USB-6-LCD
    {.code = 15, .model = utilitytext::kModelKvUsb6Lcd, .measures = Temperature, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = D, .setupEntryPage = 16, .readingBlock = 512, .readingHeader = 3,
     .encoding = FixedTenthsF, .resolution = WholeDegree, .scale = Unscaled, .unit = Bit0,
     .features = kThermocouple | kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible,
     .alarmRange = ThermocoupleCodes},
    // KV-USB-2-HA-LCD
    {.code = 16, .model = utilitytext::kModelKvUsb2HaLcd, .measures = Temperature, .record = Narrow, .readings = Bits8, .alarms = Bits8,
     .intervals = A, .setupEntryPage = 1, .readingBlock = 512, .readingHeader = 3,
     .encoding = CalibratedDegrees, .resolution = PlainTenth, .scale = Unscaled, .unit = WholeByte,
     .features = kHumidity | kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible},
    // QX-USB-5
    {.code = 17, .model = utilitytext::kModelQxUsb5, .measures = Events, .record = Wide, .readings = Bits16, .alarms = Bits8,
     .intervals = None, .setupEntryPage = 0, .readingBlock = 512, .readingHeader = 3,
     .encoding = Counts, .resolution = PlainCount, .scale = Unscaled, .unit = NoUnit,
     .features = 0},
    // QX-USB-1-RCG
    {.code = 18, .model = utilitytext::kModelQxUsb1Rcg, .measures = Temperature, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = None, .setupEntryPage = 0, .readingBlock = 512, .readingHeader = 3,
     .encoding = FixedTenthsF, .resolution = PlainTenth, .scale = Unscaled, .unit = WholeByte,
     .features = kRollOver | kDegreeUnit},
    // KV-USB-1-LCD
    {.code = 19, .model = utilitytext::kModelKvUsb1Lcd, .measures = Temperature, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = A, .setupEntryPage = 1, .readingBlock = 512, .readingHeader = 3,
     .encoding = FixedTenthsF, .resolution = WholeDegree, .scale = Unscaled, .unit = WholeByte,
     .features = kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible | kDegreeUnit,
     .alarmRange = DisplayTemperature},
    // QX-OEM-3
    {.code = 20, .model = utilitytext::kModelQxOem3, .measures = Voltage, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = None, .setupEntryPage = 0, .readingBlock = 512, .readingHeader = 4,
     .encoding = UserScaled, .resolution = ScaledStep, .scale = AlarmsFromTexts, .unit = NoUnit,
     .features = kRollOver, .alarmRange = ScaledInput},
    // KV-USB-1-LCD
    {.code = 21, .model = utilitytext::kModelKvUsb1Lcd, .measures = Temperature, .record = Wide, .readings = Bits16, .alarms = Bits16,
     .intervals = A, .setupEntryPage = 1, .readingBlock = 512, .readingHeader = 3,
     .encoding = FixedTenthsF, .resolution = WholeDegree, .scale = Unscaled, .unit = WholeByte,
     .features = kDisplay | kPushButton | kRollOver | kKeepsDelay | kCompatible | kDegreeUnit,
     .alarmRange = DisplayTemperature},
}};

// Code 0 (no logger) and codes above 21.
constexpr TypeInfo kUnknown{.code = 0, .model = {}, .measures = Nothing, .record = Wide, .readings = Bits16,
                            .alarms = Bits8, .intervals = None, .setupEntryPage = 0, .readingBlock = 512,
                            .readingHeader = 3, .encoding = Calibrated, .resolution = PlainTenth, .scale = Unscaled,
                            .unit = NoUnit, .features = 0};
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
    return info ? std::string(info->model) : std::string("USB");
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

std::string_view intervalName(std::uint32_t seconds, IntervalWording wording)
{
    // One list in two wordings, both as the programs have always shown them: the
    // status page names every rate a logger can have and "UnKnown" for any other; the
    // consecutive-alarm page was written with "10 Second" and without 2 and 30 seconds,
    // and shows nothing for a rate it does not list.
    struct Names {
        std::uint32_t seconds;
        std::string_view status;
        std::string_view alarmDelay;
    };
    static constexpr Names kNames[] = {
        {1, "1 Second", "1 Second"},        {2, "2 Seconds", ""},
        {10, "10 Seconds", "10 Second"},    {30, "30 Seconds", ""},
        {60, "1 Minute", "1 Minute"},       {300, "5 Minutes", "5 Minutes"},
        {1800, "30 Minutes", "30 Minutes"}, {3600, "1 Hour", "1 Hour"},
        {21600, "6 Hours", "6 Hours"},      {43200, "12 Hours", "12 Hours"},
    };
    const bool status = wording == IntervalWording::Status;
    for (const Names& n : kNames)
        if (n.seconds == seconds)
            return status ? n.status : n.alarmDelay;
    return status ? "UnKnown" : "";
}

} // namespace velmora
