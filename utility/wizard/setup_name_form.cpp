#include "setup_name_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "page_context.h"
#include "setup_forms.h"
#include "setup_name_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kName, makeSetupForm<CSetupNameForm>);
} // namespace

CSetupNameForm::CSetupNameForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Thermometer, Back::ByRow)
{
}

void CSetupNameForm::buildBody()
{
    name_ = buildNameGroup(addGroup(), QStringLiteral("For example: Outside Temp"));
    scale_ = buildScaleGroup(addGroup());
    rate_ = buildRateGroup(addGroup());
    body()->addStretch(1);
}

void CSetupNameForm::refresh()
{
    refreshBackButton();
    const setup_name::Values v = setup_name::load(core().logger);
    name_->setText(shownText(v.name));
    scale_.show(v.scale);
    loadedScale_ = v.loadedScale;
    fillRateBox(rate_, core().logger.type(), v.rate);
}

void CSetupNameForm::OnNext()
{
    setup_name::Values v;
    v.name = recordText(name_->text());
    v.scale = scale_.chosen();
    v.loadedScale = loadedScale_;
    v.rate = rate_->currentIndex();
    follow(setup_name::next(core(), v));
}

} // namespace velmora
