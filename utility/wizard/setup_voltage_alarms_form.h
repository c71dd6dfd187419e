#pragma once
// The alarm page with typed levels (page 10); its rules are in
// setup_voltage_alarms_rules.h.
#include "setup_page.h"

class QCheckBox;
class QLabel;

namespace velmora {

class CNumericEdit;

class CSetupVoltageAlarmsForm final : public CSetupPage {
    Q_OBJECT
public:
    CSetupVoltageAlarmsForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

protected:
    void buildBody() override;

public slots:
    void OnNext() override;

private:
    struct Alarm {
        QCheckBox* box = nullptr;
        CNumericEdit* level = nullptr;
        QLabel* unit = nullptr;
        QCheckBox* hold = nullptr;
    };
    Alarm makeAlarm(int box, const char* text, int level, int unit, int hold, bool high);
    static void enable(const Alarm& alarm);
    void showLevel(CNumericEdit* edit, const std::string& text);

    Alarm high_;
    Alarm low_;
    QCheckBox* leds_ = nullptr;
    int decimals_ = 1;
};

} // namespace velmora
