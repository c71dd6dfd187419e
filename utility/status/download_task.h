#pragma once
// The download sequence without its dialogs: suggest a file name, work out the
// start time and interval, write the download file atomically. The utility's stop
// page and `velmora-cli download` both run it, after
// ConnectedLogger::downloadReadings() has re-read the record and fetched the readings.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "civil_time.h"
#include "logger_record.h"

namespace velmora {

// The logger name without the characters a file name cannot hold: " % & * , . / : < > ? \ |
std::string suggestedFileName(const std::string& loggerName);

// The folder part of a path: the text before the last separator, empty when none.
std::string folderOf(const std::string& path);

// Time of the first row and the interval between rows, as the file uses them.
CivilTime downloadStartTime(const LoggerRecord& record);
std::uint32_t downloadInterval(const LoggerRecord& record);

enum class SaveResult {
    Written,     // the file is complete
    ZeroLength,  // written, but it holds nothing ("File has 0 length:\n%s")
    OpenFailed,  // could not be created ("Failed opening file:\n%s" and the reason); an earlier file is untouched
    WriteFailed, // a write failed part way; an earlier file is untouched
    Incomplete,  // the readings ended before the rows the record calls for: a failure. The
                 // target is untouched; the rows that arrived, if any, are in a new file
                 // beside it (partialPath), and the message says so
};

struct SaveOutcome {
    SaveResult result = SaveResult::OpenFailed;
    std::string message;     // the text to show, empty when Written
    std::string partialPath; // Incomplete: the file holding what arrived, empty when none was written
    // A download file is at the chosen path, ready for the viewer.
    bool fileWritten() const { return result == SaveResult::Written || result == SaveResult::ZeroLength; }
};

// The name a short download is kept under, beside `path`: "NAME.partial.txt" for
// "NAME.txt" (or "NAME.partial" without an extension), and "NAME.partial-2.txt" and so
// on for later attempts when that name is taken.
std::string partialFileName(const std::string& path, int attempt);

// The Nth name for a new file at `path`: `path` itself for 1, then "NAME-2.txt",
// "NAME-3.txt" and so on ("NAME-2" without an extension).
std::string numberedFileName(const std::string& path, int n);

// Writes the download file to `path` (UTF-8) through a temporary file in the same
// folder that replaces the target only when complete. A download with fewer readings
// than its record calls for never replaces the target.
SaveOutcome saveDownloadFile(const std::string& path, const LoggerRecord& record, std::span<const float> readings);

// As saveDownloadFile, but nothing that exists is ever replaced: the complete file
// takes the first of numberedFileName(path, 1, 2, ...) that is free at the moment it
// is given its name. `savedPath` is that name when a file was written.
SaveOutcome saveNewDownloadFile(const std::string& path, const LoggerRecord& record, std::span<const float> readings,
                                std::string& savedPath);

} // namespace velmora
