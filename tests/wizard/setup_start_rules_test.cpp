// The start page: its clock flag, and the start taken from the two pickers.
#include <gtest/gtest.h>

#include "setup_start_rules.h"
#include "time_zone.h"
#include "utility_strings.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

class SetupStart : public test::WizardFixture {
protected:
    test::ScopedTimeZone zone{"UTC"};
};

} // namespace

TEST_F(SetupStart, EveryWayOffThePageAndEveryEditStopsTheClock)
{
    connect(3);
    struct Case {
        const char* what;
        WizardStep (*act)(WizardCore&);
        WizardStep step;
    };
    const Case cases[] = {
        {"picker edited",
         [](WizardCore& c) {
             setup_start::pickerEdited(c);
             return WizardStep::stay();
         },
         WizardStep::stay()},
        {"back", [](WizardCore& c) { return setup_start::back(c); }, WizardStep::to(page::kRhAlarms)},
        {"cancel",
         [](WizardCore& c) {
             setup_start::cancel(c);
             return WizardStep::stay();
         },
         WizardStep::stay()},
    };
    for (const Case& c : cases) {
        flags.startClockLive = true;
        EXPECT_TRUE(setup_start::clockLive(core)) << c.what;
        EXPECT_EQ(c.act(core), c.step) << c.what;
        EXPECT_FALSE(setup_start::clockLive(core)) << c.what;
        EXPECT_FALSE(flags.pushClockLive) << c.what;
    }
}

TEST_F(SetupStart, ThePickersFollowTheClockAndTheStartJoinsTheirDateAndTime)
{
    connect(1);
    EXPECT_EQ(setup_start::load(core).pickers, StartPickers::showing(CivilTime{2026, 12, 8, 12, 0, 0}));
    clock.advance(90);
    EXPECT_EQ(setup_start::load(core).pickers, StartPickers::showing(CivilTime{2026, 12, 8, 12, 1, 30}));

    // The time picker still holds yesterday's date, the date picker a morning hour:
    // only the time of the one and the date of the other count.
    flags.startClockLive = true;
    const setup_start::Values values{StartPickers{CivilTime{2026, 12, 7, 12, 11, 30}, CivilTime{2026, 12, 8, 9, 0, 0}}};
    EXPECT_EQ(setup_start::finish(core, values), WizardStep::to(page::kSummary));
    EXPECT_FALSE(flags.startClockLive);
    EXPECT_EQ(device->record().startDelay(), 600u);
    EXPECT_EQ(device->record().startHour(), 12);
    EXPECT_EQ(device->record().startMinute(), 11);
    EXPECT_EQ(device->record().startDay(), 8);
}

TEST_F(SetupStart, AStartInThePastIsRefusedAndTheClockStaysStopped)
{
    connect(1);
    flags.startClockLive = true;
    prompts.expectMsg(utilitytext::kStartInPast);
    const setup_start::Values values{StartPickers::showing(CivilTime{2026, 12, 8, 11, 59, 0})};
    EXPECT_EQ(setup_start::finish(core, values), WizardStep::stay());
    EXPECT_FALSE(flags.startClockLive);
    EXPECT_EQ(device->recordsTaken(), 0);
}
