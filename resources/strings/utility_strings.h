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
} // namespace msgid

} // namespace velmora
