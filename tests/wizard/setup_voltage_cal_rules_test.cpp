// The scaling page: the unit list and its search, the point boxes, "Default", and the
// scaling codes answered with their messages and the box at fault.
#include <gtest/gtest.h>

#include "conversions.h"
#include "setup_voltage_cal_rules.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;
namespace cal = velmora::setup_voltage_cal;

namespace {

class SetupVoltageCalRules : public test::WizardFixture {};

} // namespace

TEST(SetupVoltageCalUnits, TheListIsSortedSymbolsFirstAndSearchedByItsBeginningInAnyCase)
{
    const std::vector<std::string> sorted{"%",   "%RH",    "\260C",   "\260F",  "Amps", "g",      "Hz",    "K",    "kg",
                                          "kHz", "kph",    "kVolts",  "Lux",    "mBar", "mm/sec", "mph",   "N",    "Nm",
                                          "pH",  "ppm CO", "ppm CO2", "ppm O2", "PSI",  "RPM",    "Volts", "Watts"};
    const std::vector<std::string> units = cal::unitEntries();
    EXPECT_EQ(units, sorted);

    struct Case {
        const char* text;
        const char* found; // nullptr: no entry begins with it
    };
    const Case cases[] = {
        {"ppm", "ppm CO"}, {"PPM co2", "ppm CO2"}, {"v", "Volts"}, {"k", "K"},       {"KV", "kVolts"},
        {"%r", "%RH"},     {"\260", "\260C"},      {"m", "mBar"},  {"bar", nullptr}, {"Voltsx", nullptr},
    };
    for (const Case& c : cases) {
        const int at = cal::findUnit(units, c.text);
        if (c.found)
            EXPECT_EQ(at >= 0 ? units[at] : "(none)", c.found) << c.text;
        else
            EXPECT_EQ(at, -1) << c.text;
    }
}

TEST(SetupVoltageCalUnits, APointBoxShowsTheStoredTextOnlyWhenItCanStartANumber)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12.5", "12.5"},       {"  -3", "-3"},       {"+4", "+4"},    {".5", ".5"},      {"5abc", "5abc"},
        {"", "0.00"},           {"   ", "0.00"},      {"abc", "0.00"}, {"1.2.3", "0.00"}, {"..5", "0.00"},
        {"1234567", "1234567"}, {"12345678", "0.00"}, {"e5", "0.00"},
    };
    for (const auto& [stored, shown] : cases)
        EXPECT_EQ(cal::pointBoxText(stored), shown) << "\"" << stored << "\"";
}

TEST_F(SetupVoltageCalRules, LoadSelectsTheStoredUnitOrAddsItAndFillsTheBoxesAndLabels)
{
    struct Case {
        const char* stored;
        const char* selected; // the entry selected; nullptr = none
        std::size_t entries;
    };
    const Case cases[] = {
        {"ppm", "ppm CO", 26},
        {"bar", "bar", 27}, // added, in its sorted place
        {"", nullptr, 26},
        {"volts", "Volts", 26},
    };
    for (const Case& c : cases) {
        connect(5, [&](LoggerConfig& r) {
            r.setText(TextSlot::Units, c.stored);
            r.setText(TextSlot::ScaleIn1, " 4");
            r.setText(TextSlot::ScaleOut1, "x");
            r.setText(TextSlot::ScaleIn2, "20");
            r.setText(TextSlot::ScaleOut2, "1.0.0");
        });
        const cal::Values v = cal::load(logger);
        EXPECT_EQ(v.units.size(), c.entries) << c.stored;
        if (c.selected) {
            ASSERT_GE(v.unitIndex, 0) << c.stored;
            EXPECT_EQ(v.units[v.unitIndex], c.selected) << c.stored;
        } else {
            EXPECT_EQ(v.unitIndex, -1) << c.stored;
        }
        EXPECT_EQ(v.unit, c.stored);
        EXPECT_EQ(v.outputUnit, c.stored);
        EXPECT_EQ(v.inputUnit, "mA");
        EXPECT_EQ(v.in1, "4");
        EXPECT_EQ(v.out1, "0.00");
        EXPECT_EQ(v.in2, "20");
        EXPECT_EQ(v.out2, "0.00");
        bridge.detach(0);
    }
    connect(4, [](LoggerConfig& r) { r.setText(TextSlot::Units, "bar"); });
    const cal::Values v = cal::load(logger);
    EXPECT_EQ(v.units[5], "bar"); // after "Amps", before "g"
}

TEST_F(SetupVoltageCalRules, EachScalingCodeHasItsMessageAndBox)
{
    struct Case {
        int code;
        std::string_view message;
        int focus;
    };
    const Case cases[] = {
        {0, {}, 0},
        {3, utilitytext::kInputsEqual, cal::kIn2Box},
        {4, utilitytext::kOutputsEqual, cal::kOut2Box},
        {5, utilitytext::kCalibrationValuesInvalid, cal::kIn1Box},
        {6, utilitytext::kEnterValidNumber, 1079},
        {7, utilitytext::kEnterValidNumber, 1080},
        {8, utilitytext::kEnterValidNumber, 1081},
        {9, utilitytext::kEnterValidNumber, 1082},
        {10, utilitytext::kOutsideInputRange, 1080},
        {11, utilitytext::kOutsideInputRange, 1080},
        {12, utilitytext::kOutsideInputRange, 1082},
        {13, utilitytext::kOutsideInputRange, 1082},
        {1, utilitytext::kEnterValidNumber, 0},
        {14, utilitytext::kEnterValidNumber, 0},
    };
    for (const Case& c : cases) {
        const cal::ScalingReply reply = cal::replyTo(c.code);
        EXPECT_EQ(reply.message, c.message) << c.code;
        EXPECT_EQ(reply.focusControl, c.focus) << c.code;
    }
}

TEST_F(SetupVoltageCalRules, NextStoresWhatWasTypedAndGoesOnOnlyWithAWorkingScaling)
{
    struct Case {
        const char *in1, *out1, *in2, *out2;
        std::string_view message; // empty: goes to the alarm page
        int focus;
        float gain, offset;
    };
    // The logger's input range is 0 to 30 V.
    const Case cases[] = {
        {"0", "0", "10", "100", {}, 0, 10.0f, 0.0f},
        {"4", "0", "20", "100", {}, 0, 6.25f, -25.0f},
        {"0.000", "100", "25", "0", {}, 0, -4.0f, 100.0f}, // falling
        {"5", "0", "5.0", "10", utilitytext::kInputsEqual, cal::kIn2Box, 1, 0},
        {"1", "7", "2", "7.000", utilitytext::kOutputsEqual, cal::kOut2Box, 1, 0},
        {"0", "", "10", "100", utilitytext::kEnterValidNumber, cal::kOut1Box, 1, 0},
        {"0", "0", "10", "5abc", utilitytext::kEnterValidNumber, cal::kOut2Box, 1, 0},
        {"-1", "0", "10", "100", utilitytext::kOutsideInputRange, cal::kIn1Box, 1, 0},
        // Outputs whose line no float gain can hold.
        {"0", "3e38", "1", "-3e38", utilitytext::kCalibrationValuesInvalid, cal::kIn1Box, 1, 0},
    };
    for (const Case& c : cases) {
        connect(4, [](LoggerConfig& r) { r.setInputOptions(1); });
        cal::Values v = cal::load(logger);
        v.unit = "  bar";
        v.in1 = c.in1;
        v.out1 = c.out1;
        v.in2 = c.in2;
        v.out2 = c.out2;
        if (!c.message.empty())
            prompts.expectMsg(c.message, PromptAnswer::Ok, PromptIcon::Warning);
        const WizardStep expected =
            !c.message.empty() ? WizardStep::stay(c.focus) : WizardStep::to(page::kVoltageAlarms);
        EXPECT_EQ(cal::next(core, v), expected) << c.in1 << " " << c.out1 << " " << c.in2 << " " << c.out2;
        // Stored as typed, refused or not.
        EXPECT_EQ(config().units(), "bar");
        EXPECT_EQ(config().text(TextSlot::ScaleIn1), c.in1);
        EXPECT_EQ(config().text(TextSlot::ScaleOut1), c.out1);
        EXPECT_EQ(config().text(TextSlot::ScaleIn2), c.in2);
        EXPECT_EQ(config().text(TextSlot::ScaleOut2), c.out2);
        EXPECT_FLOAT_EQ(logger.scaleGain, c.gain) << c.in1 << " " << c.in2;
        EXPECT_NEAR(logger.scaleOffset, c.offset, 1e-5) << c.in1 << " " << c.in2;
        bridge.detach(0);
    }
}

TEST_F(SetupVoltageCalRules, AUnitWithAControlCharacterOrLevelsTooLongForTheAlarmBoxesAreRefused)
{
    // The logger's input range is 0 to 30 V; the alarm boxes take 7 characters.
    struct Case {
        const char* unit;
        const char *in2, *out2, *out1; // in1 is 0
        std::string message;           // empty: goes to the alarm page
        int focus;
    };
    const std::string control(utilitytext::kUnitControlCharacter), wide(utilitytext::kScalingTooWide);
    const Case cases[] = {
        {"bar", "3", "999999", "0", "", 0},                // 9999990 at 30 V: 7 characters
        {"bar", "3", "1000000", "0", wide, cal::kOut1Box}, // 10000000
        {"bar", "3", "-99999", "0", "", 0},                // -999990 in whole steps of 100
        {"bar", "3", "-100000", "0", wide, cal::kOut1Box}, // -1000000
        // 10 shown over the range: steps of 0.01, so the top is 100010.00.
        {"bar", "30", "100010", "100000", wide, cal::kOut1Box},
        {"b\tar", "10", "100", "0", control, cal::kUnitBox},
        {"bar\n", "10", "100", "0", control, cal::kUnitBox},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.unit << " " << c.in2 << " " << c.out2);
        connect(4, [](LoggerConfig& r) { r.setInputOptions(1); });
        cal::Values v = cal::load(logger);
        v.unit = c.unit;
        v.in1 = "0";
        v.out1 = c.out1;
        v.in2 = c.in2;
        v.out2 = c.out2;
        if (!c.message.empty())
            prompts.expect(c.message, PromptAnswer::Ok, PromptIcon::Warning);
        EXPECT_EQ(cal::next(core, v),
                  c.message.empty() ? WizardStep::to(page::kVoltageAlarms) : WizardStep::stay(c.focus));
        // A control character never reaches the record.
        EXPECT_EQ(config().units(), c.message == control ? "Volts" : "bar");
        prompts.expectAllShown();
        bridge.detach(0);
    }
}

TEST_F(SetupVoltageCalRules, DefaultPutsTheFactoryPointsInAtOnceButLeavesTheUnitBox)
{
    connect(4, [](LoggerConfig& r) {
        r.setInputOptions(1);
        r.setText(TextSlot::Units, "bar");
        r.setText(TextSlot::ScaleIn1, "1");
        r.setText(TextSlot::ScaleOut2, "9");
    });
    cal::Values shown = cal::load(logger);
    shown.unit = "psi";
    shown.in2 = "17";
    const cal::Values after = cal::restoreDefaults(core, shown);
    EXPECT_EQ(after.unit, "psi");
    EXPECT_EQ(after.outputUnit, "bar");
    EXPECT_EQ(after.in1, "0.00");
    EXPECT_EQ(after.out1, "0.00");
    EXPECT_EQ(after.in2, "30.00");
    EXPECT_EQ(after.out2, "30.00");
    EXPECT_EQ(config().units(), "Volts");
    EXPECT_EQ(config().text(TextSlot::ScaleIn2), "30.00");
    EXPECT_EQ(config().text(TextSlot::ScaleOut2), "30.00");
    EXPECT_EQ(cal::back(core), WizardStep::to(page::kVoltageName));
}
