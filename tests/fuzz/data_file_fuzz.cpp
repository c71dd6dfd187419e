// Fuzz target for the download-file reader: any bytes must give either a complete
// document or a reset one, never a crash or a read out of bounds. The bytes are read
// from memory with size hints right and wrong, from a real file (the file source and
// the size it finds at open), and from a source that ends before the size it promised
// (a file cut while it was read).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_file.h"
#include "graph_data_reader.h"
#include "line_reader.h"

namespace {

using velmora::fuzz::check;
using velmora::fuzz::fileHolding;

void checkDocument(velmora::ReadStatus status, const velmora::GraphData& d, std::string_view text)
{
    // A warning about the last line only when the bytes do end without a line feed.
    check(!d.lastLineUnterminated || (!text.empty() && text.back() != '\n'));
    using velmora::ChartDataSet;
    if (status != velmora::ReadStatus::Loaded) {
        check(d.readingCount == 0 && d.loggerName.empty() && !d.channel1.present && !d.channel2.present);
        for (int s = 0; s < 4; ++s)
            check(d.channel1.data.pointCount(s) == 0 && !d.channel1.data.shown(s));
        return;
    }
    const std::size_t n = static_cast<std::size_t>(d.readingCount);
    check(n >= 2 && d.sampleInterval >= 1 && d.sampleInterval <= 43200 && d.channel1.present);
    for (int s = 0; s < 3; ++s)
        check(d.channel1.data.pointCount(s) == n && d.channel1.data.lastPoint(s) == d.readingCount - 1);
    check(d.channel1.data.pointCount(3) == (d.channel1.hasThird ? n : 0));
    for (int s = 0; s < 3; ++s)
        check(d.channel2.data.pointCount(s) == (d.channel2.present ? n : 0));
    for (const velmora::ChannelData* c : {&d.channel1, &d.channel2})
        for (int s = 0; s < c->data.seriesCount(); ++s)
            for (double v : c->data.values(s))
                check(v == ChartDataSet::kGap || (v > -ChartDataSet::kGap && v < ChartDataSet::kGap));
}

// The bytes of a source that was promised to be longer: as a file cut short while it
// is read looks to the reader.
class CutSource final : public velmora::ByteSource {
public:
    explicit CutSource(std::string_view bytes) : memory_(bytes) {}
    long read(char* buffer, std::size_t size) override { return memory_.read(buffer, size); }
    bool endedEarly() const override { return true; }

private:
    velmora::MemoryByteSource memory_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using velmora::ReadStatus;
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    // The size hint is what a file's size says; try it right and wildly wrong.
    for (std::size_t hint : {size, std::size_t{0}, size / 3 + 1}) {
        velmora::MemoryByteSource source(text);
        velmora::GraphData data;
        checkDocument(velmora::parseDataBytes(source, data, hint), data, text);
    }

    // Through the file source, which reads the whole file as memory does.
    velmora::GraphData fromMemory;
    velmora::MemoryByteSource memory(text);
    const ReadStatus expected = velmora::parseDataBytes(memory, fromMemory, size);
    velmora::GraphData fromFile;
    const ReadStatus status = velmora::parseDataFile(fileHolding(text), fromFile);
    checkDocument(status, fromFile, text);
    check(status == expected && fromFile.readingCount == fromMemory.readingCount &&
          fromFile.lastLineUnterminated == fromMemory.lastLineUnterminated);

    // Cut short: whatever was read in full is not loaded, except a single reading,
    // which is taken before the end of the bytes is reached.
    CutSource cut(text);
    velmora::GraphData data;
    const ReadStatus cutStatus = velmora::parseDataBytes(cut, data, size + 1);
    checkDocument(cutStatus, data, text);
    check(cutStatus != ReadStatus::Loaded || (data.readingCount == 2 && data.sampleInterval == 1));
    return 0;
}
