#pragma once
// The scaling page of the voltage and current loggers: the unit readings are shown
// in and the two points of the straight line from input to shown value. "Next >"
// stores them and has them tested; "Default" puts the factory scaling back at once.
#include <string>
#include <string_view>
#include <vector>

#include "wizard_step.h"

namespace velmora {

class LoggerConfig;
struct LoggerRecord;
struct WizardCore;

namespace setup_voltage_cal {

inline constexpr int kUnitBox = 1078;
inline constexpr int kDefaultButton = 1095;
inline constexpr int kIn1Box = 1080;
inline constexpr int kOut1Box = 1079;
inline constexpr int kIn2Box = 1082;
inline constexpr int kOut2Box = 1081;
inline constexpr int kIn1Unit = 1096;
inline constexpr int kOut1Unit = 1091;
inline constexpr int kIn2Unit = 1097;
inline constexpr int kOut2Unit = 1092;

inline constexpr int kUnitTypingLimit = 8;
inline constexpr int kPointTypingLimit = 7;
inline constexpr int kPointDecimals = 3;

struct Values {
    std::vector<std::string> units;   // the unit list as shown, sorted, Windows-1252
    int unitIndex = -1;               // the entry selected in the list; -1 = none
    std::string unit;                 // the text of the unit box
    std::string in1, out1, in2, out2; // the four point boxes, as typed
    std::string inputUnit;            // beside the input boxes
    std::string outputUnit;           // beside the output boxes
};

// The units offered, in the order the box shows them.
std::vector<std::string> unitEntries();
// How the box orders its entries: letter case aside, symbols before digits before
// letters, a shorter text before a longer one it begins.
bool unitSortsBefore(std::string_view a, std::string_view b);
// The first entry that begins with `text`, letter case ignored; -1 when none does.
int findUnit(const std::vector<std::string>& units, std::string_view text);
// Puts `unit` into the sorted list and returns its entry.
int addUnit(std::vector<std::string>& units, const std::string& unit);
// What a point box shows for a stored point text: the text without leading spaces,
// or "0.00" when it cannot be the start of a number.
std::string pointBoxText(const std::string& stored);

// The rows of the voltage and current loggers show the page only when the name page
// chose a custom scaling (inputOptions 1).
bool shownFor(const LoggerConfig& config);

Values load(const LoggerRecord& record);
// "Default": the factory unit and points go into the configuration at once and the
// point boxes show them; the unit box keeps what it holds.
Values restoreDefaults(WizardCore& core, Values shown);
// Stores the unit and the four points as typed, then tests the scaling; a refusal
// leaves them stored.
WizardStep next(WizardCore& core, const Values& values);
WizardStep back(WizardCore& core);

// What a scaling error code is answered with.
struct ScalingReply {
    std::string_view message; // empty = none
    int focusControl;         // 0 = the focus stays where it is
};
ScalingReply replyTo(int scaleError);

} // namespace setup_voltage_cal
} // namespace velmora
