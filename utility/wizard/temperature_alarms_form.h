#pragma once
// The temperature alarm page (page 2) and the lite logger's alarm page (page 12): one
// form on the rules of temperature_alarms_rules.h, each page with its own lists.
#include "list_alarms_page.h"
#include "temperature_alarms_rules.h"

namespace velmora {

class CTemperatureAlarmsPage : public CListAlarmsPage {
    Q_OBJECT
public:
    void refresh() override;

public slots:
    void OnNext() override;
    void OnBack() override;

protected:
    CTemperatureAlarmsPage(PageContext& context, const PageDescriptor& descriptor,
                           const temperature_alarms::ListPage& lists);

private:
    const temperature_alarms::ListPage& lists_;
};

class CSetupAlarmsForm final : public CTemperatureAlarmsPage {
    Q_OBJECT
public:
    CSetupAlarmsForm(PageContext& context, const PageDescriptor& descriptor);
};

class CSetupLiteAlarmsForm final : public CTemperatureAlarmsPage {
    Q_OBJECT
public:
    CSetupLiteAlarmsForm(PageContext& context, const PageDescriptor& descriptor);
};

} // namespace velmora
