// The format's writer on its own, where the logger's file tests do not reach: line
// numbers through every decade, stamps carried across the clock and the calendar,
// repeated texts too long to be copied with a fixed length.
#include "download_file_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

std::vector<std::string> linesOf(const std::string& bytes)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

char* five(char* out)
{
    *out = '5';
    return out + 1;
}

TEST(DownloadFileWriter, LinesAreNumberedThroughEveryDecade)
{
    StringSink sink;
    DownloadFileLayout layout;
    layout.loggerName = "N";
    DownloadFileWriter out(sink, layout);
    const TimeStampText time(CivilTime{2026, 12, 7, 14, 0, 0});
    for (int n = 1; n <= 100001; ++n)
        out.readingLine(time, five);
    ASSERT_TRUE(out.finish());
    const std::vector<std::string> lines = linesOf(sink.bytes);
    ASSERT_EQ(lines.size(), 100002u);
    for (int n : {1, 9, 10, 11, 99, 100, 101, 999, 1000, 1001, 9999, 10000, 99999, 100000, 100001})
        EXPECT_EQ(lines[n], std::to_string(n) + ",07/12/2026 14:00:00,5" + (n == 1 ? ",000000000" : "")) << n;
}

struct StepCase {
    CivilTime start;
    std::uint64_t seconds;
    int steps;
    const char* stamp; // after the steps
};

TEST(TimeStampText, StepsCarryThroughTheClockAndTheCalendar)
{
    const StepCase cases[] = {
        {{2026, 12, 7, 14, 0, 0}, 10, 6, "07/12/2026 14:01:00"},
        {{2026, 12, 7, 9, 59, 59}, 1, 1, "07/12/2026 10:00:00"},
        {{2026, 12, 7, 14, 59, 50}, 10, 1, "07/12/2026 15:00:00"},
        {{2026, 12, 7, 23, 59, 50}, 10, 1, "08/12/2026 00:00:00"},
        {{2026, 12, 31, 23, 59, 30}, 60, 1, "01/01/2027 00:00:30"},
        {{2028, 2, 28, 23, 0, 0}, 3600, 1, "29/02/2028 00:00:00"}, // a leap year
        {{2027, 2, 28, 23, 0, 0}, 3600, 1, "01/03/2027 00:00:00"},
        {{2026, 12, 7, 0, 0, 0}, 3599, 2, "07/12/2026 01:59:58"},
        {{2026, 12, 7, 12, 30, 45}, 41415, 1, "08/12/2026 00:01:00"}, // 11:30:15 more
        {{2026, 12, 7, 14, 0, 0}, 43200, 3, "09/12/2026 02:00:00"},
        {{2026, 12, 7, 14, 0, 0}, 90061, 1, "08/12/2026 15:01:01"}, // a day, an hour, a minute and a second
        {{2026, 12, 7, 14, 0, 0}, 0, 3, "07/12/2026 14:00:00"},
    };
    for (const StepCase& c : cases) {
        TimeStampText time(c.start);
        for (int i = 0; i < c.steps; ++i)
            time.advance(c.seconds);
        char text[TimeStampText::kRoom];
        EXPECT_EQ(std::string(text, time.write(text)), c.stamp) << c.stamp;
    }
}

TEST(TimeStampText, TheClockGoesOnAfterTheDayChanges)
{
    TimeStampText time(CivilTime{2026, 12, 31, 23, 59, 40});
    std::vector<std::string> stamps;
    for (int i = 0; i < 4; ++i) {
        time.advance(10);
        char text[TimeStampText::kRoom];
        stamps.emplace_back(text, time.write(text));
    }
    EXPECT_EQ(stamps, (std::vector<std::string>{"31/12/2026 23:59:50", "01/01/2027 00:00:00", "01/01/2027 00:00:10",
                                                "01/01/2027 00:00:20"}));
}

TEST(DownloadFileWriter, LongRepeatedTextsAcrossManyBuffers)
{
    // Alarm texts longer than a fixed-length copy takes, on enough lines to fill the
    // buffer many times over.
    DownloadFileLayout layout;
    layout.loggerName = "Long";
    layout.first = FirstColumn::Voltage;
    layout.units = "V";
    layout.highAlarm = std::string(40, '9');
    layout.lowAlarm = "0.5";
    layout.serialNumber = 42;
    StringSink sink;
    DownloadFileWriter out(sink, layout);
    const TimeStampText time(CivilTime{2026, 12, 7, 14, 0, 0});
    std::string expected = "Long,Time,Voltage(V),High Alarm,Low Alarm,Serial Number\r\n";
    for (int n = 1; n <= 3000; ++n) {
        out.readingLine(time, five);
        expected += std::to_string(n) + ",07/12/2026 14:00:00,5," + std::string(40, '9') + ",0.5" +
                    (n == 1 ? ",000000042" : "") + "\r\n";
    }
    ASSERT_TRUE(out.finish());
    EXPECT_EQ(sink.bytes, expected);
    EXPECT_EQ(out.bytes(), expected.size());
}

} // namespace
} // namespace velmora
