#include "setup_lite_alarms_rules.h"

#include "connected_logger.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_lite_alarms {

AlarmLevelList levelList(const LoggerRecord& record)
{
    if (temperature_alarms::listsInFahrenheit(record))
        return AlarmLevelList(122.0, 2.0, 55, 0, "\260F");
    return AlarmLevelList(50.0, 1.0, 61, 0, "\260C");
}

Values load(const LoggerRecord& record) { return temperature_alarms::load(record, levelList(record)); }

WizardStep next(WizardCore& core, const Values& values)
{
    return temperature_alarms::next(core, levelList(core.logger), values, page::kLiteAlarms);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kLiteAlarms); }

} // namespace velmora::setup_lite_alarms
