#include "data_file_parser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <sys/mman.h>

#include "field_cursor.h"
#include "file_byte_source.h"
#include "graph_strings.h"
#include "header_parser.h"
#include "number_text.h"
#include "time_stamp.h"

namespace velmora {

namespace {

constexpr double kGap = ChartDataSet::kGap;
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
// they become gaps like the marker itself.
double drawable(double v) { return std::fabs(v) < kGap ? v : kGap; }

// Bits of a line's value fields, in series order, that held no number.
using NotNumberMask = unsigned;

// The next field as a reading value; false when the line has no field left. A field
// without a number reads as 0 and sets its bit in `notNumbers`.
bool nextValue(FieldCursor& cursor, double& value, int& decimals, int place, NotNumberMask& notNumbers)
{
    bool isNumber = true;
    if (!cursor.nextNumber(value, decimals, isNumber))
        return false;
    value = drawable(value);
    if (!isNumber)
        notNumbers |= 1u << place;
    return true;
}

// The series are filled once, in order, with every reading: ask the kernel for their
// pages in one go (large pages where they fit) rather than one page fault for every
// 4 KiB, which costs more than the parsing on some virtual machines. Only advice:
// a kernel without it simply faults the pages in as usual.
void prepareStorage(std::vector<double>& v)
{
    constexpr std::uintptr_t kPage = 4096;
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(v.data() + v.size());
    const auto end = reinterpret_cast<std::uintptr_t>(v.data() + v.capacity());
    const std::uintptr_t hugeFirst = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t hugeLast = end & ~(kHuge - 1);
    if (hugeLast > hugeFirst)
        ::madvise(reinterpret_cast<void*>(hugeFirst), hugeLast - hugeFirst, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    const std::uintptr_t first = (begin + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t last = end & ~(kPage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#endif
}

// Which columns a reading line holds, from the header, and the series they fill.
class ReadingLayout {
public:
    explicit ReadingLayout(GraphData& data)
        : c1_(data.channel1), c2_(data.channel2), second_(data.channel2.present), third_(data.channel1.hasThird)
    {
        for (int s = 0; s < 3; ++s)
            add(c1_.data, s);
        if (second_)
            for (int s = 0; s < 3; ++s)
                add(c2_.data, s);
        if (third_)
            add(c1_.data, 3);
    }

    // Reads one line's values into `values` (in series order); false when a declared
    // field is missing. `notNumbers` gets a bit for each field that held no number.
    bool parse(std::string_view line, double* values, NotNumberMask& notNumbers)
    {
        notNumbers = 0;
        FieldCursor cursor(line);
        if (!cursor.skip() || !cursor.skip()) // reading number, time stamp
            return false;
        if (!nextValue(cursor, values[0], c1_.decimals, 0, notNumbers))
            return false;
        if (!optional(cursor, c1_.hasHigh, values, 1, notNumbers) ||
            !optional(cursor, c1_.hasLow, values, 2, notNumbers))
            return false;
        int n = 3;
        if (second_) {
            int ignored;
            if (!nextValue(cursor, values[n], ignored, n, notNumbers))
                return false;
            if (!optional(cursor, c2_.hasHigh, values, n + 1, notNumbers) ||
                !optional(cursor, c2_.hasLow, values, n + 2, notNumbers))
                return false;
            n += 3;
            if (third_) {
                std::string_view f;
                if (!cursor.next(f))
                    return false;
                // The download file writes "Error" for a dew point it cannot compute.
                bool isNumber = true;
                values[n] = f == "Error" ? kGap : drawable(textToDouble(f, isNumber));
                if (!isNumber)
                    notNumbers |= 1u << n;
            }
        }
        return true;
    }

    void append(const double* values, NotNumberMask notNumbers)
    {
        if (notNumbers != 0) // rare: a field such as "Error" where a value belongs
            for (int i = 0; i < count_; ++i)
                if (notNumbers & (1u << i))
                    sets_[i]->addNotNumber(seriesOf_[i], series_[i]->size());
        for (int i = 0; i < count_; ++i)
            series_[i]->push_back(values[i]);
    }

    std::size_t capacity() const { return series_[0]->capacity(); }
    std::size_t size() const { return series_[0]->size(); }
    void reserve(std::size_t n)
    {
        for (int i = 0; i < count_; ++i) {
            series_[i]->reserve(n);
            prepareStorage(*series_[i]);
        }
    }
    void trimCapacity()
    {
        for (int i = 0; i < count_; ++i)
            if (series_[i]->capacity() > series_[i]->size() + series_[i]->size() / 16 + 64)
                series_[i]->shrink_to_fit();
    }
    int seriesCount() const { return count_; }

private:
    static bool optional(FieldCursor& cursor, bool declared, double* values, int place, NotNumberMask& notNumbers)
    {
        if (!declared) {
            values[place] = kGap;
            return true;
        }
        int ignored;
        return nextValue(cursor, values[place], ignored, place, notNumbers);
    }

    void add(ChartDataSet& set, int s)
    {
        sets_[count_] = &set;
        seriesOf_[count_] = s;
        series_[count_++] = &set.values(s);
    }

    ChannelData& c1_;
    ChannelData& c2_;
    bool second_;
    bool third_;
    std::vector<double>* series_[7] = {};
    ChartDataSet* sets_[7] = {};
    int seriesOf_[7] = {};
    int count_ = 0;
};

// Sizes the series from the bytes still to come and the length of the lines read so
// far, so that a large file is stored without repeated growth and without much room
// to spare; with no size known the vectors grow as usual.
class SeriesSizer {
public:
    SeriesSizer(std::size_t sizeHint, std::size_t bodyStart) : total_(sizeHint), bodyStart_(bodyStart) {}

    void beforeAppend(ReadingLayout& layout, std::size_t consumed)
    {
        const std::size_t count = layout.size();
        if (total_ == 0 || count < layout.capacity())
            return;
        if (consumed >= total_ || count < 2)
            return; // the file grew past its size, or nothing to measure yet: grow as usual
        // Lines from line 3 on, the first reading's line being longer (serial number).
        const double perLine = static_cast<double>(consumed - bodyStart_) / static_cast<double>(count - 1);
        const double ahead = static_cast<double>(total_ - consumed) / std::max(perLine, 1.0);
        std::size_t target = count + static_cast<std::size_t>(ahead * 1.01) + 16;
        // The first guess rests on a few lines only: keep it modest.
        if (count < 64)
            target = std::min<std::size_t>(target, 65536);
        target = std::max(target, count + std::max<std::size_t>(count / 16, 64));
        layout.reserve(target);
    }

private:
    std::size_t total_;
    std::size_t bodyStart_;
};

class Parser {
public:
    Parser(ByteSource& source, GraphData& data, std::size_t sizeHint)
        : source_(source), lines_(source, blockSizeFor(sizeHint)), data_(data), sizeHint_(sizeHint)
    {
    }

    ReadResult run()
    {
        data_.reset();
        ReadStatus status;
        try {
            status = read();
        } catch (const std::bad_alloc&) {
            status = ReadStatus::OutOfMemory;
        }
        if (status != ReadStatus::Loaded)
            data_.reset();
        return {status, status == ReadStatus::InvalidData ? line_ : 0};
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
        int serialField = -1;
        switch (parseHeader(trim(*line), data_, &serialField)) {
        case HeaderOutcome::Invalid: return ReadStatus::InvalidData;
        case HeaderOutcome::Event: return ReadStatus::EventFile;
        case HeaderOutcome::Columns: break;
        }
        ReadingLayout layout(data_);
        double values[7];
        NotNumberMask notNumbers = 0;

        // Line 2: the first reading and the start time.
        if (!(line = nextLine()))
            return failure_;
        std::string_view text = trim(*line);
        std::optional<std::int64_t> start = timeStampOf(text);
        if (!start || !layout.parse(text, values, notNumbers))
            return ReadStatus::InvalidData;
        data_.startTime = *start;
        data_.serialNumber = fieldAt(text, serialField);
        layout.append(values, notNumbers);
        std::int32_t count = 1;
        const std::size_t afterFirstReading = lines_.consumed();

        // Line 3: the second reading fixes the interval, or its absence leaves one reading.
        if (!(line = nextLine()))
            return failure_;
        text = trim(*line);
        if (text.empty()) {
            // One reading is drawn as a flat line over one second.
            layout.append(values, notNumbers);
            data_.singleReading = true;
            return finish(2, 1);
        }
        std::optional<std::int64_t> second = timeStampOf(text);
        if (!second)
            return ReadStatus::InvalidData;
        const std::int64_t interval = std::clamp<std::int64_t>(*second - *start, 1, kLongestInterval);

        // Lines 3 on: evenly spaced readings; their time stamps are not read. From line
        // 4 on the lines are used exactly as read.
        SeriesSizer sizer(sizeHint_, afterFirstReading);
        for (;;) {
            if (!layout.parse(text, values, notNumbers))
                return ReadStatus::InvalidData;
            if (count == std::numeric_limits<std::int32_t>::max())
                return ReadStatus::TooManyReadings;
            sizer.beforeAppend(layout, lines_.consumed());
            layout.append(values, notNumbers);
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
        layout.trimCapacity();
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
        data_.lastLineUnterminated = lines_.lastLineUnterminated();
        data_.readingCount = count;
        data_.sampleInterval = interval;
        data_.channel1.data.setInterval(interval);
        data_.channel2.data.setInterval(interval);
        for (int s = 0; s < 4; ++s)
            data_.channel1.data.setLastPoint(s, count - 1);
        if (data_.channel2.present)
            for (int s = 0; s < 3; ++s)
                data_.channel2.data.setLastPoint(s, count - 1);
        return ReadStatus::Loaded;
    }

    ByteSource& source_;
    LineReader lines_;
    GraphData& data_;
    std::size_t sizeHint_;
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

ReadResult readDataBytes(ByteSource& source, GraphData& data, std::size_t sizeHint)
{
    return Parser(source, data, sizeHint).run();
}

ReadStatus parseDataBytes(ByteSource& source, GraphData& data, std::size_t sizeHint)
{
    return readDataBytes(source, data, sizeHint).status;
}

ReadResult readDataFile(const std::string& path, GraphData& data)
{
    data.reset();
    FileByteSource file;
    if (!file.open(path))
        return {ReadStatus::CannotOpen};
    return readDataBytes(file, data, file.sizeAtOpen());
}

ReadStatus parseDataFile(const std::string& path, GraphData& data) { return readDataFile(path, data).status; }

} // namespace velmora
