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
    Incomplete,  // written, but the readings ended before the rows the record calls for;
                 // the rows that exist are in the file and the message says how many
};

struct SaveOutcome {
    SaveResult result = SaveResult::OpenFailed;
    std::string message; // the text to show, empty when Written
    bool fileWritten() const
    {
        return result == SaveResult::Written || result == SaveResult::ZeroLength || result == SaveResult::Incomplete;
    }
};

// Writes the download file to `path` (UTF-8) through a temporary file in the same
// folder that replaces the target only when complete.
SaveOutcome saveDownloadFile(const std::string& path, const LoggerRecord& record, std::span<const float> readings);

} // namespace velmora
