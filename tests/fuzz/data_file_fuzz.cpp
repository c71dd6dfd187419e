// Fuzz target for the download-file reader: any bytes must give either a complete
// document or a reset one, never a crash or a read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data_file_parser.h"
#include "line_reader.h"

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkDocument(velmora::ReadStatus status, const velmora::GraphData& d)
{
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    // The size hint is what a file's size says; try it right and wildly wrong.
    for (std::size_t hint : {size, std::size_t{0}, size / 3 + 1}) {
        velmora::MemoryByteSource source(text);
        velmora::GraphData data;
        checkDocument(velmora::parseDataBytes(source, data, hint), data);
    }
    return 0;
}
