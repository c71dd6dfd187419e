#include "temperature_alarm_pair.h"

#include "connected_logger.h"
#include "conversions.h"
#include "prompts.h"
#include "utility_strings.h"
#include "wizard_core.h"

namespace velmora::temperature_alarms {

bool listsInFahrenheit(const LoggerRecord& record) { return record.config.inputOptions() == 1; }

Values load(const LoggerRecord& record, const AlarmLevelList& levels)
{
    const LoggerConfig& c = record.config;
    Values v;
    v.highOn = c.hasFlag(flag::kHighEnabled);
    v.lowOn = c.hasFlag(flag::kLowEnabled);
    v.highIndex = levels.indexFor(highAlarmValue(record));
    v.lowIndex = levels.indexFor(lowAlarmValue(record));
    v.highHold = c.hasFlag(flag::kHighLatched);
    v.lowHold = c.hasFlag(flag::kLowLatched);
    return v;
}

void save(LoggerRecord& record, const AlarmLevelList& levels, const Values& values)
{
    LoggerConfig& c = record.config;
    c.setHighAlarmEnabled(values.highOn);
    c.setLowAlarmEnabled(values.lowOn);
    c.setHighAlarmRaw(alarmLevelToRaw(record, levels.value(values.highIndex)));
    c.setLowAlarmRaw(alarmLevelToRaw(record, levels.value(values.lowIndex)));
    c.setHighAlarmLatched(values.highHold);
    c.setLowAlarmLatched(values.lowHold);
}

WizardStep next(WizardCore& core, const AlarmLevelList& levels, const Values& values, int page)
{
    save(core.logger, levels, values);
    if (values.highOn && values.lowOn && !(highAlarmValue(core.logger) > lowAlarmValue(core.logger))) {
        core.prompts.warn(msg(msgid::kHighNotAboveLow));
        return WizardStep::stay(id::kHighLevel);
    }
    return forwardFrom(core, page);
}

} // namespace velmora::temperature_alarms
