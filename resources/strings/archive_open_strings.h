#pragma once
// The texts of the viewer's File > Open from Archive...
#include <string_view>

namespace velmora::archiveopentext {

inline constexpr std::string_view kMenuEntry = "Open from Arc&hive...";
inline constexpr std::string_view kMenuPrompt = "Open a download kept in the archive";
inline constexpr std::string_view kTitle = "Open from Archive";
inline constexpr std::string_view kStore = "&Archive:";
inline constexpr std::string_view kConnect = "&Look";
inline constexpr std::string_view kLogger = "&Logger:";
inline constexpr std::string_view kRange = "Only deployments with readings &from";
inline constexpr std::string_view kRangeTo = "to";
inline constexpr std::string_view kDeployments = "&Deployments:";
inline constexpr std::string_view kOpenAllInRange = "Open All in &Range";
inline constexpr std::string_view kNoLoggers = "The archive holds no downloads yet.";
inline constexpr std::string_view kNoneInRange = "No deployment of this logger has readings in that time.";
// %1 first reading, %2 last reading (local times), %3 reading count, %4 file name.
inline constexpr std::string_view kDeploymentRow = "%1 to %2, %3 readings, %4";

} // namespace velmora::archiveopentext
