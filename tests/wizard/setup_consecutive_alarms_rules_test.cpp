// The consecutive alarms page: which sides can be ticked, the counts remembered
// between ticks, the range check and what is stored.
#include <gtest/gtest.h>

#include <cmath>

#include "setup_consecutive_alarms_rules.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;
namespace scc = velmora::setup_consecutive_alarms;

namespace {
class SetupConsecutiveAlarms : public test::WizardFixture {};
} // namespace

TEST(ConsecutiveAlarmRules, TheRateTextAndTheRememberedCounts)
{
    EXPECT_EQ(scc::rateText(1), "1 Second");
    EXPECT_EQ(scc::rateText(10), "10 Second");
    EXPECT_EQ(scc::rateText(300), "5 Minutes");
    EXPECT_EQ(scc::rateText(43200), "12 Hours");
    EXPECT_EQ(scc::rateText(30), "");

    struct Case {
        double remembered, shown;
    } cases[] = {{0, 2}, {1.9, 2}, {2, 2}, {17, 17}, {250, 250}, {251, 2}, {std::nan(""), 2}};
    for (const Case& c : cases) {
        double remembered = c.remembered;
        EXPECT_EQ(scc::tick(remembered), c.shown) << c.remembered;
        EXPECT_EQ(remembered, c.shown);
    }
    double remembered = 5;
    scc::untick(remembered, 40);
    EXPECT_EQ(scc::tick(remembered), 40);
}

TEST_F(SetupConsecutiveAlarms, ASideIsOfferedWithItsAlarmAndTickedWithACount)
{
    connect(21, [](LoggerConfig& c) {
        c.setFlags(flag::kHighEnabled);
        c.setConsecutiveHigh(12);
        c.setConsecutiveLow(30); // its alarm is off
        c.setSampleInterval(60);
    });
    scc::Remembered remembered{3, 7};
    scc::Values v = scc::load(logger, remembered);
    EXPECT_TRUE(v.high.offered);
    EXPECT_TRUE(v.high.ticked);
    EXPECT_EQ(v.high.count, 12);
    EXPECT_FALSE(v.low.offered);
    EXPECT_FALSE(v.low.ticked);
    EXPECT_EQ(remembered.high, 12);
    EXPECT_EQ(remembered.low, 7); // kept while not ticked
    EXPECT_EQ(v.rate, "1 Minute");

    connect(21, [](LoggerConfig& c) { c.setConsecutiveHigh(251); });
    v = scc::load(logger, remembered);
    EXPECT_TRUE(v.high.offered);
    EXPECT_FALSE(v.high.ticked);
}

TEST_F(SetupConsecutiveAlarms, NextChecksEachTickedCountThenStoresBoth)
{
    struct Case {
        bool highOn, lowOn; // the alarms
        scc::Side high, low;
        int stayOn; // 0: on to the push-to-start page
        double highAfter, lowAfter;
        std::uint8_t highStored, lowStored;
    } cases[] = {
        {true, true, {true, true, 2}, {true, true, 250.9}, 0, 2, 250.9, 2, 250},
        {true, true, {true, true, 1}, {true, true, 300}, scc::id::kHighCount, 2, 300, 0, 0},
        {true, true, {true, true, 251}, {true, true, 5}, scc::id::kHighCount, 250, 5, 0, 0},
        {true, true, {true, true, 9}, {true, true, 1.5}, scc::id::kLowCount, 9, 2, 0, 0},
        {true, true, {true, false, 9}, {true, true, 12}, 0, 9, 12, 0, 12},
        // The high alarm is off: its box cannot be ticked, whatever a caller says.
        {false, true, {false, true, 9}, {true, false, 12}, 0, 9, 12, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.high.count << " / " << c.low.count);
        connect(21, [&](LoggerConfig& config) {
            config.setHighAlarmEnabled(c.highOn);
            config.setLowAlarmEnabled(c.lowOn);
        });
        if (c.stayOn)
            prompts.expectMsg(utilitytext::kCountAdjusted, PromptAnswer::Ok, PromptIcon::Warning);
        scc::Values v{c.high, c.low, {}};
        EXPECT_EQ(scc::next(core, v), c.stayOn ? WizardStep::stay(c.stayOn) : WizardStep::to(page::kPushToStart));
        EXPECT_EQ(v.high.count, c.highAfter);
        EXPECT_EQ(v.low.count, c.lowAfter);
        EXPECT_EQ(config().consecutiveHigh(), c.highStored);
        EXPECT_EQ(config().consecutiveLow(), c.lowStored);
        prompts.expectAllShown();
    }
    EXPECT_EQ(scc::back(core), WizardStep::to(page::kVoltageAlarms));
}
