// The level lists of the list-based alarm pages: their entries, the entry a stored
// level selects, and the entries velmora-cli names for a level that is not one.
#include <gtest/gtest.h>

#include <cmath>

#include "logger_record.h"
#include "setup_rh_alarms_rules.h"
#include "temperature_alarms_rules.h"

using namespace velmora;

namespace {

LoggerRecord withUnit(std::uint8_t inputOptions)
{
    LoggerRecord r;
    r.config.setInputOptions(inputOptions);
    return r;
}

struct ListCase {
    const char* what;
    AlarmLevelList list;
    int count;
    const char* first; // Windows-1252
    const char* last;
    double second; // the level of the second entry
};

const ListCase kLists[] = {
    {"temperature °C", temperature_alarms::kTemperaturePage.levelList(withUnit(0)), 256, "87.5 \260C", "-40.0 \260C",
     87.0},
    {"temperature °F", temperature_alarms::kTemperaturePage.levelList(withUnit(1)), 230, "189 \260F", "-40 \260F",
     188.0},
    {"humidity", setup_rh_alarms::levelList(), 201, "100.0 %", "0.0 %", 99.5},
    {"lite °C", temperature_alarms::kLitePage.levelList(withUnit(0)), 61, "50 \260C", "-10 \260C", 49.0},
    {"lite °F", temperature_alarms::kLitePage.levelList(withUnit(1)), 55, "122 \260F", "14 \260F", 120.0},
    // inputOptions other than 0 and 1 is Celsius, in the lists as in the values stored.
    {"temperature, unit byte 2", temperature_alarms::kTemperaturePage.levelList(withUnit(2)), 256, "87.5 \260C",
     "-40.0 \260C", 87.0},
};

} // namespace

TEST(AlarmLevelList, EntriesFromTheTopDown)
{
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.list.size(), c.count);
        const auto texts = c.list.texts();
        ASSERT_EQ(texts.size(), static_cast<std::size_t>(c.count));
        EXPECT_EQ(texts.front(), c.first);
        EXPECT_EQ(texts.back(), c.last);
        EXPECT_EQ(c.list.values()[1], c.second);
    }
}

TEST(AlarmLevelList, AStoredLevelIsHeldInRangeAndRoundedHalfAwayFromZero)
{
    const AlarmLevelList celsius = temperature_alarms::kTemperaturePage.levelList(withUnit(0));
    const AlarmLevelList fahrenheit = temperature_alarms::kTemperaturePage.levelList(withUnit(1));
    const AlarmLevelList humidity = setup_rh_alarms::levelList();
    const AlarmLevelList liteF = temperature_alarms::kLitePage.levelList(withUnit(1));
    struct Case {
        const AlarmLevelList& list;
        double level;
        int index;
    } cases[] = {
        {celsius, 87.5, 0},     {celsius, 25.0, 125},    {celsius, 25.2, 125}, // 124.6
        {celsius, 25.25, 125},  {celsius, 25.3, 124},    {celsius, 97.5, 0},   // above the top entry
        {celsius, -45.0, 255},  {fahrenheit, 72.0, 117}, {fahrenheit, 71.5, 118},
        {fahrenheit, 215.0, 0}, {humidity, 0.5, 199},    {humidity, 100.0, 0},
        {liteF, 75.0, 24},      {liteF, 13.0, 54},       {celsius, std::nan(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.list.indexFor(c.level), c.index) << c.level;
}

TEST(AlarmLevelList, ALevelIsAnEntryOrHasItsNearestNamed)
{
    const AlarmLevelList celsius = temperature_alarms::kTemperaturePage.levelList(withUnit(0));
    EXPECT_EQ(celsius.find(25.0), 125);
    EXPECT_EQ(celsius.find(-40.0), 255);
    EXPECT_EQ(celsius.find(25.2), -1);
    EXPECT_EQ(celsius.find(88.0), -1);

    struct Case {
        double level;
        int lower, higher;
    } cases[] = {
        {25.2, 125, 124}, // 25.0 and 25.5
        {90.0, 0, -1},    // above the list: only its top
        {-41.0, -1, 255}, // below it: only its bottom
        {25.0, -1, -1},   // an entry has no neighbours to offer
    };
    for (const Case& c : cases) {
        const AlarmLevelList::Neighbours n = celsius.nearest(c.level);
        EXPECT_EQ(n.lower, c.lower) << c.level;
        EXPECT_EQ(n.higher, c.higher) << c.level;
    }
    using Names = std::vector<std::string>;
    EXPECT_EQ(celsius.nearestLevels(25.2), (Names{"25.0", "25.5"}));
    EXPECT_EQ(celsius.nearestLevels(90.0), (Names{"87.5"}));
    EXPECT_EQ(temperature_alarms::kLitePage.levelList(withUnit(1)).nearestLevels(75.0), (Names{"74", "76"}));
}
