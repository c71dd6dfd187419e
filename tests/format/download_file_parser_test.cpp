// The format's parser as the archive will use it, without the chart: each reading
// with its time and its values in fixed columns, the file's facts, the fields a line
// shares with the line above, and what the file's size says is coming.
#include "download_file_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "field_cursor.h"

namespace velmora {
namespace {

struct Collected final : ReadingVisitor {
    void header(const DownloadFileHeader& h) override { headers.push_back(h); }
    void expect(std::size_t n) override { expected.push_back(n); }
    void reading(const Reading& r) override { readings.push_back(r); }

    std::vector<DownloadFileHeader> headers;
    std::vector<std::size_t> expected;
    std::vector<Reading> readings;
};

ParsedFile parse(const std::string& text, Collected& into, std::size_t sizeHint = 0)
{
    MemoryByteSource source(text);
    return parseDownloadFile(source, into, sizeHint);
}

constexpr double kNone = kNoReading;

TEST(DownloadFileParser, ReadingsComeWithTheirTimesInFixedColumns)
{
    // A humidity file without temperature alarms; the second line's time sets a
    // 60-second interval, which the later stamps (not read) do not change.
    Collected c;
    const ParsedFile f =
        parse("Store,Time,Celsius(\260C),Humidity(%rh),High Alarm rh,dew point(\260C),Serial Number\r\n"
              "1,07/12/2026 14:00:00,21.5,45.5,80.0,9.3,000012345\r\n"
              "2,07/12/2026 14:01:00,21.6,0.0,80.0,Error\r\n"
              "3,01/01/2030 00:00:00,-1.25,46.0,80.0,x\r\n",
              c);
    ASSERT_TRUE(f.loaded());
    EXPECT_EQ(f.startTime, 1796652000); // 07/12/2026 14:00:00, worked out with date -u
    EXPECT_EQ(f.interval, 60);
    EXPECT_EQ(f.readingCount, 3);
    EXPECT_EQ(f.decimals, 2); // of the last line's first value
    EXPECT_EQ(f.serialNumber, "000012345");
    EXPECT_FALSE(f.lastLineUnterminated);
    ASSERT_EQ(c.headers.size(), 1u);
    EXPECT_EQ(c.headers[0].second.name, "Humidity");
    EXPECT_TRUE(c.headers[0].first.hasThird);

    struct Expected {
        std::int64_t time;
        double values[kReadingColumns];
        unsigned notNumbers;
    };
    const Expected expected[] = {
        {1796652000, {21.5, kNone, kNone, 45.5, 80.0, kNone, 9.3}, 0},
        {1796652060, {21.6, kNone, kNone, 0.0, 80.0, kNone, kNone}, 0}, // "Error" is no dew point
        {1796652120, {-1.25, kNone, kNone, 46.0, 80.0, kNone, 0.0}, 1u << kThirdTrace},
    };
    ASSERT_EQ(c.readings.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(c.readings[i].index, i);
        EXPECT_EQ(c.readings[i].time, expected[i].time);
        for (int column = 0; column < kReadingColumns; ++column)
            EXPECT_EQ(c.readings[i].values[column], expected[i].values[column]) << column;
        EXPECT_EQ(c.readings[i].notNumbers, expected[i].notNumbers);
    }
}

TEST(DownloadFileParser, OneReadingIsHandedOverOnce)
{
    // The chart draws a single reading as a flat line; the file holds it once.
    Collected c;
    const ParsedFile f = parse("Fridge,Time,Celsius(\260C)\r\n1,07/12/2026 14:00:00,4.25\r\n", c);
    ASSERT_TRUE(f.loaded());
    EXPECT_EQ(f.readingCount, 1);
    EXPECT_EQ(f.interval, 1);
    ASSERT_EQ(c.readings.size(), 1u);
    EXPECT_EQ(c.readings[0].values[kFirstValue], 4.25);
}

TEST(DownloadFileParser, AFieldLikeTheOneAboveReadsAsItsOwnText)
{
    // Fields repeated from the line above, and fields that only look alike.
    Collected c;
    const ParsedFile f = parse("F,Time,Celsius(\260C),High Alarm,Humidity(%rh),dew point(\260C)\r\n"
                               "1,07/12/2026 14:00:00,21.5,30.0,50.0,10.7\r\n"
                               "2,07/12/2026 14:00:10,21.5,30.0,50.0,Error\r\n"
                               "3,07/12/2026 14:00:20,21.5,30.05,50.0,Error\r\n"
                               "4,07/12/2026 14:00:30,21.5,,30.0,50.0,10.7\r\n"
                               "5,07/12/2026 14:00:40,21.55,30.0,50,10.7\r\n"
                               "6,07/12/2026 14:00:50,Error,30.0,50.0,10.7\r\n"
                               "7,07/12/2026 14:01:00,Error,30.0,50.0,10.7\r\n"
                               "8,07/12/2026 14:01:10,21.5,30.0,50.0,10.7\r\n",
                               c);
    ASSERT_TRUE(f.loaded());
    EXPECT_EQ(f.decimals, 1);
    struct Expected {
        double value, high, humidity, dewPoint;
        unsigned notNumbers;
    };
    const Expected expected[] = {
        {21.5, 30.0, 50.0, 10.7, 0}, {21.5, 30.0, 50.0, kNone, 0}, {21.5, 30.05, 50.0, kNone, 0},
        {21.5, 30.0, 50.0, 10.7, 0}, {21.55, 30.0, 50.0, 10.7, 0}, {0.0, 30.0, 50.0, 10.7, 1u},
        {0.0, 30.0, 50.0, 10.7, 1u}, {21.5, 30.0, 50.0, 10.7, 0},
    };
    ASSERT_EQ(c.readings.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i + 1);
        const Reading& r = c.readings[i];
        EXPECT_EQ(r.values[kFirstValue], expected[i].value);
        EXPECT_EQ(r.values[kFirstHigh], expected[i].high);
        EXPECT_EQ(r.values[kSecondValue], expected[i].humidity);
        EXPECT_EQ(r.values[kThirdTrace], expected[i].dewPoint);
        EXPECT_EQ(r.notNumbers, expected[i].notNumbers);
    }
}

TEST(DownloadFileParser, TheSizeSaysHowManyReadingsAreComing)
{
    // Lines as the writer numbers them, through five and six decades of numbers. The
    // first word comes after two lines and is modest: up to 65,536 readings, which a
    // logger's largest file fits in. A larger file is told again, once, without much to
    // spare.
    for (int count : {60000, 150000}) {
        SCOPED_TRACE(count);
        std::string text = "Fridge,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number\r\n";
        for (int n = 1; n <= count; ++n)
            text += std::to_string(n) + ",07/12/2026 14:00:00,4.5,8.0,2.0" + (n == 1 ? ",000012345" : "") + "\r\n";
        Collected c;
        ASSERT_TRUE(parse(text, c, text.size()).loaded());
        ASSERT_EQ(c.readings.size(), static_cast<std::size_t>(count));
        ASSERT_EQ(c.expected.size(), count <= 65536 ? 1u : 2u);
        EXPECT_GE(c.expected.back(), static_cast<std::size_t>(count));
        EXPECT_LE(c.expected.back(), count <= 65536 ? 65536u : count + count / 16);
    }
}

TEST(FieldCursor, ATimeStampWithACommaInsideIsTwoFields)
{
    // Skipped by its length only when no comma lies within it.
    const struct {
        const char* line;
        const char* next; // the field after the skipped one
    } cases[] = {
        {"07/12/2026 14:00:00,4.5", "4.5"},   {"07/12/2026,14:00:00,4.5", "14:00:00"},
        {"07/12/2026 14:00:0,,4.5", "4.5"},  // 18 characters: scanned
        {"07/12/2026 14:00:000,4.5", "4.5"}, // 20 characters: scanned
        {",,07/12/2026 14:00:00,4.5", "4.5"},
    };
    for (const auto& c : cases) {
        FieldCursor cursor(c.line);
        std::string_view field;
        ASSERT_TRUE(cursor.skip(19)) << c.line;
        ASSERT_TRUE(cursor.next(field)) << c.line;
        EXPECT_EQ(field, c.next) << c.line;
    }
}

} // namespace
} // namespace velmora
