#pragma once
// The lite logger's alarm page (page 12); its rules are in setup_lite_alarms_rules.h.
#include "list_alarms_page.h"

namespace velmora {

class CSetupLiteAlarmsForm final : public CListAlarmsPage {
    Q_OBJECT
public:
    explicit CSetupLiteAlarmsForm(PageContext& context);
    void refresh() override;

public slots:
    void OnNext() override;
};

} // namespace velmora
