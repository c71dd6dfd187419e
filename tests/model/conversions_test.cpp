#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "conversions.h"
#include "record_builder.h"

using namespace velmora;
using velmora::test::celsiusNarrow;
using velmora::test::record;

namespace {

constexpr std::uint8_t kF = 0x01;                // inputOptions: Fahrenheit
constexpr float kVoltsPerCount = 1.0f / 2048.0f; // exact in binary: 65472 counts = 31.96875 V

// A voltage logger scaled 1:1, printing to 0.05 V with 2 decimals.
LoggerRecord voltage(LoggerType type = 4)
{
    LoggerRecord r = record(type, kVoltsPerCount, 0.0f, 1);
    r.config.setInputScalar(1.0f);
    r.displayStep = 0.05f;
    r.displayDecimals = 2;
    return r;
}

} // namespace

TEST(Conversions, RawToValueByType)
{
    struct Case {
        const char* what;
        LoggerRecord r;
        double raw;
        double value;
    };
    LoggerRecord scaled = voltage();
    scaled.scaleGain = 2.0f;
    scaled.scaleOffset = 1.0f;
    LoggerRecord belowZero = voltage();
    belowZero.config.setCalOffset(-5.0f);
    const Case cases[] = {
        {"narrow Celsius", celsiusNarrow(), 89, 4.5},
        {"narrow Celsius, code 0", celsiusNarrow(), 0, -40.0},
        {"thermocouple °F", record(10, 1, 0, kF), 3280, 0.0},
        {"thermocouple °F, code 0", record(10, 1, 0, kF), 0, -328.0},
        {"thermocouple °C", record(10, 1, 0, 0), 3280, -17.777777777777779},
        {"thermocouple °C, code 0", record(10, 1, 0, 0), 0, -200.0},
        {"fixed encoding reads bit 0 only", record(19, 1, 0, 0x21), 3600, 32.0},
        {"type 18 in °C", record(18, 1, 0, 0), 3600, 0.0},
        {"event counts unchanged", record(17, 0.5f, 3, 0), 123, 123.0},
        {"CO never negative", record(9, 0.1f, -5.0f), 20, 0.0},
        {"CO", record(11, 1.0f, 0.0f), 35, 35.0},
        {"scaled", scaled, 2048, 3.0},
        {"scaled, calibrated value below zero is zero", belowZero, 2048, 0.0},
        {"high temperature", record(14, 0.01f, -40.0f), 4000, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(rawToValue(c.r, c.raw), c.value, 1e-5) << c.what;

    // The lite sensor: 1.8639 V at 0 °C, -0.01177 V per °C.
    EXPECT_NEAR(rawToValue(record(8, 0.0001f, 0.0f, 0), 17462), 10.0, 1e-4);
    EXPECT_NEAR(rawToValue(record(8, 0.0001f, 0.0f, 1), 17462), 50.0, 1e-4);
}

TEST(Conversions, RoundToStepByType)
{
    struct Case {
        LoggerRecord r;
        double value;
        double rounded;
    };
    const Case cases[] = {
        {record(9), 2.7, 0.0}, // 2.5 ppm, then under 3 ppm reads as none
        {record(9), 3.0, 3.0},
        {record(9), 3.3, 3.5},
        {record(11), 2.7, 2.5}, // the low-range logger keeps small values
        {record(11), 1.2, 1.0},
        {record(8, 1, 0, 0), 21.4, 21.0},
        {record(8, 1, 0, 0), 21.5, 22.0}, // half away from zero
        {record(8, 1, 0, 0), -0.5, -1.0},
        {record(8, 1, 0, 1), 71.0, 72.0}, // 2 °F steps
        {record(10, 1, 0, 0), -17.78, -18.0},
        {record(10, 1, 0, 0), 22.3, 22.5},
        {record(10, 1, 0, kF), 72.4, 72.0},
        {record(21, 1, 0, 0), 22.2, 22.0},
        {record(1), 4.46, 4.5},
        {record(18), 4.46, 4.5},
        {voltage(), 1.03, 1.05},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(roundToStep(c.r, c.value), c.rounded, 1e-6) << int(c.r.type()) << " " << c.value;
    // A value that rounds to no steps is a plain zero, never printed "-0.0".
    EXPECT_FALSE(std::signbit(roundToStep(record(10, 1, 0, 0), -0.2)));
}

TEST(Conversions, FormatReadingByType)
{
    struct Case {
        const char* what;
        LoggerRecord r;
        std::int32_t raw;
        const char* text;
    };
    const Case cases[] = {
        {"narrow", celsiusNarrow(), 89, "4.5"},
        {"narrow, bottom of range", celsiusNarrow(), 0, "-40.0"},
        {"narrow Fahrenheit", record(1, 1.0f, -40.0f, kF), 112, "72.0"},
        {"CO 2.7 ppm", record(9, 0.1f), 27, "0.0"},
        {"CO 3.0 ppm", record(9, 0.1f), 30, "3.0"},
        {"CO 3.3 ppm", record(9, 0.1f), 33, "3.5"},
        {"low-range CO 2.7 ppm", record(11, 0.1f), 27, "2.5"},
        {"high temperature 4123", record(14), 4123, "1.2"},
        {"high temperature 4000", record(14), 4000, "0.0"},
        {"high temperature 3990", record(14), 3990, "-.1"},
        {"high temperature 3995", record(14), 3995, "-.1"},
        {"high temperature 4004", record(14), 4004, "0.0"},
        {"high temperature 4005", record(14), 4005, "0.1"},
        {"high temperature 3000", record(14), 3000, "-10.0"},
        {"high temperature 14000", record(14), 14000, "100.0"},
        {"thermocouple °F", record(10, 1, 0, kF), 3280, "0"},
        {"thermocouple °F, code 0", record(10, 1, 0, kF), 0, "-328"},
        {"thermocouple °F, half away from zero", record(10, 1, 0, kF), 4005, "73"},
        {"thermocouple °C", record(10, 1, 0, 0), 3280, "-18.0"},
        {"thermocouple °C, 54 °F", record(15, 1, 0, 0), 3820, "12.0"},
        {"LCD logger °C", record(19, 1, 0, 0), 3601, "0.0"},
        {"type 18 not stepped", record(18, 1, 0, 0), 3601, "0.1"},
        {"type 18 °F", record(18, 1, 0, kF), 3600, "32.0"},
        {"lite °C", record(8, 0.0001f, 0.0f, 0), 17462, "10"},
        {"lite °F", record(8, 0.0001f, 0.0f, 1), 17462, "50"},
        {"events", record(17), 42, "42"},
        {"voltage", voltage(), 2048, "1.00"},
        {"voltage up a step", voltage(), 2100, "1.05"},
        {"voltage down a step", voltage(), 2090, "1.00"},
        {"unknown type", record(0, 0.5f, -40.0f), 89, "4.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatReading(c.r, c.raw), c.text) << c.what;
}

TEST(Conversions, DecimalsForType)
{
    LoggerRecord v = voltage(20);
    v.displayDecimals = 3;
    EXPECT_EQ(decimalsForType(v), 3);
    EXPECT_EQ(decimalsForType(record(10, 1, 0, kF)), 0);
    EXPECT_EQ(decimalsForType(record(15, 1, 0, 0)), 1);
    EXPECT_EQ(decimalsForType(record(19, 1, 0, 0x21)), 0); // bit 0 only
    EXPECT_EQ(decimalsForType(record(1, 1, 0, kF)), 1);
}

TEST(Conversions, ValueToRawRoundsHalfUpAndClampsScaledValues)
{
    struct Case {
        const char* what;
        LoggerRecord r;
        double value;
        std::int32_t raw;
        int error;
    };
    LoggerRecord offsetVoltage = voltage();
    offsetVoltage.config.setCalOffset(0.25f);
    const Case cases[] = {
        {"narrow exact", celsiusNarrow(), 4.5, 89, 0},
        {"narrow below half", celsiusNarrow(), 4.6, 89, 0},
        {"narrow half", celsiusNarrow(), 4.75, 90, 0},
        {"high temperature", record(14, 0.01f, -40.0f), 1.2, 4120, 0},
        {"thermocouple °F", record(10, 1, 0, kF), 0.0, 3280, 0},
        {"thermocouple °C", record(15, 1, 0, 0), -17.7777777, 3280, 0},
        {"lite °C", record(8, 0.0001f, 0.0f, 0), 10.0, 17462, 0},
        {"lite °F", record(8, 0.0001f, 0.0f, 1), 50.0, 17462, 0},
        {"scaled", voltage(), 1.0, 2048, 0},
        {"scaled above full scale", voltage(), 40.0, 65472, scaleerr::kAboveFullScale},
        {"scaled below zero", voltage(), -0.5, 0, scaleerr::kBelowZeroRaw},
        {"scaled below zero after calibration", offsetVoltage, 0.1, 0, scaleerr::kBelowZeroCalibrated},
    };
    for (Case c : cases) {
        c.r.scaleError = 99; // any earlier code is cleared
        EXPECT_EQ(valueToRaw(c.r, c.value), c.raw) << c.what;
        EXPECT_EQ(c.r.scaleError, c.error) << c.what;
    }
    LoggerRecord noScalar = voltage();
    noScalar.config.setInputScalar(0.0f);
    EXPECT_EQ(valueToRaw(noScalar, 0.0), 0);
    EXPECT_EQ(noScalar.scaleError, scaleerr::kRange);
}

TEST(Conversions, AlarmLevelsAndTexts)
{
    LoggerRecord narrow = celsiusNarrow();
    narrow.config.setU8(34, 96); // 8.0 °C
    narrow.config.setU8(35, 84); // 2.0 °C
    EXPECT_EQ(highAlarmText(narrow), "8.0");
    EXPECT_EQ(lowAlarmText(narrow), "2.0");

    LoggerRecord volts = voltage();
    volts.config.setU16(34, 20480); // 10 V
    volts.config.setU16(56, 2048);  // 1 V
    EXPECT_EQ(highAlarmText(volts), "10.00");
    EXPECT_EQ(lowAlarmText(volts), "1.00");
    volts.scaleRising = false; // a falling scale keeps the levels in the other slots
    EXPECT_NEAR(highAlarmValue(volts), 1.0, 1e-9);
    EXPECT_NEAR(lowAlarmValue(volts), 10.0, 1e-9);

    LoggerRecord texts = voltage(6);
    texts.config.setText(TextSlot::HighAlarmText, "12.5");
    texts.config.setText(TextSlot::LowAlarmText, "0.75");
    EXPECT_EQ(highAlarmText(texts), "12.5");
    EXPECT_EQ(lowAlarmText(texts), "0.75");

    LoggerRecord co = record(9, 1.0f, 0.0f);
    co.config.setU16(56, 35);
    EXPECT_EQ(lowAlarmText(co), "35.0");

    LoggerRecord tc = record(10, 1, 0, 0);
    tc.config.setU16(34, 4050); // 77 °F = 25 °C
    EXPECT_EQ(highAlarmText(tc), "25.0");
    tc.config.setInputOptions(kF);
    EXPECT_EQ(highAlarmText(tc), "77.0");

    LoggerRecord lite = record(8, 0.0001f, 0.0f, 0);
    lite.config.setU16(34, 17462);
    EXPECT_EQ(highAlarmText(lite), "10");

    LoggerRecord hot = record(14, 0.01f, -40.0f);
    hot.config.setU16(34, 10000);
    EXPECT_EQ(highAlarmText(hot), "60.0");
}

TEST(Conversions, AnAlarmLevelsCodeIsHeldInsideItsSlot)
{
    struct Case {
        const char* what;
        LoggerRecord r;
        double value;
        std::uint16_t raw;
    } cases[] = {
        {"narrow", celsiusNarrow(), 25.0, 130},
        {"narrow above its byte", record(1, 0.5f, -60.0f), 87.5, 255}, // 295 would wrap to 39
        {"narrow below zero", celsiusNarrow(), -45.0, 0},
        {"CO warning ceiling", record(9, 0.02f, 0.0f), 1001.0, 50050},
        {"low-range CO ceiling", record(11, 0.005f, 0.0f), 301.0, 60200},
        {"wide above 16 bits", record(9, 0.01f, 0.0f), 1001.0, 65535},
        {"scaled above full scale", voltage(), 40.0, 65472},
    };
    for (Case c : cases)
        EXPECT_EQ(alarmLevelToRaw(c.r, c.value), c.raw) << c.what;
}

TEST(Conversions, TypedAlarmLevelsTakeTheRangeOfTheTypesRow)
{
    struct Case {
        const char* what;
        LoggerRecord r;
        double bottom, top;
    };
    LoggerRecord scaled = voltage(); // 0 to 31.96875 V of input
    scaled.scaleGain = 2.0f;
    scaled.scaleOffset = 1.0f;
    LoggerRecord falling = voltage(7);
    falling.scaleGain = -2.0f;
    falling.scaleOffset = 70.0f;
    falling.scaleRising = false;
    const Case cases[] = {
        {"thermocouple °C", record(10, 1, 0, 0x20), -200.0, 1300.0},
        {"thermocouple °F", record(15, 1, 0, 0x21), -328.0, 2372.0},
        {"high temperature °C", record(14, 0.01f, -40.0f, 0), -40.0, 125.0},
        {"high temperature °F", record(14, 0.01f, -40.0f, 1), -40.0, 257.0},
        {"display °C", record(19, 1, 0, 0), -40.0, 87.5},
        {"display, unit byte not 0", record(21, 1, 0, 2), -40.0, 189.0},
        {"scaled 1:1", voltage(), 0.0, 31.96875},
        {"scaled", scaled, 1.0, 64.9375},
        {"falling", falling, 6.0625, 70.0},
    };
    for (const Case& c : cases) {
        const ValueRange range = typedAlarmRange(c.r);
        EXPECT_NEAR(range.bottom, c.bottom, 1e-9) << c.what;
        EXPECT_NEAR(range.top, c.top, 1e-9) << c.what;
    }
    EXPECT_LT(typedAlarmRange(celsiusNarrow()).bottom, -1e300); // not typed: no limits
}

TEST(Conversions, ValuesFromTheRecordsFloatsAreFloats)
{
    // raw × calGain + calOffset in 32-bit floats, each step rounded to a float, as the
    // record holds them. The doubles of the same floats land a hair beside.
    LoggerRecord co = record(9, 0.025f); // 0.025f is 0.025000000372529
    co.config.setLowAlarmRaw(40000);     // 1000.0000149 in doubles, 1000 in floats
    EXPECT_EQ(lowAlarmValue(co), 1000.0);

    LoggerRecord kiln = record(14, 0.01f, -40.0f); // 0.01f is 0.0099999998
    kiln.config.setHighAlarmRaw(14205);            // 142.05000305 - 40 in floats; 102.0499968 in doubles
    EXPECT_EQ(highAlarmText(kiln), "102.1");

    // 50 × 0.005f is 0.25 in floats: half a step of 0.5 ppm, rounded away from zero.
    EXPECT_EQ(formatReading(record(11, 0.005f), 50), "0.5");

    // The factory voltage logger: 65472 × (3 / 65472 as a float) is 3.0 in floats, so
    // full scale is the 30 V the logger states, not 29.99999997.
    LoggerRecord volts = record(4, 3.0f / 65472.0f);
    volts.config.setInputScalar(10.0f);
    EXPECT_EQ(typedAlarmRange(volts).top, 30.0);
    EXPECT_EQ(rawToValue(volts, 65472), 30.0);
}

TEST(Conversions, HumidityAndDewPoint)
{
    EXPECT_DOUBLE_EQ(rhFromRaw(161), 80.5);
    EXPECT_EQ(rhToRaw(80.5), 161);
    EXPECT_EQ(rhToRaw(80.25), 161); // half away from zero
    EXPECT_EQ(rhToRaw(-0.25), -1);

    // 20 °C at 50 %rh: x = 0.94272, Td = -66.907 / -7.21805 = 9.269 °C (48.685 °F).
    EXPECT_NEAR(dewPoint(record(3, 0.5f, -40.0f, 0), 20.0, 50.0), 9.269, 0.001);
    EXPECT_NEAR(dewPoint(record(3, 1.0f, -40.0f, 1), 68.0, 50.0), 48.685, 0.002);
    EXPECT_TRUE(std::isnan(dewPoint(record(3), 20.0, 0.0)));
}

TEST(Conversions, ChangeTemperatureUnitKeepsTheAlarmTemperatures)
{
    LoggerRecord r = celsiusNarrow();
    r.config.setU8(34, 96); // 8 °C = 46.4 °F
    r.config.setU8(35, 84); // 2 °C = 35.6 °F
    changeTemperatureUnit(r, true);
    EXPECT_EQ(r.config.inputOptions(), 1);
    EXPECT_FLOAT_EQ(r.config.calGain(), 1.0f);
    EXPECT_FLOAT_EQ(r.config.calOffset(), -40.0f);
    EXPECT_EQ(r.config.u8(34), 86); // 46.4 + 40 rounded
    EXPECT_EQ(r.config.u8(35), 76); // 75.6 rounded
    changeTemperatureUnit(r, false);
    EXPECT_EQ(r.config.inputOptions(), 0);
    EXPECT_FLOAT_EQ(r.config.calGain(), 0.5f);
    EXPECT_EQ(r.config.u8(34), 96); // 46 °F = 7.78 °C -> 95.6 counts
    EXPECT_EQ(r.config.u8(35), 84); // 36 °F = 2.22 °C -> 84.4 counts

    LoggerRecord hot = record(14, 0.01f, -40.0f, 0);
    hot.config.setU16(34, 10000); // 60 °C = 140 °F
    changeTemperatureUnit(hot, true);
    EXPECT_FLOAT_EQ(hot.config.calGain(), 0.01f);
    EXPECT_EQ(hot.config.u16(34), 18000);

    // Choosing the unit already in force changes nothing.
    LoggerRecord same = celsiusNarrow();
    same.config.setU8(34, 96);
    const LoggerConfig before = same.config;
    changeTemperatureUnit(same, false);
    EXPECT_EQ(same.config.bytes, before.bytes);
}

TEST(Conversions, ReencodeAlarmLevelsConvertsFromTheCalibrationInForceWhateverTheStoredUnit)
{
    struct Case {
        const char* what;
        LoggerRecord r;
        std::uint16_t high, low; // raw codes before
        bool fahrenheit;
        float gain; // calGain after
        std::uint16_t newHigh, newLow;
    };
    const Case cases[] = {
        // 30 °C and 10 °C (140, 100 at 0.5 per count) are 86 °F and 50 °F.
        {"narrow to °F", celsiusNarrow(), 140, 100, true, 1.0f, 126, 90},
        // A byte of 2 shows as °F; the °F calibration in force is what the codes mean.
        {"byte 2, °F calibration, to °C", record(1, 1.0f, -40.0f, 2), 126, 90, false, 0.5f, 140, 100},
        // The caller decides that the unit changed: 30 and 10 are taken as °F (-1.1, -12.2 °C).
        {"°C calibration told °C", celsiusNarrow(), 140, 100, false, 0.5f, 78, 56},
        // 210 °F is 98.9 °C, past the 87.5 °C of an 8-bit code: held at 255, not wrapped.
        {"beyond the Celsius range", record(1, 1.0f, -40.0f, 1), 250, 0, false, 0.5f, 255, 0},
        // High temperature: 0.01 degree per count in both units; 30 °C is 86 °F.
        {"hundredths to °F", record(14, 0.01f, -40.0f), 7000, 5000, true, 0.01f, 12600, 9000},
        {"fixed encoding keeps its codes", record(21, 0.5f, -40.0f), 4050, 3000, true, 0.5f, 4050, 3000},
        {"lite sensor codes stay", record(8, 0.0001f, 0.0f), 17462, 17000, true, 0.0001f, 17462, 17000},
    };
    for (Case c : cases) {
        c.r.config.setHighAlarmRaw(c.high);
        c.r.config.setLowAlarmRaw(c.low);
        const std::uint8_t options = c.r.config.inputOptions();
        reencodeAlarmLevels(c.r, c.fahrenheit);
        EXPECT_FLOAT_EQ(c.r.config.calGain(), c.gain) << c.what;
        EXPECT_EQ(c.r.config.highAlarmRaw(), c.newHigh) << c.what;
        EXPECT_EQ(c.r.config.lowAlarmRaw(), c.newLow) << c.what;
        EXPECT_EQ(c.r.config.inputOptions(), options) << c.what;
    }
}

TEST(Conversions, ChangeTemperatureUnitLeavesFixedEncodingsAndSensorCodesAlone)
{
    // The lite logger's calGain is its sensor calibration and its alarm codes are
    // sensor codes: only the unit changes.
    LoggerRecord lite = record(8, 0.0001f, 0.0f, 0);
    lite.config.setU16(34, 17462);
    changeTemperatureUnit(lite, true);
    EXPECT_FLOAT_EQ(lite.config.calGain(), 0.0001f);
    EXPECT_EQ(lite.config.u16(34), 17462);
    EXPECT_EQ(highAlarmText(lite), "50");

    // Thermocouple: the kind bits stay, the codes stay.
    LoggerRecord tc = record(15, 1, 0, 0x20);
    tc.config.setU16(34, 4050);
    changeTemperatureUnit(tc, true);
    EXPECT_EQ(tc.config.inputOptions(), 0x21);
    EXPECT_EQ(tc.config.u16(34), 4050);
    EXPECT_EQ(highAlarmText(tc), "77.0");

    LoggerRecord lcd = record(21, 0.5f, -40.0f, 0);
    lcd.config.setU16(34, 4050);
    changeTemperatureUnit(lcd, true);
    EXPECT_EQ(lcd.config.inputOptions(), 1);
    EXPECT_FLOAT_EQ(lcd.config.calGain(), 0.5f);
    EXPECT_EQ(lcd.config.u16(34), 4050);

    // A voltage logger's byte means "user scaling"; it is not a unit.
    LoggerRecord volts = voltage();
    changeTemperatureUnit(volts, false);
    EXPECT_EQ(volts.config.inputOptions(), 1);
}
