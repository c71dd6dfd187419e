#include "setup_pro_disclaimer_form.h"

#include "wizard_pages.h"

namespace velmora {

CSetupPRODisclaimerForm::CSetupPRODisclaimerForm(PageContext& context)
    : CSetupDisclaimerPage(context, page::kHtAgreement, 169, PanelMotif::Shield)
{
}

} // namespace velmora
