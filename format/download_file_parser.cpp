#include "download_file_parser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <optional>

#include "download_columns.h"
#include "field_cursor.h"
#include "file_byte_source.h"
#include "graph_strings.h"
#include "number_text.h"
#include "time_stamp.h"

namespace velmora {

namespace {

constexpr std::int64_t kLongestInterval = 43200; // 12 hours

std::string_view trim(std::string_view s)
{
    constexpr std::string_view space = " \t\n\v\f\r";
    const std::size_t first = s.find_first_not_of(space);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(space) - first + 1);
}

// Texts beyond the double range, infinities and NaNs cannot be drawn or scaled, so
// they are no reading, like the marker itself.
double finite(double v) { return std::fabs(v) < kNoReading ? v : kNoReading; }

// A column's field on the line before, as bytes and as what it read as. Alarm levels
// repeat on every line and readings often do: a field of the same bytes as the one
// above it is taken without being read again.
struct RememberedField {
    std::uint64_t bytes = 0; // the field and its comma; nothing after them
    std::uint64_t mask = 0;  // the bytes that count; 0 while nothing is remembered
    std::size_t length = 0;  // of the field and its comma, at most 8
    double value = 0;
    int decimals = 0;
    bool isNumber = true;
};

std::uint64_t word(const char* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// The columns a reading line holds, from the header, read field by field.
class ReadingFields {
public:
    explicit ReadingFields(const DownloadFileHeader& h)
        : firstHigh_(h.first.hasHigh), firstLow_(h.first.hasLow), second_(h.second.present),
          secondHigh_(h.second.hasHigh), secondLow_(h.second.hasLow), third_(h.first.hasThird)
    {
    }

    // Reads one line's values into `r`; false when a declared field is missing.
    // `decimals` gets those of the first value.
    bool parse(std::string_view line, Reading& r, int& decimals)
    {
        r.notNumbers = 0;
        FieldCursor cursor(line);
        if (!cursor.skip() || !cursor.skip(kTimeStampLength)) // reading number, time stamp
            return false;
        int ignored;
        if (!read(cursor, r, kFirstValue, decimals) || !optional(cursor, firstHigh_, r, kFirstHigh) ||
            !optional(cursor, firstLow_, r, kFirstLow))
            return false;
        r.values[kThirdTrace] = kNoReading;
        if (!second_) {
            r.values[kSecondValue] = r.values[kSecondHigh] = r.values[kSecondLow] = kNoReading;
            return true;
        }
        return read(cursor, r, kSecondValue, ignored) && optional(cursor, secondHigh_, r, kSecondHigh) &&
               optional(cursor, secondLow_, r, kSecondLow) && (!third_ || read(cursor, r, kThirdTrace, ignored));
    }

private:
    static constexpr std::size_t kTimeStampLength = 19;

    // The next field as column `c`; false when the line has no field left. A field
    // without a number reads as 0 and sets its bit in notNumbers.
    bool read(FieldCursor& cursor, Reading& r, int c, int& decimals)
    {
        RememberedField& m = remembered_[c];
        const std::string_view rest = cursor.rest();
        if (m.mask != 0 && rest.size() >= 8 && ((word(rest.data()) ^ m.bytes) & m.mask) == 0) {
            cursor.advance(m.length);
        } else {
            if (!(c == kThirdTrace ? thirdTrace(cursor, m) : number(cursor, m)))
                return false;
            remember(m, rest, cursor.rest());
        }
        r.values[c] = m.value;
        decimals = m.decimals;
        if (!m.isNumber)
            r.notNumbers |= 1u << c;
        return true;
    }

    static bool number(FieldCursor& cursor, RememberedField& m)
    {
        double v = 0;
        m.isNumber = true;
        if (!cursor.nextNumber(v, m.decimals, m.isNumber))
            return false;
        m.value = finite(v);
        return true;
    }

    // The writer puts "Error" for a dew point it cannot work out.
    static bool thirdTrace(FieldCursor& cursor, RememberedField& m)
    {
        std::string_view f;
        if (!cursor.next(f))
            return false;
        m.isNumber = true;
        m.value = f == column::kNoDewPoint ? kNoReading : finite(textToDouble(f, m.isNumber));
        return true;
    }

    // Keeps the field just read from `before` (what was left of the line) to `after`
    // when it is short, started at once and ended with a comma.
    static void remember(RememberedField& m, std::string_view before, std::string_view after)
    {
        const std::size_t length = before.size() - after.size();
        if (before.size() < 8 || length > 8 || before[0] == ',' || before[length - 1] != ',') {
            m.mask = 0;
            return;
        }
        m.length = length;
        m.mask = length == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * length)) - 1;
        m.bytes = word(before.data()) & m.mask;
    }

    bool optional(FieldCursor& cursor, bool declared, Reading& r, int c)
    {
        if (!declared) {
            r.values[c] = kNoReading;
            return true;
        }
        int ignored;
        return read(cursor, r, c, ignored);
    }

    bool firstHigh_, firstLow_, second_, secondHigh_, secondLow_, third_;
    RememberedField remembered_[kReadingColumns];
};

// Decimal digits of n (1 or more).
std::size_t digitsOf(std::size_t n)
{
    std::size_t digits = 1;
    for (; n >= 10; n /= 10)
        ++digits;
    return digits;
}

// The first number with one digit more than n.
std::size_t nextDecade(std::size_t n)
{
    std::size_t decade = 10;
    while (decade <= n && decade <= SIZE_MAX / 10)
        decade *= 10;
    return decade > n ? decade : SIZE_MAX;
}

// Tells the visitor how many readings to make room for, from the bytes still to come
// and the length of the lines read so far, so that a large file is stored without
// repeated growth and without much room to spare. With no size known it says nothing.
//
// The writer numbers its lines, so a line's number grows by a digit at 10, 100, ...:
// the length of a line apart from its number is what stays, and the lines to come
// are counted decade by decade.
class ReadingEstimate {
public:
    ReadingEstimate(std::size_t sizeHint, std::size_t bodyStart) : total_(sizeHint), bodyStart_(bodyStart) {}

    // Before reading `count` (from 0) is handed over, `consumed` bytes having been
    // read up to the end of its line.
    void before(std::size_t count, std::size_t consumed, ReadingVisitor& visitor)
    {
        if (total_ == 0 || count < announced_)
            return;
        if (consumed >= total_ || count < 2)
            return; // the file grew past its size, or nothing to measure yet
        // Lines 3 on, `count` of them so far, numbered 2 to count + 1; the first
        // reading's line is longer (the serial number) and is left out.
        std::size_t numberDigits = 0;
        for (std::size_t n = 2; n <= count + 1; n = nextDecade(n))
            numberDigits += digitsOf(n) * (std::min(nextDecade(n) - 1, count + 1) - n + 1);
        const double body = static_cast<double>(consumed - bodyStart_);
        const double rest = std::max(0.0, (body - static_cast<double>(numberDigits)) / static_cast<double>(count));
        const double ahead = linesIn(static_cast<double>(total_ - consumed), rest, count + 2);
        std::size_t target = count + static_cast<std::size_t>(ahead * 1.01) + 16;
        // The first guess rests on a few lines only: keep it modest.
        if (count < 64)
            target = std::min<std::size_t>(target, 65536);
        announced_ = std::max(target, count + std::max<std::size_t>(count / 16, 64));
        visitor.expect(announced_);
    }

private:
    // How many lines of `rest` bytes and a number, numbered from `first` on, `bytes` hold.
    static double linesIn(double bytes, double rest, std::size_t first)
    {
        double lines = 0;
        for (std::size_t n = first; bytes > 0 && n < SIZE_MAX;) {
            const std::size_t decade = nextDecade(n);
            const double perLine = std::max(rest + static_cast<double>(digitsOf(n)), 1.0);
            const double inDecade = static_cast<double>(decade - n);
            if (inDecade * perLine >= bytes)
                return lines + bytes / perLine;
            lines += inDecade;
            bytes -= inDecade * perLine;
            n = decade;
        }
        return lines;
    }

    std::size_t total_;
    std::size_t bodyStart_;
    std::size_t announced_ = 0;
};

class Parser {
public:
    Parser(ByteSource& source, ReadingVisitor& visitor, std::size_t sizeHint)
        : source_(source), lines_(source, blockSizeFor(sizeHint)), visitor_(visitor), sizeHint_(sizeHint)
    {
    }

    ParsedFile run()
    {
        ReadStatus status;
        try {
            status = read();
        } catch (const std::bad_alloc&) {
            status = ReadStatus::OutOfMemory;
        }
        file_.result = {status, status == ReadStatus::InvalidData ? line_ : 0};
        file_.lastLineUnterminated = lines_.lastLineUnterminated();
        return std::move(file_);
    }

private:
    // Large blocks for large files; a small file needs no more than its own size.
    static std::size_t blockSizeFor(std::size_t sizeHint)
    {
        constexpr std::size_t kLargest = std::size_t{1} << 18;
        if (sizeHint == 0)
            return kLargest / 4;
        return std::clamp<std::size_t>(sizeHint + 1, 4096, kLargest);
    }

    // How a line that could not be had ends the read.
    static ReadStatus failureOf(LineReader::Status status)
    {
        return status == LineReader::Status::TooLong ? ReadStatus::InvalidData : ReadStatus::ReadError;
    }

    // The next line (empty at the end of the file); nullopt when none could be had,
    // with failure_ saying why.
    std::optional<std::string_view> nextLine()
    {
        std::string_view line;
        ++line_;
        const LineReader::Status status = lines_.next(line);
        switch (status) {
        case LineReader::Status::Line: return line;
        case LineReader::Status::End: return std::string_view{};
        case LineReader::Status::ReadError:
        case LineReader::Status::TooLong: break;
        }
        failure_ = failureOf(status);
        return std::nullopt;
    }

    ReadStatus read()
    {
        std::optional<std::string_view> line = nextLine();
        if (!line)
            return failure_;
        switch (parseHeader(trim(*line), file_.header)) {
        case HeaderOutcome::Invalid: return ReadStatus::InvalidData;
        case HeaderOutcome::Event: return ReadStatus::EventFile;
        case HeaderOutcome::Columns: break;
        }
        visitor_.header(file_.header);
        ReadingFields fields(file_.header);
        Reading reading;

        // Line 2: the first reading and the start time.
        if (!(line = nextLine()))
            return failure_;
        std::string_view text = trim(*line);
        const std::optional<std::int64_t> start = timeStampOf(text);
        if (!start || !fields.parse(text, reading, file_.decimals))
            return ReadStatus::InvalidData;
        file_.startTime = reading.time = *start;
        file_.serialNumber = fieldAt(text, file_.header.serialField);
        visitor_.reading(reading);
        std::int32_t count = 1;
        const std::size_t afterFirstReading = lines_.consumed();

        // Line 3: the second reading fixes the interval, or its absence leaves one reading.
        if (!(line = nextLine()))
            return failure_;
        text = trim(*line);
        if (text.empty())
            return finish(1, 1);
        const std::optional<std::int64_t> second = timeStampOf(text);
        if (!second)
            return ReadStatus::InvalidData;
        const std::int64_t interval = std::clamp<std::int64_t>(*second - *start, 1, kLongestInterval);

        // Lines 3 on: evenly spaced readings; their time stamps are not read. From line
        // 4 on the lines are used exactly as read.
        ReadingEstimate estimate(sizeHint_, afterFirstReading);
        for (;;) {
            if (!fields.parse(text, reading, file_.decimals))
                return ReadStatus::InvalidData;
            if (count == std::numeric_limits<std::int32_t>::max())
                return ReadStatus::TooManyReadings;
            estimate.before(static_cast<std::size_t>(count), lines_.consumed(), visitor_);
            reading.index = count;
            reading.time = *start + count * interval;
            visitor_.reading(reading);
            ++count;
            std::string_view raw;
            ++line_;
            const LineReader::Status st = lines_.next(raw);
            if (st == LineReader::Status::End)
                break;
            if (st != LineReader::Status::Line)
                return failureOf(st);
            text = raw;
        }
        if (source_.endedEarly())
            return ReadStatus::Truncated;
        return finish(count, static_cast<std::int32_t>(interval));
    }

    // The field at `place` (0 = the reading number) of a line; empty when there is none.
    static std::string fieldAt(std::string_view line, int place)
    {
        FieldCursor cursor(line);
        std::string_view field;
        for (int i = 0; place >= 0 && i <= place; ++i)
            if (!cursor.next(field))
                return {};
        return place >= 0 ? std::string(field) : std::string();
    }

    // The reading number and the time stamp, the first two fields of a reading line.
    static std::optional<std::int64_t> timeStampOf(std::string_view line)
    {
        FieldCursor cursor(line);
        std::string_view stamp;
        if (!cursor.skip() || !cursor.next(stamp))
            return std::nullopt;
        return parseTimeStamp(stamp);
    }

    ReadStatus finish(std::int32_t count, std::int32_t interval)
    {
        file_.readingCount = count;
        file_.interval = interval;
        return ReadStatus::Loaded;
    }

    ByteSource& source_;
    LineReader lines_;
    ReadingVisitor& visitor_;
    std::size_t sizeHint_;
    ParsedFile file_;
    ReadStatus failure_ = ReadStatus::ReadError;
    // The line being read, from 1: where a failure is found, since every check is made
    // on the line just read (or found missing).
    std::size_t line_ = 0;
};

} // namespace

std::string_view readStatusMessage(ReadStatus status)
{
    switch (status) {
    case ReadStatus::Loaded:
    case ReadStatus::EventFile: return {};
    case ReadStatus::CannotOpen: return graphtext::kUnableToOpen;
    case ReadStatus::InvalidData: return graphtext::kInvalidData;
    case ReadStatus::Truncated: return graphtext::kTerminatedUnexpectedly;
    case ReadStatus::ReadError: return graphtext::kReadError;
    case ReadStatus::TooManyReadings: return graphtext::kTooManyReadings;
    case ReadStatus::OutOfMemory: return graphtext::kOutOfMemory;
    }
    return {};
}

std::string readFailureMessage(const ReadResult& result)
{
    if (result.status == ReadStatus::InvalidData && result.line > 0) {
        std::string text(graphtext::kInvalidDataOnLine);
        return text.replace(text.find("%1"), 2, std::to_string(result.line));
    }
    return std::string(readStatusMessage(result.status));
}

ParsedFile parseDownloadFile(ByteSource& source, ReadingVisitor& visitor, std::size_t sizeHint)
{
    return Parser(source, visitor, sizeHint).run();
}

ParsedFile parseDownloadFile(const std::string& path, ReadingVisitor& visitor)
{
    FileByteSource file;
    if (!file.open(path)) {
        ParsedFile failed;
        failed.result.status = ReadStatus::CannotOpen;
        return failed;
    }
    return parseDownloadFile(file, visitor, file.sizeAtOpen());
}

} // namespace velmora
