#pragma once
// What the rules of every set-up page work with: the one connected logger whose
// record they change in place, the prompts through which they ask and warn, the
// wizard's clock flags and the calendar clock of the finish pages. The Qt pages and
// velmora-cli build one and hand it to the rules.
#include "wizard_step.h"

namespace velmora {

class ConnectedLogger;
class Prompts;
class WallClock;
struct WizardFlags;

struct WizardCore {
    ConnectedLogger& logger;
    Prompts& prompts;
    WizardFlags& flags;
    WallClock& clock;
};

// "Next >" after a page has stored its values: the next page of the logger's row,
// arming the live clock of the finish page it leads to.
WizardStep forwardFrom(WizardCore& core, int page);
// "< Back": the previous page of the row; staying when the page is the first.
WizardStep backFrom(const WizardCore& core, int page);

} // namespace velmora
