// The push-button finish page: its radios, pickers and clock flag through a user's
// choices, and what each choice starts.
#include <gtest/gtest.h>

#include "setup_push_to_start_rules.h"
#include "time_zone.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;
using setup_push_to_start::Start;
using setup_push_to_start::Values;

namespace {

class SetupPushToStart : public test::WizardFixture {
protected:
    test::ScopedTimeZone zone{"UTC"};
};

// Both pickers at `s` seconds after the fixture's now, 2026-12-08 12:00:00 (in UTC).
StartPickers shownAt(int s)
{
    return StartPickers::showing(WallClock::toLocal(*WallClock::fromLocal(CivilTime{2026, 12, 8, 12, 0, 0}) + s));
}

const StartPickers kUserPick{CivilTime{2026, 12, 8, 15, 30, 0}, CivilTime{2026, 12, 24, 15, 30, 0}};

} // namespace

TEST_F(SetupPushToStart, RefreshShowsTheButtonStartBlankAndAnyOtherAsImmediate)
{
    struct Case {
        LoggerType type;
        bool buttonBit;
        bool liveBefore;
        Values shown;
        bool liveAfter;
    };
    const Case cases[] = {
        {12, true, true, Values{Start::Button, false, true, shownAt(0)}, false},
        {21, true, false, Values{Start::Button, false, true, shownAt(0)}, false},
        {15, false, true, Values{Start::Immediate, true, false, shownAt(0)}, true},
        {19, false, false, Values{Start::Immediate, true, false, shownAt(0)}, false},
    };
    for (const Case& c : cases) {
        connect(c.type, [&](LoggerConfig& r) { r.setPushButtonStart(c.buttonBit); });
        flags.pushClockLive = c.liveBefore;
        const Values shown = setup_push_to_start::load(core);
        EXPECT_EQ(shown.start, c.shown.start) << int(c.type);
        EXPECT_EQ(shown.pickersEnabled, c.shown.pickersEnabled) << int(c.type);
        EXPECT_EQ(shown.pickersBlank, c.shown.pickersBlank) << int(c.type);
        if (!c.shown.pickersBlank) {
            EXPECT_EQ(shown.pickers, c.shown.pickers) << int(c.type);
        }
        EXPECT_EQ(setup_push_to_start::clockLive(core), c.liveAfter) << int(c.type);
        bridge.detach(0);
    }
}

TEST_F(SetupPushToStart, TheRadiosPickersAndClockFollowTheUsersChoices)
{
    connect(12);
    flags.pushClockLive = true; // arrived with Next
    Values v = setup_push_to_start::load(core);
    enum Action { Tick, Immediate, Button, Delayed, Edit };
    struct Step {
        Action action;
        Start start;
        bool enabled, blank, live;
        StartPickers pickers; // 5 s pass before each step
    };
    const Step steps[] = {
        {Tick, Start::Immediate, true, false, true, shownAt(5)},
        {Button, Start::Button, false, true, false, shownAt(5)},
        {Delayed, Start::Delayed, true, false, false, shownAt(15)}, // set to now once, shown again
        {Edit, Start::Delayed, true, false, false, kUserPick},
        {Immediate, Start::Immediate, true, false, true, shownAt(25)},
        {Edit, Start::Delayed, true, false, false, kUserPick}, // an edit chooses the delayed start
        {Immediate, Start::Immediate, true, false, true, shownAt(35)},
        {Immediate, Start::Immediate, true, false, true, shownAt(35)}, // already live: nothing happens
        {Button, Start::Button, false, true, false, shownAt(35)},
        {Immediate, Start::Immediate, true, false, true, shownAt(50)}, // shown again at once
    };
    int n = 0;
    for (const Step& s : steps) {
        clock.advance(5);
        switch (s.action) {
        case Tick: setup_push_to_start::tick(core, v); break;
        case Immediate: setup_push_to_start::chooseImmediate(core, v); break;
        case Button: setup_push_to_start::chooseButton(core, v); break;
        case Delayed: setup_push_to_start::chooseDelayed(core, v); break;
        case Edit:
            v.pickers = kUserPick;
            setup_push_to_start::pickerEdited(core, v);
            break;
        }
        ++n;
        EXPECT_EQ(v.start, s.start) << "step " << n;
        EXPECT_EQ(v.pickersEnabled, s.enabled) << "step " << n;
        EXPECT_EQ(v.pickersBlank, s.blank) << "step " << n;
        EXPECT_EQ(flags.pushClockLive, s.live) << "step " << n;
        EXPECT_EQ(v.pickers, s.pickers) << "step " << n;
    }
}

TEST_F(SetupPushToStart, FinishStartsAsChosenAndStopsTheClock)
{
    struct Case {
        Start start;
        StartPickers pickers;
        std::uint32_t delay;
        bool button;
        CivilTime written;
    };
    const Case cases[] = {
        // Stale pickers do not count for the immediate and the button start.
        {Start::Immediate, shownAt(-3600), 0, false, {2026, 12, 8, 12, 0, 0}},
        {Start::Button, shownAt(-3600), 0, true, {2026, 12, 8, 12, 0, 0}},
        {Start::Delayed, shownAt(600), 600, false, {2026, 12, 8, 12, 10, 0}},
        {Start::Delayed, kUserPick, 16 * 86400 + 3 * 3600 + 1800, false, {2026, 12, 24, 15, 30, 0}},
    };
    for (const Case& c : cases) {
        connect(16, [](LoggerConfig& r) { r.setStartDelay(99); });
        flags.pushClockLive = true;
        Values v;
        v.start = c.start;
        v.pickers = c.pickers;
        EXPECT_EQ(setup_push_to_start::finish(core, v), WizardStep::to(page::kSummary)) << int(c.start);
        EXPECT_FALSE(flags.pushClockLive) << int(c.start);
        const LoggerConfig& held = device->record();
        EXPECT_EQ(held.startDelay(), c.delay) << int(c.start);
        EXPECT_EQ(held.hasMode(mode::kPushButton), c.button) << int(c.start);
        EXPECT_EQ((CivilTime{held.startFullYear(), held.startMonth(), held.startDay(), held.startHour(),
                             held.startMinute(), held.startSecond()}),
                  c.written)
            << int(c.start);
        bridge.detach(0);
    }
}

TEST_F(SetupPushToStart, BackAndCancelStopTheClock)
{
    connect(21, [](LoggerConfig& r) { r.setFlags(flag::kLowEnabled); });
    flags.pushClockLive = true;
    EXPECT_EQ(setup_push_to_start::back(core), WizardStep::to(page::kConsecutiveAlarms));
    EXPECT_FALSE(flags.pushClockLive);
    flags.pushClockLive = true;
    setup_push_to_start::cancel(core);
    EXPECT_FALSE(flags.pushClockLive);
}
