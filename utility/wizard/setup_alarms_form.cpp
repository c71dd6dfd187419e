#include "setup_alarms_form.h"

#include "connected_logger.h"
#include "setup_alarms_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace id = setup_alarms::id;

CSetupAlarmsForm::CSetupAlarmsForm(PageContext& context)
    : CListAlarmsPage(context, page::kAlarms, 103, PanelMotif::Thermometer, QStringLiteral("Temperature Alarms"),
                      QStringLiteral("Tick an alarm to switch it on and choose its level. Tick Hold to keep the "
                                     "alarm showing after the temperature has returned within the level."),
                      {id::kHighAlarm, id::kHighLevel, id::kHighHold, "High Alarm"},
                      {id::kLowAlarm, id::kLowLevel, id::kLowHold, "Low Alarm"})
{
}

void CSetupAlarmsForm::refresh()
{
    refreshBackButton();
    const LoggerRecord& record = core().logger;
    showValues(setup_alarms::levelList(record), setup_alarms::load(record));
}

void CSetupAlarmsForm::OnNext() { follow(setup_alarms::next(core(), values())); }

void CSetupAlarmsForm::OnBack() { follow(setup_alarms::back(core(), values())); }

} // namespace velmora
