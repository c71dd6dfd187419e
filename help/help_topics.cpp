#include "help_topics.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {
constexpr std::array kTopics = {
    HelpTopic{helpctx::kAbout, "index.html#support"},
    HelpTopic{helpctx::kMainMenu, "main-menu.html"},
    HelpTopic{102, "setup-name-pages.html#name"},
    HelpTopic{103, "setup-alarm-pages.html#temperature"},
    HelpTopic{104, "setup-start-pages.html#start"},
    HelpTopic{105, "setup-start-pages.html#summary"},
    HelpTopic{helpctx::kStopAndDownload, "stop-and-download.html"},
    HelpTopic{helpctx::kStatus, "status.html"},
    HelpTopic{154, "setup-alarm-pages.html#humidity"},
    HelpTopic{155, "setup-name-pages.html#voltage"},
    HelpTopic{156, "setup-scaling.html"},
    HelpTopic{157, "setup-alarm-pages.html#numeric"},
    HelpTopic{158, "setup-name-pages.html#lite"},
    HelpTopic{159, "setup-alarm-pages.html#lite"},
    HelpTopic{160, "setup-name-pages.html#co"},
    HelpTopic{161, "setup-alarm-pages.html#co"},
    HelpTopic{163, "setup-agreements.html#co"},
    HelpTopic{165, "setup-name-pages.html#thermocouple"},
    HelpTopic{166, "setup-start-pages.html#push-button"},
    HelpTopic{167, "setup-display-storage.html#display"},
    HelpTopic{168, "setup-display-storage.html#storage"},
    HelpTopic{169, "setup-agreements.html#high-temperature"},
    HelpTopic{174, "setup-alarm-pages.html#consecutive"},
    HelpTopic{helpctx::kViewPreviousGraph, "view-previous-graph.html"},
    HelpTopic{helpctx::kViewer, "graph-viewer.html"},
    HelpTopic{helpctx::kChannelDecimal, "graph-channels.html#temperature"}, // a temperature file has decimals
    HelpTopic{helpctx::kChannelSecond, "graph-channels.html#second"},
    HelpTopic{helpctx::kChannelVoltage, "graph-channels.html#voltage"},
    HelpTopic{helpctx::kChannelCurrent, "graph-channels.html#current"},
    HelpTopic{helpctx::kChannelTemperature, "graph-channels.html#whole"},
    HelpTopic{helpctx::kChannelCo, "graph-channels.html#co"},
    HelpTopic{helpctx::kViewerZoom, "graph-zoom.html"},
    HelpTopic{helpctx::kViewerTraces, "graph-traces-grid.html"},
    HelpTopic{helpctx::kViewerPrint, "graph-printing.html"},
    HelpTopic{helpctx::kViewerExport, "graph-export.html"},
    HelpTopic{helpctx::kViewerStatistics, "graph-statistics.html"},
    HelpTopic{helpctx::kViewerReport, "graph-statistics.html#report"},
    HelpTopic{helpctx::kViewerJoin, "graph-compare.html#join"},
    HelpTopic{helpctx::kViewerSpread, "graph-compare.html#spread"},
};
} // namespace

std::span<const HelpTopic> helpTopics() { return kTopics; }

std::string_view helpPageFor(int contextId)
{
    const auto it = std::find_if(kTopics.begin(), kTopics.end(),
                                 [contextId](const HelpTopic& t) { return t.contextId == contextId; });
    return it == kTopics.end() ? kHelpContentsPage : it->page;
}

} // namespace velmora
