// The reader's parts: field splitting, numbers, time stamps and line reading.
#include <cmath>
#include <string>
#include <vector>

#include "field_cursor.h"
#include "graph_data_reader.h"
#include "graph_test_support.h"
#include "line_reader.h"
#include "number_text.h"
#include "time_stamp.h"

namespace velmora {
namespace {

std::vector<std::string> fieldsOf(std::string_view line, int extra = 0)
{
    FieldCursor cursor(line);
    std::vector<std::string> out;
    std::string_view f;
    while (cursor.next(f))
        out.emplace_back(f);
    for (int i = 0; i < extra; ++i) { // further requests keep yielding the end mark
        EXPECT_FALSE(cursor.next(f));
        EXPECT_TRUE(f.empty());
    }
    return out;
}

TEST(FieldCursor, RunsOfCommasAreOneSeparatorAndSpacesStay)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(fieldsOf("a,b,c", 2), (V{"a", "b", "c"}));
    EXPECT_EQ(fieldsOf(",,a,,,b,", 1), (V{"a", "b"}));
    EXPECT_EQ(fieldsOf(" a , b ", 1), (V{" a ", " b "}));
    EXPECT_EQ(fieldsOf("", 1), V{});
    EXPECT_EQ(fieldsOf(",,,", 1), V{});
    EXPECT_EQ(fieldsOf(" ", 1), V{" "});
}

TEST(FieldCursor, RestStartsAfterTheSeparatorOfTheLastField)
{
    FieldCursor cursor("Door,Time,,Event(Rising)");
    cursor.skip();
    cursor.skip();
    EXPECT_EQ(cursor.rest(), ",Event(Rising)");
}

struct NumberCase {
    const char* text;
    double value;
    int decimals;
    bool number; // the text starts with a number at all
};

TEST(NumberText, ReadsLikeAtofInTheCLocale)
{
    const NumberCase cases[] = {
        {"4.5", 4.5, 1, true},
        {"-1.25", -1.25, 2, true},
        {"0", 0, 0, true},
        {"12.", 12, 0, true},
        {".5", 0.5, 1, true},
        {"-.5", -0.5, 1, true},
        {"21.50", 21.5, 2, true},
        {"000012345", 12345, 0, true},
        {"abc", 0, 0, false},
        {"", 0, 0, false},
        {"Error", 0, 0, false},
        {" 4.7 ", 4.7, 2, true},
        {"+3", 3, 0, true},
        {"+-3", 0, 0, false},
        {"--3", 0, 0, false},
        {"2.5e1x", 25, 4, true},
        {"1e3", 1000, 0, true},
        {"0x10", 16, 0, true},
        {"-0x1p1", -2, 0, true},
        {"0x", 0, 0, true},
        {"1.2.3", 1.2, 3, true},
        {"\t7", 7, 0, true},
        {"1e", 1, 0, true},
        {"1e-400", 0, 0, true},
        {"0.1", 0.1, 1, true},
        {"123456789.123456", 123456789.123456, 6, true},
        {"1234567890123456789", 1234567890123456789.0, 0, true},
        {"0.30000000000000004", 0.30000000000000004, 17, true},
        {"-", 0, 0, false},
        {".", 0, 0, false},
        {"Error ", 0, 0, false},
        {" ", 0, 0, false},
        {"inf", HUGE_VAL, 0, true},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(textToDouble(c.text), c.value) << c.text;
        EXPECT_EQ(decimalsOf(c.text), c.decimals) << c.text;
        bool number = !c.number;
        EXPECT_EQ(textToDouble(c.text, number), c.value) << c.text;
        EXPECT_EQ(number, c.number) << c.text;
        // The line reader's own pass over a field reads it the same.
        FieldCursor cursor(c.text);
        double value = -1;
        int decimals = -1;
        number = !c.number;
        if (cursor.nextNumber(value, decimals, number)) {
            EXPECT_EQ(value, c.value) << c.text;
            EXPECT_EQ(number, c.number) << c.text;
        }
    }
    EXPECT_TRUE(std::signbit(textToDouble("-0")));
    EXPECT_TRUE(std::isinf(textToDouble("1e999")));
    EXPECT_TRUE(std::isinf(textToDouble("-inf")));
    EXPECT_TRUE(std::isnan(textToDouble("nan")));
}

TEST(NumberText, IntegersLikeAtoi)
{
    const std::pair<const char*, int> cases[] = {
        {"07", 7},
        {"2026", 2026},
        {"", 0},
        {"x1", 0},
        {"12x", 12},
        {"-5", -5},
        {"+5", 5},
        {"\t3", 3},
        {"99999999999999", 2147483647},
        {"-99999999999999", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(textToInt(text), value) << text;
}

struct StampCase {
    const char* text;
    long long seconds; // -1: rejected
};

TEST(TimeStamp, NineteenCharactersSixNumbersInRange)
{
    // Seconds worked out by hand with `date -u -d ... +%s`.
    const StampCase cases[] = {
        {"07/12/2026 14:00:00", 1796652000}, {"25/12/2010 13:05:00", 1293282300},
        {"25:12,2010/13 05:00", 1293282300}, // any of the four separators anywhere
        {"01/01/1970 00:00:00", 0},          {"29/02/2000 23:59:59", 951868799},
        {"01/01/2069 00:00:00", 3124224000}, {"15/06/2075 08:30:00", 172053000}, // only the last two digits count
        {"15/06/1975 08:30:00", 172053000},  {"01/01/9999 00:00:00", 915148800}, // 99 is 1999
        {"1/12/02026 14:00:00", 1796133600},                                     // widths are free, the length is not
        {"31/12/1969 23:59:59", -1},         {" 07/12/2026 14:00:00", -1},
        {"07/12/2026 14:00:00 ", -1},        {"07/12/2026 14:00:0", -1},
        {"00/12/2026 14:00:00", -1},         {"32/12/2026 14:00:00", -1},
        {"07/00/2026 14:00:00", -1},         {"07/13/2026 14:00:00", -1},
        {"07/12/2026 24:00:00", -1},         {"07/12/2026 14:60:00", -1},
        {"07/12/2026 14:00:60", -1},         {"07/12/2026-14:00:00", -1}, // '-' is no separator: five numbers
        {"07//2/2026 14:00:00", -1},                                      // two separators in a row
        {"/07/12/2026 14:00:0", -1},         {"07/12/2026 14:0:0:0", -1}, // seven numbers
        {"ab/12/2026 14:00:00", -1},                                      // no digits reads as 0: day 0
        {"07/12/2026 xx:00:00", 1796601600},                              // hour with no digits is 0, which is in range
    };
    for (const StampCase& c : cases) {
        const auto t = parseTimeStamp(c.text);
        if (c.seconds < 0)
            EXPECT_FALSE(t.has_value()) << c.text;
        else
            EXPECT_EQ(t.value_or(-1), c.seconds) << c.text;
    }
}

// Hands out its bytes a few at a time, then fails or ends early as told.
class TrickleSource final : public ByteSource {
public:
    TrickleSource(std::string bytes, bool failAtEnd, bool endEarly)
        : bytes_(std::move(bytes)), failAtEnd_(failAtEnd), endEarly_(endEarly)
    {
    }
    long read(char* buffer, std::size_t size) override
    {
        if (pos_ == bytes_.size())
            return failAtEnd_ ? -1 : 0;
        const std::size_t n = std::min<std::size_t>({size, 3, bytes_.size() - pos_});
        bytes_.copy(buffer, n, pos_);
        pos_ += n;
        return static_cast<long>(n);
    }
    bool endedEarly() const override { return endEarly_; }

private:
    std::string bytes_;
    std::size_t pos_ = 0;
    bool failAtEnd_, endEarly_;
};

TEST(LineReader, SplitsLinesAcrossBlocksAndGrowsForLongLines)
{
    const std::string longLine(100, 'x');
    TrickleSource source("a\r\nbb\n\r\n" + longLine + "\rc\r\nlast", false, false);
    LineReader reader(source, 16);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line) == LineReader::Status::Line)
        lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "bb", "", longLine + "\rc", "last"}));
    EXPECT_EQ(reader.next(line), LineReader::Status::End);
    EXPECT_EQ(reader.consumed(), 3u + 3 + 2 + 104 + 4);
}

TEST(LineReader, SaysWhenTheLastLineHasNoLineEnd)
{
    const std::pair<const char*, bool> cases[] = {
        {"a\r\nb\r\n", false}, {"a\r\nb", true}, {"a\r\nb\r", true}, // a CR without its LF is no line end
        {"a\nb\n", false},     {"a", true},      {"", false},
    };
    for (const auto& [bytes, cut] : cases) {
        MemoryByteSource source(bytes);
        LineReader reader(source, 16);
        std::string_view line;
        while (reader.next(line) == LineReader::Status::Line) {}
        EXPECT_EQ(reader.lastLineUnterminated(), cut) << '"' << bytes << '"';
    }
}

TEST(DataFileParser, ReadErrorsAndShortFilesLeaveNothingLoaded)
{
    const std::string file = "Fridge,Time,Celsius(\260C)\r\n1,07/12/2026 14:00:00,4.5\r\n"
                             "2,07/12/2026 14:00:10,4.6\r\n3,07/12/2026 14:00:20,4.7\r\n";
    struct Case {
        bool failAtEnd, endEarly;
        ReadStatus status;
    } cases[] = {
        {false, false, ReadStatus::Loaded},
        {true, false, ReadStatus::ReadError},
        {false, true, ReadStatus::Truncated},
    };
    for (const Case& c : cases) {
        TrickleSource source(file, c.failAtEnd, c.endEarly);
        GraphData data;
        EXPECT_EQ(parseDataBytes(source, data), c.status);
        EXPECT_EQ(data.readingCount, c.status == ReadStatus::Loaded ? 3 : 0);
        EXPECT_EQ(data.channel1.data.pointCount(0), c.status == ReadStatus::Loaded ? 3u : 0u);
    }
}

TEST(DataFileParser, ALineLongerThanAMegabyteIsInvalidData)
{
    // Lines of a download file are under 2 KB; a megabyte is far beyond any of them,
    // and reading on without a cap lets an endless line take all memory.
    const std::string header = "Fridge,Time,Celsius(\260C)\r\n";
    const std::string first = "1,07/12/2026 14:00:00,4.5,";
    const std::string second = "2,07/12/2026 14:00:10,4.6\r\n";
    struct Case {
        std::size_t lineLength; // of line 2, the line end not counted
        const char* lineEnd;
        ReadStatus status;
    } cases[] = {
        {std::size_t{1} << 20, "\r\n", ReadStatus::Loaded},
        {(std::size_t{1} << 20) + 1, "\r\n", ReadStatus::InvalidData},
        {(std::size_t{1} << 20) + 1, "", ReadStatus::InvalidData}, // the last line, with no line end
        {std::size_t{5} << 20, "\n", ReadStatus::InvalidData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lineLength);
        // Fields past the declared ones are ignored, so only the length can fail it.
        const std::string line2 = first + std::string(c.lineLength - first.size(), 'x') + c.lineEnd;
        const std::string file = header + line2 + (*c.lineEnd ? second : "");
        for (std::size_t hint : {std::size_t{0}, file.size()}) {
            MemoryByteSource source(file);
            GraphData data;
            const ReadResult read = readDataBytes(source, data, hint);
            EXPECT_EQ(read.status, c.status);
            EXPECT_EQ(read.line, c.status == ReadStatus::InvalidData ? 2u : 0u) << "the long line";
        }
    }
}

TEST(DataFileParser, SizeHintOnlyShapesStorage)
{
    // A size hint far off the mark (too big, too small) must not change what is read.
    std::string file = "Fridge,Time,Celsius(\260C),High Alarm\r\n";
    for (int i = 1; i <= 5000; ++i)
        file += std::to_string(i) + ",07/12/2026 14:00:00," + std::to_string(i % 97) + ".5,8\r\n";
    for (std::size_t hint : {std::size_t{0}, std::size_t{10}, file.size(), file.size() * 50}) {
        MemoryByteSource source(file);
        GraphData data;
        ASSERT_EQ(parseDataBytes(source, data, hint), ReadStatus::Loaded);
        ASSERT_EQ(data.readingCount, 5000);
        EXPECT_EQ(data.channel1.data.y(0, 4999), 5000 % 97 + 0.5);
        EXPECT_LE(data.channel1.data.values(0).capacity(), 5000u + 5000 / 16 + 64);
    }
}

} // namespace
} // namespace velmora
