#include "graph_data_reader.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <vector>

#include "file_byte_source.h"

namespace velmora {

namespace {

// A reading the file does not hold is drawn as a gap: the parser's marker goes into
// the series as it is.
static_assert(kNoReading == ChartDataSet::kGap);

// The series are filled once, in order, with every reading: ask the kernel for their
// pages in one go rather than one page fault at a time, which costs more than the
// parsing on some virtual machines (a large series is in large pages already: see
// SeriesAllocator). Only advice: a kernel without it faults the pages in as usual.
void prepareStorage(ChartDataSet::Values& v)
{
#ifdef MADV_POPULATE_WRITE
    constexpr std::uintptr_t kPage = 4096;
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(v.data() + v.size()) + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(v.data() + v.capacity()) & ~(kPage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)v;
#endif
}

// Stores each reading in the series the header declares: the first channel's value
// and alarms (series 0 to 2), the second channel's, the third trace (series 3).
class SeriesFiller final : public ReadingVisitor {
public:
    explicit SeriesFiller(GraphData& data) : data_(data) {}

    void header(const DownloadFileHeader& header) override
    {
        data_.loggerName = header.loggerName;
        static_cast<ChannelColumns&>(data_.channel1) = header.first;
        static_cast<ChannelColumns&>(data_.channel2) = header.second;
        for (ChannelData* c : {&data_.channel1, &data_.channel2}) {
            c->data.setShown(0, c->present);
            c->data.setShown(1, c->hasHigh);
            c->data.setShown(2, c->hasLow);
        }
        data_.channel1.data.setShown(3, data_.channel1.hasThird);
        add(data_.channel1.data, 0, kFirstValue);
        add(data_.channel1.data, 1, kFirstHigh);
        add(data_.channel1.data, 2, kFirstLow);
        if (header.second.present) {
            add(data_.channel2.data, 0, kSecondValue);
            add(data_.channel2.data, 1, kSecondHigh);
            add(data_.channel2.data, 2, kSecondLow);
        }
        if (header.first.hasThird)
            add(data_.channel1.data, 3, kThirdTrace);
    }

    void expect(std::size_t readings) override
    {
        for (int i = 0; i < count_; ++i) {
            series_[i].values->reserve(readings);
            prepareStorage(*series_[i].values);
        }
    }

    void reading(const Reading& r) override
    {
        if (r.notNumbers != 0) // rare: a field such as "Error" where a value belongs
            for (int i = 0; i < count_; ++i)
                if (r.notNumbers & (1u << series_[i].column))
                    series_[i].set->addNotNumber(series_[i].index, series_[i].values->size());
        for (int i = 0; i < count_; ++i)
            series_[i].values->push_back(r.values[series_[i].column]);
    }

    // After a complete read: the time base, the count and the last points.
    void finish(const ParsedFile& file)
    {
        std::int32_t count = file.readingCount;
        if (count == 1) {
            // One reading is drawn as a flat line over one second.
            for (int i = 0; i < count_; ++i)
                series_[i].values->push_back(series_[i].values->back());
            data_.singleReading = true;
            count = 2;
        }
        for (int i = 0; i < count_; ++i)
            if (series_[i].values->capacity() > series_[i].values->size() + series_[i].values->size() / 16 + 64)
                series_[i].values->shrink_to_fit();
        data_.startTime = file.startTime;
        data_.serialNumber = file.serialNumber;
        data_.lastLineUnterminated = file.lastLineUnterminated;
        data_.channel1.decimals = file.decimals;
        data_.readingCount = count;
        data_.sampleInterval = file.interval;
        data_.channel1.data.setInterval(file.interval);
        data_.channel2.data.setInterval(file.interval);
        for (int s = 0; s < 4; ++s)
            data_.channel1.data.setLastPoint(s, count - 1);
        if (data_.channel2.present)
            for (int s = 0; s < 3; ++s)
                data_.channel2.data.setLastPoint(s, count - 1);
    }

private:
    struct Series {
        ChartDataSet* set;
        int index;  // of the series in its set
        int column; // of the reading
        ChartDataSet::Values* values;
    };

    void add(ChartDataSet& set, int index, int column)
    {
        series_[count_++] = {&set, index, column, &set.values(index)};
    }

    GraphData& data_;
    Series series_[kReadingColumns] = {};
    int count_ = 0;
};

} // namespace

ReadResult readDataBytes(ByteSource& source, GraphData& data, std::size_t sizeHint)
{
    data.reset();
    ParsedFile file;
    SeriesFiller filler(data);
    try {
        file = parseDownloadFile(source, filler, sizeHint);
        if (file.loaded())
            filler.finish(file);
    } catch (const std::bad_alloc&) {
        file.result = {ReadStatus::OutOfMemory, 0};
    }
    if (!file.loaded())
        data.reset();
    return file.result;
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
