// Raw codes to values and back, rounding to the type's resolution, printing.
//
// Float or double: the record stores calGain, calOffset and inputScalar, and the
// connected logger keeps scaleGain, scaleOffset and displayStep, as 32-bit floats.
// They are read as floats and widened to double, which is exact, and all arithmetic
// here is double. So the only rounding a value carries is that of the stored floats
// themselves: a reading that falls exactly on a step or on a printed half (4.5 °C
// from 0.5 °C per count, 2.25 V) stays exact, and rounding to a step or to printed
// decimals is not pushed across a boundary by float noise. The places where the
// rules compare 32-bit floats (the scaling inputs) are in user_scaling.cpp.
#include "conversions.h"

#include <cmath>
#include <limits>

#include "type_catalogue.h"

namespace velmora {

namespace {

constexpr double kFullScale = 65472.0;
constexpr double kFahrenheitToCelsius = 0.5555555555555556;
constexpr double kLiteVoltsAtZero = 1.8639;
constexpr double kLiteSlope = -0.01177;
constexpr double kLiteDegreesPerVolt = -84.96176720475786;

bool isFixedEncoding(LoggerType t) { return isFixedEncodingTemperature(t); }
// Types 10, 15, 19, 21 round to whole °F or half °C and print 0 or 1 decimal.
bool isWholeDegreeType(LoggerType t) { return t == 10 || t == 15 || t == 19 || t == 21; }
bool fahrenheitBit(const LoggerRecord& r) { return (r.config.inputOptions() & 0x01) != 0; }
bool fahrenheitByte(const LoggerRecord& r) { return r.config.inputOptions() == 1; }

double calibrated(const LoggerRecord& r, double raw)
{
    return raw * static_cast<double>(r.config.calGain()) + static_cast<double>(r.config.calOffset());
}

// "Add 0.5 and truncate toward zero", kept inside int32 so odd calibration values
// (a zero gain, a NaN from the logger) cannot make the conversion undefined.
std::int32_t halfUpToInt(double x)
{
    const double t = std::trunc(x + 0.5);
    if (std::isnan(t))
        return 0;
    if (t >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (t <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(t);
}

double stepForType(const LoggerRecord& r)
{
    const LoggerType t = r.type();
    if (isScaled(t))
        return static_cast<double>(r.displayStep);
    if (t == 8)
        return fahrenheitByte(r) ? 2.0 : 1.0;
    if (isCo(t))
        return 0.5;
    if (isWholeDegreeType(t))
        return fahrenheitBit(r) ? 1.0 : 0.5;
    return 0.1;
}

double toNewUnit(double v, bool fahrenheit) { return fahrenheit ? v * 1.8 + 32.0 : (v - 32.0) * kFahrenheitToCelsius; }

std::uint16_t clampToSlot(std::int32_t raw, bool wide)
{
    const std::int32_t top = wide ? 0xFFFF : 0xFF;
    return static_cast<std::uint16_t>(raw < 0 ? 0 : (raw > top ? top : raw));
}

} // namespace

double rawToValue(const LoggerRecord& r, double raw)
{
    const LoggerType t = r.type();
    if (isFixedEncoding(t)) {
        // Tenths of a degree Fahrenheit above -328 °F.
        const double f = raw * 0.1 - 328.0;
        return fahrenheitBit(r) ? f : (f - 32.0) * kFahrenheitToCelsius;
    }
    if (t == 17)
        return raw;
    if (isScaled(t)) {
        double c = calibrated(r, raw);
        if (c < 0)
            c = 0;
        return c * static_cast<double>(r.config.inputScalar()) * static_cast<double>(r.scaleGain) +
               static_cast<double>(r.scaleOffset);
    }
    if (t == 8) {
        const double celsius = (calibrated(r, raw) - kLiteVoltsAtZero) * kLiteDegreesPerVolt;
        return fahrenheitByte(r) ? celsius * 1.8 + 32.0 : celsius;
    }
    if (isCo(t)) {
        const double ppm = calibrated(r, raw);
        return ppm < 0 ? 0.0 : ppm;
    }
    return calibrated(r, raw);
}

std::int32_t valueToRaw(LoggerRecord& r, double value)
{
    r.scaleError = scaleerr::kNone;
    const LoggerType t = r.type();
    const double gain = r.config.calGain();
    const double offset = r.config.calOffset();
    if (isScaled(t)) {
        const double before = (value - static_cast<double>(r.scaleOffset)) / static_cast<double>(r.scaleGain) /
                              static_cast<double>(r.config.inputScalar());
        const double raw = (before - offset) / gain;
        if (std::isnan(before) || std::isnan(raw)) {
            // A zero gain or scalar: no raw code means this value.
            r.scaleError = scaleerr::kRange;
            return 0;
        }
        if (before < 0) {
            r.scaleError = scaleerr::kBelowZeroRaw;
            return 0;
        }
        if (raw > kFullScale) {
            r.scaleError = scaleerr::kAboveFullScale;
            return static_cast<std::int32_t>(kFullScale);
        }
        if (raw < 0) {
            r.scaleError = scaleerr::kBelowZeroCalibrated;
            return 0;
        }
        return halfUpToInt(raw);
    }
    if (t == 8) {
        double x = fahrenheitByte(r) ? (value - 32.0) * kFahrenheitToCelsius : value;
        x = x * kLiteSlope + kLiteVoltsAtZero;
        return halfUpToInt((x - offset) / gain);
    }
    if (isFixedEncoding(t)) {
        const double f = fahrenheitBit(r) ? value : value * 1.8 + 32.0;
        return halfUpToInt((f + 328.0) * 10.0);
    }
    return halfUpToInt((value - offset) / gain);
}

double roundToStep(const LoggerRecord& r, double value)
{
    const double step = stepForType(r);
    double q = value / step;
    q = std::trunc(q >= 0 ? q + 0.5 : q - 0.5);
    if (q == 0)
        q = 0; // a whole number of steps is never "-0"
    const double result = q * step;
    // Carbon monoxide below 3 ppm reads as none (the low-range type 11 keeps it).
    if (r.type() == 9 && result < 3.0)
        return 0.0;
    return result;
}

int decimalsForType(const LoggerRecord& r)
{
    const LoggerType t = r.type();
    if (isScaled(t))
        return r.displayDecimals;
    if (isWholeDegreeType(t))
        return fahrenheitBit(r) ? 0 : 1;
    return 1;
}

char* writeReading(const LoggerRecord& r, std::int32_t raw, char* out)
{
    const LoggerType t = r.type();
    if (t == 14) {
        // Whole tenths of a degree around the code 4000, printed "%02d" with the point
        // put before the last digit: 4123 -> 1.2, 4000 -> 0.0, 3990 -> -.1.
        std::int64_t d = static_cast<std::int64_t>(raw) - 4000;
        d = d > 0 ? d + 5 : d - 5;
        char digits[24];
        char* end = writeZeroPadded(digits, d / 10, 2);
        for (char* p = digits; p < end - 1; ++p)
            *out++ = *p;
        *out++ = '.';
        *out++ = end[-1];
        return out;
    }
    const double value = rawToValue(r, raw);
    if (isScaled(t) || isWholeDegreeType(t))
        return writeFixed(out, roundToStep(r, value), decimalsForType(r));
    if (t == 8)
        return writeFixed(out, roundToStep(r, value), 0);
    if (isCo(t))
        return writeFixed(out, roundToStep(r, value), 1);
    if (t == 17)
        return writeFixed(out, value, 0);
    return writeFixed(out, value, 1);
}

std::string formatReading(const LoggerRecord& r, std::int32_t raw)
{
    char buffer[kNumberBufferSize];
    return std::string(buffer, writeReading(r, raw, buffer));
}

double highAlarmValue(const LoggerRecord& r)
{
    const LoggerType t = r.type();
    const LoggerConfig& c = r.config;
    if (isScaled(t)) // a falling scale keeps the high level in the low slot
        return rawToValue(r, r.scaleRising ? c.u16(cfg::kHighAlarm) : c.u16(cfg::kLowAlarmWide));
    if (hasWideAlarms(t))
        return rawToValue(r, c.u16(cfg::kHighAlarm));
    return calibrated(r, c.u8(cfg::kHighAlarm));
}

double lowAlarmValue(const LoggerRecord& r)
{
    const LoggerType t = r.type();
    const LoggerConfig& c = r.config;
    if (isScaled(t))
        return rawToValue(r, r.scaleRising ? c.u16(cfg::kLowAlarmWide) : c.u16(cfg::kHighAlarm));
    if (hasWideAlarms(t))
        return rawToValue(r, c.u16(cfg::kLowAlarmWide));
    return calibrated(r, c.u8(cfg::kLowAlarmNarrow));
}

namespace {
std::string alarmText(const LoggerRecord& r, double value, TextSlot storedText)
{
    const LoggerType t = r.type();
    if (t == 4 || t == 5)
        return fixedText(value, r.displayDecimals);
    if (t == 6 || t == 7 || t == 20)
        return r.config.text(storedText);
    if (t == 8)
        return fixedText(roundToStep(r, value), 0);
    if (isCo(t) || isWholeDegreeType(t))
        return fixedText(roundToStep(r, value), 1);
    return fixedText(value, 1);
}
} // namespace

std::string highAlarmText(const LoggerRecord& r) { return alarmText(r, highAlarmValue(r), TextSlot::HighAlarmText); }
std::string lowAlarmText(const LoggerRecord& r) { return alarmText(r, lowAlarmValue(r), TextSlot::LowAlarmText); }

double rhFromRaw(std::int32_t raw) { return raw * 0.5; }

std::int32_t rhToRaw(double value)
{
    const double twice = std::round(value * 2.0); // half away from zero
    if (std::isnan(twice))
        return 0;
    if (twice >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (twice <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(twice);
}

double dewPoint(const LoggerRecord& r, double temperature, double humidity)
{
    if (!(humidity > 0))
        return std::numeric_limits<double>::quiet_NaN();
    const bool fahrenheit = fahrenheitByte(r);
    const double t = fahrenheit ? (temperature - 32.0) * kFahrenheitToCelsius : temperature;
    const double x = std::log10(humidity) - 2.0 + 7.5 * t / (237.3 + t) + 0.66077;
    const double td = (0.66077 - x) * 237.3 / (x - 8.16077);
    return fahrenheit ? td * 1.8 + 32.0 : td;
}

void changeTemperatureUnit(LoggerRecord& r, bool fahrenheit)
{
    const LoggerType t = r.type();
    LoggerConfig& c = r.config;
    const bool temperatureType = (t >= 1 && t <= 3) || t == 8 || t == 10 || (t >= 12 && t <= 16) || t == 18 ||
                                 t == 19 || t == 21;
    if (!temperatureType) // the byte means something else there (scaling texts, event options)
        return;
    const bool fixed = isFixedEncoding(t);
    const bool current = fixed ? fahrenheitBit(r) : fahrenheitByte(r);
    if (current == fahrenheit)
        return;
    // Only the loggers that store temperatures as -40 + gain per count carry the unit
    // in their calibration; their alarm codes are re-encoded so they keep the same
    // temperature. The fixed encodings and the lite logger's sensor code (whose
    // calGain is its sensor calibration, not a unit) mean the same temperature in
    // either unit, so only the unit changes there.
    const bool unitInCalibration = isNarrow(t) || t == 14;
    if (unitInCalibration) {
        const double hi = highAlarmValue(r);
        const double lo = lowAlarmValue(r);
        c.setCalOffset(-40.0f);
        c.setCalGain(t == 14 ? 0.01f : (fahrenheit ? 1.0f : 0.5f));
        const bool wide = hasWideAlarms(t);
        c.setHighAlarmRaw(clampToSlot(valueToRaw(r, toNewUnit(hi, fahrenheit)), wide));
        c.setLowAlarmRaw(clampToSlot(valueToRaw(r, toNewUnit(lo, fahrenheit)), wide));
    }
    if (isThermocouple(t)) // the thermocouple kind shares the byte
        c.setInputOptions(static_cast<std::uint8_t>((c.inputOptions() & ~0x01) | (fahrenheit ? 1 : 0)));
    else
        c.setInputOptions(fahrenheit ? 1 : 0);
}

} // namespace velmora
