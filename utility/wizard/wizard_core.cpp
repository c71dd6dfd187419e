#include "wizard_core.h"

#include "connected_logger.h"
#include "page_sequence.h"
#include "wizard_flags.h"
#include "wizard_pages.h"

namespace velmora {

WizardStep forwardFrom(WizardCore& core, int from)
{
    const LoggerConfig& config = core.logger.config;
    const int next = nextPage(config, from);
    if (next < 0)
        return WizardStep::stay();
    // The finish page shows a running clock when reached going forward; a logger
    // already set to start on its button keeps its pickers blank instead.
    if (next == page::kStart)
        core.flags.startClockLive = true;
    else if (next == page::kPushToStart && !config.isPushButtonStart())
        core.flags.pushClockLive = true;
    return WizardStep::to(next);
}

WizardStep backFrom(const WizardCore& core, int from)
{
    const int previous = previousPage(core.logger.config, from);
    return previous < 0 ? WizardStep::stay() : WizardStep::to(previous);
}

} // namespace velmora
