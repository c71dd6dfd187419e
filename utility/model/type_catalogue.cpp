#include "type_catalogue.h"

#include <array>

#include "utility_strings.h"

namespace velmora {

namespace {

using enum IntervalListId;

// One row per known code: model name id, interval list, first set-up page.
constexpr std::array<TypeInfo, 21> kTypes{{
    {1, 149, A, 1},   {2, 149, A, 1},   {3, 150, A, 1},   {4, 151, C, 8},   {5, 152, C, 8},
    {6, 151, C, 8},   {7, 152, C, 8},   {8, 153, FixedHalfHour, 11}, {9, 154, E, 14},
    {10, 155, D, 16}, {11, 174, E, 14}, {12, 175, A, 1},  {13, 177, A, 1},  {14, 178, B, 20},
    {15, 181, D, 16}, {16, 182, A, 1},  {17, 183, None, 0}, {18, 184, None, 0}, {19, 187, A, 1},
    {20, 189, None, 0}, {21, 187, A, 1},
}};

constexpr std::array<IntervalChoice, 7> kListA{{{"10 Sec (45 Hrs)", 10}, {"1 Min (11 Days)", 60},
    {"5 Min (56 Days)", 300}, {"30 Min (11 Mths)", 1800}, {"1 Hour (1.8 Yrs)", 3600},
    {"6 Hours (>2 Yrs)", 21600}, {"12 Hours (>2 Yrs)", 43200}}};
constexpr std::array<IntervalChoice, 8> kListB{{{"1 Sec (9 Hrs)", 1}, {"10 Sec (3.5 Days)", 10},
    {"1 Min (22 Days)", 60}, {"5 Min (3.5 Mths)", 300}, {"30 Min (1.8 Yrs)", 1800}, {"1 Hour (>2 Yrs)", 3600},
    {"6 Hours (>2 Yrs)", 21600}, {"12 Hours (>2 Yrs)", 43200}}};
constexpr std::array<IntervalChoice, 8> kListC{{{"1 Sec (9 Hrs)", 1}, {"10 Sec (3.7 Days)", 10},
    {"1 Min (22 Days)", 60}, {"5 Min (3 Mths)", 300}, {"30 Min (1.8 Yrs)", 1800}, {"1 Hour (>2 Yrs)", 3600},
    {"6 Hours (>2 Yrs)", 21600}, {"12 Hours (>2 Yrs)", 43200}}};
constexpr std::array<IntervalChoice, 9> kListD{{{"1 Sec (9 Hrs)", 1}, {"10 Sec (3.5 Days)", 10},
    {"30 Sec (11 Days)", 30}, {"1 Min (22 Days)", 60}, {"5 Min (3.5 Mths)", 300}, {"30 Min (1.8 Yrs)", 1800},
    {"1 Hour (>2 Yrs)", 3600}, {"6 Hours (>2 Yrs)", 21600}, {"12 Hours (>2 Yrs)", 43200}}};
constexpr std::array<IntervalChoice, 4> kListE{{{"10 Sec (3 Days)", 10}, {"30 Sec (11 Days)", 30},
    {"1 Min (22 Days)", 60}, {"5 Min (3 Mths)", 300}}};

bool inSet(LoggerType t, std::initializer_list<int> codes)
{
    for (int c : codes)
        if (t == c)
            return true;
    return false;
}

} // namespace

const TypeInfo* typeInfo(LoggerType type)
{
    return (type >= 1 && type <= kMaxKnownType) ? &kTypes[type - 1] : nullptr;
}

std::string modelName(LoggerType type)
{
    const TypeInfo* info = typeInfo(type);
    return info ? msg(info->modelStringId) : std::string("USB");
}

bool isKnownType(LoggerType t) { return typeInfo(t) != nullptr; }
bool isNarrow(LoggerType t) { return inSet(t, {1, 2, 3, 12, 13, 16}); }
bool isWide(LoggerType t) { return (t >= 4 && t <= 11) || t == 14 || t == 15 || (t >= 17 && t <= 21); }
bool hasWideAlarms(LoggerType t) { return (t >= 4 && t <= 11) || t == 14 || t == 15 || (t >= 18 && t <= 21); }
bool isScaled(LoggerType t) { return (t >= 4 && t <= 7) || t == 20; }
bool isHumidity(LoggerType t) { return inSet(t, {3, 12, 13, 16}); }
bool isCo(LoggerType t) { return t == 9 || t == 11; }
bool isThermocouple(LoggerType t) { return t == 10 || t == 15; }
bool isFixedEncodingTemperature(LoggerType t) { return inSet(t, {10, 15, 18, 19, 21}); }
bool hasPushButton(LoggerType t) { return inSet(t, {12, 15, 16, 19, 21}); }
bool hasDisplay(LoggerType t) { return hasPushButton(t); }
bool isCompatible(LoggerType t) { return (t >= 1 && t <= 16) || t == 19 || t == 21; }
bool isEventLogger(LoggerType t) { return t == 17; }
bool hasRollOverDownload(LoggerType t) { return (t >= 12 && t <= 16) || (t >= 18 && t <= 21); }

std::size_t configLength(LoggerType t) { return isNarrow(t) ? LoggerConfig::kNarrowSize : LoggerConfig::kSize; }
std::size_t readingBlockSize(LoggerType t) { return t == 1 ? 64 : 512; }
std::size_t readingHeaderLength(LoggerType t) { return t == 20 ? 4 : 3; }

int setupEntryPage(LoggerType t)
{
    const TypeInfo* info = typeInfo(t);
    return info && isCompatible(t) ? info->setupEntryPage : 0;
}

IntervalList intervalList(LoggerType type)
{
    static constexpr std::array<IntervalChoice, 1> kFixed{{{"30 Min", 1800}}};
    const TypeInfo* info = typeInfo(type);
    switch (info ? info->intervals : None) {
    case A: return {kListA, 0};
    case B: return {kListB, -1};
    case C: return {kListC, 1};
    case D: return {kListD, 1};
    case E: return {kListE, 0};
    case FixedHalfHour: return {kFixed, 0};
    case None: break;
    }
    return {{}, -1};
}

std::string_view intervalName(std::uint32_t seconds)
{
    switch (seconds) {
    case 1: return "1 Second";
    case 2: return "2 Seconds";
    case 10: return "10 Seconds";
    case 30: return "30 Seconds";
    case 60: return "1 Minute";
    case 300: return "5 Minutes";
    case 1800: return "30 Minutes";
    case 3600: return "1 Hour";
    case 21600: return "6 Hours";
    case 43200: return "12 Hours";
    default: return "UnKnown";
    }
}

} // namespace velmora
