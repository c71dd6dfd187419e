#pragma once
// The rules that turn one logger's raw readings into values and texts, looked up
// once from its record. rawToValue, roundToStep, decimalsForType and formatReading
// are these rules applied once; the download file writer keeps one for all its rows
// so it does not look at the record again for every reading.
#include <cstdint>

#include "logger_record.h"
#include "type_catalogue.h"

namespace velmora {

class ReadingRules {
public:
    explicit ReadingRules(const LoggerRecord& record);

    double value(double raw) const;     // rawToValue
    double rounded(double value) const; // roundToStep
    int decimals() const { return decimals_; }
    // formatReading into `out` (at least kNumberBufferSize bytes); returns the end.
    char* write(std::int32_t raw, char* out) const;

private:
    enum class Print : std::uint8_t { Plain, Stepped, HighTemperature };

    RawEncoding encoding_ = RawEncoding::Calibrated;
    Print print_ = Print::Plain;
    bool fahrenheit_ = false;     // the unit the conversion looks at (bit 0 or whole byte, by type)
    bool zeroBelowThree_ = false; // CO under 3 ppm shows as none (not on every CO type)
    int decimals_ = 1;            // decimalsForType
    int printDecimals_ = 1;       // decimals of the reading text
    // The record's floats and the derived scaling, computed with as floats.
    float gain_ = 1, offset_ = 0, scalar_ = 1, scaleGain_ = 1, scaleOffset_ = 0;
    double step_ = 0.1;
};

// A raw code through the logger's calibration, raw × calGain + calOffset, worked out
// in 32-bit floats as the record holds them.
float calibratedInput(const LoggerConfig& config, double raw);
// The input of a scaled logger at full scale (raw 65472): the calibrated input times
// inputScalar, in 32-bit floats.
float fullScaleInput(const LoggerConfig& config);

} // namespace velmora
