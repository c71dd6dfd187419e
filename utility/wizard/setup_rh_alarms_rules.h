#pragma once
// The humidity alarm page (page 7) of the humidity loggers: high and low levels from
// a list of half percents. Its "< Back" stores the page as "Next >" does.
#include "alarm_level_list.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace setup_rh_alarms {

namespace id {
inline constexpr int kHighAlarm = 1069, kLowAlarm = 1070, kHighLevel = 1071, kHighHold = 1072, kLowLevel = 1073,
                     kLowHold = 1074;
}

using Values = AlarmListValues; // indexes of levelList()

// "%.1f %" from 100.0 down to 0.0 in steps of 0.5 (201 entries).
AlarmLevelList levelList();

Values load(const LoggerRecord& record);
// The levels and "Hold" boxes (and the switches' bits, written when clicked).
void save(LoggerRecord& record, const Values& values);
WizardStep next(WizardCore& core, const Values& values);
WizardStep back(WizardCore& core, const Values& values);

} // namespace setup_rh_alarms

} // namespace velmora
