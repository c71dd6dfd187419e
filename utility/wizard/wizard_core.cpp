#include "wizard_core.h"

#include "connected_logger.h"
#include "page_sequence.h"

namespace velmora {

WizardStep forwardFrom(WizardCore& core, int from)
{
    const int next = nextPage(core.logger.config, from);
    if (next < 0)
        return WizardStep::stay();
    if (const PageDescriptor* d = pageDescriptor(next); d && d->onArrival)
        d->onArrival(core);
    return WizardStep::to(next);
}

WizardStep backFrom(const WizardCore& core, int from)
{
    const int previous = previousPage(core.logger.config, from);
    return previous < 0 ? WizardStep::stay() : WizardStep::to(previous);
}

} // namespace velmora
