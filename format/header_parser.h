#pragma once
// The header line of a download file: the logger name, the time column's title, then
// the column titles that declare the channels, their alarm columns and the third
// trace. Plain data: the viewer's chart data, the export and the archive take it.
#include <string>
#include <string_view>

namespace velmora {

// One measurement channel as the header declares it.
struct ChannelColumns {
    std::string name;      // "Celsius" in the column title Celsius(°C)
    std::string unit;      // "°C" in the same example
    std::string highLabel; // header text of the high-alarm column
    std::string lowLabel;  // header text of the low-alarm column
    std::string thirdName; // name of the third trace (the first channel only)
    bool present = false;
    bool hasHigh = false;
    bool hasLow = false;
    bool hasThird = false; // the first channel only
};

struct DownloadFileHeader {
    std::string loggerName; // text as in the file (Windows-1252)
    ChannelColumns first;
    ChannelColumns second; // present only after the first
    int serialField = -1;  // place (0 = the logger name) of the "Serial Number" column; -1 without one
};

enum class HeaderOutcome {
    Columns, // the channels are declared in the header
    Invalid, // empty, or fewer than two fields
    Event,   // an event logger's file, which holds no channels to read
};

// `line` is already trimmed; `header` starts empty.
HeaderOutcome parseHeader(std::string_view line, DownloadFileHeader& header);

// ASCII upper-casing of single-byte text; other bytes stay as they are.
bool containsUpper(std::string_view text, std::string_view upperNeedle);

} // namespace velmora
