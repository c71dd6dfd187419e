// velmora-cli inspect: summary, JSON and readout texts, and failures, against
// hand-written files and hand-written expected output.
#include "inspect_command.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::string data(const std::string& name) { return std::string(VELMORA_TEST_DATA_DIR) + "/" + name; }

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

// The statistics in the summaries below are worked out by hand: means and population
// standard deviations of the readings; the mean kinetic temperature with ΔH/R =
// 83144 / 8.314462618 = 9999.9247 K (each reading in kelvin, the mean of
// e^(-ΔH/RT), back through the logarithm); time beyond a level = the readings strictly
// beyond the level on their own line × the interval.
TEST(Inspect, SummaryOfAHumidityFile)
{
    const Outcome r = inspect({data("reader/humidity_alarms.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Logger: Store\n"
                     "Serial number: 000012345\n"
                     "Readings: 3\n"
                     "Interval: 60 s\n"
                     "Start: 07/12/2026 14:00:00\n"
                     "Channel 1: Celsius (°C); high alarm: High Alarm; low alarm: Low Alarm; third trace: dew point\n"
                     "Channel 2: Humidity (%rh); high alarm: High Alarm rh; low alarm: Low Alarm rh\n"
                     "Alarm levels:\n"
                     "  Celsius High Alarm: 30.0°C\n"
                     "  Celsius Low Alarm: 10.0°C\n"
                     "  Humidity High Alarm rh: 80.0%rh\n"
                     "  Humidity Low Alarm rh: 20.0%rh\n"
                     "Statistics, 07/12/2026 14:00:00 to 07/12/2026 14:02:00:\n"
                     "                               Celsius (°C)         Humidity (%rh)       dew point (°C)\n"
                     "  Readings                     3                    3                    2\n"
                     "  Skipped (not a number)       0                    0                    1\n"
                     "  Minimum                      21.5°C               0.0%rh               9.3°C\n"
                     "  Minimum first reached        07/12/2026 14:00:00  07/12/2026 14:01:00  07/12/2026 14:00:00\n"
                     "  Maximum                      21.7°C               46.0%rh              9.6°C\n"
                     "  Maximum first reached        07/12/2026 14:02:00  07/12/2026 14:02:00  07/12/2026 14:02:00\n"
                     "  Mean                         21.60°C              30.50%rh             9.45°C\n"
                     "  Standard deviation           0.08°C               21.57%rh             0.15°C\n"
                     "  Mean kinetic temperature     21.60°C              -                    9.45°C\n"
                     "  Time above high alarm        0 s                  0 s                  -\n"
                     "  Excursions above high alarm  0                    0                    -\n"
                     "  Longest above high alarm     0 s                  0 s                  -\n"
                     "  Time below low alarm         0 s                  1 min                -\n"
                     "  Excursions below low alarm   0                    1                    -\n"
                     "  Longest below low alarm      0 s                  1 min                -\n"
                     "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:02:00\n");
}

TEST(Inspect, SummaryCountsTimeAboveTheHighAlarm)
{
    // -10.25 -20.50 -15.75 -17.50 against -18.00, 12 hours apart: three readings above
    // in two runs, the longer two readings long; mean -16, deviations 5.75 -4.5 0.25
    // -1.5; MKT -14.964 °C.
    // The header has no "Serial Number" title, so the number on the first line is not named.
    const Outcome r = inspect({data("inspect/freezer_half_days.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Logger: Freezer\n"
                     "Readings: 4\n"
                     "Interval: 43200 s\n"
                     "Start: 07/12/2026 00:00:00\n"
                     "Channel 1: Celsius (°C); high alarm: High Alarm\n"
                     "Alarm levels:\n"
                     "  Celsius High Alarm: -18.00°C\n"
                     "Statistics, 07/12/2026 00:00:00 to 08/12/2026 12:00:00:\n"
                     "                               Celsius (°C)\n"
                     "  Readings                     4\n"
                     "  Minimum                      -20.50°C\n"
                     "  Minimum first reached        07/12/2026 12:00:00\n"
                     "  Maximum                      -10.25°C\n"
                     "  Maximum first reached        07/12/2026 00:00:00\n"
                     "  Mean                         -16.000°C\n"
                     "  Standard deviation           3.729°C\n"
                     "  Mean kinetic temperature     -14.964°C\n"
                     "  Time above high alarm        1 d 12 h\n"
                     "  Excursions above high alarm  2\n"
                     "  Longest above high alarm     1 d\n"
                     "From:-  07 December 2026 00:00:00     To:-  08 December 2026 12:00:00\n");
}

TEST(Inspect, CarbonMonoxideCountsTimeAboveItsWarningLevel)
{
    const Outcome r = inspect({data("inspect/co_warning.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Logger: Garage\n"
                     "Serial number: 000012345\n"
                     "Readings: 3\n"
                     "Interval: 60 s\n"
                     "Start: 07/12/2026 14:00:00\n"
                     "Channel 1: CO (ppm); high alarm: High Alarm; low alarm: Warning Level\n"
                     "Alarm levels:\n"
                     "  CO High Alarm: 200.0ppm\n"
                     "  CO Warning Level: 35.0ppm\n"
                     "Statistics, 07/12/2026 14:00:00 to 07/12/2026 14:02:00:\n"
                     "                                  CO (ppm)\n"
                     "  Readings                        3\n"
                     "  Minimum                         10.0ppm\n"
                     "  Minimum first reached           07/12/2026 14:00:00\n"
                     "  Maximum                         50.0ppm\n"
                     "  Maximum first reached           07/12/2026 14:02:00\n"
                     "  Mean                            33.33ppm\n"
                     "  Standard deviation              17.00ppm\n"
                     "  Time above high alarm           0 s\n"
                     "  Excursions above high alarm     0\n"
                     "  Longest above high alarm        0 s\n"
                     "  Time above warning level        2 min\n"
                     "  Excursions above warning level  1\n"
                     "  Longest above warning level     2 min\n"
                     "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:02:00\n");
}

// The text of a value in the "stats" array of inspect's JSON (its first series).
std::string statsField(const std::string& json, const std::string& key)
{
    const std::size_t stats = json.find("\"stats\":[");
    const std::size_t at = stats == std::string::npos ? stats : json.find("\"" + key + "\":", stats);
    if (at == std::string::npos)
        return "(none)";
    const std::size_t begin = at + key.size() + 3;
    return json.substr(begin, json.find_first_of(",}", begin) - begin);
}

// One key of a stats object: a number within a tolerance, or the exact text.
struct StatKey {
    const char* key;
    double value;
    const char* text = nullptr;
};

void expectStats(const std::string& json, std::initializer_list<StatKey> keys, const std::string& what)
{
    for (const StatKey& k : keys) {
        const std::string field = statsField(json, k.key);
        if (k.text)
            EXPECT_EQ(field, k.text) << what << " " << k.key;
        else
            EXPECT_NEAR(std::strtod(field.c_str(), nullptr), k.value, 1e-9 * std::max(1.0, std::abs(k.value)))
                << what << " " << k.key << " = " << field;
    }
}

// --from and --to limit the statistics (and the alarm levels) to a range of times;
// --activation-energy changes ΔH. fridge_excursions: 5 9 9.5 5 1 8.5 8 1.5 1.5 5,
// one a minute from 14:00:00, alarms 8.0 and 2.0.
TEST(Inspect, StatisticsOverARange)
{
    const std::string file = data("stats/fridge_excursions.txt");
    // Whole file: mean 5.4, squared deviations 96.4, MKT 5.965868 °C.
    Outcome r = inspect({"--json", file});
    expectStats(r.out,
                {{"series", 0, "\"Celsius\""},
                 {"count", 10},
                 {"min", 1},
                 {"min_time", 0, "\"07/12/2026 14:04:00\""},
                 {"max", 9.5},
                 {"max_time", 0, "\"07/12/2026 14:02:00\""},
                 {"mean", 5.4},
                 {"stddev", std::sqrt(9.64)},
                 {"time_above_high_s", 180},
                 {"time_below_low_s", 180},
                 {"excursions_above", 2},
                 {"excursions_below", 2},
                 {"longest_above_s", 120},
                 {"longest_below_s", 120},
                 {"mkt", 5.9658684279133}},
                "whole");
    // 14:01:30 to 14:03:00 holds 9.5 and 5: mean 7.25, deviations ±2.25, MKT 7.549945 °C;
    // one reading above 8.0, its excursion begun before the range.
    r = inspect({"--json", "--from", "07/12/2026 14:01:30", "--to", "07/12/2026 14:03:00", file});
    expectStats(r.out,
                {{"count", 2},
                 {"min", 5},
                 {"min_time", 0, "\"07/12/2026 14:03:00\""},
                 {"mean", 7.25},
                 {"stddev", 2.25},
                 {"time_above_high_s", 60},
                 {"excursions_above", 1},
                 {"longest_above_s", 60},
                 {"time_below_low_s", 0},
                 {"mkt", 7.5499452755655}},
                "14:01:30 to 14:03:00");
    // From 14:07:00 to the end: 1.5 1.5 5.
    r = inspect({"--from", "07/12/2026 14:07:00", "--json", file});
    expectStats(r.out,
                {{"count", 3},
                 {"min_time", 0, "\"07/12/2026 14:07:00\""},
                 {"stddev", 1.6499158227686},
                 {"time_below_low_s", 120},
                 {"excursions_below", 1}},
                "from 14:07:00");
    // Nothing after the last reading: no figures, and the temperature's MKT is null.
    r = inspect({"--json", "--from", "08/12/2026 00:00:00", file});
    expectStats(r.out,
                {{"count", 0},
                 {"min", 0, "null"},
                 {"min_time", 0, "null"},
                 {"mean", 0, "null"},
                 {"time_above_high_s", 0},
                 {"mkt", 0, "null"}},
                "after the end");
    // ΔH = 60 kJ/mol: MKT 5.804762 °C.
    r = inspect({"--json", "--activation-energy", "60", file});
    expectStats(r.out, {{"mkt", 5.8047622813143}}, "60 kJ/mol");

    // The table says so when the range holds nothing.
    r = inspect({"--from", "08/12/2026 00:00:00", file});
    EXPECT_NE(r.out.find("Statistics:\n  No readings in this range.\n"), std::string::npos) << r.out;
}

// "Error" where a temperature belongs is no reading: 5 Error 9 Error 7 1 against 8.0
// and 2.0 (the 7 on a line whose high alarm reads "Error") gives 4 readings and 2
// skipped; mean 5.5, MKT 5.999 °C (each reading in kelvin, as above); 9 above 8.0, 1
// below 2.0.
TEST(Inspect, FieldsWithoutANumberAreSkippedAndCounted)
{
    const std::string file = data("stats/not_numbers.txt");
    Outcome r = inspect({file});
    EXPECT_EQ(r.status, 0);
    // The figures themselves are the statistics' own test; here, that the text says so.
    EXPECT_NE(r.out.find("  Readings                     4\n"
                         "  Skipped (not a number)       2\n"
                         "  Minimum                      1.0°C\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  Celsius High Alarm: 8.0°C (on 5 of 6 lines)\n"), std::string::npos) << r.out;
    r = inspect({"--json", file});
    expectStats(r.out,
                {{"count", 4},
                 {"skipped", 2},
                 {"mean", 5.5},
                 {"stddev", std::sqrt(8.75)},
                 {"mkt", 5.9989394602796},
                 {"time_above_high_s", 60},
                 {"time_below_low_s", 60}},
                "not_numbers");
    // The chart's series keep the file's rule: the fields read as 0.
    EXPECT_NE(r.out.find("\"y\":[5,0,9,0,7,1]"), std::string::npos) << r.out;
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
             "\"stats\":[{\"series\":\"Celsius\",\"count\":3,\"skipped\":0,\"min\":-1.5,\"min_time\":\"07/12/2026 14:00:20\","
             "\"max\":4.6,\"max_time\":\"07/12/2026 14:00:10\",\"mean\":"},
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
             "\"stats\":[{\"series\":\"Voltage\",\"count\":4,\"skipped\":0,\"min\":-2.5e-07,\"min_time\":\"07/12/2026 14:00:02\","
             "\"max\":1e+300,\"max_time\":\"07/12/2026 14:00:03\",\"mean\":"},
    };
    // Everything up to the computed figures exactly; those in their own test below.
    for (const auto& [file, json] : cases) {
        const Outcome r = inspect({"--json", data(file)});
        EXPECT_EQ(r.status, 0) << file;
        EXPECT_EQ(r.out.substr(0, json.size()), json) << file;
        EXPECT_EQ(r.out.substr(r.out.size() - std::min<std::size_t>(r.out.size(), 18)), "}],\"warnings\":[]}\n")
            << file;
    }
    // 4.5 4.6 -1.5 against 8.0 and 2.0: mean 7.6 / 3, MKT 2.992170 °C, -1.5 below 2.0.
    expectStats(inspect({"--json", data("reader/temperature_alarms.txt")}).out,
                {{"mean", 7.6 / 3},
                 {"stddev", 2.8522895287042},
                 {"time_above_high_s", 0},
                 {"time_below_low_s", 10},
                 {"excursions_above", 0},
                 {"excursions_below", 1},
                 {"longest_above_s", 0},
                 {"longest_below_s", 10},
                 {"mkt", 2.9921702469733}},
                "temperature_alarms");
    // Volts: no levels, no mean kinetic temperature.
    const std::string volts = inspect({"--json", data("inspect/exact_numbers.txt")}).out;
    expectStats(
        volts,
        {{"mean", 2.5e299}, {"stddev", 4.3301270189222e299}, {"mkt", 0, "(none)"}, {"time_above_high_s", 0, "(none)"}},
        "exact_numbers");
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
        {{"--readout", "0", data("reader/humidity_alarms.txt")},
         " 07 December 2026 14:00:00 : 21.5°C, 9.3°C, 45.5%rh\n"},
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

#define kUsageText                                                                                                        \
    "usage: velmora-cli inspect [--json] [--readout I] [--from \"DD/MM/YYYY HH:MM:SS\"] [--to \"DD/MM/YYYY HH:MM:SS\"]\n" \
    "                           [--activation-energy KJ_PER_MOL] FILE...\n"

TEST(Inspect, FailuresGoToStandardError)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char* err;
    } cases[] = {
        {{data("reader/not_there.txt")}, 1, "Unable to open the file.\n"},
        {{data("reader/stamp_bad_line3.txt")}, 1, "The File contains invalid data (line 3).\n"},
        {{"--json", data("reader/event_rising.txt")},
         1,
         "The file you are trying to open is an event log which cannot be displayed in Velmora USB Graph.\n"},
        {{"--readout", "3", data("reader/temperature_alarms.txt")},
         1,
         "velmora-cli inspect: reading 3 is not in the file (readings 0 to 2)\n"},
        {{}, 2, kUsageText},
        {{"--readout", "1", "a.txt", "b.txt"}, 2, "velmora-cli inspect: --readout reads one file\n" kUsageText},
        {{"--readout", "x", "a.txt"},
         2,
         "velmora-cli inspect: --readout needs a reading number (0, 1, 2, ...)\n" kUsageText},
        {{"--readout"}, 2, "velmora-cli inspect: --readout needs a reading number (0, 1, 2, ...)\n" kUsageText},
        // 2^64 does not fit the number; it is not reading 0.
        {{"--readout", "18446744073709551616", data("reader/temperature_alarms.txt")},
         2,
         "velmora-cli inspect: --readout needs a reading number (0, 1, 2, ...)\n" kUsageText},
        {{"--from", "7/12/2026", "a.txt"},
         2,
         "velmora-cli inspect: --from needs a time written DD/MM/YYYY HH:MM:SS\n" kUsageText},
        {{"a.txt", "--to"}, 2, "velmora-cli inspect: --to needs a time written DD/MM/YYYY HH:MM:SS\n" kUsageText},
        {{"--from", "07/12/2026 14:05:00", "--to", "07/12/2026 14:00:00", "a.txt"},
         2,
         "velmora-cli inspect: --from is later than --to\n" kUsageText},
        {{"--activation-energy", "83144", "a.txt"},
         2, // J/mol by mistake
         "velmora-cli inspect: --activation-energy needs kJ/mol above 0 and at most 1000 (83.144 if not given)\n" kUsageText},
        {{"--activation-energy", "-5", "a.txt"},
         2,
         "velmora-cli inspect: --activation-energy needs kJ/mol above 0 and at most 1000 (83.144 if not given)\n" kUsageText},
        {{"--csv", "a.txt"}, 2, "velmora-cli inspect: unknown option --csv\n" kUsageText},
    };
    for (const auto& c : cases) {
        const Outcome r = inspect(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

// Several files. hall: 4 6 9 7 every minute from 08:00; door: 5 10 11.5 3 every five
// minutes from 08:01; both with a high alarm of 8; damp is humidity and is left out
// of the comparison. Whole files: door's 11.5 at 08:11 is the hottest, its 3 at 08:16
// the coldest; means hall 26/4 = 6.5, door 29.5/4 = 7.375; above 8 hall one minute,
// door two readings in a row, 10 minutes.
namespace several {

std::string expectedSummary(const std::string& hall, const std::string& door)
{
    return "{\"hottest\":{\"file\":\"" + door + "\",\"max\":11.5,\"time\":\"01/06/2026 08:11:00\"}," +
           "\"coldest\":{\"file\":\"" + door + "\",\"min\":3,\"time\":\"01/06/2026 08:16:00\"}," +
           "\"warmest_mean\":{\"file\":\"" + door + "\",\"mean\":7.375}," + "\"coolest_mean\":{\"file\":\"" + hall +
           "\",\"mean\":6.5}," + "\"longest_above_high\":{\"file\":\"" + door + "\",\"seconds\":600}}";
}

} // namespace several

TEST(InspectSeveral, JsonHoldsEachFilesOwnDocumentInOrderAndTheSummary)
{
    const std::string hall = data("compare/hall.txt"), door = data("compare/door.txt"), damp = data("compare/damp.txt");
    const Outcome r = inspect({"--json", hall, damp, door});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string docs;
    for (const std::string& f : {hall, damp, door}) {
        const Outcome one = inspect({"--json", f});
        ASSERT_EQ(one.status, 0);
        ASSERT_EQ(one.out.back(), '\n');
        docs += (docs.empty() ? "" : ",") + one.out.substr(0, one.out.size() - 1);
    }
    EXPECT_EQ(r.out, "{\"files\":[" + docs + "],\"summary\":" + several::expectedSummary(hall, door) + "}\n");
}

TEST(InspectSeveral, FromAndToApplyToEveryFileAndTheTextEndsWithTheComparison)
{
    // 08:02 to 08:10: hall 9 and 7 (mean 8, one minute above), door 10 alone (five
    // minutes above).
    const std::string hall = data("compare/hall.txt"), door = data("compare/door.txt");
    const Outcome r = inspect({hall, door, "--from", "01/06/2026 08:02:00", "--to", "01/06/2026 08:10:00"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("File: " + hall + "\nLogger: Hall\n", 0), 0u);
    EXPECT_NE(r.out.find("\nFile: " + door + "\nLogger: Door\n"), std::string::npos);
    const std::string comparison = "Comparison of the first channel:\n"
                                   "  Hottest: " +
                                   door +
                                   ": 10.0°C at 01/06/2026 08:06:00\n"
                                   "  Coldest: " +
                                   hall +
                                   ": 7.0°C at 01/06/2026 08:03:00\n"
                                   "  Warmest mean: " +
                                   door +
                                   ": 10.00°C\n"
                                   "  Coolest mean: " +
                                   hall +
                                   ": 8.00°C\n"
                                   "  Longest excursion above high alarm: " +
                                   door + ": 5 min\n";
    ASSERT_GE(r.out.size(), comparison.size());
    EXPECT_EQ(r.out.substr(r.out.size() - comparison.size()), comparison);
}

TEST(InspectSeveral, AnUnreadableFileIsNamed)
{
    const std::string hall = data("compare/hall.txt");
    const Outcome r = inspect({hall, data("compare/missing.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot read " + data("compare/missing.txt")), std::string::npos);
    EXPECT_TRUE(r.out.empty());
}

TEST(InspectSeveral, TheFirstFilesUnitDecidesWhoIsComparedAndNoHighAlarmIsNull)
{
    // damp first: only %RH files compete (hall is °C); damp 90 at 08:00, 95 at 08:01,
    // mean 92.5, and no high alarm column.
    const std::string damp = data("compare/damp.txt"), hall = data("compare/hall.txt");
    const Outcome r = inspect({"--json", damp, hall});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string summary = "\"summary\":{\"hottest\":{\"file\":\"" + damp +
                                "\",\"max\":95,\"time\":\"01/06/2026 08:01:00\"},\"coldest\":{\"file\":\"" + damp +
                                "\",\"min\":90,\"time\":\"01/06/2026 08:00:00\"},\"warmest_mean\":{\"file\":\"" + damp +
                                "\",\"mean\":92.5},\"coolest_mean\":{\"file\":\"" + damp +
                                "\",\"mean\":92.5},\"longest_above_high\":null}}\n";
    ASSERT_GE(r.out.size(), summary.size());
    EXPECT_EQ(r.out.substr(r.out.size() - summary.size()), summary);
}
} // namespace
} // namespace velmora
