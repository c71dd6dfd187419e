#include "setup_start_rules.h"

#include "wall_clock.h"
#include "wizard_core.h"
#include "wizard_flags.h"
#include "wizard_pages.h"

namespace velmora::setup_start {

Values load(WizardCore& core) { return Values{StartPickers::showing(core.clock.localNow())}; }

void arrive(WizardCore& core) { core.flags.startClockLive = true; }

bool clockLive(const WizardCore& core) { return core.flags.startClockLive; }

void pickerEdited(WizardCore& core) { core.flags.startClockLive = false; }

StartChoice choice(const Values& values) { return StartChoice{StartMode::At, values.pickers.start()}; }

void choose(WizardCore& core, Values& values, const StartChoice& start)
{
    if (start.mode != StartMode::At)
        return;
    values.pickers = StartPickers::showing(start.at);
    pickerEdited(core);
}

WizardStep finish(WizardCore& core, const Values& values)
{
    core.flags.startClockLive = false;
    return finishSetUp(core, choice(values));
}

WizardStep back(WizardCore& core)
{
    core.flags.startClockLive = false;
    return backFrom(core, page::kStart);
}

void cancel(WizardCore& core) { core.flags.startClockLive = false; }

} // namespace velmora::setup_start
