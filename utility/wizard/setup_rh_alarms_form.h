#pragma once
// The humidity alarm page (page 7); its rules are in setup_rh_alarms_rules.h.
#include "list_alarms_page.h"

namespace velmora {

class CSetupRHAlarmsForm final : public CListAlarmsPage {
    Q_OBJECT
public:
    CSetupRHAlarmsForm(PageContext& context, const PageDescriptor& descriptor);
    void refresh() override;

public slots:
    void OnNext() override;
    void OnBack() override;

protected:
    void writeSwitch(bool high, bool on) override;
};

} // namespace velmora
