#include "setup_push_to_start_rules.h"

#include "connected_logger.h"
#include "wall_clock.h"
#include "wizard_core.h"
#include "wizard_flags.h"
#include "wizard_pages.h"

namespace velmora::setup_push_to_start {

namespace {
// Pickers in use, at the current time. Showing them again also ends a blank display
// left by the button start, so a delayed start chosen after it shows its time.
void showNow(WizardCore& core, Values& values)
{
    values.pickersEnabled = true;
    values.pickersBlank = false;
    values.pickers = StartPickers::showing(core.clock.localNow());
}
} // namespace

Values load(WizardCore& core)
{
    Values values;
    if (core.logger.config.isPushButtonStart()) {
        values.start = Start::Button;
        values.pickersEnabled = false;
        values.pickersBlank = true;
        values.pickers = StartPickers::showing(core.clock.localNow());
        core.flags.pushClockLive = false;
        return values;
    }
    values.start = Start::Immediate;
    showNow(core, values);
    return values;
}

void arrive(WizardCore& core)
{
    if (!core.logger.config.isPushButtonStart())
        core.flags.pushClockLive = true;
}

bool clockLive(const WizardCore& core) { return core.flags.pushClockLive; }

void tick(WizardCore& core, Values& values) { showNow(core, values); }

void chooseImmediate(WizardCore& core, Values& values)
{
    values.start = Start::Immediate;
    if (core.flags.pushClockLive)
        return;
    showNow(core, values);
    core.flags.pushClockLive = true;
}

void chooseButton(WizardCore& core, Values& values)
{
    values.start = Start::Button;
    values.pickersEnabled = false;
    values.pickersBlank = true;
    core.flags.pushClockLive = false;
}

void chooseDelayed(WizardCore& core, Values& values)
{
    values.start = Start::Delayed;
    core.flags.pushClockLive = false;
    showNow(core, values);
}

void pickerEdited(WizardCore& core, Values& values)
{
    core.flags.pushClockLive = false;
    values.start = Start::Delayed;
}

StartChoice choice(const Values& values)
{
    switch (values.start) {
    case Start::Delayed: return StartChoice{StartMode::At, values.pickers.start()};
    case Start::Button: return StartChoice{StartMode::Button, {}};
    case Start::Immediate: break;
    }
    return StartChoice{StartMode::Now, {}};
}

void choose(WizardCore& core, Values& values, const StartChoice& start)
{
    switch (start.mode) {
    case StartMode::Now: chooseImmediate(core, values); break;
    case StartMode::Button: chooseButton(core, values); break;
    case StartMode::At:
        chooseDelayed(core, values);
        values.pickers = StartPickers::showing(start.at);
        pickerEdited(core, values);
        break;
    }
}

WizardStep finish(WizardCore& core, const Values& values)
{
    core.flags.pushClockLive = false;
    return finishSetUp(core, choice(values));
}

WizardStep back(WizardCore& core)
{
    core.flags.pushClockLive = false;
    return backFrom(core, page::kPushToStart);
}

void cancel(WizardCore& core) { core.flags.pushClockLive = false; }

} // namespace velmora::setup_push_to_start
