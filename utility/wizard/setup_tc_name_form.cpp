#include "setup_tc_name_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "page_context.h"
#include "sample_rate_choice.h"
#include "setup_forms.h"
#include "setup_tc_name_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kTcName, makeSetupForm<CSetupTCNameForm>);
} // namespace

namespace rules = setup_tc_name;

CSetupTCNameForm::CSetupTCNameForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Thermometer, Back::Inert)
{
}

void CSetupTCNameForm::buildBody()
{
    const DialogUnits du(font());
    name_ = buildNameGroup(addGroup(), QStringLiteral("For example: Furnace"));

    QGroupBox* kindGroup = addGroup();
    auto* row = new QHBoxLayout;
    auto* heading = new QVBoxLayout;
    heading->setSpacing(0);
    heading->addWidget(new QLabel(QStringLiteral("Select Input Type and"), kindGroup));
    heading->addWidget(new QLabel(QStringLiteral("Temperature Scale. "), kindGroup));
    row->addLayout(heading);
    kind_ = withId(new QComboBox(kindGroup), rules::kThermocoupleBox);
    for (const std::string_view entry : kThermocoupleEntries)
        kind_->addItem(QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
    kind_->setFixedWidth(du.x(48));
    row->addWidget(kind_);
    scale_ = makeScaleRadios(kindGroup);
    row->addSpacing(du.x(6));
    row->addWidget(scale_.celsius);
    row->addWidget(scale_.fahrenheit);
    row->addStretch(1);
    groupColumn(kindGroup)->addLayout(row);

    rate_ = buildRateGroup(addGroup());
    body()->addStretch(1);
}

void CSetupTCNameForm::refresh()
{
    const rules::Values v = rules::load(core().logger);
    name_->setText(shownText(v.name));
    scale_.show(v.scale);
    loadedScale_ = v.loadedScale;
    kind_->setCurrentIndex(v.thermocouple);
    fillRateBox(rate_, core().logger.type(), v.rate);
}

void CSetupTCNameForm::OnNext()
{
    rules::Values v;
    v.name = recordText(name_->text());
    v.scale = scale_.chosen();
    v.loadedScale = loadedScale_;
    v.rate = rate_->currentIndex();
    v.thermocouple = kind_->currentIndex();
    follow(rules::next(core(), v));
}

} // namespace velmora
