#include "axis_ticks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>

namespace velmora {

namespace {

constexpr std::int64_t kDay = 86400;

std::string formatUtc(std::int64_t time, const char* pattern)
{
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm parts{};
    if (gmtime_r(&t, &parts) == nullptr)
        return {};
    char buf[32];
    const std::size_t n = std::strftime(buf, sizeof buf, pattern, &parts);
    return std::string(buf, n);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

double niceStep(double span, int maxTicks, double minStep)
{
    if (!(span > 0.0) || !std::isfinite(span))
        return minStep > 0.0 ? minStep : 1.0;
    const double raw = span / std::max(1, maxTicks);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power * 10.0;
    for (double f : {1.0, 2.0, 5.0}) {
        if (f * power >= raw * (1.0 - 1e-9)) {
            step = f * power;
            break;
        }
    }
    return std::max(step, minStep);
}

std::vector<double> valueTicks(double min, double max, double step)
{
    std::vector<double> ticks;
    if (!(step > 0.0) || !(max >= min) || (max - min) / step > 1000.0)
        return ticks;
    const double tolerance = step * 1e-6;
    for (double k = std::ceil((min - tolerance) / step); k * step <= max + tolerance; k += 1.0) {
        const double v = k * step;
        ticks.push_back(std::abs(v) < tolerance ? 0.0 : v);
    }
    return ticks;
}

int decimalsForStep(double step)
{
    if (!(step > 0.0) || step >= 1.0)
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 12);
}

AxisLimits automaticLimits(const ValueExtent& data, double minStep)
{
    if (data.empty())
        return {0.0, 10.0};
    if (data.min == data.max) {
        const double step = niceStep(std::max(std::abs(data.min), 1.0), 5, minStep);
        return {std::floor(data.min / step) * step - step, std::ceil(data.max / step) * step + step};
    }
    const double step = niceStep(data.max - data.min, 8, minStep);
    AxisLimits l{std::floor(data.min / step + 1e-9) * step, std::ceil(data.max / step - 1e-9) * step};
    // A line lying on a limit would hide under the plot's frame (an alarm level on a
    // round number, say): give it a step of room, except at zero.
    const double touch = step * 1e-9;
    if (l.max - data.max <= touch && l.max != 0.0)
        l.max += step;
    if (data.min - l.min <= touch && l.min != 0.0)
        l.min -= step;
    return l;
}

TimeTicks timeTicks(std::int64_t timeBase, double xMin, double xMax, int maxTicks, double spacing)
{
    static constexpr std::array<std::int64_t, 30> kSteps = {
        1,          2,          5,          10,          15,          30,          60,        120,
        300,        600,        900,        1800,        3600,        7200,        10800,     21600,
        43200,      kDay,       2 * kDay,   7 * kDay,    14 * kDay,   28 * kDay,   56 * kDay, 91 * kDay,
        182 * kDay, 364 * kDay, 728 * kDay, 1820 * kDay, 3640 * kDay, 18200 * kDay};
    TimeTicks ticks;
    const double span = xMax - xMin;
    if (!(span > 0.0) || !std::isfinite(span))
        return ticks;
    if (spacing >= 1.0) {
        ticks.step = static_cast<std::int64_t>(spacing);
    } else {
        ticks.step = kSteps.back();
        for (std::int64_t s : kSteps) {
            if (span / static_cast<double>(s) <= std::max(1, maxTicks)) {
                ticks.step = s;
                break;
            }
        }
    }
    if (span / static_cast<double>(ticks.step) > 1000.0)
        return ticks;
    // First whole multiple of the step (in wall-clock time) at or after xMin.
    const std::int64_t startTime = timeBase + static_cast<std::int64_t>(std::ceil(xMin));
    std::int64_t t = floorDiv(startTime + ticks.step - 1, ticks.step) * ticks.step;
    for (; static_cast<double>(t - timeBase) <= xMax; t += ticks.step)
        ticks.positions.push_back(static_cast<double>(t - timeBase));
    return ticks;
}

std::string timeTickLabel(std::int64_t time, std::int64_t step)
{
    if (step < 60)
        return formatUtc(time, "%H:%M:%S");
    if (step < kDay)
        return formatUtc(time, "%H:%M");
    return formatUtc(time, "%d/%m/%y");
}

std::string dateLabel(std::int64_t time) { return formatUtc(time, "%d/%m/%Y"); }

std::int64_t dayNumber(std::int64_t time) { return floorDiv(time, kDay); }

} // namespace velmora
