#include <gtest/gtest.h>

#include <cstring>

#include "type_catalogue.h"

using namespace velmora;

namespace {

// One logger type as the type table and the type groups describe it. `features` names
// what the type has: humidity, thermocouple, display, button (push-button start),
// rollover (a wrapped roll-over memory changes the download), keepsdelay (readings
// end a pending delayed start), compatible, zero3 (CO under 3 ppm shows as 0).
struct Expected {
    LoggerType code;
    const char* model;
    Measures measures;
    std::size_t record; // bytes of the configuration record exchanged
    int readingBytes;
    bool wideAlarms;
    IntervalListId list;
    int entryPage;
    std::size_t block;
    std::size_t header;
    ScaleKind scale;
    UnitOption unit;
    RawEncoding encoding;
    Resolution resolution;
    const char* features;
};

bool named(const char* features, const char* feature) { return std::strstr(features, feature) != nullptr; }

using enum Measures;
using enum IntervalListId;
using enum RawEncoding;
using enum Resolution;
using enum ScaleKind;
using enum UnitOption;

// clang-format off
const Expected kTypes[] = {
    {1,  "KV-USB-1",        Temperature,    64,  1, false, A,             1,  64,  3, Unscaled,         WholeByte,
         CalibratedDegrees,    PlainTenth,     "compatible"},
    {2,  "KV-USB-1",        Temperature,    64,  1, false, A,             1,  512, 3, Unscaled,         WholeByte,
         CalibratedDegrees,    PlainTenth,     "compatible"},
    {3,  "KV-USB-2",        Temperature,    64,  1, false, A,             1,  512, 3, Unscaled,         WholeByte,
         CalibratedDegrees,    PlainTenth,     "humidity compatible"},
    {4,  "KV-USB-3",        Voltage,        256, 2, true,  C,             8,  512, 3, AlarmsFromLevels, NoUnit,
         UserScaled,           ScaledStep,     "compatible"},
    {5,  "KV-USB-4",        Current,        256, 2, true,  C,             8,  512, 3, AlarmsFromLevels, NoUnit,
         UserScaled,           ScaledStep,     "compatible"},
    {6,  "KV-USB-3",        Voltage,        256, 2, true,  C,             8,  512, 3, AlarmsFromTexts,  NoUnit,
         UserScaled,           ScaledStep,     "compatible"},
    {7,  "KV-USB-4",        Current,        256, 2, true,  C,             8,  512, 3, AlarmsFromTexts,  NoUnit,
         UserScaled,           ScaledStep,     "compatible"},
    {8,  "KV-USB-LITE",     Temperature,    256, 2, true,  FixedHalfHour, 11, 512, 3, Unscaled,         WholeByte,
         LiteSensor,           LiteDegree,     "compatible"},
    {9,  "KV-USB-5",        CarbonMonoxide, 256, 2, true,  E,             14, 512, 3, Unscaled,         NoUnit,
         CalibratedPpm,        HalfPpm,        "zero3 compatible"},
    {10, "KV-USB-6",        Temperature,    256, 2, true,  D,             16, 512, 3, Unscaled,         Bit0,
         FixedTenthsF,         WholeDegree,    "thermocouple compatible"},
    {11, "KV-USB-5-LR",     CarbonMonoxide, 256, 2, true,  E,             14, 512, 3, Unscaled,         NoUnit,
         CalibratedPpm,        HalfPpm,        "compatible"},
    {12, "KV-USB-2-LCD",    Temperature,    64,  1, false, A,             1,  512, 3, Unscaled,         WholeByte,
         CalibratedDegrees,    PlainTenth,     "humidity display button rollover keepsdelay compatible"},
    {13, "KV-USB-2-HA",     Temperature,    64,  1, false, A,             1,  512, 3, Unscaled,         WholeByte,
         CalibratedDegrees,    PlainTenth,     "humidity rollover keepsdelay compatible"},
    {14, "KV-USB-1-HT",     Temperature,    256, 2, true,  B,             20, 512, 3, Unscaled,         WholeByte,
         CalibratedHundredths, HighTempTenths, "rollover keepsdelay compatible"},
    {15, "KV-USB-6-LCD",    Temperature,    256, 2, true,  D,             16, 512, 3, Unscaled,         Bit0,
         FixedTenthsF,         WholeDegree,    "thermocouple display button rollover keepsdelay compatible"},
    {16, "KV-USB-2-HA-LCD", Temperature,    64,  1, false, A,             1,  512, 3, Unscaled,         WholeByte,
         CalibratedDegrees,    PlainTenth,     "humidity display button rollover keepsdelay compatible"},
    {17, "QX-USB-5",        Events,         256, 2, false, None,          0,  512, 3, Unscaled,         NoUnit,
         Counts,               PlainCount,     ""},
    {18, "QX-USB-1-RCG",    Temperature,    256, 2, true,  None,          0,  512, 3, Unscaled,         WholeByte,
         FixedTenthsF,         PlainTenth,     "rollover"},
    {19, "KV-USB-1-LCD",    Temperature,    256, 2, true,  A,             1,  512, 3, Unscaled,         WholeByte,
         FixedTenthsF,         WholeDegree,    "display button rollover keepsdelay compatible"},
    {20, "QX-OEM-3",        Voltage,        256, 2, true,  None,          0,  512, 4, AlarmsFromTexts,  NoUnit,
         UserScaled,           ScaledStep,     "rollover"},
    {21, "KV-USB-1-LCD",    Temperature,    256, 2, true,  A,             1,  512, 3, Unscaled,         WholeByte,
         FixedTenthsF,         WholeDegree,    "display button rollover keepsdelay compatible"},
    // No logger, and a code past the table: the catch-all row.
    {0,  "USB",             Nothing,        256, 2, false, None,          0,  512, 3, Unscaled,         NoUnit,
         Calibrated,           PlainTenth,     ""},
    {22, "USB",             Nothing,        256, 2, false, None,          0,  512, 3, Unscaled,         NoUnit,
         Calibrated,           PlainTenth,     ""},
};
// clang-format on

} // namespace

TEST(TypeCatalogue, EveryCodeAnswersAsItsRowAndGroupsSay)
{
    for (const Expected& e : kTypes) {
        SCOPED_TRACE(testing::Message() << "type " << int(e.code));
        const LoggerType t = e.code;
        const bool known = t >= 1 && t <= 21;
        const TypeInfo& row = typeRow(t);

        EXPECT_EQ(isKnownType(t), known);
        EXPECT_EQ(typeInfo(t) != nullptr, known);
        EXPECT_EQ(modelName(t), e.model);

        EXPECT_EQ(configLength(t), e.record);
        EXPECT_EQ(isNarrow(t), e.record == 64);
        EXPECT_EQ(isWide(t), known && e.record == 256);
        EXPECT_EQ(bytesPerValue(t), e.readingBytes);
        EXPECT_EQ(hasWideAlarms(t), e.wideAlarms);
        EXPECT_EQ(readingBlockSize(t), e.block);
        EXPECT_EQ(readingHeaderLength(t), e.header);
        EXPECT_EQ(row.intervals, e.list);
        EXPECT_EQ(setupEntryPage(t), e.entryPage);

        EXPECT_EQ(row.measures, e.measures);
        EXPECT_EQ(isTemperature(t), e.measures == Temperature);
        EXPECT_EQ(isCo(t), e.measures == CarbonMonoxide);
        EXPECT_EQ(isEventLogger(t), e.measures == Events);

        EXPECT_EQ(row.encoding, e.encoding);
        EXPECT_EQ(isFixedEncodingTemperature(t), e.encoding == FixedTenthsF);
        EXPECT_EQ(row.resolution, e.resolution);
        EXPECT_EQ(row.scale, e.scale);
        EXPECT_EQ(isScaled(t), e.scale != Unscaled);
        EXPECT_EQ(alarmsFromTexts(t), e.scale == AlarmsFromTexts);
        EXPECT_EQ(row.unit, e.unit);

        EXPECT_EQ(isHumidity(t), named(e.features, "humidity"));
        EXPECT_EQ(valuesPerReading(t), named(e.features, "humidity") ? 2 : 1);
        EXPECT_EQ(isThermocouple(t), named(e.features, "thermocouple"));
        EXPECT_EQ(hasDisplay(t), named(e.features, "display"));
        EXPECT_EQ(hasPushButton(t), named(e.features, "button"));
        EXPECT_EQ(hasRollOverDownload(t), named(e.features, "rollover"));
        EXPECT_EQ(keepsStartDelay(t), named(e.features, "keepsdelay"));
        EXPECT_EQ(isCompatible(t), named(e.features, "compatible"));
        EXPECT_EQ(row.has(feature::kZeroBelow3ppm), named(e.features, "zero3"));
    }
}

TEST(TypeCatalogue, AlarmColumnsOfTheRows)
{
    // Types not listed: no typed levels, no warning level, LEDs that can be switched
    // off, and the units slot as their unit text.
    struct Alarms {
        LoggerType code;
        AlarmRange range;
        int warningMax, warningShownFrom;
        bool fixedLeds, degreeUnit;
    };
    using enum AlarmRange;
    const Alarms kAlarms[] = {
        {4, ScaledInput, 0, 0, false, false},
        {5, ScaledInput, 0, 0, false, false},
        {6, ScaledInput, 0, 0, false, false},
        {7, ScaledInput, 0, 0, false, false},
        {9, None, 1000, 3, false, false},
        {10, ThermocoupleCodes, 0, 0, false, false},
        {11, None, 300, 0, false, false},
        {14, HighTemperature, 0, 0, true, true},
        {15, ThermocoupleCodes, 0, 0, false, false},
        {18, None, 0, 0, false, true},
        {19, DisplayTemperature, 0, 0, false, true},
        {20, ScaledInput, 0, 0, false, false},
        {21, DisplayTemperature, 0, 0, false, true},
    };
    for (LoggerType t = 0; t <= 22; ++t) {
        SCOPED_TRACE(testing::Message() << "type " << int(t));
        Alarms e{t, None, 0, 0, false, false};
        for (const Alarms& a : kAlarms)
            if (a.code == t)
                e = a;
        const TypeInfo& row = typeRow(t);
        EXPECT_EQ(row.alarmRange, e.range);
        EXPECT_EQ(row.warningMax, e.warningMax);
        EXPECT_EQ(row.warningShownFrom, e.warningShownFrom);
        EXPECT_EQ(ledsCanBeDisabled(t), !e.fixedLeds);
        EXPECT_EQ(row.has(feature::kDegreeUnit), e.degreeUnit);
    }
}

TEST(TypeCatalogue, IntervalListsAndTheirFallbacks)
{
    EXPECT_EQ(intervalList(1).entries.size(), 7u);
    EXPECT_EQ(intervalList(1).fallback, 0);
    EXPECT_EQ(intervalList(14).entries[0].text, "1 Sec (9 Hrs)");
    EXPECT_EQ(intervalList(14).fallback, -1);
    EXPECT_EQ(intervalList(4).entries[1].text, "10 Sec (3.7 Days)");
    EXPECT_EQ(intervalList(4).fallback, 1);
    EXPECT_EQ(intervalList(10).entries[2].seconds, 30);
    EXPECT_EQ(intervalList(9).entries.size(), 4u);
    EXPECT_TRUE(intervalList(17).entries.empty());
    EXPECT_EQ(intervalName(43200), "12 Hours");
    EXPECT_EQ(intervalName(2), "2 Seconds");
    EXPECT_EQ(intervalName(7), "UnKnown");
}
