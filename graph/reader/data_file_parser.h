#pragma once
// Turns a download file into the viewer's GraphData, all or nothing: either every
// reading is loaded, or the data is left reset. Plain C++, no messages shown here:
// the caller (the viewer's reader, velmora-cli) decides how to tell the user.
#include <string>
#include <string_view>

#include "graph_data.h"
#include "line_reader.h"

namespace velmora {

enum class ReadStatus {
    Loaded,
    CannotOpen,      // "Unable to open the file."
    InvalidData,     // "The File contains invalid data." (with the line, see readFailureMessage)
    EventFile,       // an event logger's file: not charted
    Truncated,       // "The data file terminated unexpectedly."
    ReadError,       // the system reported an error while reading
    TooManyReadings, // more readings than a reading count can hold
    OutOfMemory,     // the readings do not fit in memory
};

// How a read ended and, for invalid data, where: the line (from 1) the reader gave up
// on, the one it could not make sense of or found missing.
struct ReadResult {
    ReadStatus status = ReadStatus::Loaded;
    std::size_t line = 0; // InvalidData only; 0 otherwise

    bool operator==(const ReadResult&) const = default;
};

// The user's text for a failed read; empty for Loaded and EventFile (the event file
// has its own question).
std::string_view readStatusMessage(ReadStatus status);
// The same, with the line the reader gave up on for invalid data.
std::string readFailureMessage(const ReadResult& result);

// Reads the file at `path` into `data` (reset first).
ReadResult readDataFile(const std::string& path, GraphData& data);
ReadStatus parseDataFile(const std::string& path, GraphData& data);

// Reads the bytes of `source` into `data` (reset first). `sizeHint` (the byte count
// expected, 0 when unknown) lets the series be sized once instead of growing.
ReadResult readDataBytes(ByteSource& source, GraphData& data, std::size_t sizeHint = 0);
ReadStatus parseDataBytes(ByteSource& source, GraphData& data, std::size_t sizeHint = 0);

} // namespace velmora
