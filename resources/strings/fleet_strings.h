#pragma once
// The texts of the commands over many loggers (fetch, watch and their archive step);
// %1, %2 are filled in by fillPlaceholders.
#include <string_view>

#include "placeholders.h"

namespace velmora::fleettext {

inline constexpr std::string_view kLedgerUnwritable =
    "Cannot keep the record of downloads not yet saved (%1: %2): nothing was downloaded, so the logger keeps its "
    "readings for the next fetch.";
inline constexpr std::string_view kKeptForNextFetch =
    "The readings stay in the logger and the next fetch downloads them again.";
inline constexpr std::string_view kLedgerNotCleared =
    "The readings were saved, but the record of downloads not yet saved could not be updated (%1: %2): the next "
    "fetch downloads this log again into a new file.";
inline constexpr std::string_view kJustRestarted = "Started again by a fetch at %1: its new log is left running.";
inline constexpr std::string_view kArchiveFailed = "not added to the archive (the file is kept): %1";

} // namespace velmora::fleettext
