#include "demo_signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "type_catalogue.h"

namespace velmora {

namespace {

// The measured quantity of each type: a base, a daily swing (peaking mid-afternoon)
// and noise, in the logger's own unit (°C for temperatures, volts, mA, ppm).
struct Curve {
    double base, swing, noise;
};

Curve curveFor(LoggerType t)
{
    switch (t) {
    case 1: return {4.5, 1.5, 0.5};     // fridge
    case 2: return {-18.0, 1.0, 0.5};   // freezer
    case 3: case 12: case 13: case 16: return {20.0, 3.0, 0.5};
    case 4: case 6: return {12.6, 0.4, 0.05}; // battery bank, volts
    case 5: case 7: return {12.0, 4.0, 0.2};  // 4-20 mA loop
    case 8: return {21.0, 2.0, 0.3};
    case 9: return {1.5, 1.0, 1.0};     // background CO, ppm
    case 11: return {1.0, 0.5, 0.5};
    case 10: return {180.0, 20.0, 2.0}; // oven
    case 14: return {250.0, 60.0, 3.0}; // kiln
    case 15: return {120.0, 30.0, 2.0};
    case 18: return {-20.0, 2.0, 0.3};
    case 19: return {21.0, 2.0, 0.3};
    case 20: return {5.0, 2.5, 0.05};   // 0-10 V sensor
    case 21: return {-18.0, 1.5, 0.3};
    default: return {20.0, 2.0, 0.5};
    }
}

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

bool isTemperatureByCalibration(LoggerType t)
{
    return t == 1 || t == 2 || t == 3 || t == 12 || t == 13 || t == 14 || t == 16;
}

} // namespace

double DemoSignal::noise(std::uint64_t index, std::uint32_t salt) const
{
    const std::uint64_t h = mix((static_cast<std::uint64_t>(record_.serialNumber()) << 32) ^ (index * 4 + salt));
    return static_cast<double>(h >> 11) / static_cast<double>(1ull << 53) * 2.0 - 1.0;
}

std::uint16_t DemoSignal::rawFor(double value) const
{
    const LoggerType t = record_.type();
    const double gain = record_.calGain() != 0.0f ? record_.calGain() : 1.0;
    const double offset = record_.calOffset();
    const double top = isNarrow(t) ? 255.0 : 65472.0;
    if (isFixedEncodingTemperature(t))
        return clampRaw((value * 1.8 + 32.0 + 328.0) * 10.0, top); // tenths of °F above -328 °F
    if (t == 8)
        return clampRaw((value * -0.01177 + 1.8639 - offset) / gain, top); // sensor line, °C in
    if (isScaled(t)) {
        const double scalar = record_.inputScalar() != 0.0f ? record_.inputScalar() : 1.0;
        return clampRaw((value / scalar - offset) / gain, top);
    }
    if (isTemperatureByCalibration(t) && record_.inputOptions() == 1)
        value = value * 1.8 + 32.0; // the calibration is in °F
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
