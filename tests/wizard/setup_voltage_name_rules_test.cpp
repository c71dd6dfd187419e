// The name page of the voltage and current loggers: its labels, the scaling choice and
// where each choice leads.
#include <gtest/gtest.h>

#include "setup_voltage_name_rules.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

class SetupVoltageNameRules : public test::WizardFixture {};

} // namespace

TEST_F(SetupVoltageNameRules, LoadShowsWhatTheLoggerMeasuresItsRangeTheRateAndTheScaling)
{
    struct Case {
        LoggerType type;
        std::uint8_t inputOptions;
        std::uint16_t interval;
        int rate, scaling;
        const char* heading;
        const char* range;
    };
    const Case cases[] = {
        {4, 0, 60, 2, 0, "The USB Voltage Data Logger is set to:-", "(0.00 - 30.00 Volts)"},
        {5, 1, 1, 0, 1, "The USB Current Data Logger is set to:-", "(0.00 - 25.00 mA)"},
        {6, 2, 30, 1, 1, "The USB Voltage Data Logger is set to:-", "(0.00 - 30.00 Volts)"}, // 30 s: "10 Sec"
        {7, 0, 43200, 7, 0, "The USB Current Data Logger is set to:-", "(0.00 - 25.00 mA)"},
    };
    for (const Case& c : cases) {
        connect(c.type, [&](LoggerConfig& r) {
            r.setInputOptions(c.inputOptions);
            r.setSampleInterval(c.interval);
        });
        const setup_voltage_name::Values v = setup_voltage_name::load(logger);
        EXPECT_EQ(v.rate, c.rate) << int(c.type);
        EXPECT_EQ(v.scaling, c.scaling) << int(c.type);
        EXPECT_EQ(v.scaleLabel, c.heading) << int(c.type);
        EXPECT_EQ(v.rangeLabel, c.range) << int(c.type);
        bridge.detach(0);
    }
}

TEST_F(SetupVoltageNameRules, CustomScalingLeadsToTheScalingPageAndStandardPutsBackTheFactoryUnit)
{
    struct Case {
        const char* what;
        int scaling, rate;
        std::uint8_t options;
        const char* units;
        float gain;
        int page;
    };
    // The user's points 0 V = 0 and 10 V = 100 (gain 10); the factory's 0 = 0, 30 = 30.
    const Case cases[] = {
        {"custom", setup_voltage_name::kCustom, 3, 1, "bar", 10.0f, page::kVoltageCal},
        {"standard", setup_voltage_name::kStandard, -1, 0, "Volts", 1.0f, page::kVoltageAlarms},
    };
    for (const Case& c : cases) {
        connect(4, [](LoggerConfig& r) {
            r.setText(TextSlot::Units, "bar");
            r.setText(TextSlot::ScaleIn1, "0");
            r.setText(TextSlot::ScaleOut1, "0");
            r.setText(TextSlot::ScaleIn2, "10");
            r.setText(TextSlot::ScaleOut2, "100");
        });
        setup_voltage_name::Values v = setup_voltage_name::load(logger);
        v.name = "Tank 2";
        v.scaling = c.scaling;
        v.rate = c.rate;
        EXPECT_EQ(setup_voltage_name::next(core, v), WizardStep::to(c.page)) << c.what;
        EXPECT_EQ(config().name(), "Tank 2") << c.what;
        EXPECT_EQ(config().inputOptions(), c.options) << c.what;
        EXPECT_EQ(config().sampleInterval(), c.rate < 0 ? 10 : 300) << c.what;
        EXPECT_EQ(config().units(), c.units) << c.what;
        EXPECT_FLOAT_EQ(logger.scaleGain, c.gain) << c.what;
        bridge.detach(0);
    }
}

TEST_F(SetupVoltageNameRules, AScalingThatFailsIsLeftForTheScalingPageToReport)
{
    connect(5, [](LoggerConfig& r) { r.setText(TextSlot::ScaleOut1, ""); });
    setup_voltage_name::Values v = setup_voltage_name::load(logger);
    v.scaling = setup_voltage_name::kCustom;
    EXPECT_EQ(setup_voltage_name::next(core, v), WizardStep::to(page::kVoltageCal));
    EXPECT_NE(logger.scaleError, 0);
}

TEST_F(SetupVoltageNameRules, ARefusedNameStaysAndStoresNothing)
{
    connect(6);
    const LoggerConfig before = config();
    setup_voltage_name::Values v = setup_voltage_name::load(logger);
    v.name = "Solar Panel Array 3";
    v.scaling = setup_voltage_name::kCustom;
    prompts.expectMsg(utilitytext::kNameTooLong);
    EXPECT_EQ(setup_voltage_name::next(core, v), WizardStep::stay(setup_voltage_name::kNameBox));
    EXPECT_EQ(config().bytes, before.bytes);
}
