#include "demo_signal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "type_catalogue.h"

namespace velmora {

namespace {

// The measured quantity of each type: a base, a daily swing (peaking mid-afternoon)
// and noise, in the logger's own unit (°C for temperatures, volts, mA, ppm). These are
// what a logger of each model would plausibly see in use (a fridge, an oven, a kiln),
// not something the type decides, so they are a table of their own by code, beside the
// presets of the simulated loggers, rather than columns of the type catalogue.
struct Curve {
    double base, swing, noise;
};

constexpr Curve kAnyCurve{20.0, 2.0, 0.5};
constexpr std::array<Curve, kMaxKnownType> kCurves{{
    {4.5, 1.5, 0.5},    // 1: fridge
    {-18.0, 1.0, 0.5},  // 2: freezer
    {20.0, 3.0, 0.5},   // 3: store room, with humidity
    {12.6, 0.4, 0.05},  // 4: battery bank, volts
    {12.0, 4.0, 0.2},   // 5: 4-20 mA loop
    {12.6, 0.4, 0.05},  // 6: as 4
    {12.0, 4.0, 0.2},   // 7: as 5
    {21.0, 2.0, 0.3},   // 8: office
    {1.5, 1.0, 1.0},    // 9: background CO, ppm
    {180.0, 20.0, 2.0}, // 10: oven
    {1.0, 0.5, 0.5},    // 11: background CO, low range
    {20.0, 3.0, 0.5},   // 12: as 3
    {20.0, 3.0, 0.5},   // 13: as 3
    {250.0, 60.0, 3.0}, // 14: kiln
    {120.0, 30.0, 2.0}, // 15: furnace
    {20.0, 3.0, 0.5},   // 16: as 3
    kAnyCurve,          // 17: events, no curve
    {-20.0, 2.0, 0.3},  // 18: cold chain
    {21.0, 2.0, 0.3},   // 19: office
    {5.0, 2.5, 0.05},   // 20: 0-10 V sensor
    {-18.0, 1.5, 0.3},  // 21: freezer
}};

Curve curveFor(LoggerType t) { return isKnownType(t) ? kCurves[t - 1u] : kAnyCurve; }

std::uint64_t mix(std::uint64_t x)
{
    // splitmix64: cheap, well spread, and the same on every machine.
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint16_t clampRaw(double raw, double top)
{
    return static_cast<std::uint16_t>(std::clamp(std::floor(raw + 0.5), 0.0, top));
}

} // namespace

double DemoSignal::noise(std::uint64_t index, std::uint32_t salt) const
{
    const std::uint64_t h = mix((static_cast<std::uint64_t>(record_.serialNumber()) << 32) ^ (index * 4 + salt));
    return static_cast<double>(h >> 11) / static_cast<double>(1ull << 53) * 2.0 - 1.0;
}

std::uint16_t DemoSignal::rawFor(double value) const
{
    const TypeInfo& row = typeRow(record_.type());
    const double gain = record_.calGain() != 0.0f ? record_.calGain() : 1.0;
    const double offset = record_.calOffset();
    const double top = row.readings == ValueWidth::Bits8 ? 255.0 : 65472.0;
    switch (row.encoding) {
    case RawEncoding::FixedTenthsF:
        return clampRaw((value * 1.8 + 32.0 + 328.0) * 10.0, top); // tenths of °F above -328 °F
    case RawEncoding::LiteSensor:
        return clampRaw((value * -0.01177 + 1.8639 - offset) / gain, top); // sensor line, °C in
    case RawEncoding::UserScaled: {
        const double scalar = record_.inputScalar() != 0.0f ? record_.inputScalar() : 1.0;
        return clampRaw((value / scalar - offset) / gain, top);
    }
    case RawEncoding::CalibratedDegrees:
    case RawEncoding::CalibratedHundredths:
        if (record_.inputOptions() == 1)
            value = value * 1.8 + 32.0; // the calibration is in °F
        break;
    default: break;
    }
    return clampRaw((value - offset) / gain, top);
}

DemoReading DemoSignal::sample(std::uint64_t index, std::uint32_t secondOfDay) const
{
    const LoggerType t = record_.type();
    const Curve c = curveFor(t);
    // Warmest at 15:00, coolest at 03:00.
    const double day = std::sin(2.0 * std::numbers::pi * (static_cast<double>(secondOfDay) - 9.0 * 3600.0) / 86400.0);
    double value = c.base + c.swing * day + c.noise * noise(index, 0);
    if (isCo(t) && index % 97 >= 90)
        value += 25.0 * std::sin(std::numbers::pi * static_cast<double>(index % 97 - 89) / 8.0); // a brief rise
    DemoReading r;
    r.values[0] = rawFor(value);
    if (isHumidity(t)) {
        // Relative humidity falls as the air warms; 0.5 %rh per count.
        const double rh = std::clamp(55.0 - 12.0 * day + 2.0 * noise(index, 1), 5.0, 99.0);
        r.values[1] = clampRaw(rh * 2.0, 200.0);
        r.count = 2;
    }
    return r;
}

std::uint16_t DemoSignal::eventWord(std::uint64_t index) const
{
    // A door: opened and closed again after a few seconds, then shut for minutes.
    const bool opening = index % 2 == 0;
    const double u = (noise(index, 2) + 1.0) / 2.0;
    const auto gap = static_cast<std::uint16_t>(opening ? 300 + u * 6000 : 20 + u * 150);
    return static_cast<std::uint16_t>((opening ? 0x8000 : 0) | (gap & 0x7FFF));
}

std::uint16_t DemoSignal::periodCount(std::uint64_t index) const
{
    return static_cast<std::uint16_t>(std::floor((noise(index, 3) + 1.0) * 12.0));
}

} // namespace velmora
