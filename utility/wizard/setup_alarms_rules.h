#pragma once
// The temperature alarm page (page 2) of the narrow temperature loggers: high and
// low levels from a list of half degrees Celsius or whole degrees Fahrenheit. Its
// "< Back" stores the page as "Next >" does.
#include "temperature_alarm_pair.h"

namespace velmora::setup_alarms {

namespace id = temperature_alarms::id;
using Values = temperature_alarms::Values;

// "%.1f °C" from 87.5 down to -40.0 in steps of 0.5 (256 entries), or "%.0f °F"
// from 189 down to -40 (230 entries).
AlarmLevelList levelList(const LoggerRecord& record);

Values load(const LoggerRecord& record);
WizardStep next(WizardCore& core, const Values& values);
WizardStep back(WizardCore& core, const Values& values);

} // namespace velmora::setup_alarms
