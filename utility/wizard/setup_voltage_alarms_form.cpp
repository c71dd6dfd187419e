#include "setup_voltage_alarms_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "numeric_edit.h"
#include "numeric_entry.h"
#include "setup_forms.h"
#include "setup_voltage_alarms_rules.h"
#include "text_encoding.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kVoltageAlarms, makeSetupForm<CSetupVoltageAlarmsForm>);
} // namespace

namespace rules = setup_voltage_alarms;
namespace id = setup_voltage_alarms::id;

CSetupVoltageAlarmsForm::CSetupVoltageAlarmsForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Logger)
{
}

void CSetupVoltageAlarmsForm::buildBody()
{
    const DialogUnits du(font());
    const AlarmGroup alarms =
        addAlarmGroup(QStringLiteral("Alarm Levels"),
                      QStringLiteral("Tick an alarm to switch it on and type its level. Tick Hold to keep the alarm "
                                     "showing after the readings have returned within the level."));
    high_ = makeAlarm(id::kHighAlarm, "High Alarm", id::kHighLevel, id::kHighUnit, id::kHighHold, true);
    low_ = makeAlarm(id::kLowAlarm, "Low Alarm", id::kLowLevel, id::kLowUnit, id::kLowHold, false);
    int row = 0;
    for (const Alarm& alarm : {high_, low_}) {
        alarms.rows->addWidget(alarm.box, row, 0);
        alarms.rows->addWidget(alarm.level, row, 1);
        alarms.rows->addWidget(alarm.unit, row, 2);
        alarms.rows->addWidget(alarm.hold, row, 3);
        ++row;
    }
    alarms.rows->setColumnStretch(4, 1);
    QVBoxLayout* column = groupColumn(alarms.group);
    column->addSpacing(du.y(8));
    leds_ = withId(new QCheckBox(QStringLiteral("Disable LEDs"), alarms.group), id::kDisableLeds);
    column->addWidget(leds_);
    column->addStretch(1);
    connect(leds_, &QCheckBox::clicked, this, [this](bool on) { core().logger.config.setLedsDisabled(on); });
}

CSetupVoltageAlarmsForm::Alarm CSetupVoltageAlarmsForm::makeAlarm(int box, const char* text, int level, int unit,
                                                                  int hold, bool high)
{
    const DialogUnits du(font());
    Alarm alarm;
    alarm.box = withId(new QCheckBox(QString::fromLatin1(text), this), box);
    alarm.level = withId(new CNumericEdit(this), level);
    alarm.level->setFixedWidth(du.x(40));
    alarm.unit = withId(new QLabel(this), unit);
    alarm.unit->setMinimumWidth(du.x(24));
    alarm.hold = withId(new QCheckBox(QStringLiteral("Hold"), this), hold);
    // Only a click writes: refresh() sets the boxes without touching the record.
    connect(alarm.box, &QCheckBox::clicked, this, [this, high](bool on) {
        LoggerConfig& c = core().logger.config;
        high ? c.setHighAlarmEnabled(on) : c.setLowAlarmEnabled(on);
        enable(high ? high_ : low_);
    });
    return alarm;
}

void CSetupVoltageAlarmsForm::enable(const Alarm& alarm)
{
    const bool on = alarm.box->isChecked();
    alarm.level->setEnabled(on);
    alarm.hold->setEnabled(on);
}

void CSetupVoltageAlarmsForm::showLevel(CNumericEdit* edit, const std::string& text)
{
    edit->setValue(numericTextValue(text), decimals_, true, true);
}

void CSetupVoltageAlarmsForm::refresh()
{
    refreshBackButton();
    const rules::Values v = rules::load(core().logger);
    decimals_ = v.decimals;
    const QString unit = QString::fromStdString(cp1252ToUtf8(v.unit));
    const auto show = [&](const Alarm& alarm, bool on, const std::string& text, bool hold) {
        alarm.box->setChecked(on);
        alarm.level->setLimitText(rules::kLevelLength);
        showLevel(alarm.level, text);
        alarm.unit->setText(unit);
        alarm.hold->setChecked(hold);
        enable(alarm);
    };
    show(high_, v.highOn, v.highText, v.highHold);
    show(low_, v.lowOn, v.lowText, v.lowHold);
    leds_->setVisible(v.ledsOffered);
    leds_->setChecked(v.ledsDisabled);
}

void CSetupVoltageAlarmsForm::OnNext()
{
    rules::Values v;
    v.highOn = high_.box->isChecked();
    v.lowOn = low_.box->isChecked();
    v.highText = utf8ToCp1252(high_.level->text().toStdString());
    v.lowText = utf8ToCp1252(low_.level->text().toStdString());
    v.highHold = high_.hold->isChecked();
    v.lowHold = low_.hold->isChecked();
    v.ledsOffered = !leds_->isHidden();
    v.ledsDisabled = leds_->isChecked();
    const std::string highTyped = v.highText;
    const std::string lowTyped = v.lowText;
    const WizardStep step = rules::next(core(), v);
    // A corrected level is shown before the focus goes to it.
    if (v.highText != highTyped)
        showLevel(high_.level, v.highText);
    if (v.lowText != lowTyped)
        showLevel(low_.level, v.lowText);
    follow(step);
}

} // namespace velmora
