#pragma once
// The alarm page of the lite logger (page 12): high and low levels from a list of
// whole degrees Celsius or every other degree Fahrenheit. Its "< Back" stores nothing.
#include "temperature_alarm_pair.h"

namespace velmora::setup_lite_alarms {

namespace id = temperature_alarms::id;
using Values = temperature_alarms::Values;

// "%.0f °C" from 50 down to -10 in steps of 1 (61 entries), or "%.0f °F" from 122
// down to 14 in steps of 2 (55 entries).
AlarmLevelList levelList(const LoggerRecord& record);

Values load(const LoggerRecord& record);
WizardStep next(WizardCore& core, const Values& values);
WizardStep back(WizardCore& core);

} // namespace velmora::setup_lite_alarms
