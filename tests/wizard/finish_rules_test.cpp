// When a finish starts the logger: the delay from the chosen local time, across
// clock changes, and the record the logger holds afterwards.
#include <gtest/gtest.h>

#include "finish_rules.h"
#include "time_zone.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

struct DelayCase {
    const char* zone;
    CivilTime now; // local
    StartChoice choice;
    std::int64_t delay; // -1: refused with message 143, -2: refused as a skipped time
};

constexpr StartChoice at(int y, int mo, int d, int h, int mi, int s)
{
    return StartChoice{StartMode::At, CivilTime{y, mo, d, h, mi, s}};
}

const DelayCase kDelays[] = {
    {"Europe/London", {2026, 12, 8, 12, 0, 0}, at(2026, 12, 8, 12, 0, 0), 0},
    {"Europe/London", {2026, 12, 8, 12, 0, 0}, at(2026, 12, 8, 11, 59, 59), 0}, // the pickers lag a second
    {"Europe/London", {2026, 12, 8, 12, 0, 0}, at(2026, 12, 8, 11, 59, 58), -1},
    {"Europe/London", {2026, 12, 8, 12, 0, 0}, at(2026, 12, 8, 11, 59, 0), -1},
    {"Europe/London", {2026, 12, 8, 12, 0, 0}, at(2026, 12, 8, 12, 10, 0), 600},
    {"Europe/London", {2026, 12, 8, 12, 0, 0}, at(2026, 12, 9, 12, 0, 0), 86400},
    {"Europe/London", {2026, 12, 8, 12, 0, 0}, StartChoice{StartMode::Now, {}}, 0},
    // Across the spring change the wall clock jumps an hour: 00:30 GMT to 03:30 BST is two hours.
    {"Europe/London", {2026, 3, 29, 0, 30, 0}, at(2026, 3, 29, 3, 30, 0), 7200},
    {"Europe/London", {2026, 3, 29, 0, 30, 0}, at(2026, 3, 29, 1, 30, 0), -2},
    // Across the autumn change: 00:30 BST to 02:30 GMT is three hours.
    {"Europe/London", {2026, 10, 25, 0, 30, 0}, at(2026, 10, 25, 2, 30, 0), 10800},
    {"Europe/London", {2026, 10, 25, 0, 30, 0}, at(2026, 10, 25, 1, 30, 0), 3600}, // first of two
    {"America/New_York", {2026, 3, 8, 1, 0, 0}, at(2026, 3, 8, 4, 0, 0), 7200},
    {"America/New_York", {2026, 3, 8, 1, 0, 0}, at(2026, 3, 8, 2, 15, 0), -2},
    {"America/New_York", {2026, 11, 1, 0, 0, 0}, at(2026, 11, 1, 3, 0, 0), 14400},
    {"America/New_York", {2026, 11, 1, 0, 0, 0}, at(2026, 11, 1, 1, 0, 0), 3600},
};

} // namespace

TEST(FinishRules, TheDelayIsRealTimeToTheChosenLocalStart)
{
    for (const DelayCase& c : kDelays) {
        test::ScopedTimeZone zone(c.zone);
        FixedWallClock clock{*WallClock::fromLocal(c.now)};
        const StartPlan plan = planStart(clock, c.choice);
        const std::string where = std::string(c.zone) + " start " + std::to_string(c.choice.at.hour) + ":" +
                                  std::to_string(c.choice.at.minute);
        if (c.delay == -1) {
            EXPECT_EQ(plan.refusal, std::string(utilitytext::kStartInPast)) << where;
        } else if (c.delay == -2) {
            EXPECT_EQ(plan.refusal, utilitytext::kStartTimeSkipped) << where;
        } else {
            EXPECT_EQ(plan.refusal, "") << where;
            EXPECT_EQ(plan.delaySeconds, c.delay) << where;
            EXPECT_EQ(plan.start, c.choice.mode == StartMode::At ? c.choice.at : c.now) << where;
        }
    }
}

TEST(FinishRules, AStartBeyondTheLoggersCenturyIsRefused)
{
    FixedWallClock clock{0};
    EXPECT_EQ(planStart(clock, at(2070, 1, 1, 0, 0, 0)).refusal, utilitytext::kStartTooLate);
}

class FinishSetUp : public test::WizardFixture {};

TEST_F(FinishSetUp, TheLoggerHoldsTheStartTheDelayAndTheButtonBit)
{
    test::ScopedTimeZone zone("UTC");
    struct Case {
        LoggerType type;
        StartChoice choice;
        std::uint32_t delay;
        bool button;
        CivilTime start;
    };
    const Case cases[] = {
        {1, StartChoice{StartMode::Now, {}}, 0, false, {2026, 12, 8, 12, 0, 0}},
        {1, at(2026, 12, 8, 12, 10, 0), 600, false, {2026, 12, 8, 12, 10, 0}},
        {12, StartChoice{StartMode::Button, {}}, 0, true, {2026, 12, 8, 12, 0, 0}},
        {21, at(2026, 12, 8, 13, 0, 5), 3605, false, {2026, 12, 8, 13, 0, 5}},
    };
    for (const Case& c : cases) {
        connect(c.type, [](LoggerConfig& r) {
            r.setPushButtonStart(true);
            r.setStartDelay(77);
        });
        EXPECT_EQ(finishSetUp(core, c.choice), WizardStep::to(page::kSummary)) << int(c.type);
        const LoggerConfig& held = device->record();
        EXPECT_TRUE(held.isLogging()) << int(c.type);
        EXPECT_EQ(held.startDelay(), c.delay) << int(c.type);
        EXPECT_EQ(held.hasMode(mode::kPushButton), c.button) << int(c.type);
        EXPECT_EQ((CivilTime{held.startFullYear(), held.startMonth(), held.startDay(), held.startHour(),
                             held.startMinute(), held.startSecond()}),
                  c.start)
            << int(c.type);
        bridge.detach(0);
    }
}

TEST_F(FinishSetUp, ARefusedOrFailedFinishStaysAndLeavesTheLoggerAsItWas)
{
    test::ScopedTimeZone zone("UTC");
    connect(1);
    const LoggerConfig before = device->record();
    prompts.expectMsg(utilitytext::kStartInPast);
    EXPECT_EQ(finishSetUp(core, at(2026, 12, 8, 11, 0, 0)), WizardStep::stay());
    EXPECT_EQ(device->record().bytes, before.bytes);
    EXPECT_EQ(device->recordsTaken(), 0);

    const std::unique_ptr<VirtualLogger> pulled = bridge.detach(0);
    prompts.expectMsg(utilitytext::kNoLogger);
    EXPECT_EQ(finishSetUp(core, StartChoice{}), WizardStep::stay());
    EXPECT_EQ(pulled->recordsTaken(), 0);
}
