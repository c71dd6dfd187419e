#include "temperature_alarms_rules.h"

#include "connected_logger.h"
#include "conversions.h"
#include "prompts.h"
#include "utility_strings.h"
#include "wizard_core.h"

namespace velmora::temperature_alarms {

bool listsInFahrenheit(const LoggerRecord& record) { return record.config.inputOptions() == 1; }

AlarmLevelList ListPage::levelList(const LoggerRecord& record) const
{
    if (listsInFahrenheit(record))
        return AlarmLevelList(fahrenheit.top, fahrenheit.step, fahrenheit.count, fahrenheit.decimals, "\260F");
    return AlarmLevelList(celsius.top, celsius.step, celsius.count, celsius.decimals, "\260C");
}

Values ListPage::load(const LoggerRecord& record) const
{
    const AlarmLevelList levels = levelList(record);
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

WizardStep ListPage::next(WizardCore& core, const Values& values) const
{
    save(core.logger, levelList(core.logger), values);
    if (values.highOn && values.lowOn && !(highAlarmValue(core.logger) > lowAlarmValue(core.logger))) {
        core.prompts.warn(std::string(utilitytext::kHighNotAboveLow));
        return WizardStep::stay(id::kHighLevel);
    }
    return forwardFrom(core, page);
}

WizardStep ListPage::back(WizardCore& core, const Values& values) const
{
    if (backStores)
        save(core.logger, levelList(core.logger), values);
    return backFrom(core, page);
}

} // namespace velmora::temperature_alarms
