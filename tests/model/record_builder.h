#pragma once
// Builds records for the tests, one field at a time.
#include "logger_record.h"

namespace velmora::test {

inline LoggerRecord record(LoggerType type, float calGain = 1.0f, float calOffset = 0.0f, std::uint8_t inputOptions = 0)
{
    LoggerRecord r;
    r.config.setType(type);
    r.config.setCalGain(calGain);
    r.config.setCalOffset(calOffset);
    r.config.setInputOptions(inputOptions);
    return r;
}

// A narrow temperature logger in Celsius: -40 °C + 0.5 °C per count.
inline LoggerRecord celsiusNarrow(LoggerType type = 1) { return record(type, 0.5f, -40.0f, 0); }

} // namespace velmora::test
