#include "list_alarms_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "text_encoding.h"

namespace velmora {

CListAlarmsPage::CListAlarmsPage(PageContext& context, const PageDescriptor& descriptor, PanelMotif motif,
                                 const QString& title, const QString& hint, AlarmIds high, AlarmIds low)
    : CSetupPage(context, descriptor, motif), title_(title), hint_(hint), highIds_(high), lowIds_(low)
{
}

void CListAlarmsPage::buildBody()
{
    const AlarmGroup alarms = addAlarmGroup(title_, hint_);
    high_ = makeAlarm(highIds_, true);
    low_ = makeAlarm(lowIds_, false);
    int row = 0;
    for (const Alarm& alarm : {high_, low_}) {
        alarms.rows->addWidget(alarm.box, row, 0);
        alarms.rows->addWidget(alarm.list, row, 1);
        alarms.rows->addWidget(alarm.hold, row, 2);
        ++row;
    }
    alarms.rows->setColumnStretch(3, 1);
    groupColumn(alarms.group)->addStretch(1);
}

CListAlarmsPage::Alarm CListAlarmsPage::makeAlarm(const AlarmIds& ids, bool high)
{
    const DialogUnits du(font());
    Alarm alarm;
    alarm.box = withId(new QCheckBox(QString::fromLatin1(ids.boxText), this), ids.box);
    alarm.list = withId(new QComboBox(this), ids.list);
    alarm.list->setMinimumWidth(du.x(50));
    alarm.list->setMaxVisibleItems(12);
    alarm.hold = withId(new QCheckBox(QStringLiteral("Hold"), this), ids.hold);
    // Only a click writes: refresh() sets the boxes without touching the record.
    connect(alarm.box, &QCheckBox::clicked, this, [this, high](bool on) {
        writeSwitch(high, on);
        enable(high ? high_ : low_);
    });
    return alarm;
}

void CListAlarmsPage::writeSwitch(bool high, bool on)
{
    LoggerConfig& c = core().logger.config;
    high ? c.setHighAlarmEnabled(on) : c.setLowAlarmEnabled(on);
}

void CListAlarmsPage::enable(const Alarm& alarm)
{
    const bool on = alarm.box->isChecked();
    alarm.list->setEnabled(on);
    alarm.hold->setEnabled(on);
}

void CListAlarmsPage::showValues(const AlarmLevelList& levels, const AlarmListValues& values)
{
    QStringList entries;
    for (const std::string& text : levels.texts())
        entries << QString::fromStdString(cp1252ToUtf8(text));
    if (entries != entries_) {
        entries_ = entries;
        for (QComboBox* list : {high_.list, low_.list}) {
            list->clear();
            list->addItems(entries_);
        }
    }
    high_.box->setChecked(values.highOn);
    low_.box->setChecked(values.lowOn);
    high_.list->setCurrentIndex(values.highIndex);
    low_.list->setCurrentIndex(values.lowIndex);
    high_.hold->setChecked(values.highHold);
    low_.hold->setChecked(values.lowHold);
    enable(high_);
    enable(low_);
}

AlarmListValues CListAlarmsPage::values() const
{
    return AlarmListValues{high_.box->isChecked(),    low_.box->isChecked(),   high_.list->currentIndex(),
                           low_.list->currentIndex(), high_.hold->isChecked(), low_.hold->isChecked()};
}

} // namespace velmora
