#include "sample_rate_choice.h"

namespace velmora {

namespace {
// What "Next >" stores when the box has no entry selected.
constexpr std::uint16_t kUnselectedSeconds = 10;

constexpr std::uint8_t kKindMask = 0x70;
constexpr std::uint8_t kKindJ = 0x10, kKindK = 0x20, kKindT = 0x40;
} // namespace

std::span<const IntervalChoice> rateEntries(LoggerType type) { return intervalList(type).entries; }

int rateIndexFor(LoggerType type, std::uint32_t seconds)
{
    const IntervalList list = intervalList(type);
    for (std::size_t i = 0; i < list.entries.size(); ++i)
        if (list.entries[i].seconds == seconds)
            return static_cast<int>(i);
    return list.fallback;
}

std::uint16_t rateSecondsAt(LoggerType type, int index)
{
    const std::span<const IntervalChoice> entries = rateEntries(type);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return kUnselectedSeconds;
    return entries[static_cast<std::size_t>(index)].seconds;
}

int thermocoupleIndexFor(std::uint8_t inputOptions)
{
    switch (inputOptions & kKindMask) {
    case kKindJ: return 0;
    case kKindT: return 2;
    default: return 1;
    }
}

std::uint8_t thermocoupleBitsAt(int index)
{
    switch (index) {
    case 0: return kKindJ;
    case 2: return kKindT;
    default: return kKindK;
    }
}

} // namespace velmora
