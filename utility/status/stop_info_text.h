#pragma once
// The texts of the stop page: the logger's name and how much it holds.
#include <string>

#include "logger_record.h"

namespace velmora {

struct StopInfoText {
    std::string name;          // Windows-1252, as stored
    std::string readingsLabel; // "Readings:" or "Memory Usage:"
    std::string readingsValue;
    bool canDownload = false; // "OK" is enabled only when there are rows to download
};

StopInfoText stopInfoText(const LoggerRecord& record);

// "%.1f%%" of count / capacity x 100, capped at 100 and raised to 0.1 when there
// are readings but fewer than a thousandth of the memory.
std::string memoryUsageText(unsigned readingCount, unsigned memoryCapacity);

} // namespace velmora
