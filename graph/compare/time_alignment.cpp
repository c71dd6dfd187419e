#include "time_alignment.h"

#include <algorithm>
#include <ctime>

#include "wall_clock.h"

namespace velmora {

namespace {

// The stamp's calendar fields: the seconds counted without a zone, as UTC.
CivilTime civilOf(std::int64_t wallTime)
{
    const std::time_t t = static_cast<std::time_t>(wallTime);
    std::tm parts{};
    gmtime_r(&t, &parts);
    return CivilTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

} // namespace

std::int64_t stampInstant(std::int64_t wallTime)
{
    if (const std::optional<UnixSeconds> t = WallClock::fromLocal(civilOf(wallTime)))
        return *t;
    // Skipped: the offset a day before, when the clocks had not yet gone forward.
    const std::int64_t before = wallTime - 86400;
    const CivilTime local = WallClock::toLocal(before);
    const std::int64_t localAsUtc = daysSinceEpoch(local.year, local.month, local.day) * 86400 + local.hour * 3600 +
                                    local.minute * 60 + local.second;
    return wallTime - (localAsUtc - before);
}

TimeAlignment alignTimes(const std::vector<const GraphData*>& files)
{
    TimeAlignment a;
    if (files.empty())
        return a;
    a.timeBase = files.front()->startTime;
    const std::int64_t firstInstant = stampInstant(a.timeBase);
    a.offsets.reserve(files.size());
    a.offsets.push_back(0);
    for (std::size_t f = 1; f < files.size(); ++f)
        a.offsets.push_back(stampInstant(files[f]->startTime) - firstInstant);
    return a;
}

TimeAlignment TimeAlignment::fromEarliest() const
{
    TimeAlignment moved = *this;
    std::int64_t earliest = 0;
    for (std::int64_t o : offsets)
        earliest = std::min(earliest, o);
    moved.timeBase += earliest;
    for (std::int64_t& o : moved.offsets)
        o -= earliest;
    return moved;
}

std::int64_t TimeAlignment::toFileTime(const std::vector<const GraphData*>& files, std::size_t file,
                                       std::int64_t axisTime) const
{
    return axisTime - timeBase - offsets.at(file) + files.at(file)->startTime;
}

std::int64_t TimeAlignment::toAxisTime(const std::vector<const GraphData*>& files, std::size_t file,
                                       std::int64_t fileTime) const
{
    return fileTime - files.at(file)->startTime + offsets.at(file) + timeBase;
}

} // namespace velmora
