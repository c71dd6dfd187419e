#pragma once
// The configuration record together with the values derived from it. Conversions,
// status texts and the download file all work on this, so they can be used (and
// tested) without a link to a logger.
#include <cstdint>

#include "logger_config.h"

namespace velmora {

struct LoggerRecord {
    LoggerConfig config;
    // Derived user scaling of the voltage and current types; the reset values hold
    // for every other type. 32-bit floats, as the scaling has always been computed.
    float scaleGain = 1.0f;
    float scaleOffset = 0.0f;
    float displayStep = 0.1f;
    std::int32_t displayDecimals = 1;
    bool scaleRising = true;
    // Code of the last scaling or conversion problem, 0 = none.
    std::int32_t scaleError = 0;

    LoggerType type() const { return config.type(); }
    void resetScaling()
    {
        scaleGain = 1.0f;
        scaleOffset = 0.0f;
        displayStep = 0.1f;
        displayDecimals = 1;
        scaleRising = true;
    }
};

} // namespace velmora
