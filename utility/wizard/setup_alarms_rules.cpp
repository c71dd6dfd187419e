#include "setup_alarms_rules.h"

#include "connected_logger.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_alarms {

AlarmLevelList levelList(const LoggerRecord& record)
{
    if (temperature_alarms::listsInFahrenheit(record))
        return AlarmLevelList(189.0, 1.0, 230, 0, "\260F");
    return AlarmLevelList(87.5, 0.5, 256, 1, "\260C");
}

Values load(const LoggerRecord& record) { return temperature_alarms::load(record, levelList(record)); }

WizardStep next(WizardCore& core, const Values& values)
{
    return temperature_alarms::next(core, levelList(core.logger), values, page::kAlarms);
}

WizardStep back(WizardCore& core, const Values& values)
{
    temperature_alarms::save(core.logger, levelList(core.logger), values);
    return backFrom(core, page::kAlarms);
}

} // namespace velmora::setup_alarms
