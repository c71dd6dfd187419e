#include "setup_lite_alarms_form.h"

#include "connected_logger.h"
#include "setup_lite_alarms_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace id = setup_lite_alarms::id;

CSetupLiteAlarmsForm::CSetupLiteAlarmsForm(PageContext& context)
    : CListAlarmsPage(context, page::kLiteAlarms, 159, PanelMotif::Thermometer, QStringLiteral("Temperature Alarms"),
                      QStringLiteral("Tick an alarm to switch it on and choose its level. Tick Hold to keep the "
                                     "alarm showing after the temperature has returned within the level."),
                      {id::kHighAlarm, id::kHighLevel, id::kHighHold, "High Alarm"},
                      {id::kLowAlarm, id::kLowLevel, id::kLowHold, "Low Alarm"})
{
}

void CSetupLiteAlarmsForm::refresh()
{
    refreshBackButton();
    const LoggerRecord& record = core().logger;
    showValues(setup_lite_alarms::levelList(record), setup_lite_alarms::load(record));
}

void CSetupLiteAlarmsForm::OnNext() { follow(setup_lite_alarms::next(core(), values())); }

} // namespace velmora
