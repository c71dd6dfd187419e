#include "deployment_join.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace velmora {

namespace {

bool joinable(const GraphData& d)
{
    return !d.serialNumber.empty() && !d.singleReading && d.readingCount > 0 && d.sampleInterval > 0;
}

// Files that may share one series: one logger, one unit, one interval, one grid.
using GroupKey = std::tuple<std::string, std::string, std::int32_t, std::int64_t>;

GroupKey keyOf(const GraphData& d, std::int64_t offset)
{
    const std::int64_t interval = d.sampleInterval;
    const std::int64_t phase = ((offset % interval) + interval) % interval;
    return {d.serialNumber, d.channel1.unit, d.sampleInterval, phase};
}

// Copies the readings of `from` that `wins` marks into `to` from index `at` on.
// Its fields without a number go to `notNumbers` (one list a series), to be sorted.
void copyChannel(const ChannelData& from, ChannelData& to, std::size_t at, const std::vector<bool>& wins,
                 std::size_t total, std::vector<std::vector<std::size_t>>& notNumbers)
{
    notNumbers.resize(static_cast<std::size_t>(to.data.seriesCount()));
    for (int s = 0; s < to.data.seriesCount(); ++s) {
        ChartDataSet::Values& out = to.data.values(s);
        out.resize(total, ChartDataSet::kGap);
        if (from.data.pointCount(s) < wins.size())
            continue;
        to.data.setShown(s, to.data.shown(s) || from.data.shown(s));
        const ChartDataSet::Values& in = from.data.values(s);
        for (std::size_t i = 0; i < wins.size(); ++i)
            if (wins[i])
                out[at + i] = in[i];
        for (std::size_t i : from.data.notNumbers(s))
            if (i < wins.size() && wins[i])
                notNumbers[static_cast<std::size_t>(s)].push_back(at + i);
    }
}

// The files of `members` (sorted by start, latest last) on one grid: the latest
// first, so each earlier file only fills what no later one holds.
std::unique_ptr<GraphData> joinGroup(const std::vector<const GraphData*>& files,
                                     const std::vector<std::int64_t>& offsets, const std::vector<std::size_t>& members)
{
    const GraphData& first = *files[members.front()];
    const std::int64_t interval = first.sampleInterval;
    const std::int64_t start = offsets[members.front()];
    std::int64_t end = start;
    for (std::size_t f : members)
        end = std::max(end, offsets[f] + (files[f]->readingCount - 1) * interval);
    const std::size_t total = static_cast<std::size_t>((end - start) / interval + 1);

    auto joined = std::make_unique<GraphData>();
    static_cast<ChannelColumns&>(joined->channel1) = first.channel1;
    static_cast<ChannelColumns&>(joined->channel2) = first.channel2;
    joined->channel1.decimals = first.channel1.decimals;
    joined->loggerName = first.loggerName;
    joined->serialNumber = first.serialNumber;
    joined->startTime = first.startTime;
    joined->sampleInterval = first.sampleInterval;
    joined->readingCount = static_cast<std::int32_t>(total);
    joined->channel1.data.setInterval(static_cast<double>(interval));
    joined->channel2.data.setInterval(static_cast<double>(interval));

    // The latest file first: each earlier one fills only what no later one reads.
    std::vector<bool> covered(total, false);
    std::vector<bool> wins;
    std::vector<std::vector<std::size_t>> notNumbers1;
    std::vector<std::vector<std::size_t>> notNumbers2;
    for (auto m = members.rbegin(); m != members.rend(); ++m) {
        const GraphData& d = *files[*m];
        const std::size_t at = static_cast<std::size_t>((offsets[*m] - start) / interval);
        const ChartDataSet::Values& readings = d.channel1.data.values(0);
        wins.assign(std::min(static_cast<std::size_t>(d.readingCount), readings.size()), false);
        for (std::size_t i = 0; i < wins.size(); ++i)
            wins[i] = !covered[at + i] && readings[i] != ChartDataSet::kGap;
        copyChannel(d.channel1, joined->channel1, at, wins, total, notNumbers1);
        if (d.channel2.present)
            copyChannel(d.channel2, joined->channel2, at, wins, total, notNumbers2);
        for (std::size_t i = 0; i < wins.size(); ++i)
            covered[at + i] = covered[at + i] || wins[i];
        joined->lastLineUnterminated = joined->lastLineUnterminated || d.lastLineUnterminated;
    }
    // Each file's fields without a number were added in its turn: put them in order.
    // Where no file has a line: the time between deployments.
    std::vector<bool> lines(total, false);
    for (std::size_t f : members) {
        const std::size_t at = static_cast<std::size_t>((offsets[f] - start) / interval);
        std::fill_n(lines.begin() + static_cast<std::ptrdiff_t>(at), files[f]->readingCount, true);
    }
    for (std::size_t i = 0; i < total;) {
        const std::size_t from = i;
        while (i < total && !lines[i])
            ++i;
        if (i > from)
            joined->noLines.emplace_back(from, i);
        while (i < total && lines[i])
            ++i;
    }
    auto addSorted = [](std::vector<std::vector<std::size_t>>& lists, ChartDataSet& set) {
        for (std::size_t s = 0; s < lists.size(); ++s) {
            std::sort(lists[s].begin(), lists[s].end());
            for (std::size_t i : lists[s])
                set.addNotNumber(static_cast<int>(s), i);
        }
    };
    addSorted(notNumbers1, joined->channel1.data);
    addSorted(notNumbers2, joined->channel2.data);
    for (int s = 0; s < 4; ++s)
        joined->channel1.data.setLastPoint(s, static_cast<long>(total) - 1);
    for (int s = 0; s < 3; ++s)
        joined->channel2.data.setLastPoint(s, joined->channel2.present ? static_cast<long>(total) - 1 : -1);
    if (!joined->channel2.present)
        joined->channel2.data.clear();
    return joined;
}

} // namespace

JoinedFiles joinDeployments(const std::vector<const GraphData*>& files, const std::vector<std::int64_t>& offsets)
{
    JoinedFiles out;
    std::map<GroupKey, std::vector<std::size_t>> groups;
    for (std::size_t f = 0; f < files.size(); ++f)
        if (joinable(*files[f]))
            groups[keyOf(*files[f], offsets[f])].push_back(f);

    std::vector<bool> placed(files.size(), false);
    for (std::size_t f = 0; f < files.size(); ++f) {
        if (placed[f])
            continue;
        std::vector<std::size_t> members{f};
        if (joinable(*files[f]))
            members = groups[keyOf(*files[f], offsets[f])];
        for (std::size_t m : members)
            placed[m] = true;
        if (members.size() == 1) {
            out.shown.push_back({files[f], offsets[f], members});
            continue;
        }
        std::vector<std::size_t> byStart = members;
        // By start; of two that start together, the longer was downloaded later.
        std::stable_sort(byStart.begin(), byStart.end(), [&](std::size_t a, std::size_t b) {
            return std::tuple(offsets[a], files[a]->readingCount) < std::tuple(offsets[b], files[b]->readingCount);
        });
        out.joins.push_back(joinGroup(files, offsets, byStart));
        out.shown.push_back({out.joins.back().get(), offsets[byStart.front()], members});
    }
    return out;
}

} // namespace velmora
