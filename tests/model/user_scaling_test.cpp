#include <gtest/gtest.h>

#include <string>

#include "conversions.h"
#include "record_builder.h"

using namespace velmora;

namespace {

constexpr float kVoltsPerCount = 1.0f / 2048.0f; // 65472 counts = 31.96875 V full scale

LoggerRecord scaled(const char* in1, const char* out1, const char* in2, const char* out2, LoggerType type = 4)
{
    LoggerRecord r = velmora::test::record(type, kVoltsPerCount, 0.0f, 1);
    r.config.setInputScalar(1.0f);
    r.config.setText(TextSlot::ScaleIn1, in1);
    r.config.setText(TextSlot::ScaleOut1, out1);
    r.config.setText(TextSlot::ScaleIn2, in2);
    r.config.setText(TextSlot::ScaleOut2, out2);
    return r;
}

void expectReset(const LoggerRecord& r)
{
    EXPECT_FLOAT_EQ(r.scaleGain, 1.0f);
    EXPECT_FLOAT_EQ(r.scaleOffset, 0.0f);
    EXPECT_FLOAT_EQ(r.displayStep, 0.1f);
    EXPECT_EQ(r.displayDecimals, 1);
    EXPECT_TRUE(r.scaleRising);
    EXPECT_FALSE(r.config.hasMode(mode::kScaleFalling));
}

} // namespace

TEST(UserScaling, StepAndDecimalsFollowTheShownRange)
{
    struct Case {
        const char* what;
        const char* in1;
        const char* out1;
        const char* in2;
        const char* out2;
        float gain;
        float offset;
        float step;
        int decimals;
        bool rising;
    };
    const Case cases[] = {
        // 0..30 V shown as 0..30 V: 31.97 / 1023 = 0.031 -> 0.05, 2 decimals.
        {"volts 1:1", "0", "0", "30", "30", 1.0f, 0.0f, 0.05f, 2, true},
        // 4..20 -> 0..100: gain 6.25, offset -25; (31.97 * 6.25) / 1023 = 0.195 -> 0.2.
        {"4-20 to percent", "4", "0", "20", "100", 6.25f, -25.0f, 0.2f, 1, true},
        // 0 -> 100, 30 -> 0 falls: top -6.56 below bottom 100; 106.56 / 1023 -> 0.2.
        {"falling", "0", "100", "30", "0", -10.0f / 3.0f, 100.0f, 0.2f, 1, false},
        // 1 V -> 0.001: a tiny range ends on the first row.
        {"tiny", "0", "0", "30", "0.001", 0.001f / 30.0f, 0.0f, 0.001f, 3, true},
        // A huge range passes every row and keeps the last.
        {"huge", "0", "0", "1", "1000000", 1e6f, 0.0f, 100.0f, 0, true},
    };
    for (const Case& c : cases) {
        LoggerRecord r = scaled(c.in1, c.out1, c.in2, c.out2);
        computeScaling(r);
        EXPECT_EQ(r.scaleError, 0) << c.what;
        EXPECT_FLOAT_EQ(r.scaleGain, c.gain) << c.what;
        EXPECT_NEAR(r.scaleOffset, c.offset, 1e-4) << c.what;
        EXPECT_FLOAT_EQ(r.displayStep, c.step) << c.what;
        EXPECT_EQ(r.displayDecimals, c.decimals) << c.what;
        EXPECT_EQ(r.scaleRising, c.rising) << c.what;
        EXPECT_EQ(r.config.hasMode(mode::kScaleFalling), !c.rising) << c.what;
    }
}

TEST(UserScaling, ErrorsLeaveTheResetValuesInForce)
{
    struct Case {
        const char* what;
        const char* in1;
        const char* out1;
        const char* in2;
        const char* out2;
        int error;
    };
    const Case cases[] = {
        {"first output empty", "0", "", "30", "30", scaleerr::kEmptyOut1},
        {"first input empty", "", "0", "30", "30", scaleerr::kEmptyIn1},
        {"second output empty", "0", "0", "30", "", scaleerr::kEmptyOut2},
        {"second input empty", "0", "0", "", "30", scaleerr::kEmptyIn2},
        {"first input no number", "abc", "0", "30", "30", scaleerr::kEmptyIn1},
        {"second output trailing junk", "0", "0", "30", "30x", scaleerr::kEmptyOut2},
        {"inputs equal", "5", "0", "5.0", "30", scaleerr::kInputsEqual},
        {"inputs equal as floats", "1.00000001", "0", "1", "30", scaleerr::kInputsEqual},
        {"outputs equal", "0", "7", "30", "7", scaleerr::kOutputsEqual},
        {"first input above full scale", "40", "0", "30", "30", scaleerr::kIn1AboveFull},
        {"first input negative", "-1", "0", "30", "30", scaleerr::kIn1Negative},
        {"second input above full scale", "0", "0", "32", "30", scaleerr::kIn2AboveFull},
        {"second input negative", "0", "0", "-2", "30", scaleerr::kIn2Negative},
    };
    for (const Case& c : cases) {
        LoggerRecord r = scaled(c.in1, c.out1, c.in2, c.out2);
        r.scaleGain = 7.0f; // an earlier scaling does not survive an error
        r.config.setMode(mode::kScaleFalling, true);
        computeScaling(r);
        EXPECT_EQ(r.scaleError, c.error) << c.what;
        expectReset(r);
    }
    // Factory texts are taken without checks; equal points cannot be divided.
    LoggerRecord factory = scaled("", "", "", "");
    factory.config.setInputOptions(0);
    for (TextSlot s : {TextSlot::DefaultIn1, TextSlot::DefaultOut1, TextSlot::DefaultIn2, TextSlot::DefaultOut2})
        factory.config.setText(s, "0");
    computeScaling(factory);
    EXPECT_EQ(factory.scaleError, scaleerr::kRange);
    expectReset(factory);
}

TEST(UserScaling, TheTopOfTheStatedInputRangeIsAnInputPoint)
{
    // A 0.00 - 30.00 V logger: 65472 x (3 / 65472 as a float) x 10 is 29.99999997 V.
    struct Case {
        const char* in2;
        int error;
    } cases[] = {{"30", scaleerr::kNone}, {"30.00", scaleerr::kNone}, {"30.001", scaleerr::kIn2AboveFull}};
    for (const Case& c : cases) {
        LoggerRecord r = scaled("0", "0", c.in2, "150");
        r.config.setCalGain(3.0f / 65472.0f);
        r.config.setInputScalar(10.0f);
        computeScaling(r);
        EXPECT_EQ(r.scaleError, c.error) << c.in2;
    }
    LoggerRecord first = scaled("30", "150", "0", "0");
    first.config.setCalGain(3.0f / 65472.0f);
    first.config.setInputScalar(10.0f);
    computeScaling(first);
    EXPECT_EQ(first.scaleError, scaleerr::kNone);
    EXPECT_FLOAT_EQ(first.scaleGain, 5.0f);
}

TEST(UserScaling, FactoryTextsRestoreDefaultsAndOtherTypes)
{
    LoggerRecord r = scaled("1", "2", "3", "4");
    r.config.setText(TextSlot::DefaultUnits, "Volts");
    r.config.setText(TextSlot::DefaultIn1, "0");
    r.config.setText(TextSlot::DefaultOut1, "0");
    r.config.setText(TextSlot::DefaultIn2, "30");
    r.config.setText(TextSlot::DefaultOut2, "60");
    restoreDefaults(r);
    EXPECT_EQ(r.config.units(), "Volts");
    EXPECT_EQ(r.config.text(TextSlot::ScaleIn2), "30");
    EXPECT_EQ(r.config.text(TextSlot::ScaleOut2), "60");
    EXPECT_FLOAT_EQ(r.scaleGain, 2.0f);

    // Factory scaling is used when the user scaling is off.
    r.config.setText(TextSlot::ScaleOut2, "");
    r.config.setInputOptions(0);
    computeScaling(r);
    EXPECT_EQ(r.scaleError, 0);
    EXPECT_FLOAT_EQ(r.scaleGain, 2.0f);

    // Every other type gets the reset values after a read.
    LoggerRecord narrow = velmora::test::celsiusNarrow();
    narrow.scaleGain = 3.0f;
    narrow.displayDecimals = 3;
    narrow.scaleError = 4;
    refreshDerivedValues(narrow);
    EXPECT_EQ(narrow.scaleError, 0);
    expectReset(narrow);
}

TEST(UserScaling, ScaledRangePullsTheFullScaleEndInward)
{
    double upper = 0, lower = 0;
    LoggerRecord rising = scaled("0", "0", "30", "30");
    computeScaling(rising);
    scaledRange(rising, upper, lower);
    EXPECT_DOUBLE_EQ(upper, 31.96); // 3196.875 truncated
    EXPECT_DOUBLE_EQ(lower, 0.0);

    LoggerRecord falling = scaled("0", "100", "30", "0");
    computeScaling(falling);
    scaledRange(falling, upper, lower);
    EXPECT_DOUBLE_EQ(upper, 100.0);
    EXPECT_DOUBLE_EQ(lower, -6.5); // -65.625 truncated toward zero
}
