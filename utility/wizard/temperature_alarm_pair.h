#pragma once
// The high and low temperature alarms chosen from level lists, as the temperature
// alarm page and the lite logger's alarm page both offer them: a switch, a list and
// a "Hold" box for each, and the high level above the low one when both are on.
#include "alarm_level_list.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace temperature_alarms {

namespace id {
inline constexpr int kHighLevel = 1019, kHighHold = 1020, kLowLevel = 1021, kLowHold = 1022, kHighAlarm = 1035,
                     kLowAlarm = 1036;
}

using Values = AlarmListValues;

// Both lists and the values of their entries follow one reading of the unit:
// inputOptions 1 is Fahrenheit, anything else Celsius, as the conversions read it.
bool listsInFahrenheit(const LoggerRecord& record);

Values load(const LoggerRecord& record, const AlarmLevelList& levels);
// The selected levels, encoded for the alarm slots, and the "Hold" boxes. The
// switches' bits are stored too: on the page they were written when clicked, and
// storing them again lets a caller without the page hand in the whole state.
void save(LoggerRecord& record, const AlarmLevelList& levels, const Values& values);
// "Next >" of both pages: save, then, when both alarms are on and the stored high
// level is not above the low one, message 132 with the focus on the high list;
// otherwise the page after `page`.
WizardStep next(WizardCore& core, const AlarmLevelList& levels, const Values& values, int page);

} // namespace temperature_alarms

} // namespace velmora
