#pragma once
// The utility's string table. Ids are those the messages have always had, so the
// texts, the tests and the help pages can refer to them by number.
#include <string>
#include <string_view>

namespace velmora {

// The text of string `id`, or an empty view for an unknown id.
std::string_view utilityString(int id);
inline std::string msg(int id) { return std::string(utilityString(id)); }

// Ids used across layers, named for readability.
namespace msgid {
inline constexpr int kViewerNotFound = 129;
inline constexpr int kStopQuestionLogging = 130;
inline constexpr int kStopQuestionDelayed = 131;
inline constexpr int kUndownloadedData = 133;
inline constexpr int kNoLogger = 134;
inline constexpr int kCommsError = 135;
inline constexpr int kStopConfirm = 138;
inline constexpr int kIncompatible = 139;
inline constexpr int kBatteryCritical = 140;
inline constexpr int kBatteryLow = 141;
inline constexpr int kLoggerReplaced = 144;
inline constexpr int kDataMayNotBeSaved = 145;
inline constexpr int kStopDelayedConfirm = 146;
inline constexpr int kHumiditySensorFault = 147;
inline constexpr int kStatusHeading = 148;
inline constexpr int kCoOverExposure = 169;
inline constexpr int kSensorLifeInvalid = 170;
inline constexpr int kSensorLifeExceeded = 171;
inline constexpr int kCalibrationInvalid = 172;
inline constexpr int kCalibrationExceeded = 173;
inline constexpr int kPushButtonQuestion = 176;
inline constexpr int kConfigureError = 188;

// The set-up pages.
inline constexpr int kHighNotAboveLow = 132;
inline constexpr int kNameMissing = 136;
inline constexpr int kNameTooLong = 137;
inline constexpr int kNameUnsupported = 142;
inline constexpr int kStartInPast = 143;
inline constexpr int kEnterValidNumber = 157;
inline constexpr int kInputsEqual = 158;
inline constexpr int kOutputsEqual = 159;
inline constexpr int kCalibrationValuesInvalid = 160;
inline constexpr int kOutsideInputRange = 161;
inline constexpr int kScaleSetTo = 162;
inline constexpr int kHighAlarmAdjusted = 163;
inline constexpr int kLowAlarmAdjusted = 164;
inline constexpr int kCoLevelRange = 165;
inline constexpr int kCoAboveSafety = 166;
inline constexpr int kCoSounderOff = 167;
inline constexpr int kCoAboveSafetySounderOff = 168;
inline constexpr int kStopWhenFullCapacity = 179;
inline constexpr int kOverwriteCapacity = 180;
inline constexpr int kCountAdjusted = 190;
} // namespace msgid

// Texts of our own, where the utility had none.
inline constexpr std::string_view kStartTimeSkipped =
    "The start time does not exist on that date: the clocks go forward past it.\nPlease enter a valid time.";
// Cancel on the download's progress: nothing reaches a file, the logger stays as the
// stop left it, readings and all.
inline constexpr std::string_view kDownloadCancelled = "The download was cancelled: nothing has been saved.\n"
                                                       "The logger remains stopped and still holds its readings.";
// A text typed into a page with a control character in it (a tab, a line break):
// it would break the download file's header lines.
inline constexpr std::string_view kNameControlCharacter =
    "The Logger Name contains a control character (a tab, a line break or the like).\n"
    "Please type the name without it.";
inline constexpr std::string_view kUnitControlCharacter =
    "The unit contains a control character (a tab, a line break or the like).\nPlease type the unit without it.";
// A scaling whose alarm levels would not fit the alarm page's boxes of 7 characters.
inline constexpr std::string_view kScalingTooWide =
    "The graph output values give alarm levels too long for the alarm boxes (7 characters).\n"
    "Please enter output values with fewer digits.";
// A typed alarm level left empty with its alarm on.
inline constexpr std::string_view kHighLevelMissing = "Please enter a level for the High Alarm.";
inline constexpr std::string_view kLowLevelMissing = "Please enter a level for the Low Alarm.";
// The logger keeps the year in two digits, read as 1970 to 2069.
inline constexpr std::string_view kStartTooLate =
    "The start date must be in 2069 or earlier.\nPlease enter a valid date.";

} // namespace velmora
