#include "setup_voltage_name_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "name_page_parts.h"
#include "page_context.h"
#include "setup_forms.h"
#include "setup_voltage_name_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kVoltageName, makeSetupForm<CSetupVoltageNameForm>);
} // namespace

namespace rules = setup_voltage_name;

CSetupVoltageNameForm::CSetupVoltageNameForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Voltage, Back::Inert)
{
}

void CSetupVoltageNameForm::buildBody()
{
    name_ = buildNameGroup(addGroup(), QStringLiteral("For example: Battery"));

    QGroupBox* scaling = addGroup();
    QVBoxLayout* column = groupColumn(scaling);
    standard_ = withId(new QRadioButton(QStringLiteral("Standard Calibration."), scaling), rules::kStandardRadio);
    custom_ = withId(new QRadioButton(QStringLiteral("Custom Calibration. Change the units and graph scale."), scaling),
                     rules::kCustomRadio);
    scaleLabel_ = withId(new QLabel(QStringLiteral("The USB Voltage Logger is set to:-"), scaling), rules::kScaleLabel);
    rangeLabel_ = withId(new QLabel(QStringLiteral("(none)"), scaling), rules::kRangeLabel);
    column->addWidget(scaleLabel_);
    column->addWidget(rangeLabel_);
    column->addWidget(standard_);
    column->addWidget(custom_);

    rate_ = buildRateGroup(addGroup());
    body()->addStretch(1);
}

void CSetupVoltageNameForm::refresh()
{
    const rules::Values v = rules::load(core().logger);
    setLimitedText(name_, shownText(v.name), rules::kNameTypingLimit);
    fillRateBox(rate_, core().logger.type(), v.rate);
    (v.scaling == rules::kCustom ? custom_ : standard_)->setChecked(true);
    scaleLabel_->setText(shownText(v.scaleLabel));
    rangeLabel_->setText(shownText(v.rangeLabel));
}

void CSetupVoltageNameForm::OnNext()
{
    rules::Values v;
    v.name = recordText(name_->text());
    v.rate = rate_->currentIndex();
    v.scaling = custom_->isChecked() ? rules::kCustom : rules::kStandard;
    follow(rules::next(core(), v));
}

} // namespace velmora
