#pragma once
// The frame of the alarm pages whose levels are chosen from lists (temperature,
// humidity and lite logger alarms): a switch, a level list and a "Hold" box for the
// high and the low alarm. A switch writes its alarm's bit at once and enables the
// alarm's list and "Hold"; the rest goes to the page's rules on "Next >".
#include "alarm_level_list.h"
#include "setup_page.h"

class QCheckBox;
class QComboBox;

namespace velmora {

class CListAlarmsPage : public CSetupPage {
    Q_OBJECT
protected:
    // The controls of one alarm: switch, list and "Hold", with the switch's text.
    struct AlarmIds {
        int box;
        int list;
        int hold;
        const char* boxText;
    };

    CListAlarmsPage(PageContext& context, const PageDescriptor& descriptor, PanelMotif motif, const QString& title,
                    const QString& hint, AlarmIds high, AlarmIds low);

    void buildBody() override;

    // Fills both lists (when their entries changed) and shows the values.
    void showValues(const AlarmLevelList& levels, const AlarmListValues& values);
    AlarmListValues values() const;

    // Writes the alarm's enable bit into the record; called when its switch is clicked.
    // The temperature alarms' bits, unless the page has alarms of its own.
    virtual void writeSwitch(bool high, bool on);

private:
    struct Alarm {
        QCheckBox* box = nullptr;
        QComboBox* list = nullptr;
        QCheckBox* hold = nullptr;
    };
    Alarm makeAlarm(const AlarmIds& ids, bool high);
    static void enable(const Alarm& alarm);

    QString title_;
    QString hint_;
    AlarmIds highIds_;
    AlarmIds lowIds_;
    Alarm high_;
    Alarm low_;
    QStringList entries_; // what the lists hold now
};

} // namespace velmora
