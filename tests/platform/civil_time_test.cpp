// Seconds counted without a zone and the civil times they name, both ways: the
// archive's instants and stamps, the wall clock's offsets and the demo loggers' dates
// all turn on it.
#include <gtest/gtest.h>

#include "civil_time.h"

namespace velmora {
namespace {

TEST(CivilTime, SecondsAndCivilTimesBothWays)
{
    const struct {
        std::int64_t seconds;
        CivilTime civil;
    } cases[] = {
        {0, {1970, 1, 1, 0, 0, 0}},
        {-1, {1969, 12, 31, 23, 59, 59}},    // before the epoch: the day before, not a negative time
        {951782400, {2000, 2, 29, 0, 0, 0}}, // 2000 is a leap year (divisible by 400)
        {951868799, {2000, 2, 29, 23, 59, 59}},
        {4102444800, {2100, 1, 1, 0, 0, 0}}, // 2100 is not: 47,482 days after 1970
        {4107542400, {2100, 3, 1, 0, 0, 0}}, // 59 days later: no 29 February
        {1774751400, {2026, 3, 29, 2, 30, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(civilOfSeconds(c.seconds), c.civil) << c.seconds;
        EXPECT_EQ(secondsOf(c.civil), c.seconds) << c.seconds;
    }
}

} // namespace
} // namespace velmora
