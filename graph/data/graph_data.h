#pragma once
// What one opened download file holds for the viewer: two channels of chart data
// with their names, units and labels (the columns the file's header declares), and
// the time base. The document owns it, the reader fills it, the chart view and the
// export read it. Plain C++.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "chart_data_set.h"
#include "header_parser.h"

namespace velmora {

// The channel's columns (name, unit, alarm labels, third trace) and their readings.
struct ChannelData : ChannelColumns {
    explicit ChannelData(int seriesCount) : data(seriesCount) {}

    ChartDataSet data; // channel 1: value, high alarm, low alarm, third trace; channel 2: the first three
    int decimals = 0;  // digits after the point in the first channel's values

    void reset()
    {
        data.clear();
        static_cast<ChannelColumns&>(*this) = ChannelColumns{};
        decimals = 0;
    }
};

struct GraphData {
    // 1 January 2000 00:00:00 as seconds after 1970 counted without any time zone:
    // times are the logger's own wall-clock stamps and are shown as written.
    static constexpr std::int64_t kDefaultStart = 946684800;

    ChannelData channel1{4};
    ChannelData channel2{3};
    std::string loggerName; // text as in the file (Windows-1252)
    std::int32_t readingCount = 0;
    std::int64_t startTime = kDefaultStart;
    std::int32_t sampleInterval = 10;
    // The file's last line has no line end. The writer ends every line, so the file
    // may have been cut inside that line and its last value changed; it is read all
    // the same, and the user is told.
    bool lastLineUnterminated = false;
    // The file holds a single reading; it is stored twice, one second apart, so that
    // it draws as a flat line, but it counts once.
    bool singleReading = false;
    // The first reading's "Serial Number" field as written (empty when the file has
    // none); the reader needs nothing from it, a report names the logger by it.
    std::string serialNumber;

    // Stretches of readings [first, end) that no line of any file fills: the time
    // between deployments joined into one series. They are gaps, not skipped fields.
    std::vector<std::pair<std::size_t, std::size_t>> noLines;

    // Readings the file holds: readingCount but for a single reading.
    std::int32_t fileReadingCount() const { return singleReading ? 1 : readingCount; }

    void reset()
    {
        channel1.reset();
        channel2.reset();
        loggerName.clear();
        readingCount = 0;
        startTime = kDefaultStart;
        sampleInterval = 10;
        lastLineUnterminated = false;
        singleReading = false;
        serialNumber.clear();
        noLines.clear();
        channel1.data.setInterval(sampleInterval);
        channel2.data.setInterval(sampleInterval);
    }
};

} // namespace velmora
