#include "setup_co_alarms_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "numeric_edit.h"
#include "numeric_entry.h"
#include "setup_co_alarms_rules.h"
#include "setup_co_table_dlg.h"
#include "setup_forms.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kCoAlarms, makeSetupForm<CSetupCOAlarmsForm>);
} // namespace

namespace rules = setup_co_alarms;
namespace id = setup_co_alarms::id;

namespace {
// Texts of the page's own, beside the ones the rules name.
constexpr int kLevelLabel = 1126, kHoldLine1 = 1124, kHoldLine2 = 1125, kRecommended = 1128, kAdvice = 1129;
} // namespace

CSetupCOAlarmsForm::CSetupCOAlarmsForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Gas)
{
}

void CSetupCOAlarmsForm::buildBody()
{
    const DialogUnits du(font());
    // The indicator heads the frame of what it enables, the rest stands indented.
    QGroupBox* group = addGroup();
    QVBoxLayout* inner = groupColumn(group);
    indicator_ = withId(new QCheckBox(QStringLiteral("Enable LED Indicator (flashes red when level reached)."), group),
                        id::kIndicator);
    inner->addWidget(indicator_);
    const int indent = du.x(4);
    const auto label = [&](int control, const char* text) {
        auto* l = withId(new QLabel(QString::fromLatin1(text), group), control);
        followers_.push_back(l);
        return l;
    };

    level_ = withId(new CNumericEdit(group), id::kLevel);
    level_->setFixedWidth(du.x(30));
    auto* levelRow = new QHBoxLayout;
    levelRow->addSpacing(indent);
    levelRow->addWidget(label(kLevelLabel, "Warning Level :"));
    levelRow->addWidget(level_);
    levelRow->addWidget(label(id::kUnit, "ppm"));
    levelRow->addStretch(1);
    inner->addLayout(levelRow);

    hold_ = withId(new QCheckBox(QStringLiteral("Hold. Select to enable the USB Data Logger to"), group), id::kHold);
    auto* holdBlock = new QGridLayout;
    holdBlock->setColumnMinimumWidth(0, indent);
    holdBlock->setSpacing(0);
    holdBlock->addWidget(hold_, 0, 1, 1, 2);
    // The lines that go on from the box's text start under it.
    QStyleOptionButton box;
    box.initFrom(hold_);
    holdBlock->setColumnMinimumWidth(1, style()->subElementRect(QStyle::SE_CheckBoxContents, &box, hold_).left());
    holdBlock->addWidget(label(kHoldLine1, "keep flashing after the carbon monoxide level"), 1, 2);
    holdBlock->addWidget(label(kHoldLine2, "has fallen below the Warning Level."), 2, 2);
    holdBlock->setColumnStretch(2, 1);
    inner->addLayout(holdBlock);

    sounder_ = withId(new QCheckBox(QStringLiteral("Sounder Enabled (Cap must be fitted)."), group), id::kSounder);
    auto* sounderRow = new QHBoxLayout;
    sounderRow->addSpacing(indent);
    sounderRow->addWidget(sounder_);
    sounderRow->addStretch(1);
    inner->addLayout(sounderRow);
    inner->addStretch(1);
    inner->addWidget(label(kRecommended, "The recommended safety level is 50ppm."));

    auto* levels = withId(new QPushButton(QStringLiteral("CO Levels..."), group), id::kCoLevels);
    auto* adviceRow = new QHBoxLayout;
    adviceRow->addWidget(label(kAdvice, "The effects of carbon monoxide exposure:"));
    adviceRow->addWidget(levels);
    adviceRow->addStretch(1);
    inner->addLayout(adviceRow);

    followers_.insert(followers_.end(), {level_, hold_, sounder_, levels});
    // Only a click writes: refresh() sets the box without touching the record.
    connect(indicator_, &QCheckBox::clicked, this, [this](bool on) {
        core().logger.config.setLowAlarmEnabled(on);
        enableWithIndicator();
    });
    connect(levels, &QPushButton::clicked, this, &CSetupCOAlarmsForm::OnCoLevels);
}

void CSetupCOAlarmsForm::enableWithIndicator()
{
    for (QWidget* w : followers_)
        w->setEnabled(indicator_->isChecked());
}

void CSetupCOAlarmsForm::showLevel(double level) { level_->setValue(level, 0, false, true); }

void CSetupCOAlarmsForm::refresh()
{
    refreshBackButton();
    const rules::Values v = rules::load(core().logger);
    indicator_->setChecked(v.indicatorOn);
    level_->setLimitText(rules::kLevelLength);
    showLevel(v.level);
    hold_->setChecked(v.hold);
    sounder_->setChecked(v.sounder);
    enableWithIndicator();
}

void CSetupCOAlarmsForm::OnNext()
{
    rules::Values v{indicator_->isChecked(), numericTextValue(level_->text().toStdString()), hold_->isChecked(),
                    sounder_->isChecked()};
    const double typed = v.level;
    const WizardStep step = rules::next(core(), v);
    if (v.level != typed) // corrected: shown before the focus goes to it
        showLevel(v.level);
    follow(step);
}

void CSetupCOAlarmsForm::OnCoLevels()
{
    CSetupCOTableDlg dialog(this);
    dialog.exec();
}

} // namespace velmora
