#pragma once
// The carbon monoxide warning level page (page 15): the level at which the logger's
// LED flashes red (and its sounder sounds), with questions when the level is above
// the recommended 50 ppm or the sounder is off.
#include <string>

#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace setup_co_alarms {

namespace id {
inline constexpr int kHold = 1022, kIndicator = 1036, kLevel = 1084, kUnit = 1085, kSounder = 1105, kCoLevels = 1123;
}

// The level recommended for safety, offered in place of a level out of range.
inline constexpr int kRecommendedLevel = 50;
inline constexpr int kLowestLevel = 3;
// At most this many digits are typed into the level.
inline constexpr int kLevelLength = 4;

struct Values {
    bool indicatorOn = false;         // "Enable LED Indicator ..."
    double level = kRecommendedLevel; // the level edit's number, ppm
    bool hold = false;
    bool sounder = false;
};

// The highest level the logger takes (1000 ppm, or 300 ppm for the low-range logger).
int highestLevel(const LoggerRecord& record);
// Message 165 with the logger's own range.
std::string rangeMessage(const LoggerRecord& record);

Values load(const LoggerRecord& record);
// The checks and questions in order. On a correction the rules set the corrected
// level into `values` for the page to show, and stay.
WizardStep next(WizardCore& core, Values& values);
// Stores nothing.
WizardStep back(WizardCore& core);

} // namespace setup_co_alarms

} // namespace velmora
