// Runs velmora-cli settings and setup the way a script would: a logger image of each
// type the set-up takes, a settings file, then the record the logger was given and
// the status page's rows; and the refusals, after which the image is as it was.
#include <gtest/gtest.h>

#include "cli_run_fixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using velmora::testing::CliRun;
using velmora::testing::slurp;

// Bytes the set-up writes at one offset of the record.
struct Patch {
    std::size_t at;
    std::vector<std::uint8_t> bytes;
};

// A text slot: the text, then zeros to the slot's size.
std::vector<std::uint8_t> text(const std::string& s, std::size_t size)
{
    std::vector<std::uint8_t> bytes(s.begin(), s.end());
    bytes.resize(size, 0);
    return bytes;
}

// 2030-06-01 08:00:00, the start every set-up of the type table asks for; the runs use
// TZ=UTC, so it is this many seconds after 1970.
constexpr const char* kStart = "2030-06-01T08:00:00";
constexpr std::int64_t kStartSeconds = 1906531200;
const Patch kStartFields{18, {8, 0, 0, 1, 6, 30}};
constexpr std::size_t kDelay = 24;

std::uint32_t delayOf(const std::string& record)
{
    std::uint32_t d = 0;
    for (int i = 3; i >= 0; --i)
        d = d << 8 | static_cast<unsigned char>(record[kDelay + static_cast<std::size_t>(i)]);
    return d;
}

class CliSetupTest : public velmora::testing::CliRunTest {
protected:
    // The C locale and UTC make the status page's dates and the start times predictable.
    CliSetupTest() : CliRunTest("velmora-cli-setup-", "LC_ALL=C TZ=UTC") {}

    // A factory-fresh logger of the type, kept in an image file.
    fs::path image(int type, const std::string& name = {})
    {
        const fs::path path = dir_ / (name.empty() ? "type" + std::to_string(type) + ".img" : name);
        EXPECT_EQ(run("--simulate " + std::to_string(type) + " image '" + path.string() + "'").exitCode, 0);
        return path;
    }

    fs::path settingsFile(const std::string& json)
    {
        const fs::path path = dir_ / "settings.json";
        std::ofstream(path, std::ios::binary) << json;
        return path;
    }

    CliRun setUp(const fs::path& image, const std::string& json, const std::string& options = "--yes")
    {
        return run("--simulate '" + image.string() + "' setup " + options + " '" + settingsFile(json).string() + "'");
    }
};

} // namespace

TEST_F(CliSetupTest, EveryTypeIsSetUpAndStartedFromAFile)
{
    struct Row {
        int type;
        const char* settings;            // the file, less its start
        std::vector<Patch> record;       // the record's bytes the set-up changes, besides the start
        std::vector<std::string> status; // rows of the status page afterwards
    };
    // The presets (their names, calibrations and alarms) are the images' starting points;
    // every level below is encoded by hand from its type's rule. A started logger has no
    // readings yet, its undownloaded bit is clear and its logging bit (flags 0x0100) set.
    const Row rows[] = {
        {1,
         R"({"name": "Cold Room", "interval": 60, "high_alarm": 6.5, "low_alarm": null, "high_hold": true})",
         {{2, text("Cold Room", 16)}, {28, {60, 0}}, {32, {0x05, 0x01}}, {34, {93}}},
         {"Logger Name :\tCold Room", "Sample Rate :\t1 Minute", "High Alarm :\t6.5 °C (Hold)",
          "Low Alarm :\tDisabled"}},
        // To Fahrenheit: the calibration becomes 1 °F a count from -40.
        {2,
         R"({"unit": "F", "high_alarm": 5, "low_alarm": -13})",
         {{32, {0x03, 0x01}}, {34, {45, 27}}, {36, {0x00, 0x00, 0x80, 0x3F}}, {46, {1}}},
         {"Scale :\tFahrenheit", "High Alarm :\t5.0 °F", "Low Alarm :\t-13.0 °F"}},
        {3,
         R"({"low_hold": true, "rh_high_alarm": 80.5, "rh_low_alarm": null, "rh_low_hold": true})",
         {{32, {0x9B, 0x01}}, {56, {161}}},
         {"High Alarm :\t25.0 °C, 80.5 %rh", "Low Alarm :\t15.0 °C (Hold), Disabled (Hold)"}},
        // 0..30 V: 21824 counts a volt, levels typed with 2 decimals.
        {4,
         R"({"high_alarm": 14.5, "low_alarm": 11.25, "high_hold": true, "leds_disabled": true})",
         {{32, {0x07, 0x01}},
          {34, {0x9D, 0x7B}},
          {47, {0x01}},
          {56, {0xE8, 0x5F}},
          {112, text("14.50", 8)},
          {120, text("11.25", 8)}},
         {"Scale :\tVoltage (Volts)", "High Alarm :\t14.50 Volts (Hold)", "Low Alarm :\t11.25 Volts"}},
        // 0..25 mA, 3 decimals; a level switched off is stored as its page shows it.
        {5,
         R"({"name": "Pump 2", "interval": 1, "low_alarm": null})",
         {{2, text("Pump 2", 16)},
          {28, {1, 0}},
          {32, {0x01, 0x01}},
          {34, {0x24, 0xB8}},
          {56, {0x26, 0x33}},
          {112, text("18.000", 8)},
          {120, text("5.000", 8)}},
         {"Sample Rate :\t1 Second", "Scale :\tCurrent (mA)", "High Alarm :\t18.000 mA", "Low Alarm :\tDisabled"}},
        // 0..30 V shown as 0..300 Bar; the points the file leaves alone keep their texts.
        {6,
         R"({"scaling": {"unit": "Bar", "in2": 30, "out2": 300}, "high_alarm": 150, "low_alarm": 20.5})",
         {{32, {0x03, 0x01}},
          {34, {0xE0, 0x7F}},
          {46, {1}},
          {56, {0x7A, 0x11}},
          {64, text("Bar", 12)},
          {100, text("300", 8)},
          {112, text("150.0", 8)},
          {120, text("20.5", 8)}},
         {"Scale :\tVoltage (Bar)", "High Alarm :\t150.0 Bar", "Low Alarm :\t20.5 Bar"}},
        // 4..20 mA shown as 0..100 %.
        {7,
         R"({"scaling": {"unit": "%", "in1": 4, "out1": 0, "in2": 20, "out2": 100}, "high_alarm": 90,
             "low_alarm": 10})",
         {{32, {0x03, 0x01}},
          {34, {0x3B, 0xBC}},
          {46, {1}},
          {56, {0x4A, 0x39}},
          {64, text("%", 12)},
          {76, text("4", 8)},
          {92, text("20", 8)},
          {100, text("100", 8)},
          {112, text("90.0", 8)},
          {120, text("10.0", 8)}},
         {"Scale :\tCurrent (%)", "High Alarm :\t90.0 %", "Low Alarm :\t10.0 %"}},
        {8,
         R"({"unit": "F", "interval": 1800, "high_alarm": 80, "low_alarm": 50})",
         {{32, {0x03, 0x01}}, {34, {0x92, 0x9E}}, {46, {1}}, {56, {0xA3, 0xB2}}},
         {"Sample Rate :\t30 Minutes", "Scale :\tFahrenheit", "High Alarm :\t80 °F", "Low Alarm :\t50 °F"}},
        // The warning level is the low alarm; the unused high one is kept off at 1001 ppm.
        {9,
         R"({"agree_safety": true, "name": "Plant Room", "interval": 30, "low_alarm": 40, "low_hold": true})",
         {{2, text("Plant Room", 16)}, {28, {30, 0}}, {32, {0x0A, 0x01}}, {34, {0x82, 0xC3}}, {56, {0xD0, 0x07}}},
         {"Sample Rate :\t30 Seconds", "Warning Level :\t40.0 ppm (Hold) (Sounder)"}},
        // Tenths of °F above -328; the kind and the scale share inputOptions.
        {10,
         R"({"thermocouple": "T", "unit": "F", "high_alarm": 400, "low_alarm": 100})",
         {{32, {0x03, 0x01}},
          {34, {0x70, 0x1C}},
          {46, {0x41}},
          {56, {0xB8, 0x10}},
          {64, text("\260F", 12)},
          {112, text("400", 8)},
          {120, text("100", 8)}},
         {"Scale :\tFahrenheit, T-Type", "High Alarm :\t400.0 °F", "Low Alarm :\t100.0 °F"}},
        // Above 50 ppm with the sounder off: the question --yes answers.
        {11,
         R"({"agree_safety": true, "low_alarm": 60, "sounder": false})",
         {{32, {0x02, 0x01}}, {34, {0x28, 0xEB}}, {47, {0x00}}, {56, {0xE0, 0x2E}}},
         {"Warning Level :\t60.0 ppm"}},
        {12,
         R"({"display": "30s", "storage": "overwrite", "high_alarm": 30, "rh_high_alarm": null})",
         {{32, {0x23, 0x01}}, {34, {140}}, {47, {0x70}}},
         {"High Alarm :\t30.0 °C, Disabled", "Low Alarm :\t15.0 °C, 30.0 %rh"}},
        {13,
         R"({"storage": "overwrite", "low_alarm": 12.5, "rh_low_alarm": 25})",
         {{32, {0x33, 0x01}}, {35, {105}}, {47, {0x10}}, {57, {50}}},
         {"High Alarm :\t30.0 °C, 70.0 %rh", "Low Alarm :\t12.5 °C, 25.0 %rh"}},
        // Hundredths of a degree from -40 °C.
        {14,
         R"({"agree_safety": true, "interval": 1, "high_alarm": 100, "low_alarm": 20.5})",
         {{28, {1, 0}},
          {32, {0x03, 0x01}},
          {34, {0xB0, 0x36}},
          {56, {0xA2, 0x17}},
          {112, text("100.0", 8)},
          {120, text("20.5", 8)}},
         {"Sample Rate :\t1 Second", "High Alarm :\t100.0 °C", "Low Alarm :\t20.5 °C"}},
        {15,
         R"({"name": "Furnace 2", "high_alarm": 1000, "low_alarm": -50.5, "leds_disabled": true})",
         {{2, text("Furnace 2", 16)},
          {32, {0x03, 0x01}},
          {34, {0x60, 0x54}},
          {47, {0x61}},
          {56, {0x83, 0x0A}},
          {112, text("1000.0", 8)},
          {120, text("-50.5", 8)}},
         {"Scale :\tCelsius, J-Type", "High Alarm :\t1000.0 °C", "Low Alarm :\t-50.5 °C"}},
        {16,
         R"({"rh_high_alarm": 65.5, "rh_high_hold": true, "display": "off"})",
         {{32, {0x73, 0x01}}, {47, {0x00}}, {56, {131}}},
         {"High Alarm :\t24.0 °C, 65.5 %rh (Hold)", "Low Alarm :\t18.0 °C, 30.0 %rh"}},
        // A change of scale changes inputOptions only; the levels are typed in whole °F
        // (the status page shows them with a decimal).
        {19,
         R"({"unit": "F", "high_alarm": 77, "low_alarm": 64})",
         {{32, {0x03, 0x01}},
          {34, {0xD2, 0x0F}},
          {46, {1}},
          {56, {0x50, 0x0F}},
          {112, text("77", 8)},
          {120, text("64", 8)}},
         {"Scale :\tFahrenheit", "High Alarm :\t77.0 °F", "Low Alarm :\t64.0 °F"}},
        // The levels are stored again as page 10 shows them, then the counts of page 25.
        {21,
         R"({"consecutive_high": 3, "consecutive_low": 10, "low_hold": true})",
         {{32, {0x0B, 0x01}},
          {34, {0x02, 0x0D}},
          {56, {0x4E, 0x0C}},
          {62, {3, 10}},
          {112, text("-15.0", 8)},
          {120, text("-25.0", 8)}},
         {"High Alarm :\t-15.0 °C", "Low Alarm :\t-25.0 °C (Hold)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("type " + std::to_string(row.type));
        const fs::path img = image(row.type);
        const std::string before = slurp(img);
        std::string json = row.settings;
        json.insert(json.rfind('}'), std::string(", \"start\": \"") + kStart + "\"");

        const std::int64_t t0 = std::time(nullptr);
        const CliRun r = setUp(img, json);
        const std::int64_t t1 = std::time(nullptr);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out.rfind("The Velmora USB Data Logger: ", 0), 0u) << r.out;
        EXPECT_NE(r.out.find(" has been configured successfully.\n"), std::string::npos) << r.out;

        const std::size_t length =
            row.type == 1 || row.type == 2 || row.type == 3 || row.type == 12 || row.type == 13 || row.type == 16 ? 64
                                                                                                                  : 256;
        const std::string after = slurp(img);
        ASSERT_GE(after.size(), length);
        std::string expected = before.substr(0, length);
        std::vector<Patch> patches = row.record;
        patches.push_back(kStartFields);
        patches.push_back(Patch{30, {0, 0}}); // no readings yet
        for (const Patch& p : patches)
            for (std::size_t i = 0; i < p.bytes.size(); ++i)
                expected[p.at + i] = static_cast<char>(p.bytes[i]);
        std::string written = after.substr(0, length);
        const std::uint32_t delay = delayOf(written);
        EXPECT_GE(delay, kStartSeconds - t1);
        EXPECT_LE(delay, kStartSeconds - t0);
        for (std::size_t i = 0; i < 4; ++i)
            written[kDelay + i] = expected[kDelay + i] = 0;
        for (std::size_t i = 0; i < length; ++i)
            EXPECT_EQ(static_cast<int>(static_cast<unsigned char>(written[i])),
                      static_cast<int>(static_cast<unsigned char>(expected[i])))
                << "record offset " << i;

        const CliRun status = run("--simulate '" + img.string() + "' status");
        ASSERT_EQ(status.exitCode, 0) << status.err;
        std::vector<std::string> lines = row.status;
        lines.insert(lines.end(),
                     {"Status :\tDelayed Start", "Start Time :\t08:00:00", "Start Date :\t06/01/30", "Readings :\t0"});
        for (const std::string& line : lines)
            EXPECT_NE(status.out.find(line + "\n"), std::string::npos) << line << "\n" << status.out;
    }
}

TEST_F(CliSetupTest, StartNowOrOnTheButton)
{
    const fs::path fridge = image(1);
    const std::int64_t t0 = std::time(nullptr);
    CliRun r = setUp(fridge, R"({"start": "now"})");
    const std::int64_t t1 = std::time(nullptr);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string record = slurp(fridge);
    EXPECT_EQ(delayOf(record), 0u);
    bool startedThen = false; // the start fields hold the local (here UTC) time of the finish
    for (std::time_t t = t0; t <= t1; ++t) {
        std::tm utc{};
        gmtime_r(&t, &utc);
        const std::string fields{static_cast<char>(utc.tm_hour),    static_cast<char>(utc.tm_min),
                                 static_cast<char>(utc.tm_sec),     static_cast<char>(utc.tm_mday),
                                 static_cast<char>(utc.tm_mon + 1), static_cast<char>(utc.tm_year % 100)};
        startedThen = startedThen || record.substr(18, 6) == fields;
    }
    EXPECT_TRUE(startedThen);
    EXPECT_NE(run("--simulate '" + fridge.string() + "' status").out.find("Status :\tLogging\n"), std::string::npos);

    const fs::path lab = image(16);
    r = setUp(lab, R"({"start": "button"})");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    record = slurp(lab);
    EXPECT_EQ(delayOf(record), 0u);
    EXPECT_EQ(static_cast<unsigned char>(record[47]) & 0x80, 0x80);
    EXPECT_NE(run("--simulate '" + lab.string() + "' status").out.find("Status :\tPush Button To Start\n"),
              std::string::npos);
    // A logger set for the button keeps that start when a file leaves it out.
    r = setUp(lab, R"({"name": "Lab 2"})");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(static_cast<unsigned char>(slurp(lab)[47]) & 0x80, 0x80);
}

TEST_F(CliSetupTest, RefusalsLeaveTheLoggerAsItWas)
{
    struct Case {
        const char* what;
        int type;
        bool logging; // the logger was started before (with a delay)
        const char* options;
        const char* settings;
        int exitCode;
        const char* err; // the whole of standard error
    };
    const Case cases[] = {
        {"a level not in the list", 1, false, "--yes", R"({"high_alarm": 6.3})", 1,
         "high_alarm: 6.3 is not one of the page's levels (87.5 °C down to -40.0 °C); "
         "the nearest are 6.0 and 6.5.\n"},
        {"a level above the list", 1, false, "--yes", R"({"unit": "F", "high_alarm": 200})", 1,
         "high_alarm: 200 is not one of the page's levels (189 °F down to -40 °F); the nearest is 189.\n"},
        {"a level the box cannot show", 19, false, "--yes", R"({"unit": "F", "low_alarm": 64.4})", 1,
         "low_alarm: 64.4 is not a value the page takes (whole numbers); the nearest are 64 and 65.\n"},
        {"an interval not in the list", 1, false, "--yes", R"({"interval": 15})", 1,
         "interval: 15 is not one of this logger's rates (10, 60, 300, 1800, 3600, 21600, 43200 seconds).\n"},
        {"the page's own check", 1, false, "--yes", R"({"high_alarm": 2, "low_alarm": 2})", 1,
         "Configuration Error.\nThe High Alarm must be set greater than the Low Alarm. \n"},
        {"a level the page corrects", 21, false, "--yes", R"({"high_alarm": 100})", 1,
         "High alarm value out of range. Adjusting Automatically.\nhigh_alarm: the nearest the page takes is 87.5.\n"},
        {"equal input points", 4, false, "--yes", R"({"scaling": {"in1": 5, "in2": 5}})", 1,
         "The input values entered must be different.\n"},
        {"a count for an alarm that is off", 21, false, "--yes",
         R"({"high_alarm": null, "low_alarm": null, "consecutive_high": 5})", 1,
         "consecutive_high: a count other than 0 needs the high alarm on.\n"},
        {"no agreement", 14, false, "--yes", R"({"high_alarm": 100})", 1,
         "agree_safety: this logger is set up only after its safety agreement is accepted (\"agree_safety\": "
         "true).\n"},
        {"a question without --yes", 9, false, "", R"({"agree_safety": true, "low_alarm": 60})", 1,
         "Attention:- The Warning Level has been set higher than the recommended 50ppm safety level.\nAre you sure "
         "you wish to continue?\nAnswered No. Give setup --yes to answer Yes.\n"},
        {"a start in the past", 1, false, "--yes", R"({"start": "2020-01-01T00:00:00"})", 1,
         "Time set must be in the future.\nPlease enter a valid time.\n"},
        {"the stop question without --yes", 1, true, "", R"({})", 1,
         "The USB Data Logger is currently in delayed start.\nEntering set-up will stop the log & data may be "
         "lost.\nDo you wish to continue?\nAnswered No. Give setup --yes to answer Yes.\n"},
        // Refused before the stop: the logger logs on.
        {"a refused level while logging", 1, true, "--yes", R"({"high_alarm": 6.3})", 1,
         "high_alarm: 6.3 is not one of the page's levels (87.5 °C down to -40.0 °C); "
         "the nearest are 6.0 and 6.5.\n"},
        {"a key of another type", 1, false, "--yes", R"({"sounder": true})", 2,
         "velmora-cli: \"sounder\": the set-up of the KV-USB-1 (type 1) has no such setting\n"},
        {"LEDs that cannot be switched off", 14, false, "--yes", R"({"agree_safety": true, "leds_disabled": false})", 2,
         "velmora-cli: \"leds_disabled\": the LEDs of the KV-USB-1-HT (type 14) cannot be switched off\n"},
        {"a button start without a button", 3, false, "--yes", R"({"start": "button"})", 2,
         "velmora-cli: \"start\": the KV-USB-2 (type 3) has no start button\n"},
        {"a value of the wrong type", 1, false, "--yes", R"({"high_alarm": "8"})", 2,
         "velmora-cli: settings.json, line 1: \"high_alarm\": expected a level (a number), or null for off\n"},
        // A line feed would split the download file's header line; a NUL would cut the name.
        {"a name with a line feed", 1, false, "--yes", R"({"name": "Cold\nRoom"})", 2,
         "velmora-cli: settings.json, line 1: \"name\": holds a control character (U+000A): a name or unit may not "
         "hold tabs, line breaks or the like\n"},
        {"a name with a NUL", 1, false, "--yes", R"({"name": "Cold\u0000Room"})", 2,
         "velmora-cli: settings.json, line 1: \"name\": holds a control character (U+0000): a name or unit may not "
         "hold tabs, line breaks or the like\n"},
        {"a unit with an escape", 4, false, "--yes", R"({"scaling": {"unit": "\u001b[1mbar"}})", 2,
         "velmora-cli: settings.json, line 1: \"scaling.unit\": holds a control character (U+001B): a name or unit "
         "may not hold tabs, line breaks or the like\n"},
        {"a unit with a C1 control", 4, false, "--yes", R"({"scaling": {"unit": "bar\u0081"}})", 2,
         "velmora-cli: settings.json, line 1: \"scaling.unit\": holds a control character (U+0081): a name or unit "
         "may not hold tabs, line breaks or the like\n"},
        // An unknown key is printed escaped: a terminal must not act on what a file holds.
        {"an unknown key with an escape", 1, false, "--yes", R"({"\u001b[31mred\u007f": 1})", 2,
         "velmora-cli: settings.json, line 1: \"\\u001b[31mred\\u007f\": not a settings key\n"},
        {"a key given twice with an escape", 1, false, "--yes", R"({"\u009b2J": 1, "\u009b2J": 2})", 2,
         "velmora-cli: settings.json, line 1, column 17: \"\\u009b2J\" is given twice\n"},
        // 0 to 30 V shown as 0 to 52.78 bar, one decimal: 52.8 lies beyond full scale.
        {"a scaled level just beyond full scale", 4, false, "--yes",
         R"({"scaling": {"unit": "bar", "in1": 0, "out1": 0, "in2": 30, "out2": 52.78}, "high_alarm": 52.8,
             "low_alarm": 1})",
         1,
         "High alarm value out of range. Adjusting Automatically.\nhigh_alarm: the nearest the page takes is 52.7.\n"},
        // 0 to 3 V shown as 0 to 1000000: 30 V would be 10000000, too long for the alarm boxes.
        {"a scaling whose levels the alarm boxes cannot show", 4, false, "--yes",
         R"({"scaling": {"unit": "x", "in1": 0, "out1": 0, "in2": 3, "out2": 1000000}})", 1,
         "The graph output values give alarm levels too long for the alarm boxes (7 characters).\n"
         "Please enter output values with fewer digits.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path img = image(c.type);
        if (c.logging) {
            ASSERT_EQ(setUp(img, std::string("{\"start\": \"") + kStart + "\"}").exitCode, 0);
        }
        const std::string before = slurp(img);
        const CliRun r = setUp(img, c.settings, c.options);
        EXPECT_EQ(r.exitCode, c.exitCode);
        std::string err = r.err;
        if (const std::size_t at = err.find(dir_.string() + "/"); at != std::string::npos)
            err.erase(at, dir_.string().size() + 1);
        EXPECT_EQ(err, c.err);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(slurp(img), before);
    }
}

TEST_F(CliSetupTest, WhatIsNoSettingsFileIsRefusedUnread)
{
    const fs::path img = image(1);
    const std::string before = slurp(img);
    const fs::path fifo = dir_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path big = dir_ / "big.json";
    std::ofstream(big) << "{\"name\": \"" << std::string(1 << 20, 'a') << "\"}";
    struct Case {
        std::string file; // the argument, or "- < input"
        std::string err;
    } cases[] = {
        {dir_.string(), "velmora-cli: cannot read " + dir_.string() + ": not a regular file\n"},
        {"/dev/zero", "velmora-cli: cannot read /dev/zero: not a regular file\n"},
        {fifo.string(), "velmora-cli: cannot read " + fifo.string() + ": not a regular file\n"},
        {big.string(), "velmora-cli: " + big.string() + ": larger than 1 MB: not a settings file\n"},
        {"- < /dev/zero", "velmora-cli: standard input: larger than 1 MB: not a settings file\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const CliRun r = run("--simulate '" + img.string() + "' setup --yes " + c.file);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(slurp(img), before);
    }
}

TEST_F(CliSetupTest, AnImageThatCannotBeWrittenFailsTheCommandThatWrites)
{
    // Root writes to read-only files and folders, so the program runs as nobody then.
    std::string as;
    if (::geteuid() == 0) {
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        if (std::system(("LC_ALL=C " + as + "true").c_str()) != 0)
            GTEST_SKIP() << "cannot run as another user here";
    }
    const auto unsaved = [](const fs::path& img, const char* why) {
        return "--simulate: cannot write logger image " + img.string() + ": " + why +
               "; the logger keeps what it held\n";
    };
    const std::string commsError = "An error occurred whilst communicating with the logger.\nRe-insert the logger "
                                   "and try again.\nIf the problem persists, contact your supplier for further "
                                   "help.\n(See About box for contact details)\n";

    // A read-only folder: the set-up's write fails three times, and the command with it.
    const fs::path folder = dir_ / "read-only";
    fs::create_directories(folder);
    const fs::path img = folder / "fridge.img";
    fs::copy_file(image(1), img);
    const std::string before = slurp(img);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    CliRun r =
        run("--simulate '" + img.string() + "' setup --yes '" + settingsFile(R"({"name": "Cold Room"})").string() + "'",
            as);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    const std::string denied = unsaved(img, "Permission denied");
    EXPECT_NE(r.err.find(denied + denied + denied + commsError), std::string::npos) << r.err;
    EXPECT_EQ(slurp(img), before);
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);

    // A read-only image of a logging logger: the stop cannot be kept, so nothing is
    // downloaded and the logger logs on.
    const fs::path logging = image(1, "logging.img");
    ASSERT_EQ(setUp(logging, std::string("{\"start\": \"") + kStart + "\"}").exitCode, 0);
    const std::string started = slurp(logging);
    fs::permissions(logging, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const fs::path out = dir_ / "out";
    fs::create_directories(out);
    fs::permissions(out, fs::perms::all);
    const fs::path file = out / "readings.txt";
    r = run("--simulate '" + logging.string() + "' download --stop '" + file.string() + "'", as);
    EXPECT_EQ(r.exitCode, 1);
    const std::string readOnly = unsaved(logging, "Permission denied");
    EXPECT_EQ(r.err, readOnly + readOnly + readOnly + commsError);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(slurp(logging), started);
}

TEST_F(CliSetupTest, SettingsShowWhatThePagesShow)
{
    const fs::path fridge = image(1);
    CliRun r = run("--simulate '" + fridge.string() + "' settings --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\n"
                     "  \"name\": \"Fridge\",\n"
                     "  \"unit\": \"C\",\n"
                     "  \"interval\": 300,\n"
                     "  \"high_alarm\": 8,\n"
                     "  \"low_alarm\": 2,\n"
                     "  \"high_hold\": false,\n"
                     "  \"low_hold\": false,\n"
                     "  \"start\": \"now\"\n"
                     "}\n");
    // The carbon monoxide logger: the warning level as its edit shows it (whole ppm),
    // and the agreement as every visit starts it, not yet accepted.
    r = run("--simulate 9 settings");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "name\tBoiler Room\n"
                     "interval\t60\n"
                     "low_alarm\t35\n"
                     "low_hold\tno\n"
                     "sounder\tyes\n"
                     "agree_safety\tno\n"
                     "start\tnow\n");
    r = run("--simulate 17 settings");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("The USB device currently connected is not compatible", 0), 0u) << r.err;
}

TEST_F(CliSetupTest, TheSettingsShownSetTheLoggerUpAsItWas)
{
    for (int type : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 21}) {
        SCOPED_TRACE("type " + std::to_string(type));
        const fs::path img = image(type);
        const CliRun shown = run("--simulate '" + img.string() + "' settings --json");
        ASSERT_EQ(shown.exitCode, 0) << shown.err;
        std::string json = shown.out;
        if (const std::size_t at = json.find("\"agree_safety\": false"); at != std::string::npos)
            json.replace(at, 21, "\"agree_safety\": true");
        // Standard input, as a pipe from `settings --json` gives it.
        const fs::path file = dir_ / "shown.json";
        std::ofstream(file, std::ios::binary) << json;
        const CliRun r = run("--simulate '" + img.string() + "' setup --yes - < '" + file.string() + "'");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(run("--simulate '" + img.string() + "' settings --json").out, shown.out);
    }
}

TEST_F(CliSetupTest, ALoggerWaitingForADelayedStartShowsThatStart)
{
    // Type 1 starts on the start page, type 16 on the page with the start button.
    for (int type : {1, 16}) {
        SCOPED_TRACE("type " + std::to_string(type));
        const fs::path img = image(type);
        ASSERT_EQ(setUp(img, std::string("{\"start\": \"") + kStart + "\"}").exitCode, 0);
        const CliRun shown = run("--simulate '" + img.string() + "' settings --json");
        ASSERT_EQ(shown.exitCode, 0) << shown.err;
        EXPECT_NE(shown.out.find(std::string("  \"start\": \"") + kStart + "\"\n"), std::string::npos) << shown.out;

        // Fed back to a fresh logger, the settings start it at that time too.
        const fs::path other = image(type, "other.img");
        const fs::path file = dir_ / "shown.json";
        std::ofstream(file, std::ios::binary) << shown.out;
        const CliRun r = run("--simulate '" + other.string() + "' setup --yes '" + file.string() + "'");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(slurp(other).substr(18, 6), slurp(img).substr(18, 6)); // the start fields
        EXPECT_EQ(run("--simulate '" + other.string() + "' settings --json").out, shown.out);
    }
}
