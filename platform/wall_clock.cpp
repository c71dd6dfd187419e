#include "wall_clock.h"

#include <ctime>

namespace velmora {

namespace {

bool sameWallTime(const CivilTime& a, const CivilTime& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

} // namespace

CivilTime WallClock::toLocal(UnixSeconds t)
{
    const std::time_t time = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&time, &tm);
    return CivilTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::optional<UnixSeconds> WallClock::fromLocal(const CivilTime& local, UnixSeconds notBefore)
{
    // A zone changes its offset at most once within a day on either side, so the
    // offsets in force a day before and a day after give every candidate moment.
    const UnixSeconds wall = secondsOf(local);
    std::optional<UnixSeconds> earliest;
    std::optional<UnixSeconds> earliestToCome;
    for (const UnixSeconds probe : {wall - 86400, wall + 86400}) {
        const UnixSeconds offset = secondsOf(toLocal(probe)) - probe;
        const UnixSeconds candidate = wall - offset;
        if (!sameWallTime(toLocal(candidate), local))
            continue;
        if (!earliest || candidate < *earliest)
            earliest = candidate;
        if (candidate >= notBefore && (!earliestToCome || candidate < *earliestToCome))
            earliestToCome = candidate;
    }
    return earliestToCome ? earliestToCome : earliest;
}

UnixSeconds SystemWallClock::now() { return static_cast<UnixSeconds>(std::time(nullptr)); }

} // namespace velmora
