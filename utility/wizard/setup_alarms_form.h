#pragma once
// The temperature alarm page (page 2); its rules are in setup_alarms_rules.h.
#include "list_alarms_page.h"

namespace velmora {

class CSetupAlarmsForm final : public CListAlarmsPage {
    Q_OBJECT
public:
    explicit CSetupAlarmsForm(PageContext& context);
    void refresh() override;

public slots:
    void OnNext() override;
    void OnBack() override;
};

} // namespace velmora
