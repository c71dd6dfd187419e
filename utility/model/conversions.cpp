// Values back to raw codes, alarm levels and texts, humidity, dew point and the
// change of temperature unit. Raw-to-value and the reading text are ReadingRules,
// which also explains why a value from the record's floats is computed in floats.
#include "conversions.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "reading_rules.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

constexpr double kFullScale = 65472.0;
constexpr double kFahrenheitToCelsius = 0.5555555555555556;
constexpr double kLiteVoltsAtZero = 1.8639;
constexpr double kLiteSlope = -0.01177;

bool fahrenheitBit(const LoggerRecord& r) { return (r.config.inputOptions() & 0x01) != 0; }
bool fahrenheitByte(const LoggerRecord& r) { return r.config.inputOptions() == 1; }

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

double toNewUnit(double v, bool fahrenheit) { return fahrenheit ? v * 1.8 + 32.0 : (v - 32.0) * kFahrenheitToCelsius; }

std::uint16_t clampToSlot(std::int32_t raw, bool wide)
{
    const std::int32_t top = wide ? 0xFFFF : 0xFF;
    return static_cast<std::uint16_t>(raw < 0 ? 0 : (raw > top ? top : raw));
}

} // namespace

double rawToValue(const LoggerRecord& r, double raw) { return ReadingRules(r).value(raw); }

std::int32_t valueToRaw(LoggerRecord& r, double value)
{
    r.scaleError = scaleerr::kNone;
    const double gain = r.config.calGain();
    const double offset = r.config.calOffset();
    switch (typeRow(r.type()).encoding) {
    case RawEncoding::UserScaled: {
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
    case RawEncoding::LiteSensor: {
        double x = fahrenheitByte(r) ? (value - 32.0) * kFahrenheitToCelsius : value;
        x = x * kLiteSlope + kLiteVoltsAtZero;
        return halfUpToInt((x - offset) / gain);
    }
    case RawEncoding::FixedTenthsF: {
        const double f = fahrenheitBit(r) ? value : value * 1.8 + 32.0;
        return halfUpToInt((f + 328.0) * 10.0);
    }
    default: return halfUpToInt((value - offset) / gain);
    }
}

double roundToStep(const LoggerRecord& r, double value) { return ReadingRules(r).rounded(value); }
int decimalsForType(const LoggerRecord& r) { return ReadingRules(r).decimals(); }
char* writeReading(const LoggerRecord& r, std::int32_t raw, char* out) { return ReadingRules(r).write(raw, out); }

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
    return calibratedInput(c, c.u8(cfg::kHighAlarm));
}

double lowAlarmValue(const LoggerRecord& r)
{
    const LoggerType t = r.type();
    const LoggerConfig& c = r.config;
    if (isScaled(t))
        return rawToValue(r, r.scaleRising ? c.u16(cfg::kLowAlarmWide) : c.u16(cfg::kHighAlarm));
    if (hasWideAlarms(t))
        return rawToValue(r, c.u16(cfg::kLowAlarmWide));
    return calibratedInput(c, c.u8(cfg::kLowAlarmNarrow));
}

namespace {
std::string alarmText(const LoggerRecord& r, double value, TextSlot storedText)
{
    const TypeInfo& row = typeRow(r.type());
    switch (row.scale) {
    case ScaleKind::AlarmsFromLevels: return fixedText(value, r.displayDecimals);
    case ScaleKind::AlarmsFromTexts: return r.config.text(storedText);
    case ScaleKind::Unscaled: break;
    }
    // Types whose readings are rounded to a step show their alarm levels rounded too,
    // always with one decimal but for the lite logger's whole degrees.
    switch (row.resolution) {
    case Resolution::LiteDegree: return fixedText(roundToStep(r, value), 0);
    case Resolution::HalfPpm:
    case Resolution::WholeDegree: return fixedText(roundToStep(r, value), 1);
    default: return fixedText(value, 1);
    }
}
} // namespace

std::string highAlarmText(const LoggerRecord& r) { return alarmText(r, highAlarmValue(r), TextSlot::HighAlarmText); }
std::string lowAlarmText(const LoggerRecord& r) { return alarmText(r, lowAlarmValue(r), TextSlot::LowAlarmText); }

std::uint16_t alarmLevelToRaw(LoggerRecord& r, double value)
{
    return clampToSlot(valueToRaw(r, value), hasWideAlarms(r.type()));
}

ValueRange typedAlarmRange(const LoggerRecord& r)
{
    const bool notCelsius = r.config.inputOptions() != 0;
    switch (typeRow(r.type()).alarmRange) {
    case AlarmRange::ThermocoupleCodes: return {rawToValue(r, 0), rawToValue(r, 27000)};
    case AlarmRange::HighTemperature: return {-40.0, notCelsius ? 257.0 : 125.0};
    case AlarmRange::DisplayTemperature: return {-40.0, notCelsius ? 189.0 : 87.5};
    case AlarmRange::ScaledInput: {
        // The values of zero input and of full-scale input, in floats as readings are.
        const double atZero = r.scaleOffset;
        const double atFull = fullScaleInput(r.config) * r.scaleGain + r.scaleOffset;
        return {std::min(atZero, atFull), std::max(atZero, atFull)};
    }
    case AlarmRange::None: break;
    }
    return {std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max()};
}

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

void reencodeAlarmLevels(LoggerRecord& r, bool fahrenheit)
{
    const TypeInfo& row = typeRow(r.type());
    // Only the loggers that store temperatures as -40 + gain per count carry the unit
    // in their calibration. The fixed encodings and the lite logger's sensor code
    // (whose calGain is its sensor calibration, not a unit) mean the same temperature
    // in either unit, so their codes stay.
    const bool degrees = row.encoding == RawEncoding::CalibratedDegrees;
    if (!degrees && row.encoding != RawEncoding::CalibratedHundredths)
        return;
    // The levels are carried across as 32-bit floats, as the alarm pages hold them.
    const auto converted = [fahrenheit](double v) {
        return static_cast<double>(static_cast<float>(toNewUnit(v, fahrenheit)));
    };
    const double hi = converted(highAlarmValue(r));
    const double lo = converted(lowAlarmValue(r));
    LoggerConfig& c = r.config;
    c.setCalOffset(-40.0f);
    c.setCalGain(degrees ? (fahrenheit ? 1.0f : 0.5f) : 0.01f);
    // A level beyond the new unit's range (215 °F is above the 87.5 °C an 8-bit
    // Celsius code reaches) is held at the end of the slot rather than wrapped
    // round to some unrelated temperature.
    const bool wide = row.alarms == ValueWidth::Bits16;
    c.setHighAlarmRaw(clampToSlot(valueToRaw(r, hi), wide));
    c.setLowAlarmRaw(clampToSlot(valueToRaw(r, lo), wide));
}

void changeTemperatureUnit(LoggerRecord& r, bool fahrenheit)
{
    const TypeInfo& row = typeRow(r.type());
    LoggerConfig& c = r.config;
    if (row.unit == UnitOption::NoUnit) // the byte means something else there (scaling texts, event options)
        return;
    // The fixed encoding's conversions ask bit 0 for the unit, every other one the
    // whole byte; the change compares with the unit the readings are converted in.
    const bool current = row.encoding == RawEncoding::FixedTenthsF ? fahrenheitBit(r) : fahrenheitByte(r);
    if (current == fahrenheit)
        return;
    reencodeAlarmLevels(r, fahrenheit);
    if (row.unit == UnitOption::Bit0) // the thermocouple kind shares the byte
        c.setInputOptions(static_cast<std::uint8_t>((c.inputOptions() & ~0x01) | (fahrenheit ? 1 : 0)));
    else
        c.setInputOptions(fahrenheit ? 1 : 0);
}

} // namespace velmora
