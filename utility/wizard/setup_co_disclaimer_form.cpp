#include "setup_co_disclaimer_form.h"

#include "wizard_pages.h"

namespace velmora {

CSetupCODisclaimerForm::CSetupCODisclaimerForm(PageContext& context)
    : CSetupDisclaimerPage(context, page::kCoAgreement, 163, PanelMotif::Gas)
{
}

} // namespace velmora
