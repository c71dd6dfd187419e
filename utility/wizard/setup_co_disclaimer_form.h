#pragma once
// Page 14: the safety agreement of the carbon monoxide loggers.
#include "setup_disclaimer_page.h"

namespace velmora {

class CSetupCODisclaimerForm final : public CSetupDisclaimerPage {
    Q_OBJECT
public:
    CSetupCODisclaimerForm(PageContext& context, const PageDescriptor& descriptor);
};

} // namespace velmora
