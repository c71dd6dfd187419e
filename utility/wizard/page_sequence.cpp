#include "page_sequence.h"

#include <algorithm>
#include <array>

#include "wizard_pages.h"

namespace velmora {

namespace {

using namespace page;

// Unused slots hold 0: no logger has type 0 and no row holds the main menu.
struct Row {
    std::array<LoggerType, 4> types;
    std::array<int, 7> pages;

    std::span<const int> row() const
    {
        return {pages.data(), static_cast<std::size_t>(std::find(pages.begin(), pages.end(), 0) - pages.begin())};
    }
};

// Every compatible type appears in exactly one row. Pages 9 and 25 are conditional
// (see pageShown); the summary page follows a successful finish.
constexpr std::array<Row, 12> kRows{{
    {{1, 2}, {kName, kAlarms, kStart, kSummary}},
    {{3}, {kName, kAlarms, kRhAlarms, kStart, kSummary}},
    {{4, 5, 6, 7}, {kVoltageName, kVoltageCal, kVoltageAlarms, kStart, kSummary}},
    {{8}, {kLiteName, kLiteAlarms, kStart, kSummary}},
    {{9, 11}, {kCoAgreement, kCoName, kCoAlarms, kStart, kSummary}},
    {{10}, {kTcName, kVoltageAlarms, kStart, kSummary}},
    {{12, 16}, {kName, kLcd, kAlarms, kRhAlarms, kPushToStart, kSummary}},
    {{13}, {kName, kStorageMode, kAlarms, kRhAlarms, kStart, kSummary}},
    {{14}, {kHtAgreement, kName, kStorageMode, kVoltageAlarms, kStart, kSummary}},
    {{15}, {kTcName, kLcd, kVoltageAlarms, kPushToStart, kSummary}},
    {{19}, {kName, kLcd, kVoltageAlarms, kPushToStart, kSummary}},
    {{21}, {kName, kLcd, kVoltageAlarms, kConsecutiveAlarms, kPushToStart, kSummary}},
}};

} // namespace

std::span<const int> pageRow(LoggerType type)
{
    if (type == 0)
        return {};
    for (const Row& r : kRows)
        if (std::find(r.types.begin(), r.types.end(), type) != r.types.end())
            return r.row();
    return {};
}

bool pageShown(const LoggerConfig& config, int p)
{
    switch (p) {
    case kVoltageCal: return config.inputOptions() != 0; // custom scaling chosen
    case kConsecutiveAlarms: return config.hasFlag(flag::kHighEnabled) || config.hasFlag(flag::kLowEnabled);
    default: return true;
    }
}

int nextPage(const LoggerConfig& config, int p)
{
    const std::span<const int> row = pageRow(config.type());
    auto it = std::find(row.begin(), row.end(), p);
    if (it == row.end())
        return -1;
    for (++it; it != row.end(); ++it)
        if (pageShown(config, *it))
            return *it;
    return -1;
}

int previousPage(const LoggerConfig& config, int p)
{
    const std::span<const int> row = pageRow(config.type());
    const auto it = std::find(row.begin(), row.end(), p);
    if (it == row.end())
        return -1;
    for (auto back = std::make_reverse_iterator(it); back != row.rend(); ++back)
        if (pageShown(config, *back))
            return *back;
    return -1;
}

} // namespace velmora
