#include "setup_start_rules.h"

#include "wall_clock.h"
#include "wizard_core.h"
#include "wizard_flags.h"
#include "wizard_pages.h"

namespace velmora::setup_start {

Values load(WizardCore& core) { return Values{StartPickers::showing(core.clock.localNow())}; }

bool clockLive(const WizardCore& core) { return core.flags.startClockLive; }

void pickerEdited(WizardCore& core) { core.flags.startClockLive = false; }

StartChoice choice(const Values& values) { return StartChoice{StartMode::At, values.pickers.start()}; }

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
