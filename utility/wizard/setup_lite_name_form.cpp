#include "setup_lite_name_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "page_context.h"
#include "setup_forms.h"
#include "setup_lite_name_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kLiteName, makeSetupForm<CSetupLiteNameForm>);
} // namespace

namespace rules = setup_lite_name;

CSetupLiteNameForm::CSetupLiteNameForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Thermometer, Back::Inert)
{
}

void CSetupLiteNameForm::buildBody()
{
    name_ = buildNameGroup(addGroup(), QStringLiteral("For example: Office"));
    scale_ = buildScaleGroup(addGroup());
    QGroupBox* rateGroup = addGroup();
    QVBoxLayout* column = groupColumn(rateGroup);
    column->addWidget(
        new QLabel(QStringLiteral("The logging rate is fixed, one reading every 30 minutes."), rateGroup));
    column->addWidget(new QLabel(QStringLiteral("Battery permitting this logger will record for a month."), rateGroup));
    body()->addStretch(1);
}

void CSetupLiteNameForm::refresh()
{
    const rules::Values v = rules::load(core().logger);
    setLimitedText(name_, shownText(v.name), rules::kNameTypingLimit);
    scale_.show(v.scale);
}

void CSetupLiteNameForm::OnNext()
{
    follow(rules::next(core(), rules::Values{recordText(name_->text()), scale_.chosen()}));
}

} // namespace velmora
