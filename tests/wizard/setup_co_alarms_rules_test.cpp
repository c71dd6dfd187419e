// The carbon monoxide warning level: the level shown, the range by type, the
// questions above 50 ppm and without the sounder, and what is stored.
#include <gtest/gtest.h>

#include <cmath>

#include "conversions.h"
#include "setup_co_alarms_rules.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;
namespace sco = velmora::setup_co_alarms;

namespace {
class SetupCoAlarms : public test::WizardFixture {};
} // namespace

TEST_F(SetupCoAlarms, TheLevelShownAndTheRangeMessageByType)
{
    struct Case {
        LoggerType type;
        std::uint16_t code; // low alarm code; 9: 0.02 ppm per code, 11: 0.005
        double shown;
    } cases[] = {
        {9, 1750, 35.0}, {9, 50000, 1000.0}, {9, 50050, 50.0},  {9, 100, 50.0}, // 2 ppm: below 3
        {11, 200, 1.0},  {11, 60000, 300.0}, {11, 60200, 50.0},
    };
    for (const Case& c : cases) {
        connect(c.type, [&](LoggerConfig& config) { config.setLowAlarmRaw(c.code); });
        EXPECT_NEAR(sco::load(logger).level, c.shown, 1e-4) << "type " << int(c.type) << " code " << c.code;
    }
    EXPECT_EQ(sco::rangeMessage(logger), "Error:- Warning Level out of range.\n(Range: 3-300ppm)");
    connect(9);
    EXPECT_EQ(sco::rangeMessage(logger), std::string(utilitytext::kCoLevelRange));
}

TEST_F(SetupCoAlarms, NextCorrectsAsksAndStores)
{
    struct Case {
        LoggerType type;
        bool on;
        double level;
        bool sounder;
        std::string_view message; // empty: none
        bool yes;                 // the answer to a question
        int stayOn;               // 0: on to the start page
        double after;             // the level the page then shows
        double stored;            // the warning level stored when the page goes on
    } cases[] = {
        {9, true, 35.6, true, {}, false, 0, 35.6, 36.0},
        {11, true, 350, true, utilitytext::kCoLevelRange, false, sco::id::kLevel, 50, 0},
        {9, true, 1001, true, utilitytext::kCoLevelRange, false, sco::id::kLevel, 50, 0},
        {9, true, 2.4, true, utilitytext::kCoLevelRange, false, sco::id::kLevel, 3, 0},
        {9, false, 2, true, {}, false, 0, 2, 50.0},
        {9, false, 5000, false, {}, false, 0, 5000, 50.0},
        {9, false, 100, false, {}, false, 0, 100, 100.0},
        {9, true, 100, true, utilitytext::kCoAboveSafety, true, 0, 100, 100.0},
        {9, true, 100, false, utilitytext::kCoAboveSafetySounderOff, false, sco::id::kLevel, 100, 0},
        {9, true, 40, false, utilitytext::kCoSounderOff, false, sco::id::kSounder, 40, 0},
        {9, true, 40, false, utilitytext::kCoSounderOff, true, 0, 40, 40.0},
        {9, true, 50, true, {}, false, 0, 50, 50.0},
        {11, true, 300, true, utilitytext::kCoAboveSafety, true, 0, 300, 300.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " level " << c.level);
        connect(c.type);
        const std::uint16_t lowBefore = config().lowAlarmRaw();
        if (c.message == utilitytext::kCoLevelRange)
            prompts.expect(sco::rangeMessage(logger), PromptAnswer::Ok, PromptIcon::Warning);
        else if (!c.message.empty())
            prompts.expectMsg(c.message, c.yes ? PromptAnswer::Yes : PromptAnswer::No, PromptIcon::Question);
        sco::Values v{c.on, c.level, true, c.sounder};
        EXPECT_EQ(sco::next(core, v), c.stayOn ? WizardStep::stay(c.stayOn) : WizardStep::to(page::kStart));
        EXPECT_EQ(v.level, c.after);
        // The safety questions are not answered Yes by a reflex Return.
        if (!c.message.empty() && c.message != utilitytext::kCoLevelRange) {
            ASSERT_FALSE(prompts.shown().empty());
            EXPECT_EQ(prompts.shown().back().buttons, PromptButtons::YesNo);
            EXPECT_EQ(prompts.shown().back().defaultButton, PromptAnswer::No);
        }
        // The unused high alarm is off at one step above the highest level, whatever follows.
        EXPECT_FALSE(config().hasFlag(flag::kHighEnabled));
        EXPECT_NEAR(highAlarmValue(logger), c.type == 11 ? 301.0 : 1001.0, 1e-3);
        if (c.stayOn) {
            EXPECT_EQ(config().lowAlarmRaw(), lowBefore);
        } else {
            EXPECT_NEAR(lowAlarmValue(logger), c.stored, 1e-3);
            EXPECT_EQ(config().hasFlag(flag::kLowEnabled), c.on);
            EXPECT_TRUE(config().hasFlag(flag::kLowLatched));
            EXPECT_EQ(config().hasMode(mode::kSounder), c.sounder);
        }
        prompts.expectAllShown();
    }
    connect(11);
    EXPECT_EQ(sco::back(core), WizardStep::to(page::kCoName));
}
