#include "setup_pro_disclaimer_form.h"

#include "setup_forms.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kHtAgreement, makeSetupForm<CSetupPRODisclaimerForm>);
} // namespace

CSetupPRODisclaimerForm::CSetupPRODisclaimerForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupDisclaimerPage(context, descriptor, PanelMotif::Shield)
{
}

} // namespace velmora
