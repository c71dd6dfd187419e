#include "download_task.h"

#include <cstring>
#include <string_view>

#include "atomic_file.h"
#include "byte_sink.h"
#include "download_file_writer.h"
#include "logger_dates.h"
#include "type_catalogue.h"

namespace velmora {

std::string suggestedFileName(const std::string& loggerName)
{
    static constexpr std::string_view kForbidden = "\"%&*,./:<>?\\|";
    std::string name;
    for (char c : loggerName)
        if (kForbidden.find(c) == std::string_view::npos)
            name += c;
    return name;
}

std::string folderOf(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

CivilTime downloadStartTime(const LoggerRecord& record)
{
    CivilTime t = firstReadingTime(record.config);
    t.tenths = 0;
    return t;
}

std::uint32_t downloadInterval(const LoggerRecord& record)
{
    // The event logger counts per period; its other modes do not use an interval.
    return isEventLogger(record.type()) ? record.config.countPeriod() : record.config.sampleInterval();
}

namespace {
SaveOutcome outcome(SaveResult result, std::string message) { return SaveOutcome{result, std::move(message)}; }

// The message with the system's reason after the path.
std::string failure(const char* what, const std::string& path, int error)
{
    return what + path + "\n(" + std::strerror(error) + ")";
}

std::string writeFailure(const std::string& path, int error) { return failure("Failed writing file:\n", path, error); }
} // namespace

SaveOutcome saveDownloadFile(const std::string& path, const LoggerRecord& record, std::span<const float> readings)
{
    AtomicFile file;
    if (!file.create(path))
        return outcome(SaveResult::OpenFailed, failure("Failed opening file:\n", path, file.error()));

    FdSink sink(file.fd());
    const DownloadFileSummary summary =
        writeDownloadFile(sink, record, readings, downloadStartTime(record), downloadInterval(record));
    if (!summary.sinkOk) {
        file.discard();
        return outcome(SaveResult::WriteFailed, writeFailure(path, sink.error()));
    }
    if (!file.commit())
        return outcome(SaveResult::WriteFailed, writeFailure(path, file.error()));

    if (summary.bytes == 0)
        return outcome(SaveResult::ZeroLength, "File has 0 length:\n" + path);
    if (summary.shortOfReadings()) {
        return outcome(SaveResult::Incomplete,
                       "The logger sent fewer readings than it reported.\nOnly " +
                           std::to_string(summary.rowsWritten) + " of " + std::to_string(summary.rowsExpected) +
                           " readings were written to:\n" + path);
    }
    return outcome(SaveResult::Written, "");
}

} // namespace velmora
