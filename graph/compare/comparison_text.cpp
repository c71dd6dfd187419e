#include "comparison_text.h"

#include "graph_strings.h"
#include "statistics_text.h"

namespace velmora {

std::vector<SummaryLine> summaryLines(const ComparisonSummary& summary, const std::vector<ComparedFile>& files,
                                      const std::vector<std::string>& names)
{
    std::vector<SummaryLine> lines;
    const auto name = [&](std::size_t f) { return (f < names.size() ? names[f] : std::string()) + ": "; };
    const auto value = [&](std::size_t f, double v, int extraDecimals) {
        const ChannelData& c = files.at(f).data->channel1;
        return valueText(v, c.decimals + extraDecimals, c.unit);
    };
    const auto extreme = [&](std::string_view label, const std::optional<ExtremeOfFiles>& e) {
        lines.push_back({std::string(label), e ? name(e->file) + value(e->file, e->value, 0) +
                                                     std::string(graphtext::kCompareAt) + readingTimeText(e->time)
                                               : std::string(graphtext::kCompareNoReadings)});
    };
    // Means get one digit more than the readings, as in the statistics table.
    const auto mean = [&](std::string_view label, const std::optional<MeanOfFiles>& m) {
        lines.push_back({std::string(label),
                         m ? name(m->file) + value(m->file, m->mean, 1) : std::string(graphtext::kCompareNoReadings)});
    };
    extreme(graphtext::kCompareHottest, summary.hottest);
    extreme(graphtext::kCompareColdest, summary.coldest);
    mean(graphtext::kCompareWarmestMean, summary.warmestMean);
    mean(graphtext::kCompareCoolestMean, summary.coolestMean);
    const std::optional<LongestAboveHigh>& l = summary.longestAboveHigh;
    lines.push_back({std::string(graphtext::kCompareLongestAboveHigh),
                     l ? name(l->file) + durationText(l->seconds) : std::string(graphtext::kCompareNoHighAlarm)});
    return lines;
}

} // namespace velmora
