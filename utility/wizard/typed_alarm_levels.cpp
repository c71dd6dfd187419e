#include "typed_alarm_levels.h"

#include <algorithm>
#include <cmath>

#include "numeric_entry.h"

namespace velmora::typed_levels {

namespace {

// The ends come from 32-bit calibration and scaling values, so an end meant as 30 V
// may come out a few float steps beside it; a level that near the end is inside.
constexpr double kFloatNoise = 1e-6;

double noiseOf(const ValueRange& range)
{
    return kFloatNoise * std::max({1.0, std::fabs(range.bottom), std::fabs(range.top)});
}

} // namespace

ValueRange levelRange(const LoggerRecord& record) { return typedAlarmRange(record); }

std::string levelText(const LoggerRecord& record, double level) { return shownText(level, decimalsForType(record)); }

bool levelsFitTheEdits(const LoggerRecord& record)
{
    const int decimals = decimalsForType(record);
    const ValueRange shown = shownRange(levelRange(record), decimals);
    const auto fits = [decimals](double end) {
        return shownText(end, decimals).size() <= static_cast<std::size_t>(kLevelLength);
    };
    return fits(shown.bottom) && fits(shown.top);
}

Place placeOf(double level, const ValueRange& range)
{
    const double noise = noiseOf(range);
    if (level < range.bottom - noise)
        return Place::Below;
    if (level > range.top + noise)
        return Place::Above;
    return Place::Inside;
}

ValueRange shownRange(const ValueRange& range, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double noise = noiseOf(range) * scale;
    return {std::ceil(range.bottom * scale - noise) / scale, std::floor(range.top * scale + noise) / scale};
}

std::string shownText(double level, int decimals)
{
    if (std::fabs(level) < 0.5 * std::pow(10.0, -decimals))
        level = 0.0;
    return numericText(level, decimals);
}

} // namespace velmora::typed_levels
