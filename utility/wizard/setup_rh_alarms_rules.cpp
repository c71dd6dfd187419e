#include "setup_rh_alarms_rules.h"

#include "connected_logger.h"
#include "conversions.h"
#include "prompts.h"
#include "utility_strings.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_rh_alarms {

AlarmLevelList levelList() { return AlarmLevelList(100.0, 0.5, 201, 1, "%"); }

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    const AlarmLevelList levels = levelList();
    Values v;
    v.highOn = c.hasFlag(flag::kRhHighEnabled);
    v.lowOn = c.hasFlag(flag::kRhLowEnabled);
    v.highIndex = levels.indexFor(c.rhHighAlarm());
    v.lowIndex = levels.indexFor(c.rhLowAlarm());
    v.highHold = c.hasFlag(flag::kRhHighLatched);
    v.lowHold = c.hasFlag(flag::kRhLowLatched);
    return v;
}

void save(LoggerRecord& record, const Values& values)
{
    LoggerConfig& c = record.config;
    const AlarmLevelList levels = levelList();
    c.setRhHighEnabled(values.highOn);
    c.setRhLowEnabled(values.lowOn);
    // 0 to 100 % in half percents: codes 0 to 200.
    c.setRhHighAlarm(static_cast<std::uint8_t>(rhToRaw(levels.value(values.highIndex))));
    c.setRhLowAlarm(static_cast<std::uint8_t>(rhToRaw(levels.value(values.lowIndex))));
    c.setRhHighLatched(values.highHold);
    c.setRhLowLatched(values.lowHold);
}

WizardStep next(WizardCore& core, const Values& values)
{
    save(core.logger, values);
    const LoggerConfig& c = core.logger.config;
    if (values.highOn && values.lowOn && !(c.rhHighAlarm() > c.rhLowAlarm())) {
        core.prompts.warn(std::string(utilitytext::kHighNotAboveLow));
        return WizardStep::stay(id::kHighLevel);
    }
    return forwardFrom(core, page::kRhAlarms);
}

WizardStep back(WizardCore& core, const Values& values)
{
    save(core.logger, values);
    return backFrom(core, page::kRhAlarms);
}

} // namespace velmora::setup_rh_alarms
