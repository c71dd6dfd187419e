#pragma once
// The download sequence without its dialogs: fetch the readings, suggest a file
// name, write the download file atomically. The utility's stop page and
// `velmora-cli download` both run it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "connected_logger.h"

namespace velmora {

// Re-reads the record and downloads every reading. The link has shown its message
// when this returns false.
bool fetchReadings(ConnectedLogger& logger, std::vector<float>& readings, const LoggerLink::Progress& progress = {});

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
    OpenFailed,  // could not be created ("Failed opening file:\n%s"); an earlier file is untouched
    WriteFailed, // a write failed part way; an earlier file is untouched
};

struct SaveOutcome {
    SaveResult result = SaveResult::OpenFailed;
    std::string message; // the text to show, empty when Written
    bool fileWritten() const { return result == SaveResult::Written || result == SaveResult::ZeroLength; }
};

// Writes the download file to `path` (UTF-8) through a temporary file in the same
// folder that replaces the target only when complete.
SaveOutcome saveDownloadFile(const std::string& path, const LoggerRecord& record, std::span<const float> readings);

} // namespace velmora
