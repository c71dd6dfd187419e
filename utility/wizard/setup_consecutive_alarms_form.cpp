#include "setup_consecutive_alarms_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "numeric_edit.h"
#include "numeric_entry.h"
#include "setup_forms.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kConsecutiveAlarms, makeSetupForm<CSetupConsecutiveAlarmsForm>);
} // namespace

namespace rules = setup_consecutive_alarms;
namespace id = setup_consecutive_alarms::id;

CSetupConsecutiveAlarmsForm::CSetupConsecutiveAlarmsForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Clock)
{
}

void CSetupConsecutiveAlarmsForm::buildBody()
{
    const AlarmGroup alarms = addAlarmGroup(
        QStringLiteral("Consecutive Alarms"),
        QStringLiteral("Tick an alarm to have it shown only when a number of readings in a row (2 to 250) are in "
                       "alarm. Clear it to show the alarm at the first reading."));
    high_ = makeAlarm(id::kHighAlarm, "High Alarm", id::kHighCount, true);
    low_ = makeAlarm(id::kLowAlarm, "Low Alarm", id::kLowCount, false);
    int row = 0;
    for (const Alarm& alarm : {high_, low_}) {
        alarms.rows->addWidget(alarm.box, row, 0);
        alarms.rows->addWidget(alarm.count, row, 1);
        alarms.rows->addWidget(new QLabel(QStringLiteral("consecutive readings"), alarms.group), row, 2);
        ++row;
    }
    alarms.rows->setColumnStretch(3, 1);
    groupColumn(alarms.group)->addStretch(1);

    QGroupBox* rateGroup = addGroup();
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(new QLabel(QStringLiteral("Current logging rate :"), rateGroup));
    rate_ = withId(new QLabel(rateGroup), id::kRate);
    rateRow->addWidget(rate_);
    rateRow->addStretch(1);
    groupColumn(rateGroup)->addLayout(rateRow);
}

CSetupConsecutiveAlarmsForm::Alarm CSetupConsecutiveAlarmsForm::makeAlarm(int box, const char* text, int count,
                                                                          bool high)
{
    const DialogUnits du(font());
    Alarm alarm;
    alarm.box = withId(new QCheckBox(QString::fromLatin1(text), this), box);
    alarm.count = withId(new CNumericEdit(this), count);
    alarm.count->setFixedWidth(du.x(24));
    connect(alarm.box, &QCheckBox::clicked, this, [this, high](bool on) { tick(high, on); });
    return alarm;
}

void CSetupConsecutiveAlarmsForm::showCount(const Alarm& alarm, double count)
{
    alarm.count->setValue(count, 0, false, true);
}

void CSetupConsecutiveAlarmsForm::showSide(const Alarm& alarm, const rules::Side& side)
{
    alarm.box->setEnabled(side.offered);
    alarm.box->setChecked(side.ticked);
    alarm.count->setLimitText(rules::kCountLength);
    alarm.count->setEnabled(side.ticked);
    if (side.ticked)
        showCount(alarm, side.count);
    else
        alarm.count->clear();
}

void CSetupConsecutiveAlarmsForm::tick(bool high, bool on)
{
    const Alarm& alarm = high ? high_ : low_;
    double& remembered = high ? remembered_.high : remembered_.low;
    if (on) {
        showCount(alarm, rules::tick(remembered));
        alarm.count->setEnabled(true);
    } else {
        rules::untick(remembered, numericTextValue(alarm.count->text().toStdString()));
        alarm.count->clear();
        alarm.count->setEnabled(false);
    }
}

rules::Side CSetupConsecutiveAlarmsForm::side(const Alarm& alarm, double remembered) const
{
    const bool ticked = alarm.box->isChecked();
    return rules::Side{alarm.box->isEnabled(), ticked,
                       ticked ? numericTextValue(alarm.count->text().toStdString()) : remembered};
}

void CSetupConsecutiveAlarmsForm::refresh()
{
    refreshBackButton();
    const rules::Values v = rules::load(core().logger, remembered_);
    showSide(high_, v.high);
    showSide(low_, v.low);
    rate_->setText(QString::fromLatin1(v.rate.data(), static_cast<qsizetype>(v.rate.size())));
}

void CSetupConsecutiveAlarmsForm::OnNext()
{
    rules::Values v{side(high_, remembered_.high), side(low_, remembered_.low), {}};
    const rules::Values typed = v;
    const WizardStep step = rules::next(core(), v);
    // A corrected count is shown before the focus goes to it.
    if (v.high.count != typed.high.count)
        showCount(high_, v.high.count);
    if (v.low.count != typed.low.count)
        showCount(low_, v.low.count);
    follow(step);
}

} // namespace velmora
