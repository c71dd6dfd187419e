// Local dates and times to moments and back, across both clock changes of two zones.
#include <gtest/gtest.h>

#include "time_zone.h"
#include "wall_clock.h"

using namespace velmora;

namespace {

struct LocalCase {
    const char* zone;
    CivilTime local;
    std::optional<UnixSeconds> moment; // nothing: the time is skipped
};

// Moments written from the zones' rules: London is UTC+0 in winter and UTC+1 in
// summer, changing at 01:00 UTC on the last Sundays of March and October; New York
// is UTC-5 and UTC-4, changing at 02:00 local on the second Sunday of March and the
// first of November. 2026-01-01T00:00:00Z is 1767225600.
const LocalCase kCases[] = {
    {"Europe/London", {2026, 12, 8, 12, 0, 0}, 1767225600 + 341 * 86400 + 12 * 3600},
    {"Europe/London", {2026, 7, 1, 12, 0, 0}, 1767225600 + 181 * 86400 + 11 * 3600},
    {"Europe/London", {2026, 3, 29, 0, 59, 59}, 1767225600 + 87 * 86400 + 3599},
    {"Europe/London", {2026, 3, 29, 1, 30, 0}, std::nullopt}, // skipped
    {"Europe/London", {2026, 3, 29, 2, 0, 0}, 1767225600 + 87 * 86400 + 3600},
    {"Europe/London", {2026, 10, 25, 1, 30, 0}, 1767225600 + 297 * 86400 + 1800}, // first of two
    {"America/New_York", {2026, 3, 8, 2, 30, 0}, std::nullopt},
    {"America/New_York", {2026, 3, 8, 3, 0, 0}, 1767225600 + 66 * 86400 + 7 * 3600},
    {"America/New_York", {2026, 11, 1, 1, 30, 0}, 1767225600 + 304 * 86400 + 5 * 3600 + 1800},
    {"America/New_York", {2026, 11, 1, 2, 0, 0}, 1767225600 + 304 * 86400 + 7 * 3600},
};

} // namespace

TEST(WallClock, LocalTimesNameTheirFirstMomentAndSkippedOnesNone)
{
    for (const LocalCase& c : kCases) {
        test::ScopedTimeZone zone(c.zone);
        const std::optional<UnixSeconds> moment = WallClock::fromLocal(c.local);
        EXPECT_EQ(moment, c.moment) << c.zone << " " << c.local.month << "-" << c.local.day << " " << c.local.hour
                                    << ":" << c.local.minute;
        if (moment) {
            EXPECT_EQ(WallClock::toLocal(*moment), c.local) << c.zone;
        }
    }
}

TEST(WallClock, DuringTheRepeatedHourATimeStillToComeMeansItsSecondOccurrence)
{
    test::ScopedTimeZone zone("America/New_York");
    const UnixSeconds firstPass = 1767225600 + 304 * 86400 + 5 * 3600 + 1800; // 01:30 EDT
    const CivilTime local{2026, 11, 1, 1, 30, 0};
    EXPECT_EQ(WallClock::fromLocal(local, firstPass - 60), firstPass);
    EXPECT_EQ(WallClock::fromLocal(local, firstPass + 60), firstPass + 3600); // 01:30 EST
    EXPECT_EQ(WallClock::fromLocal(local, firstPass + 7200), firstPass);      // both passed
}
