// The temperature alarm page and the lite logger's alarm page: the entries their
// levels select, what "Next >" and "< Back" store, the high-above-low check and
// where they lead.
#include <gtest/gtest.h>

#include "conversions.h"
#include "temperature_alarms_rules.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

class SetupAlarms : public test::WizardFixture {};

// A narrow logger in °F stores -40 °F + 1 °F per count.
void fahrenheit(LoggerConfig& c)
{
    c.setInputOptions(1);
    c.setCalGain(1.0f);
    c.setCalOffset(-40.0f);
}

} // namespace

TEST_F(SetupAlarms, TheStoredLevelsSelectTheirEntries)
{
    connect(1, [](LoggerConfig& c) {
        c.setHighAlarmRaw(96); // 8.0 °C
        c.setLowAlarmRaw(84);  // 2.0 °C
        c.setFlags(flag::kHighEnabled | flag::kLowLatched);
    });
    const temperature_alarms::Values v = temperature_alarms::kTemperaturePage.load(logger);
    EXPECT_TRUE(v.highOn);
    EXPECT_FALSE(v.lowOn);
    EXPECT_EQ(v.highIndex, 159); // 175 - 2 × 8
    EXPECT_EQ(v.lowIndex, 171);
    EXPECT_FALSE(v.highHold);
    EXPECT_TRUE(v.lowHold);
}

TEST_F(SetupAlarms, NextStoresTheLevelsThenWantsTheHighAboveTheLow)
{
    struct Case {
        LoggerType type;
        bool fahrenheit;
        temperature_alarms::Values values;
        bool refused;
        std::uint16_t high, low; // raw levels stored
        int page;
    } cases[] = {
        // 25.0 °C both: refused, but stored first.
        {1, false, {true, true, 125, 125, false, false}, true, 130, 130, -1},
        {1, false, {true, false, 125, 125, false, false}, false, 130, 130, page::kStart},
        {1, false, {false, true, 125, 125, false, false}, false, 130, 130, page::kStart},
        {1, false, {true, true, 115, 135, true, false}, false, 140, 120, page::kStart}, // 30 and 20 °C
        {1, false, {true, true, 136, 135, false, true}, true, 119, 120, -1},            // 19.5 below 20
        {3, false, {true, true, 0, 255, false, false}, false, 255, 0, page::kRhAlarms}, // 87.5 and -40 °C
        {1, true, {true, true, 117, 150, false, false}, false, 112, 79, page::kStart},  // 72 and 39 °F
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " indexes " << c.values.highIndex << "/"
                                        << c.values.lowIndex);
        connect(
            c.type, c.fahrenheit ? fahrenheit : [](LoggerConfig&) {});
        if (c.refused)
            prompts.expectMsg(utilitytext::kHighNotAboveLow, PromptAnswer::Ok, PromptIcon::Warning);
        const WizardStep step = temperature_alarms::kTemperaturePage.next(core, c.values);
        EXPECT_EQ(step, c.refused ? WizardStep::stay(temperature_alarms::id::kHighLevel) : WizardStep::to(c.page));
        EXPECT_EQ(config().highAlarmRaw(), c.high);
        EXPECT_EQ(config().lowAlarmRaw(), c.low);
        EXPECT_EQ(config().hasFlag(flag::kHighEnabled), c.values.highOn);
        EXPECT_EQ(config().hasFlag(flag::kLowEnabled), c.values.lowOn);
        EXPECT_EQ(config().hasFlag(flag::kHighLatched), c.values.highHold);
        EXPECT_EQ(config().hasFlag(flag::kLowLatched), c.values.lowHold);
        prompts.expectAllShown();
    }
}

TEST_F(SetupAlarms, AnOddUnitByteKeepsTheChosenEntryThroughAStore)
{
    // Neither 0 nor 1: the list and the stored value both read it as Celsius, so the
    // entry chosen is the entry shown again.
    connect(2, [](LoggerConfig& c) { c.setInputOptions(2); });
    temperature_alarms::Values v = temperature_alarms::kTemperaturePage.load(logger);
    v.highIndex = 100; // 37.5 °C
    v.lowIndex = 120;  // 27.5 °C
    ASSERT_EQ(temperature_alarms::kTemperaturePage.next(core, v), WizardStep::to(page::kStart));
    EXPECT_EQ(config().highAlarmRaw(), 155);
    EXPECT_EQ(temperature_alarms::kTemperaturePage.load(logger).highIndex, 100);
    EXPECT_EQ(temperature_alarms::kTemperaturePage.load(logger).lowIndex, 120);
}

TEST_F(SetupAlarms, BackStoresTheTemperaturePageButNotTheLitePage)
{
    connect(12);
    temperature_alarms::Values v = temperature_alarms::kTemperaturePage.load(logger);
    v.highIndex = 115;
    v.lowIndex = 115; // high not above low: Back does not check
    EXPECT_EQ(temperature_alarms::kTemperaturePage.back(core, v), WizardStep::to(page::kLcd));
    EXPECT_EQ(config().highAlarmRaw(), 140);
    EXPECT_EQ(config().lowAlarmRaw(), 140);

    connect(8);
    const std::uint16_t high = config().highAlarmRaw();
    EXPECT_EQ(temperature_alarms::kLitePage.back(core, v), WizardStep::to(page::kLiteName));
    EXPECT_EQ(config().highAlarmRaw(), high);
}

TEST_F(SetupAlarms, TheLitePageStoresTheSensorCodesOfItsEntries)
{
    struct Case {
        std::uint8_t inputOptions;
        int highIndex, lowIndex;
        double high, low; // as the entries read, in the page's unit
        bool refused;
    } cases[] = {
        {0, 20, 35, 30.0, 15.0, false},
        {1, 10, 30, 102.0, 62.0, false},
        {0, 30, 30, 20.0, 20.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "unit " << int(c.inputOptions) << " high " << c.high);
        connect(8, [&](LoggerConfig& config) { config.setInputOptions(c.inputOptions); });
        const temperature_alarms::Values v{true, true, c.highIndex, c.lowIndex, false, false};
        if (c.refused)
            prompts.expectMsg(utilitytext::kHighNotAboveLow);
        const WizardStep step = temperature_alarms::kLitePage.next(core, v);
        EXPECT_EQ(step, c.refused ? WizardStep::stay(1019) : WizardStep::to(page::kStart));
        // Sensor codes are stored; read back they give the entry to within one code.
        EXPECT_NEAR(highAlarmValue(logger), c.high, 0.05);
        EXPECT_NEAR(lowAlarmValue(logger), c.low, 0.05);
        EXPECT_EQ(temperature_alarms::kLitePage.load(logger).highIndex, c.highIndex);
        prompts.expectAllShown();
    }
}
