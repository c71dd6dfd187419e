#pragma once
// A stopped logger's readings as a download file: the record decides the columns,
// the rows (a wrapped roll-over memory, events, one count) and each value's text;
// the format's writer writes them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "byte_sink.h"
#include "civil_time.h"
#include "download_file_writer.h"
#include "logger_record.h"

namespace velmora {

struct DownloadFileSummary {
    bool sinkOk = true;           // every byte reached the sink
    std::size_t rowsExpected = 0; // data lines the record calls for; event records for an edge or state logger
    std::size_t rowsWritten = 0;  // of those, written (event records: read from the array)
    std::uint64_t bytes = 0;      // bytes handed to the sink
    // The readings array ended before the record's rows did. The rows that exist are
    // written and the rest are left out; nothing is made up to fill them.
    bool shortOfReadings() const { return rowsWritten < rowsExpected; }
    bool complete() const { return sinkOk && !shortOfReadings(); }
};

// The columns of the record's file and the texts its lines repeat.
DownloadFileLayout downloadFileLayout(const LoggerRecord& record);

// `start` is the time of the first reading and `interval` the seconds between rows
// (see downloadStartTime and downloadInterval). `readings` holds the values in
// memory order, as downloaded; it is never read past its end.
DownloadFileSummary writeDownloadFile(ByteSink& sink, const LoggerRecord& record, std::span<const float> readings,
                                      const CivilTime& start, std::uint32_t interval);

} // namespace velmora
