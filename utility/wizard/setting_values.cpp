#include "setting_values.h"

#include <cmath>

#include "alarm_level_list.h"
#include "page_settings.h"
#include "sample_rate_choice.h"
#include "text_encoding.h"

namespace velmora {

namespace {

// A number read from a file is within this fraction of a step of the step it means.
constexpr double kSameStep = 1e-6;

std::string nearestText(const std::vector<std::string>& names)
{
    if (names.empty())
        return {};
    if (names.size() == 1)
        return "; the nearest is " + names[0];
    return "; the nearest are " + names[0] + " and " + names[1];
}

} // namespace

int rateEntryFor(LoggerType type, std::int64_t seconds, std::string_view key, std::string& problem)
{
    const std::span<const IntervalChoice> entries = rateEntries(type);
    std::string allowed;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].seconds == seconds)
            return static_cast<int>(i);
        allowed += (i ? ", " : "") + std::to_string(entries[i].seconds);
    }
    problem = std::string(key) + ": " + std::to_string(seconds) + " is not one of this logger's rates (" + allowed +
              " seconds).";
    return -1;
}

int levelEntryFor(const AlarmLevelList& levels, double level, std::string_view key, std::string& problem)
{
    const int index = levels.find(level);
    if (index >= 0)
        return index;
    problem = std::string(key) + ": " + settingsNumber(level) + " is not one of the page's levels (" +
              cp1252ToUtf8(levels.text(0)) + " down to " + cp1252ToUtf8(levels.text(levels.size() - 1)) + ")" +
              nearestText(levels.nearestLevels(level)) + ".";
    return -1;
}

std::string editText(double value, int decimals, std::size_t length, const std::function<std::string(double)>& shown,
                     std::string_view key, std::string& problem)
{
    const double scale = std::pow(10.0, decimals);
    const double steps = value * scale;
    if (std::fabs(steps - std::round(steps)) > kSameStep) {
        const std::string places = decimals == 0 ? "whole numbers" : std::to_string(decimals) + " decimals";
        problem = std::string(key) + ": " + settingsNumber(value) + " is not a value the page takes (" + places + ")" +
                  nearestText({shown(std::floor(steps) / scale), shown(std::ceil(steps) / scale)}) + ".";
        return {};
    }
    const std::string text = shown(std::round(steps) / scale);
    if (text.size() > length) {
        problem = std::string(key) + ": " + settingsNumber(value) + " does not fit the page's box of " +
                  std::to_string(length) + " characters.";
        return {};
    }
    return text;
}

std::string correctedNote(std::string_view key, const std::string& typed, const std::string& shown)
{
    if (typed == shown)
        return {};
    return std::string(key) + ": the nearest the page takes is " + cp1252ToUtf8(shown) + ".";
}

} // namespace velmora
