#pragma once
// Writes the download file: a header line, then one line per reading (or per event,
// or one count) with its number, time stamp, value, the alarm levels and, on the
// first line, the serial number and service dates. Windows-1252 bytes, CRLF line
// ends, full stop as the decimal separator whatever the locale.
//
// Lines are built straight into a fixed buffer that is handed to the sink whenever
// it fills, so the file is never held in memory whole, and numbers are printed by
// number_format's exact formatters rather than printf.
#include <cstddef>
#include <cstdint>
#include <span>

#include "byte_sink.h"
#include "civil_time.h"
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

// `start` is the time of the first reading and `interval` the seconds between rows
// (see downloadStartTime and downloadInterval). `readings` holds the values in
// memory order, as downloaded; it is never read past its end.
DownloadFileSummary writeDownloadFile(ByteSink& sink, const LoggerRecord& record, std::span<const float> readings,
                                      const CivilTime& start, std::uint32_t interval);

} // namespace velmora
