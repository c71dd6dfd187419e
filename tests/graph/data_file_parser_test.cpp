// Every rule of the download-file reader, one small hand-written file per case in
// tests/data/reader. Expected contents are written from the rules, not captured.
#include "graph_data_reader.h"

#include <filesystem>

#include "graph_test_support.h"

namespace velmora {
namespace {

using test::describe;
using test::testData;

struct FileCase {
    const char* file;
    ReadStatus status;
    const char* expected; // describe() of the loaded document; unused for failures
};

// The empty second channel and the empty series of a temperature-only file.
#define NO_ALARMS_1(last, gaps) " s1 hidden last=" last ":" gaps "\n s2 hidden last=" last ":" gaps "\n"
#define NO_CH2 "ch2 absent\n"
#define DEG_C "\260C"
#define DEG_F "\260F"
#define START "start=2026-12-07 14:00:00\n"

const FileCase kCases[] = {
    // The worked example: a temperature logger with both alarms.
    {"temperature_alarms.txt", ReadStatus::Loaded,
     "name=Fridge count=3 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' high='High Alarm' low='Low Alarm' dec=1\n"
     " s0 shown last=2: 4.5 4.6 -1.5\n s1 shown last=2: 8 8 8\n s2 shown last=2: 2 2 2\n" NO_CH2},
    // Humidity with every alarm; "Error" in the dew point is a gap.
    {"humidity_alarms.txt", ReadStatus::Loaded,
     "name=Store count=3 interval=60 " START "ch1 'Celsius' unit='" DEG_C
     "' high='High Alarm' low='Low Alarm' third='dew point' dec=1\n"
     " s0 shown last=2: 21.5 21.6 21.7\n s1 shown last=2: 30 30 30\n s2 shown last=2: 10 10 10\n"
     " s3 shown last=2: 9.3 - 9.6\n"
     "ch2 'Humidity' unit='%rh' high='High Alarm rh' low='Low Alarm rh' dec=0\n"
     " s0 shown last=2: 45.5 0 46\n s1 shown last=2: 80 80 80\n s2 shown last=2: 20 20 20\n"},
    {"humidity_plain.txt", ReadStatus::Loaded,
     "name=Store count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' third='dew point' dec=1\n"
     " s0 shown last=1: 21.5 21.6\n" NO_ALARMS_1(
         "1", " - -") " s3 shown last=1: 9.3 9.2\n"
                      "ch2 'Humidity' unit='%rh' dec=0\n s0 shown last=1: 45.5 45\n" NO_ALARMS_1("1", " - -")},
    // A third column in another unit is no trace, and its value is not asked for.
    {"third_unit_differs.txt", ReadStatus::Loaded,
     "name=Store count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 21.5 21.6\n" NO_ALARMS_1(
         "1", " - -") "ch2 'Humidity' unit='%rh' dec=0\n s0 shown last=1: 45.5 45\n" NO_ALARMS_1("1", " - -")},
    // One reading becomes a flat line over one second.
    {"single_reading.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=1 " START "ch1 'Celsius' unit='" DEG_C "' high='High Alarm' dec=2\n"
     " s0 shown last=1: 4.25 4.25\n s1 shown last=1: 8 8\n s2 hidden last=1: - -\n" NO_CH2},
    {"single_reading_blank_line.txt", ReadStatus::Loaded,
     "name=Store count=2 interval=1 " START "ch1 'Celsius' unit='" DEG_C "' third='dew point' dec=1\n"
     " s0 shown last=1: 21.5 21.5\n" NO_ALARMS_1(
         "1", " - -") " s3 shown last=1: 9.3 9.3\n"
                      "ch2 'Humidity' unit='%rh' dec=0\n s0 shown last=1: 45.5 45.5\n" NO_ALARMS_1("1", " - -")},
    // Units inferred from the channel name.
    {"celsius_without_unit.txt", ReadStatus::Loaded,
     "name=Cold count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' high='High Alarm' dec=1\n"
     " s0 shown last=1: 4.5 4.5\n s1 shown last=1: 8 8\n s2 hidden last=1: - -\n" NO_CH2},
    {"fahrenheit_without_unit.txt", ReadStatus::Loaded,
     "name=Warm count=2 interval=10 " START "ch1 'temp fahrenheit' unit='" DEG_F "' dec=1\n"
     " s0 shown last=1: 40.1 40.2\n" NO_ALARMS_1("1", " - -") NO_CH2},
    // Two header fields still declare one unnamed channel, whose value is required.
    {"two_field_header.txt", ReadStatus::Loaded,
     "name=Bare count=2 interval=10 " START "ch1 '' unit='' dec=0\n"
     " s0 shown last=1: 7 8\n" NO_ALARMS_1("1", " - -") NO_CH2},
    {"two_field_header_no_value.txt", ReadStatus::InvalidData, nullptr},
    // Event files: "EVENT" in any case after the time title; not in the first two fields.
    {"event_rising.txt", ReadStatus::EventFile, nullptr},
    {"event_lowercase.txt", ReadStatus::EventFile, nullptr},
    {"event_in_name_only.txt", ReadStatus::Loaded,
     "name=Event count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 4.5 4.5\n" NO_ALARMS_1("1", " - -") NO_CH2},
    // Not enough to go on.
    {"empty.txt", ReadStatus::InvalidData, nullptr},
    {"header_one_field.txt", ReadStatus::InvalidData, nullptr},
    {"header_only.txt", ReadStatus::InvalidData, nullptr},
    // Time stamps.
    {"stamp_leading_space.txt", ReadStatus::InvalidData, nullptr},
    {"stamp_year_2069.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=30 start=2069-01-01 00:00:00\nch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 4.5 4.5\n" NO_ALARMS_1("1", " - -") NO_CH2},
    {"stamp_year_1969.txt", ReadStatus::InvalidData, nullptr},
    {"stamp_year_2075.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=60 start=1975-06-15 08:30:00\nch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 4.5 4.5\n" NO_ALARMS_1("1", " - -") NO_CH2},
    {"stamp_other_separators.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=5 start=2010-12-25 13:05:00\nch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 4.5 4.5\n" NO_ALARMS_1("1", " - -") NO_CH2},
    {"stamp_month_13.txt", ReadStatus::InvalidData, nullptr},
    {"stamp_bad_line3.txt", ReadStatus::InvalidData, nullptr},
    {"stamp_double_separator.txt", ReadStatus::InvalidData, nullptr},
    // The interval comes from lines 2 and 3 only, kept within 1 s to 12 h.
    {"interval_20_hours.txt", ReadStatus::Loaded,
     "name=Fridge count=3 interval=43200 start=2026-12-07 00:00:00\nch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=2: 4.5 4.6 4.7\n" NO_ALARMS_1("2", " - - -") NO_CH2},
    {"interval_equal.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=1 " START "ch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 4.5 4.6\n" NO_ALARMS_1("1", " - -") NO_CH2},
    {"interval_falling.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=1 " START "ch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 4.5 4.6\n" NO_ALARMS_1("1", " - -") NO_CH2},
    {"interval_later_stamps_ignored.txt", ReadStatus::Loaded,
     "name=Fridge count=4 interval=60 start=2000-02-29 23:59:59\nch1 'Celsius' unit='" DEG_C "' dec=0\n"
     " s0 shown last=3: 1 2 3 4\n" NO_ALARMS_1("3", " - - - -") NO_CH2},
    // Runs of commas are one separator: an empty field moves the next ones left.
    {"empty_alarm_field.txt", ReadStatus::InvalidData, nullptr},
    {"empty_field_shifts.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' high='High Alarm' dec=1\n"
     " s0 shown last=1: 4.5 4.5\n s1 shown last=1: 8 8\n s2 hidden last=1: - -\n" NO_CH2},
    {"empty_line_after_line3.txt", ReadStatus::InvalidData, nullptr},
    {"missing_field_line4.txt", ReadStatus::InvalidData, nullptr},
    // Line ends; lines 1 to 3 trimmed, later ones used as read.
    // Still read, and said: the writer ends every line, so the last may be cut short.
    {"no_final_line_end.txt", ReadStatus::Loaded,
     "name=Fridge count=3 interval=10 " START "last line has no line end\nch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=2: 4.5 4.6 4.7\n" NO_ALARMS_1("2", " - - -") NO_CH2},
    {"line_feed_only.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 4.5 4.6\n" NO_ALARMS_1("1", " - -") NO_CH2},
    {"padded_first_lines.txt", ReadStatus::Loaded,
     "name=Fridge count=3 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' dec=2\n"
     " s0 shown last=2: 4.5 4.6 4.7\n" NO_ALARMS_1("2", " - - -") NO_CH2},
    // Values: only the exact "Error" is a gap; other texts read as 0, but are marked as
    // holding no number. The last line decides the decimals.
    {"error_texts.txt", ReadStatus::Loaded,
     "name=Store count=4 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' third='dew point' dec=1\n"
     " s0 shown last=3: 21.5 21.5 21.5 21.5\n" NO_ALARMS_1(
         "3", " - - - -") " s3 shown last=3: 0? - 0? 0?\n"
                          "ch2 'Humidity' unit='%rh' dec=0\n s0 shown last=3: 45.5 45.5 45.5 45.5\n" NO_ALARMS_1(
                              "3", " - - - -")},
    {"decimals_last_line.txt", ReadStatus::Loaded,
     "name=Fridge count=3 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' dec=0\n"
     " s0 shown last=2: 4.5 4.5 5\n" NO_ALARMS_1("2", " - - -") NO_CH2},
    // No number is 0; numbers that cannot be drawn (1e999, the marker itself, nan) are gaps.
    {"odd_numbers.txt", ReadStatus::Loaded,
     "name=Fridge count=6 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' dec=3\n"
     " s0 shown last=5: 0? - 25 - - -0.125\n" NO_ALARMS_1("5", " - - - - - -") NO_CH2},
    // A field with no number where any value belongs is drawn at 0 and marked.
    {"not_numbers.txt", ReadStatus::Loaded,
     "name=Store count=3 interval=10 " START "ch1 'Celsius' unit='" DEG_C
     "' high='High Alarm' low='Low Alarm' third='dew point' dec=1\n"
     " s0 shown last=2: 0? 21.5 21.6\n s1 shown last=2: 30 0? 30\n s2 shown last=2: 10 10 10\n"
     " s3 shown last=2: 9.3 9.4 0?\n"
     "ch2 'Humidity' unit='%rh' high='High Alarm rh' low='Low Alarm rh' dec=0\n"
     " s0 shown last=2: 45.5 0? 46\n s1 shown last=2: 80 80 80\n s2 shown last=2: 20 0? 20\n"},
    // Other logger types.
    {"co_logger.txt", ReadStatus::Loaded,
     "name=Garage count=2 interval=10 " START "ch1 'CO' unit='ppm' high='High Alarm' low='Warning Level' dec=1\n"
     " s0 shown last=1: 3.5 4\n s1 shown last=1: 100 100\n s2 shown last=1: 35 35\n" NO_CH2},
    {"voltage_logger.txt", ReadStatus::Loaded,
     "name=Volts count=2 interval=60 " START "ch1 'Voltage' unit='mV' high='High Alarm' dec=3\n"
     " s0 shown last=1: 12.345 12.35\n s1 shown last=1: 20 20\n s2 hidden last=1: - -\n" NO_CH2},
    {"voltage_no_unit.txt", ReadStatus::Loaded,
     "name=Volts count=2 interval=60 " START "ch1 'Voltage' unit='' low='Low Alarm' dec=0\n"
     " s0 shown last=1: 3 4\n s1 hidden last=1: - -\n s2 shown last=1: 1 1\n" NO_CH2},
    // A title holding both HIGH and LOW is a high alarm; alarm columns belong to the
    // latest channel; columns after the declared ones are ignored.
    {"high_and_low_column.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' high='High/Low Alarm' dec=1\n"
     " s0 shown last=1: 4.5 4.5\n s1 shown last=1: 8 8\n s2 hidden last=1: - -\n" NO_CH2},
    {"alarms_follow_second_channel.txt", ReadStatus::Loaded,
     "name=Store count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 21.5 21.5\n" NO_ALARMS_1(
         "1", " - -") "ch2 'Humidity' unit='%rh' low='Low Alarm rh' dec=0\n"
                      " s0 shown last=1: 45.5 45.5\n s1 hidden last=1: - -\n s2 shown last=1: 20 20\n"},
    {"fields_after_declared_ignored.txt", ReadStatus::Loaded,
     "name=Fridge count=2 interval=10 " START "ch1 'Celsius' unit='" DEG_C "' dec=1\n"
     " s0 shown last=1: 4.5 4.5\n" NO_ALARMS_1("1", " - -") NO_CH2},
    {"no_such_file.txt", ReadStatus::CannotOpen, nullptr},
    {"", ReadStatus::CannotOpen, nullptr}, // the folder itself
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.file; }

class DataFileParserTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(DataFileParserTest, LoadsAsTheRulesSay)
{
    const FileCase& c = GetParam();
    GraphData data;
    // Start from a loaded document: a failure must leave nothing of it behind.
    ASSERT_EQ(parseDataFile(testData("reader/temperature_alarms.txt"), data), ReadStatus::Loaded);

    EXPECT_EQ(parseDataFile(testData(std::string("reader/") + c.file), data), c.status);
    if (c.status == ReadStatus::Loaded) {
        EXPECT_EQ(describe(data), c.expected);
        for (const ChannelData* ch : {&data.channel1, &data.channel2})
            EXPECT_EQ(ch->data.interval(), data.sampleInterval);
    } else {
        EXPECT_EQ(describe(data), describe(GraphData{}));
        EXPECT_EQ(data.channel1.data.interval(), 10.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, DataFileParserTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FileCase>& info) {
                             std::string name = std::filesystem::path(info.param.file).stem().string();
                             return name.empty() ? std::string("folder") : name;
                         });

TEST(DataFileParser, InvalidDataNamesTheLineTheReaderGaveUpOn)
{
    const std::pair<const char*, std::size_t> cases[] = {
        {"empty.txt", 1}, // no header at all
        {"header_one_field.txt", 1},
        {"header_only.txt", 2},               // the first reading is missing
        {"two_field_header_no_value.txt", 2}, // a reading without its value
        {"stamp_leading_space.txt", 2},
        {"stamp_year_1969.txt", 2},
        {"stamp_month_13.txt", 2},
        {"stamp_double_separator.txt", 2},
        {"empty_alarm_field.txt", 2},
        {"stamp_bad_line3.txt", 3},
        {"empty_line_after_line3.txt", 4},
        {"missing_field_line4.txt", 4},
    };
    for (const auto& [file, line] : cases) {
        GraphData data;
        const ReadResult read = readDataFile(testData(std::string("reader/") + file), data);
        EXPECT_EQ(read, (ReadResult{ReadStatus::InvalidData, line})) << file;
        EXPECT_EQ(readFailureMessage(read), "The File contains invalid data (line " + std::to_string(line) + ").")
            << file;
    }
    GraphData data;
    EXPECT_EQ(readDataFile(testData("reader/temperature_alarms.txt"), data), (ReadResult{ReadStatus::Loaded, 0}));
    EXPECT_EQ(readDataFile(testData("reader/no_such_file.txt"), data), (ReadResult{ReadStatus::CannotOpen, 0}));
    EXPECT_EQ(readFailureMessage({ReadStatus::CannotOpen}), "Unable to open the file.");
}

// The first reading's serial number (under the "Serial Number" title, wherever that
// stands) and whether the file held a single reading.
TEST(DataFileParser, SerialNumberAndSingleReading)
{
    const struct {
        const char* file;
        const char* serial;
        bool single;
    } cases[] = {
        {"reader/temperature_alarms.txt", "000012345", false},
        {"reader/voltage_logger.txt", "000000042", false},
        {"reader/fields_after_declared_ignored.txt", "000012345", false},
        {"inspect/co_warning.txt", "000012345", false}, // the expiry fields follow it
        {"reader/single_reading.txt", "000012345", true},
        {"reader/two_field_header.txt", "", false}, // no such column
        {"inspect/exact_numbers.txt", "", false},
    };
    for (const auto& c : cases) {
        GraphData data;
        ASSERT_EQ(parseDataFile(testData(c.file), data), ReadStatus::Loaded) << c.file;
        EXPECT_EQ(data.serialNumber, c.serial) << c.file;
        EXPECT_EQ(data.singleReading, c.single) << c.file;
        EXPECT_EQ(data.fileReadingCount(), c.single ? 1 : data.readingCount) << c.file;
    }
}

TEST(DataFileParserFolder, EveryFileHasARow)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(testData("reader"))) {
        ++files;
        const std::string name = entry.path().filename().string();
        bool found = false;
        for (const FileCase& c : kCases)
            found = found || name == c.file;
        EXPECT_TRUE(found) << name << " has no row in the table";
    }
    EXPECT_GT(files, 40);
}

} // namespace
} // namespace velmora
