#include "comparison_summary.h"

namespace velmora {

const SeriesReport* firstChannelReport(const DocumentStatistics& stats)
{
    for (const SeriesReport& s : stats.series)
        if (s.kind == SeriesKind::FirstChannel)
            return &s;
    return nullptr;
}

ComparisonSummary compareFirstChannels(const std::vector<ComparedFile>& files)
{
    ComparisonSummary summary;
    if (files.empty())
        return summary;
    const std::string& unit = files.front().data->channel1.unit;
    for (std::size_t f = 0; f < files.size(); ++f) {
        const GraphData& data = *files[f].data;
        const SeriesReport* report = firstChannelReport(*files[f].stats);
        if (!report || data.channel1.unit != unit || report->stats.count == 0)
            continue;
        const SeriesStatistics& s = report->stats;
        if (!summary.hottest || s.maximum > summary.hottest->value)
            summary.hottest = ExtremeOfFiles{f, s.maximum, readingTime(data, s.maximumIndex)};
        if (!summary.coldest || s.minimum < summary.coldest->value)
            summary.coldest = ExtremeOfFiles{f, s.minimum, readingTime(data, s.minimumIndex)};
        if (!summary.warmestMean || s.mean > summary.warmestMean->mean)
            summary.warmestMean = MeanOfFiles{f, s.mean};
        if (!summary.coolestMean || s.mean < summary.coolestMean->mean)
            summary.coolestMean = MeanOfFiles{f, s.mean};
        for (std::size_t l = 0; l < report->levels.size(); ++l) {
            if (report->levels[l].kind != LevelKind::HighAlarm || !s.levels[l])
                continue;
            const std::int64_t seconds = s.levels[l]->longestRun * files[f].stats->interval;
            if (!summary.longestAboveHigh || seconds > summary.longestAboveHigh->seconds)
                summary.longestAboveHigh = LongestAboveHigh{f, seconds};
        }
    }
    return summary;
}

} // namespace velmora
