#pragma once
// The names of a tray's download files: a template with {name}, {serial} and
// {start} filled in per logger.
#include <string>

#include "civil_time.h"

namespace velmora {

inline constexpr const char* kDefaultNameTemplate = "{name}_{serial}_{start}";

// A log's start as file names and the fetch ledger give it: YYYYMMDD-HHMMSS.
std::string startStamp(const CivilTime& start);

// `pattern` with {name} (the logger's name, UTF-8), {serial} and {start} (the log's
// start as YYYYMMDD-HHMMSS) filled in, and ".txt" added. Characters a file name
// cannot hold (path separators, control characters and those other systems refuse:
// " * : < > ? \ |) become '_', so the name never leaves its folder; a name that would
// be empty or a dot name becomes "logger".
std::string downloadFileName(const std::string& pattern, const std::string& name, const std::string& serial,
                             const CivilTime& start);

// Every "{serial}" and "{n}" in `text` replaced by `serial` and `n`.
std::string fillSerialAndNumber(const std::string& text, const std::string& serial, int n);

} // namespace velmora
