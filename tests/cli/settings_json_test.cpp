// The settings file's schema both ways: which files are settings (and what they set),
// which are refused with exit code 2 and the key named, and the text written back.
#include <gtest/gtest.h>

#include <string>

#include "settings_json.h"

using namespace velmora;

namespace {

// The settings read from `json`, shown as the JSON writer shows them (an empty string
// for a refused file), so one expected text states every field.
std::string readBack(const std::string& json, SettingsProblem& problem)
{
    const std::optional<LoggerSettings> s = readSettings(json, problem);
    return s ? settingsJson(*s) : std::string();
}

} // namespace

TEST(SettingsJson, FilesThatAreSettings)
{
    struct Case {
        const char* file;
        const char* read; // the settings as written back
    };
    const Case cases[] = {
        {"{}", "{}\n"},
        {"\xEF\xBB\xBF{\"name\": \"Fridge\"}", "{\n  \"name\": \"Fridge\"\n}\n"},
        // Written back in the schema's order, whatever the file's order.
        {"{\"start\": \"now\", \"interval\": 60, \"unit\": \"F\"}",
         "{\n  \"unit\": \"F\",\n  \"interval\": 60,\n  \"start\": \"now\"\n}\n"},
        // Levels in display units, null for an alarm switched off; 1e1 is a number too.
        {"{\"high_alarm\": 8.5, \"low_alarm\": null, \"rh_high_alarm\": 1e1, \"rh_low_alarm\": -0.0}",
         "{\n  \"high_alarm\": 8.5,\n  \"low_alarm\": null,\n  \"rh_high_alarm\": 10,\n  \"rh_low_alarm\": 0\n}\n"},
        {"{\"high_hold\": true, \"low_hold\": false, \"rh_high_hold\": true, \"rh_low_hold\": false, "
         "\"leds_disabled\": true, \"sounder\": false, \"agree_safety\": true}",
         "{\n  \"high_hold\": true,\n  \"low_hold\": false,\n  \"rh_high_hold\": true,\n  \"rh_low_hold\": false,\n"
         "  \"leds_disabled\": true,\n  \"sounder\": false,\n  \"agree_safety\": true\n}\n"},
        {"{\"consecutive_high\": 0, \"consecutive_low\": 250.0}",
         "{\n  \"consecutive_high\": 0,\n  \"consecutive_low\": 250\n}\n"},
        {"{\"thermocouple\": \"T\", \"display\": \"30s\", \"storage\": \"overwrite\"}",
         "{\n  \"thermocouple\": \"T\",\n  \"display\": \"30s\",\n  \"storage\": \"overwrite\"\n}\n"},
        {"{\"scaling\": \"standard\"}", "{\n  \"scaling\": \"standard\"\n}\n"},
        // A custom scaling may leave members out; the written object keeps their order.
        {"{\"scaling\": {\"out2\": 100, \"unit\": \"%RH\", \"in1\": 0.5}}",
         "{\n  \"scaling\": {\"unit\": \"%RH\", \"in1\": 0.5, \"out2\": 100}\n}\n"},
        {"{\"scaling\": {}}", "{\n  \"scaling\": {}\n}\n"},
        {"{\"start\": \"button\"}", "{\n  \"start\": \"button\"\n}\n"},
        {"{\"start\": \"2028-02-29T23:59:59\"}", "{\n  \"start\": \"2028-02-29T23:59:59\"\n}\n"},
        // UTF-8 in the file, Windows-1252 in the record: the degree sign, the euro sign
        // (byte 80) and an escaped e acute all have places in the code page.
        {"{\"name\": \"Kühlraum \\u00e9\\\"\", \"scaling\": {\"unit\": \"\302\260C\xE2\x82\xAC\"}}",
         "{\n  \"name\": \"Kühlraum é\\\"\",\n  \"scaling\": {\"unit\": \"\302\260C\xE2\x82\xAC\"}\n}\n"},
    };
    for (const Case& c : cases) {
        SettingsProblem problem;
        EXPECT_EQ(readBack(c.file, problem), c.read) << c.file << "\n" << problem.message;
    }
}

TEST(SettingsJson, FilesThatAreRefusedNameTheKey)
{
    struct Case {
        const char* file;
        const char* key;     // empty: the file is not JSON, or not an object
        const char* message; // the whole message
    };
    const Case cases[] = {
        {"", "", "line 1, column 1: the file holds no JSON value"},
        {"[1, 2]", "", "line 1: the settings are one JSON object, {\"name\": ..., ...}"},
        {" \xEF\xBB\xBF{}", "", "line 1, column 2: expected a JSON value"}, // a byte order mark only in front
        {"{\"name\": \"a\",}", "", "line 1, column 14: expected a name in double quotes"},
        {"{\n  \"interval\": 60\n  \"unit\": \"C\"\n}", "", "line 3, column 3: expected ',' or '}'"},
        {"{\"unit\": \"C\"} {}", "", "line 1, column 15: more text after the JSON value"},
        {"{\"interval\": 012}", "", "line 1, column 15: a number with a leading zero"},
        {"{\"interval\": 1e999}", "", "line 1, column 19: a number too large or too small to hold"},
        {"{\"name\": \"\xC3\"}", "", "line 1, column 11: text that is not UTF-8"},
        {"{\"name\": \"\xED\xA0\x80\"}", "", "line 1, column 11: text that is not UTF-8"}, // an encoded surrogate
        {"{\"name\": \"\\ud800x\"}", "", "line 1, column 17: a \\u escape that is half of a pair"},
        {"{\"name\": \"a\tb\"}", "", "line 1, column 12: a control character in a string (write it as an escape)"},
        // Columns count characters: the two-byte degree sign is one.
        {"{\"n\xC2\xB0\": tru}", "", "line 1, column 8: expected a JSON value"},
        {"{\"name\": \"a\",\n \"name\": \"b\"}", "", "line 2, column 2: \"name\" is given twice"},
        {"{\"Name\": \"Fridge\"}", "Name", "line 1: \"Name\": not a settings key"},
        {"{\"name\": 12}", "name", "line 1: \"name\": expected a string"},
        {"{\"name\": \"Bo\xC5\x82ka\"}", "name",
         "line 1: \"name\": holds a character the logger cannot keep (it keeps Windows-1252 text)"},
        {"{\"unit\": \"c\"}", "unit", "line 1: \"unit\": expected \"C\" or \"F\""},
        {"{\"interval\": 10.5}", "interval", "line 1: \"interval\": expected a whole number of seconds"},
        {"{\"interval\": 0}", "interval", "line 1: \"interval\": expected a whole number of seconds"},
        {"{\"interval\": \"60\"}", "interval", "line 1: \"interval\": expected a whole number of seconds"},
        {"{\"high_alarm\": \"off\"}", "high_alarm",
         "line 1: \"high_alarm\": expected a level (a number), or null for off"},
        {"{\"rh_low_alarm\": false}", "rh_low_alarm",
         "line 1: \"rh_low_alarm\": expected a level (a number), or null for off"},
        {"{\"low_hold\": 1}", "low_hold", "line 1: \"low_hold\": expected true or false"},
        {"{\"consecutive_low\": -2}", "consecutive_low",
         "line 1: \"consecutive_low\": expected a whole number of readings, 0 for off"},
        {"{\"thermocouple\": \"E\"}", "thermocouple", "line 1: \"thermocouple\": expected \"J\", \"K\" or \"T\""},
        {"{\"display\": \"30\"}", "display", "line 1: \"display\": expected \"off\", \"30s\" or \"on\""},
        {"{\"storage\": null}", "storage", "line 1: \"storage\": expected \"stop\" or \"overwrite\""},
        {"{\"scaling\": \"custom\"}", "scaling",
         "line 1: \"scaling\": expected \"standard\" or an object {\"unit\", \"in1\", \"out1\", \"in2\", \"out2\"}"},
        {"{\"scaling\": {\"in3\": 1}}", "scaling.in3",
         "line 1: \"scaling.in3\": not a member of the scaling (unit, in1, out1, in2, out2)"},
        {"{\"scaling\": {\"unit\": 5}}", "scaling.unit", "line 1: \"scaling.unit\": expected a string"},
        {"{\"scaling\": {\"out1\": \"0\"}}", "scaling.out1", "line 1: \"scaling.out1\": expected a number"},
        {"{\"agree_safety\": \"yes\"}", "agree_safety", "line 1: \"agree_safety\": expected true or false"},
        {"{\"start\": \"later\"}", "start",
         "line 1: \"start\": expected \"now\", \"button\" or a local date and time \"YYYY-MM-DDTHH:MM:SS\""},
        {"{\"start\": \"2027-02-29T08:00:00\"}", "start",
         "line 1: \"start\": expected \"now\", \"button\" or a local date and time \"YYYY-MM-DDTHH:MM:SS\""},
        {"{\"start\": \"2027-01-01 08:00:00\"}", "start",
         "line 1: \"start\": expected \"now\", \"button\" or a local date and time \"YYYY-MM-DDTHH:MM:SS\""},
        {"{\"start\": \"2027-01-01T24:00:00\"}", "start",
         "line 1: \"start\": expected \"now\", \"button\" or a local date and time \"YYYY-MM-DDTHH:MM:SS\""},
    };
    for (const Case& c : cases) {
        SettingsProblem problem;
        EXPECT_FALSE(readSettings(c.file, problem).has_value()) << c.file;
        EXPECT_EQ(problem.key, c.key) << c.file;
        EXPECT_EQ(problem.message, c.message) << c.file;
    }
}

TEST(SettingsJson, WrittenSettingsReadBackAsTheyWere)
{
    LoggerSettings s;
    s.name = "Caf\xE9 \xB0"; // Windows-1252
    s.unit = TemperatureUnit::Celsius;
    s.interval = 43200;
    s.highAlarm = AlarmSetting{true, -12.25};
    s.lowAlarm = AlarmSetting{};
    s.consecutiveHigh = 17;
    s.display = DisplayMode::AlwaysOn;
    ScalingSetting scaling;
    scaling.custom = true;
    scaling.unit = "\260F";
    scaling.in1 = 4;
    scaling.out2 = 0.001;
    s.scaling = scaling;
    s.start = StartChoice{StartMode::At, CivilTime{2030, 6, 1, 8, 5, 9}};

    const std::string json = settingsJson(s);
    EXPECT_EQ(json, "{\n"
                    "  \"name\": \"Caf\xC3\xA9 \xC2\xB0\",\n"
                    "  \"unit\": \"C\",\n"
                    "  \"interval\": 43200,\n"
                    "  \"high_alarm\": -12.25,\n"
                    "  \"low_alarm\": null,\n"
                    "  \"consecutive_high\": 17,\n"
                    "  \"display\": \"on\",\n"
                    "  \"scaling\": {\"unit\": \"\302\260F\", \"in1\": 4, \"out2\": 0.001},\n"
                    "  \"start\": \"2030-06-01T08:05:09\"\n"
                    "}\n");
    EXPECT_EQ(settingsText(s), "name\tCaf\xC3\xA9 \xC2\xB0\n"
                               "unit\tC\n"
                               "interval\t43200\n"
                               "high_alarm\t-12.25\n"
                               "low_alarm\toff\n"
                               "consecutive_high\t17\n"
                               "display\ton\n"
                               "scaling\tcustom\n"
                               "scaling.unit\t\302\260F\n"
                               "scaling.in1\t4\n"
                               "scaling.out2\t0.001\n"
                               "start\t2030-06-01T08:05:09\n");
    EXPECT_EQ(presentKeys(s), (std::vector<std::string>{"name", "unit", "interval", "high_alarm", "low_alarm",
                                                        "consecutive_high", "display", "scaling", "start"}));

    SettingsProblem problem;
    const std::optional<LoggerSettings> back = readSettings(json, problem);
    ASSERT_TRUE(back.has_value()) << problem.message;
    EXPECT_EQ(back->name, s.name);
    EXPECT_EQ(back->highAlarm, s.highAlarm);
    EXPECT_EQ(back->lowAlarm, s.lowAlarm);
    EXPECT_EQ(back->scaling, s.scaling);
    EXPECT_EQ(back->start->at, s.start->at);
    EXPECT_EQ(settingsJson(*back), json);
}
