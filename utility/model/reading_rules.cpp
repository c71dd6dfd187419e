// Raw readings to values, rounding to the type's resolution, and the reading text.
//
// Float or double: the record stores calGain, calOffset and inputScalar, and the
// connected logger keeps scaleGain and scaleOffset, as 32-bit floats, and a value
// computed from them is a 32-bit float too: raw × calGain + calOffset (and for a
// scaled logger × inputScalar × scaleGain + scaleOffset) is worked out in floats,
// each step rounded to a float, as the loggers' values have always been computed.
// That rounding is part of the value: a warning level stored for 1000 ppm is 1000.0
// in floats but 1000.0000149 in doubles, which lies outside the 3 to 1000 ppm the
// page takes. The module is built with -ffp-contract=off so that no fused
// multiply-add skips a rounding. The rest (the fixed Fahrenheit encoding, the lite
// sensor's line, the Celsius conversion, rounding to a step) is double arithmetic
// on those values.
#include "reading_rules.h"

#include <cmath>

#include "number_format.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

constexpr double kFahrenheitToCelsius = 0.5555555555555556;
constexpr double kLiteVoltsAtZero = 1.8639;
constexpr double kLiteDegreesPerVolt = -84.96176720475786;
constexpr double kFullScaleCode = 65472.0;

// Truncation toward zero; a whole number of steps is never "-0".
double truncated(double q) { return std::fabs(q) < 0x1p52 ? static_cast<double>(static_cast<std::int64_t>(q)) : q; }

float calibrated(double raw, float gain, float offset)
{
    const float product = static_cast<float>(raw) * gain;
    return product + offset;
}

} // namespace

float calibratedInput(const LoggerConfig& config, double raw)
{
    return calibrated(raw, config.calGain(), config.calOffset());
}

float fullScaleInput(const LoggerConfig& config)
{
    return calibratedInput(config, kFullScaleCode) * config.inputScalar();
}

ReadingRules::ReadingRules(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    const TypeInfo& row = typeRow(c.type());
    const bool fahrenheitBit = (c.inputOptions() & 0x01) != 0;
    const bool fahrenheitByte = c.inputOptions() == 1;
    encoding_ = row.encoding;
    gain_ = c.calGain();
    offset_ = c.calOffset();

    switch (row.encoding) {
    case RawEncoding::FixedTenthsF: fahrenheit_ = fahrenheitBit; break;
    case RawEncoding::LiteSensor: fahrenheit_ = fahrenheitByte; break;
    case RawEncoding::UserScaled:
        scalar_ = c.inputScalar();
        scaleGain_ = record.scaleGain;
        scaleOffset_ = record.scaleOffset;
        break;
    default: break;
    }

    switch (row.resolution) {
    case Resolution::ScaledStep:
        step_ = record.displayStep;
        decimals_ = record.displayDecimals;
        print_ = Print::Stepped;
        printDecimals_ = decimals_;
        break;
    case Resolution::LiteDegree:
        step_ = fahrenheitByte ? 2.0 : 1.0;
        print_ = Print::Stepped;
        printDecimals_ = 0;
        break;
    case Resolution::HalfPpm:
        step_ = 0.5;
        zeroBelowThree_ = row.has(feature::kZeroBelow3ppm);
        print_ = Print::Stepped;
        printDecimals_ = 1;
        break;
    case Resolution::WholeDegree:
        step_ = fahrenheitBit ? 1.0 : 0.5;
        decimals_ = fahrenheitBit ? 0 : 1;
        print_ = Print::Stepped;
        printDecimals_ = decimals_;
        break;
    case Resolution::HighTempTenths: print_ = Print::HighTemperature; break;
    case Resolution::PlainCount: printDecimals_ = 0; break;
    case Resolution::PlainTenth: break;
    }
}

double ReadingRules::value(double raw) const
{
    switch (encoding_) {
    case RawEncoding::FixedTenthsF: {
        // Tenths of a degree Fahrenheit above -328 °F.
        const double f = raw * 0.1 - 328.0;
        return fahrenheit_ ? f : (f - 32.0) * kFahrenheitToCelsius;
    }
    case RawEncoding::Counts: return raw;
    case RawEncoding::UserScaled: {
        float c = calibrated(raw, gain_, offset_);
        if (c < 0)
            c = 0;
        const float input = c * scalar_;
        const float shown = input * scaleGain_;
        return shown + scaleOffset_;
    }
    case RawEncoding::LiteSensor: {
        // The sensor's volts: 1.8639 V at 0 °C, -0.01177 V per °C.
        const double volts = calibrated(raw, gain_, offset_);
        const double celsius = (volts - kLiteVoltsAtZero) * kLiteDegreesPerVolt;
        return fahrenheit_ ? celsius * 1.8 + 32.0 : celsius;
    }
    case RawEncoding::CalibratedPpm: {
        const float ppm = calibrated(raw, gain_, offset_);
        return ppm < 0 ? 0.0 : ppm;
    }
    case RawEncoding::Calibrated:
    case RawEncoding::CalibratedDegrees:
    case RawEncoding::CalibratedHundredths: break;
    }
    return calibrated(raw, gain_, offset_);
}

double ReadingRules::rounded(double value) const
{
    double q = value / step_;
    q = truncated(q >= 0 ? q + 0.5 : q - 0.5);
    const double result = q * step_;
    // Carbon monoxide below 3 ppm reads as none.
    return zeroBelowThree_ && result < 3.0 ? 0.0 : result;
}

char* ReadingRules::write(std::int32_t raw, char* out) const
{
    switch (print_) {
    case Print::HighTemperature: {
        // Whole tenths of a degree around the code 4000, printed "%02d" with the point
        // put before the last digit: 4123 -> 1.2, 4000 -> 0.0, 3990 -> -.1.
        std::int64_t d = static_cast<std::int64_t>(raw) - 4000;
        d = d > 0 ? d + 5 : d - 5;
        char digits[24];
        const char* end = writeZeroPadded(digits, d / 10, 2);
        for (const char* p = digits; p < end - 1; ++p)
            *out++ = *p;
        *out++ = '.';
        *out++ = end[-1];
        return out;
    }
    case Print::Stepped: return writeFixed(out, rounded(value(raw)), printDecimals_);
    case Print::Plain: break;
    }
    return writeFixed(out, value(raw), printDecimals_);
}

} // namespace velmora
