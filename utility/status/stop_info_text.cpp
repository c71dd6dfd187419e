#include "stop_info_text.h"

#include <cstdio>

#include "type_catalogue.h"

namespace velmora {

std::string memoryUsageText(unsigned readingCount, unsigned memoryCapacity)
{
    // A record claiming no memory at all is full if it holds anything.
    double percent =
        memoryCapacity == 0 ? (readingCount ? 100.0 : 0.0) : static_cast<double>(readingCount) / memoryCapacity * 100.0;
    if (percent > 100.0)
        percent = 100.0;
    if (readingCount != 0 && percent < 0.1)
        percent = 0.1;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", percent);
    return text;
}

StopInfoText stopInfoText(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    StopInfoText t;
    t.name = c.name();
    t.readingsLabel = "Readings:";
    // A wrapped roll-over memory at write position 0 has a count of 0 and a full ring.
    t.canDownload = downloadRowCount(c) != 0;
    const LoggerType type = c.type();
    if (hasWrappedRollOver(c)) {
        t.readingsValue = std::to_string(static_cast<int>(c.memoryCapacity()) - 1);
    } else if (isEventLogger(type) && c.sampleMode() <= 1) {
        t.readingsLabel = "Memory Usage:";
        t.readingsValue = memoryUsageText(c.readingCount(), c.memoryCapacity());
    } else {
        t.readingsValue = std::to_string(c.readingCount());
    }
    return t;
}

} // namespace velmora
