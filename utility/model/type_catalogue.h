#pragma once
// Everything that depends on a logger's type code, described once per code.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "logger_config.h"

namespace velmora {

struct IntervalChoice {
    std::string_view text;
    std::uint16_t seconds;
};

// The interval choice lists of the name pages. `fallback` is the entry selected when
// the logger's interval is not in the list; -1 means none is selected.
struct IntervalList {
    std::span<const IntervalChoice> entries;
    int fallback;
};

enum class IntervalListId { None, A, B, C, D, E, FixedHalfHour };

struct TypeInfo {
    LoggerType code;
    int modelStringId;       // string table id of the model name
    IntervalListId intervals;
    int setupEntryPage;      // first set-up page, 0 when the type is refused
};

inline constexpr LoggerType kMaxKnownType = 21;

// The catalogue row of a known type, nullptr for 0 and codes above 21.
const TypeInfo* typeInfo(LoggerType type);

std::string modelName(LoggerType type); // "USB" for unknown codes

bool isKnownType(LoggerType type);
bool isNarrow(LoggerType type);        // 64-byte record, 8-bit readings: 1, 2, 3, 12, 13, 16
bool isWide(LoggerType type);          // 256-byte record, 16-bit readings
bool hasWideAlarms(LoggerType type);   // 16-bit alarm levels at 34 and 56
bool isScaled(LoggerType type);        // 4..7, 20
bool isHumidity(LoggerType type);      // 3, 12, 13, 16
bool isCo(LoggerType type);            // 9, 11
bool isThermocouple(LoggerType type);  // 10, 15
bool isFixedEncodingTemperature(LoggerType type); // 10, 15, 18, 19, 21
bool hasPushButton(LoggerType type);   // 12, 15, 16, 19, 21
bool hasDisplay(LoggerType type);      // 12, 15, 16, 19, 21
bool isCompatible(LoggerType type);    // 1..16, 19, 21
bool isEventLogger(LoggerType type);   // 17
// Types whose roll-over (overwrite) storage changes the row count and first index
// of a download: 12..16 and 18..21.
bool hasRollOverDownload(LoggerType type);

std::size_t configLength(LoggerType type);       // 64 or 256
std::size_t readingBlockSize(LoggerType type);   // 64 for type 1, 512 otherwise
std::size_t readingHeaderLength(LoggerType type); // 4 for type 20, 3 otherwise
int setupEntryPage(LoggerType type);             // 0 when refused

IntervalList intervalList(LoggerType type);
// The interval as the status page prints it: "1 Second", ..., "UnKnown".
std::string_view intervalName(std::uint32_t seconds);

} // namespace velmora
