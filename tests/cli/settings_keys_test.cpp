// Which keys of a settings file each logger type takes: those of the pages in its
// set-up row, and no other (a key the type does not take is a usage error).
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

#include "settings_json.h"
#include "settings_walk.h"

using namespace velmora;

TEST(SettingsKeys, EachTypeTakesTheKeysOfItsPages)
{
    const std::set<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 21};
    const auto allBut = [&](std::set<int> left) {
        std::set<int> types;
        std::set_difference(all.begin(), all.end(), left.begin(), left.end(), std::inserter(types, types.end()));
        return types;
    };
    const std::set<int> humidity{3, 12, 13, 16};
    const std::set<int> withButton{12, 15, 16, 19, 21};
    struct Case {
        const char* file;
        std::set<int> types; // the types that take it
    };
    const Case cases[] = {
        {R"({"name": "A"})", all},
        {R"({"interval": 10})", all},
        {R"({"start": "now"})", all},
        {R"({"start": "2030-01-01T00:00:00"})", all},
        {R"({"start": "button"})", withButton},
        {R"({"unit": "C"})", allBut({4, 5, 6, 7, 9, 11})},
        {R"({"high_alarm": 1})", allBut({9, 11})},
        {R"({"high_hold": true})", allBut({9, 11})},
        {R"({"low_alarm": null})", all},
        {R"({"low_hold": false})", all},
        {R"({"rh_high_alarm": 50})", humidity},
        {R"({"rh_low_alarm": 50})", humidity},
        {R"({"rh_high_hold": true})", humidity},
        {R"({"rh_low_hold": true})", humidity},
        {R"({"consecutive_high": 0})", {21}},
        {R"({"consecutive_low": 2})", {21}},
        {R"({"leds_disabled": true})", {4, 5, 6, 7, 10, 15, 19, 21}},
        {R"({"sounder": true})", {9, 11}},
        {R"({"thermocouple": "K"})", {10, 15}},
        {R"({"display": "on"})", {12, 15, 16, 19, 21}},
        {R"({"storage": "stop"})", {12, 13, 14, 15, 16, 19, 21}},
        {R"({"scaling": "standard"})", {4, 5, 6, 7}},
        {R"({"scaling": {"unit": "V"}})", {4, 5, 6, 7}},
        {R"({"agree_safety": true})", {9, 11, 14}},
    };
    for (const Case& c : cases) {
        SettingsProblem problem;
        const std::optional<LoggerSettings> settings = readSettings(c.file, problem);
        ASSERT_TRUE(settings.has_value()) << c.file << ": " << problem.message;
        for (const int type : all) {
            std::string why;
            const std::string key = keyNotForType(*settings, static_cast<LoggerType>(type), why);
            EXPECT_EQ(key.empty(), c.types.count(type) == 1) << c.file << " type " << type << ": " << why;
        }
    }
}

TEST(SettingsKeys, TheFirstKeyNotTakenIsNamedWithWhy)
{
    SettingsProblem problem;
    const std::optional<LoggerSettings> settings =
        readSettings(R"({"start": "button", "name": "A", "sounder": true, "display": "on"})", problem);
    ASSERT_TRUE(settings.has_value());
    std::string why;
    // In the schema's order: the sounder before the display and the start.
    EXPECT_EQ(keyNotForType(*settings, 1, why), "sounder");
    EXPECT_EQ(why, "the set-up of the KV-USB-1 (type 1) has no such setting");
    EXPECT_EQ(keyNotForType(*settings, 9, why), "display");
    EXPECT_EQ(why, "the set-up of the KV-USB-5 (type 9) has no such setting");
}
