#include "alarm_level_list.h"

#include <algorithm>
#include <cmath>

#include "number_format.h"

namespace velmora {

namespace {
// Entries are multiples of a step of 0.5 or more; a level within this many steps of
// one is that entry (a number read from text is never further off than that).
constexpr double kSameLevel = 1e-6;
} // namespace

double AlarmLevelList::value(int index) const { return top_ - step_ * std::clamp(index, 0, count_ - 1); }

std::string AlarmLevelList::text(int index) const { return levelText(index) + " " + unit_; }

std::string AlarmLevelList::levelText(int index) const { return fixedText(value(index), decimals_); }

std::vector<double> AlarmLevelList::values() const
{
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i)
        out.push_back(value(i));
    return out;
}

std::vector<std::string> AlarmLevelList::texts() const
{
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i)
        out.push_back(text(i));
    return out;
}

int AlarmLevelList::indexFor(double level) const
{
    if (std::isnan(level)) // only an unusable calibration gives this; show the top entry
        return 0;
    const double held = std::clamp(level, bottom(), top_);
    return static_cast<int>(std::round(position(held)));
}

int AlarmLevelList::find(double level) const
{
    const double p = position(level);
    const double nearestEntry = std::round(p);
    if (!(std::fabs(p - nearestEntry) <= kSameLevel) || nearestEntry < 0 || nearestEntry > count_ - 1)
        return -1;
    return static_cast<int>(nearestEntry);
}

AlarmLevelList::Neighbours AlarmLevelList::nearest(double level) const
{
    if (std::isnan(level) || find(level) >= 0)
        return {};
    const double p = position(level); // entries count downwards: a higher level has a lower index
    Neighbours n;
    const double higher = std::floor(p);
    const double lower = std::ceil(p);
    if (higher >= 0 && higher <= count_ - 1)
        n.higher = static_cast<int>(higher);
    else if (higher > count_ - 1) // below the bottom entry: that is the nearest, and higher
        n.higher = count_ - 1;
    if (lower >= 0 && lower <= count_ - 1)
        n.lower = static_cast<int>(lower);
    else if (lower < 0) // above the top entry
        n.lower = 0;
    return n;
}

std::vector<std::string> AlarmLevelList::nearestLevels(double level) const
{
    const Neighbours n = nearest(level);
    std::vector<std::string> names;
    for (int index : {n.lower, n.higher})
        if (index >= 0)
            names.push_back(levelText(index));
    return names;
}

} // namespace velmora
