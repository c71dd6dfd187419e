#pragma once
// The consecutive alarms page (page 25); its rules are in
// setup_consecutive_alarms_rules.h.
#include "setup_consecutive_alarms_rules.h"
#include "setup_page.h"

class QCheckBox;
class QLabel;

namespace velmora {

class CNumericEdit;

class CSetupConsecutiveAlarmsForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupConsecutiveAlarmsForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    struct Alarm {
        QCheckBox* box = nullptr;
        CNumericEdit* count = nullptr;
    };
    Alarm makeAlarm(int box, const char* text, int count, bool high);
    void showSide(const Alarm& alarm, const setup_consecutive_alarms::Side& side);
    static void showCount(const Alarm& alarm, double count);
    // The box was clicked: the count remembered comes back, or is remembered.
    void tick(bool high, bool on);
    setup_consecutive_alarms::Side side(const Alarm& alarm, double remembered) const;

    Alarm high_;
    Alarm low_;
    QLabel* rate_ = nullptr;
    setup_consecutive_alarms::Remembered remembered_;
};

} // namespace velmora
