// velmora-cli inspect: summary, JSON and readout texts, and failures, against
// hand-written files and hand-written expected output.
#include "inspect_command.h"

#include <sstream>

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::string data(const std::string& name)
{
    return std::string(VELMORA_TEST_DATA_DIR) + "/" + name;
}

struct Outcome {
    int status;
    std::string out, err;
};

Outcome inspect(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = runInspect(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(Inspect, SummaryOfAHumidityFile)
{
    const Outcome r = inspect({data("reader/humidity_alarms.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Logger: Store\n"
                     "Readings: 3\n"
                     "Interval: 60 s\n"
                     "Start: 07/12/2026 14:00:00\n"
                     "Channel 1: Celsius (°C); high alarm: High Alarm; low alarm: Low Alarm; third trace: dew point\n"
                     "Channel 2: Humidity (%rh); high alarm: High Alarm rh; low alarm: Low Alarm rh\n"
                     "Series:\n"
                     "  Celsius: min 21.5°C, max 21.7°C, mean 21.60°C\n"
                     "  High Alarm: min 30.0°C, max 30.0°C, mean 30.00°C\n"
                     "  Low Alarm: min 10.0°C, max 10.0°C, mean 10.00°C\n"
                     "  dew point: min 9.3°C, max 9.6°C, mean 9.45°C (2 of 3 readings)\n"
                     "  Humidity: min 0.0%rh, max 46.0%rh, mean 30.50%rh\n"
                     "  High Alarm rh: min 80.0%rh, max 80.0%rh, mean 80.00%rh\n"
                     "  Low Alarm rh: min 20.0%rh, max 20.0%rh, mean 20.00%rh\n"
                     "Time beyond alarms:\n"
                     "  Celsius above High Alarm: 0 s (0 readings)\n"
                     "  Celsius below Low Alarm: 0 s (0 readings)\n"
                     "  Humidity above High Alarm rh: 0 s (0 readings)\n"
                     "  Humidity below Low Alarm rh: 1 min (1 reading)\n"
                     "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:02:00\n");
}

TEST(Inspect, SummaryCountsTimeAboveTheHighAlarm)
{
    const Outcome r = inspect({data("inspect/freezer_half_days.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Logger: Freezer\n"
                     "Readings: 4\n"
                     "Interval: 43200 s\n"
                     "Start: 07/12/2026 00:00:00\n"
                     "Channel 1: Celsius (°C); high alarm: High Alarm\n"
                     "Series:\n"
                     "  Celsius: min -20.50°C, max -10.25°C, mean -16.000°C\n"
                     "  High Alarm: min -18.00°C, max -18.00°C, mean -18.000°C\n"
                     "Time beyond alarms:\n"
                     "  Celsius above High Alarm: 1 d 12 h (3 readings)\n"
                     "From:-  07 December 2026 00:00:00     To:-  08 December 2026 12:00:00\n");
}

TEST(Inspect, CarbonMonoxideCountsTimeAboveItsWarningLevel)
{
    const Outcome r = inspect({data("inspect/co_warning.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Logger: Garage\n"
                     "Readings: 3\n"
                     "Interval: 60 s\n"
                     "Start: 07/12/2026 14:00:00\n"
                     "Channel 1: CO (ppm); high alarm: High Alarm; low alarm: Warning Level\n"
                     "Series:\n"
                     "  CO: min 10.0ppm, max 50.0ppm, mean 33.33ppm\n"
                     "  High Alarm: min 200.0ppm, max 200.0ppm, mean 200.00ppm\n"
                     "  Warning Level: min 35.0ppm, max 35.0ppm, mean 35.00ppm\n"
                     "Time beyond alarms:\n"
                     "  CO above High Alarm: 0 s (0 readings)\n"
                     "  CO above Warning Level: 2 min (2 readings)\n"
                     "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:02:00\n");
}

TEST(Inspect, JsonHoldsTheWholeDocument)
{
    const char* emptyChannel2 =
        "\"channel2\":{\"present\":false,\"name\":\"\",\"unit\":\"\",\"high_label\":\"\",\"low_label\":\"\","
        "\"has_high\":false,\"has_low\":false,"
        "\"series\":[{\"shown\":false,\"y\":[]},{\"shown\":false,\"y\":[]},{\"shown\":false,\"y\":[]}]}";
    const std::pair<const char*, std::string> cases[] = {
        {"reader/temperature_alarms.txt",
         std::string("{\"name\":\"Fridge\",\"count\":3,\"interval\":10,\"start\":\"07/12/2026 14:00:00\","
                     "\"channel1\":{\"present\":true,\"name\":\"Celsius\",\"unit\":\"°C\","
                     "\"high_label\":\"High Alarm\",\"low_label\":\"Low Alarm\",\"third_name\":\"\","
                     "\"has_high\":true,\"has_low\":true,\"has_third\":false,\"decimals\":1,"
                     "\"series\":[{\"shown\":true,\"y\":[4.5,4.6,-1.5]},{\"shown\":true,\"y\":[8,8,8]},"
                     "{\"shown\":true,\"y\":[2,2,2]},{\"shown\":false,\"y\":[]}]},") +
             emptyChannel2 +
             ",\"from_to\":\"From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:00:20\","
             "\"warnings\":[]}\n"},
        // Quotes escaped, every number read back exactly, 1e300 kept.
        {"inspect/exact_numbers.txt",
         std::string("{\"name\":\"Exact\",\"count\":4,\"interval\":1,\"start\":\"07/12/2026 14:00:00\","
                     "\"channel1\":{\"present\":true,\"name\":\"Voltage\",\"unit\":\"V \\\"dc\\\"\","
                     "\"high_label\":\"\",\"low_label\":\"\",\"third_name\":\"\","
                     "\"has_high\":false,\"has_low\":false,\"has_third\":false,\"decimals\":0,"
                     "\"series\":[{\"shown\":true,\"y\":[0.30000000000000004,123456.789,-2.5e-07,1e+300]},"
                     "{\"shown\":false,\"y\":[null,null,null,null]},{\"shown\":false,\"y\":[null,null,null,null]},"
                     "{\"shown\":false,\"y\":[]}]},") +
             emptyChannel2 +
             ",\"from_to\":\"From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:00:03\","
             "\"warnings\":[]}\n"},
    };
    for (const auto& [file, json] : cases) {
        const Outcome r = inspect({"--json", data(file)});
        EXPECT_EQ(r.status, 0) << file;
        EXPECT_EQ(r.out, json) << file;
    }
}

TEST(Inspect, ALastLineWithoutItsLineEndIsReadAndReported)
{
    const std::string warning =
        "velmora-cli inspect: warning: The last line of the file has no line end: it may have been cut short.\n";
    Outcome r = inspect({data("reader/no_final_line_end.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, warning);
    EXPECT_NE(r.out.find("Readings: 3\n"), std::string::npos) << r.out;

    r = inspect({"--json", data("reader/no_final_line_end.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, warning);
    const std::string end =
        ",\"warnings\":[\"The last line of the file has no line end: it may have been cut short.\"]}\n";
    EXPECT_EQ(r.out.substr(r.out.size() - std::min(r.out.size(), end.size())), end);
}

TEST(Inspect, JsonGapsAreNullAndTheSecondChannelIsFull)
{
    const Outcome r = inspect({data("reader/humidity_alarms.txt"), "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("{\"shown\":true,\"y\":[9.3,null,9.6]}]}"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"channel2\":{\"present\":true,\"name\":\"Humidity\",\"unit\":\"%rh\","
                         "\"high_label\":\"High Alarm rh\",\"low_label\":\"Low Alarm rh\",\"has_high\":true,"
                         "\"has_low\":true,\"series\":[{\"shown\":true,\"y\":[45.5,0,46]},"
                         "{\"shown\":true,\"y\":[80,80,80]},{\"shown\":true,\"y\":[20,20,20]}]}"),
              std::string::npos)
        << r.out;
}

TEST(Inspect, ReadoutOfOneReading)
{
    const struct {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"--readout", "0", data("reader/humidity_alarms.txt")}, " 07 December 2026 14:00:00 : 21.5°C, 9.3°C, 45.5%rh\n"},
        // The third trace's gap is left out.
        {{"--readout", "1", data("reader/humidity_alarms.txt")}, " 07 December 2026 14:01:00 : 21.6°C, 0.0%rh\n"},
        {{data("reader/temperature_alarms.txt"), "--readout", "2"}, " 07 December 2026 14:00:20 : -1.5°C\n"},
        {{"--json", "--readout", "2", data("reader/temperature_alarms.txt")},
         "{\"reading\":2,\"readout\":\" 07 December 2026 14:00:20 : -1.5°C\"}\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = inspect(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
    }
}

TEST(Inspect, FailuresGoToStandardError)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char* err;
    } cases[] = {
        {{data("reader/not_there.txt")}, 1, "Unable to open the file.\n"},
        {{data("reader/stamp_bad_line3.txt")}, 1, "The File contains invalid data (line 3).\n"},
        {{"--json", data("reader/event_rising.txt")}, 1,
         "The file you are trying to open is an event log which cannot be displayed in Velmora USB Graph.\n"},
        {{"--readout", "3", data("reader/temperature_alarms.txt")}, 1,
         "velmora-cli inspect: reading 3 is not in the file (readings 0 to 2)\n"},
        {{}, 2, "usage: velmora-cli inspect [--json] [--readout I] FILE\n"},
        {{"a.txt", "b.txt"}, 2, "velmora-cli inspect: one file at a time\nusage: velmora-cli inspect [--json] [--readout I] FILE\n"},
        {{"--readout", "x", "a.txt"}, 2,
         "velmora-cli inspect: --readout needs a reading number (0, 1, 2, ...)\n"
         "usage: velmora-cli inspect [--json] [--readout I] FILE\n"},
        {{"--readout"}, 2,
         "velmora-cli inspect: --readout needs a reading number (0, 1, 2, ...)\n"
         "usage: velmora-cli inspect [--json] [--readout I] FILE\n"},
        // 2^64 does not fit the number; it is not reading 0.
        {{"--readout", "18446744073709551616", data("reader/temperature_alarms.txt")}, 2,
         "velmora-cli inspect: --readout needs a reading number (0, 1, 2, ...)\n"
         "usage: velmora-cli inspect [--json] [--readout I] FILE\n"},
        {{"--csv", "a.txt"}, 2, "velmora-cli inspect: unknown option --csv\nusage: velmora-cli inspect [--json] [--readout I] FILE\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = inspect(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

} // namespace
} // namespace velmora
