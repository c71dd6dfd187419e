#pragma once
// Reads a download file by the rules it has always been read with: the header line
// declares the columns; line 2 holds the first reading and the start time; line 3
// holds the second reading, whose time fixes the interval (no line 3: one reading);
// every later line is a reading at that interval, its time stamp not read. Lines 1 to
// 3 are trimmed, later lines used as read; fields split on commas, a run of commas
// being one separator.
//
// The parser keeps no readings: it hands each one to a ReadingVisitor as it is read.
// The viewer's chart data is one visitor, the archive another. No messages are shown
// here: the caller decides how to tell the user.
#include <cstdint>
#include <string>
#include <string_view>

#include "header_parser.h"
#include "line_reader.h"

namespace velmora {

enum class ReadStatus {
    Loaded,
    CannotOpen,      // "Unable to open the file."
    InvalidData,     // "The File contains invalid data." (with the line, see readFailureMessage)
    EventFile,       // an event logger's file: no readings to read
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

// A value that is no reading: a column the header does not declare, a dew point
// written "Error", a number beyond the range of a double.
inline constexpr double kNoReading = 1e308;

// The columns of a reading, each in its place whether the file has it or not.
enum ReadingColumn : int {
    kFirstValue,
    kFirstHigh,
    kFirstLow,
    kSecondValue,
    kSecondHigh,
    kSecondLow,
    kThirdTrace, // shares the first channel's unit (a dew point)
    kReadingColumns
};

struct Reading {
    std::int32_t index = 0; // from 0, in file order
    std::int64_t time = 0;  // seconds after 1 January 1970, counted without a time zone
    double values[kReadingColumns];
    // Bit c is set when the field of column c held no number at all ("Error" where a
    // temperature belongs): it reads as 0, as files have always been read.
    unsigned notNumbers = 0;
};

class ReadingVisitor {
public:
    virtual ~ReadingVisitor() = default;
    // The header line, before any reading. An event logger's file has none to give.
    virtual void header(const DownloadFileHeader& header) = 0;
    // The file's size says about `readings` readings in all: room for them may be
    // made now. Said again, larger, when more come than said.
    virtual void expect(std::size_t readings) { (void)readings; }
    virtual void reading(const Reading& reading) = 0;
};

// What the file holds besides its readings. A read that fails part way has handed
// the visitor the readings before the failure: all or nothing is the visitor's.
struct ParsedFile {
    ReadResult result;
    DownloadFileHeader header;
    std::int64_t startTime = 0;
    std::int32_t interval = 1;         // seconds, 1 to 43200
    std::int32_t readingCount = 0;     // readings handed over
    int decimals = 0;                  // digits after the point in the last reading's first value
    bool lastLineUnterminated = false; // the file ends without a line end: it may have been cut
    std::string serialNumber;          // the first reading's "Serial Number" field, empty when none

    bool loaded() const { return result.status == ReadStatus::Loaded; }
};

// `sizeHint` (the bytes expected, 0 when unknown) lets the visitor make room once.
ParsedFile parseDownloadFile(ByteSource& source, ReadingVisitor& visitor, std::size_t sizeHint = 0);
// The file at `path`, opened with sharing allowed; CannotOpen when it cannot be, or is
// not a regular file.
ParsedFile parseDownloadFile(const std::string& path, ReadingVisitor& visitor);

} // namespace velmora
