#include "setup_co_disclaimer_form.h"

#include "setup_forms.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kCoAgreement, makeSetupForm<CSetupCODisclaimerForm>);
} // namespace

CSetupCODisclaimerForm::CSetupCODisclaimerForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupDisclaimerPage(context, descriptor, PanelMotif::Gas)
{
}

} // namespace velmora
