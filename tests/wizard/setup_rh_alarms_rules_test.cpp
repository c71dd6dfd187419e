// The humidity alarm page: half-percent entries, their codes, the high-above-low
// check and both directions storing.
#include <gtest/gtest.h>

#include "setup_rh_alarms_rules.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {
class SetupRhAlarms : public test::WizardFixture {};
} // namespace

TEST_F(SetupRhAlarms, TheStoredLevelsSelectTheirEntries)
{
    connect(3, [](LoggerConfig& c) {
        c.setRhHighAlarm(141); // 70.5 %
        c.setRhLowAlarm(230);  // 115 %, more than the list holds
        c.setFlags(flag::kRhLowEnabled | flag::kRhHighLatched);
    });
    const setup_rh_alarms::Values v = setup_rh_alarms::load(logger);
    EXPECT_FALSE(v.highOn);
    EXPECT_TRUE(v.lowOn);
    EXPECT_EQ(v.highIndex, 59);
    EXPECT_EQ(v.lowIndex, 0);
    EXPECT_TRUE(v.highHold);
    EXPECT_FALSE(v.lowHold);
}

TEST_F(SetupRhAlarms, NextStoresHalfPercentCodesThenWantsTheHighAboveTheLow)
{
    struct Case {
        LoggerType type;
        setup_rh_alarms::Values values;
        std::uint8_t high, low; // codes stored
        int page;               // -1: refused with message 132
    } cases[] = {
        {3, {true, true, 0, 199, true, false}, 200, 1, page::kStart}, // 100 % and 0.5 %
        {3, {true, true, 100, 100, false, false}, 100, 100, -1},
        {3, {false, true, 100, 100, false, true}, 100, 100, page::kStart},
        {3, {true, true, 101, 100, false, false}, 99, 100, -1},
        {12, {true, true, 60, 140, false, false}, 140, 60, page::kPushToStart},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " index " << c.values.highIndex);
        connect(c.type);
        if (c.page < 0)
            prompts.expectMsg(utilitytext::kHighNotAboveLow);
        EXPECT_EQ(setup_rh_alarms::next(core, c.values),
                  c.page < 0 ? WizardStep::stay(setup_rh_alarms::id::kHighLevel) : WizardStep::to(c.page));
        EXPECT_EQ(config().u8(cfg::kRhHighAlarm), c.high);
        EXPECT_EQ(config().u8(cfg::kRhLowAlarm), c.low);
        EXPECT_EQ(config().hasFlag(flag::kRhHighEnabled), c.values.highOn);
        EXPECT_EQ(config().hasFlag(flag::kRhLowEnabled), c.values.lowOn);
        EXPECT_EQ(config().hasFlag(flag::kRhHighLatched), c.values.highHold);
        EXPECT_EQ(config().hasFlag(flag::kRhLowLatched), c.values.lowHold);
        prompts.expectAllShown();
    }
}

TEST_F(SetupRhAlarms, BackStoresFirst)
{
    connect(13);
    const setup_rh_alarms::Values v{true, true, 20, 20, false, false}; // 90 % both: Back does not check
    EXPECT_EQ(setup_rh_alarms::back(core, v), WizardStep::to(page::kAlarms));
    EXPECT_EQ(config().u8(cfg::kRhHighAlarm), 180);
    EXPECT_EQ(config().u8(cfg::kRhLowAlarm), 180);
}
