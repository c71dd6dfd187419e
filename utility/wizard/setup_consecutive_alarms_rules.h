#pragma once
// The consecutive alarms page (page 25): how many readings in a row must be in alarm
// before the logger's indicators react, for each alarm that is switched on.
#include <cstdint>
#include <string_view>

#include "wizard_step.h"

namespace velmora {

class LoggerConfig;
struct LoggerRecord;
struct WizardCore;

namespace setup_consecutive_alarms {

namespace id {
inline constexpr int kHighAlarm = 1035, kLowAlarm = 1036, kRate = 1047, kHighCount = 1183, kLowCount = 1184;
}

inline constexpr int kFewest = 2;
inline constexpr int kMost = 250;
// At most this many digits are typed into a count.
inline constexpr int kCountLength = 3;

struct Side {
    bool offered = false; // the alarm is on, so its box can be ticked
    bool ticked = false;
    double count = 0; // the edit's number; shown only while ticked
};

struct Values {
    Side high;
    Side low;
    std::string_view rate; // the logging rate shown for reference
};

// The counts the page remembers from one tick to the next, across refreshes: a box
// ticked again shows the count it had when it was cleared.
struct Remembered {
    double high = 0;
    double low = 0;
};

// The logging rate as the page shows it: "1 Second", "10 Second", "1 Minute", ...;
// empty for a rate it does not list (intervalName's second wording).
std::string_view rateText(std::uint32_t seconds);

// The row shows the page only while the high or the low alarm is switched on.
bool shownFor(const LoggerConfig& config);

// A side is ticked when its alarm is on and its stored count is 2 to 250; the count
// shown is then remembered.
Values load(const LoggerRecord& record, Remembered& remembered);
// Ticking a box: the remembered count, or 2 when it is not 2 to 250, becomes the
// count shown (and remembered).
double tick(double& remembered);
// Clearing a box: the count it showed is remembered.
void untick(double& remembered, double shown);

// The checks in order (high, then low), each correcting the count in `values` and
// staying; then both counts are stored, 0 for a side not ticked.
WizardStep next(WizardCore& core, Values& values);
WizardStep back(WizardCore& core);

} // namespace setup_consecutive_alarms

} // namespace velmora
