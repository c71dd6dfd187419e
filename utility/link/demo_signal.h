#pragma once
// What a virtual logger measures: plausible values for each logger type (a daily
// temperature swing, humidity that moves against it, a supply voltage, a current
// loop, background CO with an occasional rise, door events), turned into the raw
// codes the logger stores by its own calibration. Deterministic: the same record and
// sample number always give the same codes, so demos and tests are reproducible.
#include <array>
#include <cstdint>

#include "logger_config.h"

namespace velmora {

struct DemoReading {
    std::array<std::uint16_t, 2> values{}; // temperature and humidity for humidity types
    int count = 1;                         // values in this reading: 1 or 2
};

class DemoSignal {
public:
    explicit DemoSignal(const LoggerConfig& record) : record_(record) {}

    // The reading taken as sample `index` at `secondOfDay` (0..86399) local time.
    DemoReading sample(std::uint64_t index, std::uint32_t secondOfDay) const;

    // Event logger: the record word of event `index` (bit 15 the input level, bits
    // 0..14 tenths of a second since the previous event).
    std::uint16_t eventWord(std::uint64_t index) const;
    // Event logger in count-per-period mode: the count of period `index`.
    std::uint16_t periodCount(std::uint64_t index) const;

    // The raw code the logger stores for `value` in its own measuring unit (°C for
    // every temperature type, volts, mA, ppm), by its calibration; clamped to the
    // code range of the type.
    std::uint16_t rawFor(double value) const;

private:
    double noise(std::uint64_t index, std::uint32_t salt) const; // -1..1

    const LoggerConfig& record_;
};

} // namespace velmora
