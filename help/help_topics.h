#pragma once
// The help pages of both programs and the context numbers that open them. The
// utility's pages use their form's template number; the viewer uses 1000 for its
// window and 1001 to 1006 for the kinds of channel it charts.
#include <span>
#include <string_view>

namespace velmora {

struct HelpTopic {
    int contextId;
    std::string_view page; // file name under the help folder, with an optional "#anchor"
};

namespace helpctx {
inline constexpr int kMainMenu = 101;
inline constexpr int kStopAndDownload = 141;
inline constexpr int kStatus = 142;
inline constexpr int kAbout = 100;
inline constexpr int kViewPreviousGraph = 900;
inline constexpr int kViewer = 1000;
inline constexpr int kChannelDecimal = 1001; // first channel, values with decimals: a temperature file
inline constexpr int kChannelSecond = 1002;  // second channel (humidity)
inline constexpr int kChannelVoltage = 1003;
inline constexpr int kChannelCurrent = 1004;
inline constexpr int kChannelTemperature = 1005; // whole-number values, or no file loaded
inline constexpr int kChannelCo = 1006;          // carbon monoxide
inline constexpr int kViewerZoom = 1010;
inline constexpr int kViewerTraces = 1011;
inline constexpr int kViewerPrint = 1012;
inline constexpr int kViewerExport = 1013;
inline constexpr int kViewerStatistics = 1014;
inline constexpr int kViewerReport = 1015;
inline constexpr int kViewerJoin = 1016;
inline constexpr int kViewerSpread = 1017;
} // namespace helpctx

inline constexpr std::string_view kHelpContentsPage = "index.html";

std::span<const HelpTopic> helpTopics();
// The page of `contextId`, or the contents page for a number without a topic.
std::string_view helpPageFor(int contextId);

} // namespace velmora
