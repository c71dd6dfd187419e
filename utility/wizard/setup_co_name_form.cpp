#include "setup_co_name_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "name_page_parts.h"
#include "page_context.h"
#include "setup_co_name_rules.h"
#include "setup_forms.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kCoName, makeSetupForm<CSetupCONameForm>);
} // namespace

namespace rules = setup_co_name;

CSetupCONameForm::CSetupCONameForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Gas, Back::ByRow)
{
}

void CSetupCONameForm::buildBody()
{
    name_ = buildNameGroup(addGroup(), QStringLiteral("For example: Boiler Room"));
    rate_ = buildRateGroup(addGroup());
    body()->addStretch(1);
}

void CSetupCONameForm::refresh()
{
    refreshBackButton();
    const rules::Values v = rules::load(core().logger);
    name_->setText(shownText(v.name));
    fillRateBox(rate_, core().logger.type(), v.rate);
}

void CSetupCONameForm::OnNext()
{
    follow(rules::next(core(), rules::Values{recordText(name_->text()), rate_->currentIndex()}));
}

} // namespace velmora
