// Raw readings to values, rounding to the type's resolution, and the reading text.
//
// Float or double: the record stores calGain, calOffset and inputScalar, and the
// connected logger keeps scaleGain, scaleOffset and displayStep, as 32-bit floats.
// They are read as floats and widened to double, which is exact, and all arithmetic
// here is double. So the only rounding a value carries is that of the stored floats
// themselves: a reading that falls exactly on a step or on a printed half (4.5 °C
// from 0.5 °C per count, 2.25 V) stays exact, and rounding to a step or to printed
// decimals is not pushed across a boundary by float noise.
#include "reading_rules.h"

#include <cmath>

#include "number_format.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

constexpr double kFahrenheitToCelsius = 0.5555555555555556;
constexpr double kLiteVoltsAtZero = 1.8639;
constexpr double kLiteDegreesPerVolt = -84.96176720475786;

// Truncation toward zero; a whole number of steps is never "-0".
double truncated(double q) { return std::fabs(q) < 0x1p52 ? static_cast<double>(static_cast<std::int64_t>(q)) : q; }

} // namespace

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
        double c = raw * gain_ + offset_;
        if (c < 0)
            c = 0;
        return c * scalar_ * scaleGain_ + scaleOffset_;
    }
    case RawEncoding::LiteSensor: {
        // The sensor's volts: 1.8639 V at 0 °C, -0.01177 V per °C.
        const double celsius = (raw * gain_ + offset_ - kLiteVoltsAtZero) * kLiteDegreesPerVolt;
        return fahrenheit_ ? celsius * 1.8 + 32.0 : celsius;
    }
    case RawEncoding::CalibratedPpm: {
        const double ppm = raw * gain_ + offset_;
        return ppm < 0 ? 0.0 : ppm;
    }
    case RawEncoding::Calibrated:
    case RawEncoding::CalibratedDegrees:
    case RawEncoding::CalibratedHundredths: break;
    }
    return raw * gain_ + offset_;
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
