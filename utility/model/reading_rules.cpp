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

// Types 10, 15, 19, 21 round to whole °F or half °C and print 0 or 1 decimal.
bool isWholeDegreeType(LoggerType t) { return t == 10 || t == 15 || t == 19 || t == 21; }

// Truncation toward zero; a whole number of steps is never "-0".
double truncated(double q)
{
    return std::fabs(q) < 0x1p52 ? static_cast<double>(static_cast<std::int64_t>(q)) : q;
}

} // namespace

ReadingRules::ReadingRules(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    const LoggerType t = c.type();
    const bool fahrenheitBit = (c.inputOptions() & 0x01) != 0;
    const bool fahrenheitByte = c.inputOptions() == 1;
    gain_ = c.calGain();
    offset_ = c.calOffset();

    if (isFixedEncodingTemperature(t)) {
        encoding_ = Encoding::FixedTenths;
        fahrenheit_ = fahrenheitBit;
    } else if (t == 17) {
        encoding_ = Encoding::Events;
    } else if (isScaled(t)) {
        encoding_ = Encoding::Scaled;
        scalar_ = c.inputScalar();
        scaleGain_ = record.scaleGain;
        scaleOffset_ = record.scaleOffset;
    } else if (t == 8) {
        encoding_ = Encoding::LiteSensor;
        fahrenheit_ = fahrenheitByte;
    } else if (isCo(t)) {
        encoding_ = Encoding::CarbonMonoxide;
    }

    if (isScaled(t)) {
        step_ = record.displayStep;
        decimals_ = record.displayDecimals;
        print_ = Print::Stepped;
        printDecimals_ = decimals_;
    } else if (t == 8) {
        step_ = fahrenheitByte ? 2.0 : 1.0;
        print_ = Print::Stepped;
        printDecimals_ = 0;
    } else if (isCo(t)) {
        step_ = 0.5;
        zeroBelowThree_ = t == 9; // the low-range type 11 keeps small values
        print_ = Print::Stepped;
        printDecimals_ = 1;
    } else if (isWholeDegreeType(t)) {
        step_ = fahrenheitBit ? 1.0 : 0.5;
        decimals_ = fahrenheitBit ? 0 : 1;
        print_ = Print::Stepped;
        printDecimals_ = decimals_;
    } else if (t == 14) {
        print_ = Print::HighTemperature;
    } else if (t == 17) {
        printDecimals_ = 0;
    }
}

double ReadingRules::value(double raw) const
{
    switch (encoding_) {
    case Encoding::FixedTenths: {
        // Tenths of a degree Fahrenheit above -328 °F.
        const double f = raw * 0.1 - 328.0;
        return fahrenheit_ ? f : (f - 32.0) * kFahrenheitToCelsius;
    }
    case Encoding::Events:
        return raw;
    case Encoding::Scaled: {
        double c = raw * gain_ + offset_;
        if (c < 0)
            c = 0;
        return c * scalar_ * scaleGain_ + scaleOffset_;
    }
    case Encoding::LiteSensor: {
        // The sensor's volts: 1.8639 V at 0 °C, -0.01177 V per °C.
        const double celsius = (raw * gain_ + offset_ - kLiteVoltsAtZero) * kLiteDegreesPerVolt;
        return fahrenheit_ ? celsius * 1.8 + 32.0 : celsius;
    }
    case Encoding::CarbonMonoxide: {
        const double ppm = raw * gain_ + offset_;
        return ppm < 0 ? 0.0 : ppm;
    }
    case Encoding::Calibrated:
        break;
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
    case Print::Stepped:
        return writeFixed(out, rounded(value(raw)), printDecimals_);
    case Print::Plain:
        break;
    }
    return writeFixed(out, value(raw), printDecimals_);
}

} // namespace velmora
