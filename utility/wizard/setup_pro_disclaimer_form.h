#pragma once
// Page 20: the safety agreement of the high-temperature logger.
#include "setup_disclaimer_page.h"

namespace velmora {

class CSetupPRODisclaimerForm final : public CSetupDisclaimerPage {
    Q_OBJECT
public:
    CSetupPRODisclaimerForm(PageContext& context, const PageDescriptor& descriptor);
};

} // namespace velmora
