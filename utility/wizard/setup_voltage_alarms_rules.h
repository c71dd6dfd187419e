#pragma once
// The alarm page with typed levels (page 10): voltage and current loggers in their
// user scaling, thermocouple, high-temperature and display temperature loggers. The
// levels are typed as numbers within the range the logger can measure; a level out
// of range is corrected with a message when its alarm is on, silently when it is off.
#include <string>

#include "typed_alarm_levels.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace setup_voltage_alarms {

namespace id {
inline constexpr int kHighHold = 1020, kLowHold = 1022, kHighAlarm = 1035, kLowAlarm = 1036, kHighLevel = 1083,
                     kLowLevel = 1084, kHighUnit = 1085, kLowUnit = 1086, kDisableLeds = 1093;
}

using typed_levels::kLevelLength;

struct Values {
    bool highOn = false;
    bool lowOn = false;
    std::string highText; // the level edits' texts, Windows-1252
    std::string lowText;
    bool highHold = false;
    bool lowHold = false;
    bool ledsOffered = true; // "Disable LEDs" is shown
    bool ledsDisabled = false;
    // What the page shows but does not take back: the edits' decimals and the unit
    // beside them (Windows-1252).
    int decimals = 1;
    std::string unit;
};

// The stored alarm texts as numbers; a high level outside the range shows as the
// top of the range, a low one as the bottom.
Values load(const LoggerRecord& record);
// The checks and stores in order. On a correction the rules set the corrected text
// into `values` for the page to show, and stay.
WizardStep next(WizardCore& core, Values& values);
// Stores nothing.
WizardStep back(WizardCore& core);

} // namespace setup_voltage_alarms

} // namespace velmora
