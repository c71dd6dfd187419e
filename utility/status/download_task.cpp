#include "download_task.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "atomic_file.h"
#include "byte_sink.h"
#include "logger_dates.h"
#include "logger_download_file.h"
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

// `path` with `tag` put before its extension.
std::string beforeExtension(const std::string& path, const std::string& tag)
{
    const std::size_t nameStart = path.find_last_of("/\\") + 1; // 0 when there is no folder
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) // no extension, or a leading dot
        dot = path.size();
    return path.substr(0, dot) + tag + path.substr(dot);
}

} // namespace

std::string partialFileName(const std::string& path, int attempt)
{
    return beforeExtension(path, attempt <= 1 ? ".partial" : ".partial-" + std::to_string(attempt));
}

std::string numberedFileName(const std::string& path, int n)
{
    return n <= 1 ? path : beforeExtension(path, "-" + std::to_string(n));
}

namespace {

// Names tried for a short download's file before giving up.
constexpr int kPartialNames = 100;
// Numbered names tried for a download that replaces nothing.
constexpr int kNewNames = 1000;

SaveOutcome outcome(SaveResult result, std::string message, std::string partialPath = {})
{
    return SaveOutcome{result, std::move(message), std::move(partialPath)};
}

// The message with the system's reason after the path.
std::string failure(const char* what, const std::string& path, int error)
{
    return what + path + "\n(" + std::strerror(error) + ")";
}

std::string writeFailure(const std::string& path, int error) { return failure("Failed writing file:\n", path, error); }

// Writes the rows into `file`; the sink's error, 0 when every byte went out.
int writeRows(AtomicFile& file, const LoggerRecord& record, std::span<const float> readings,
              DownloadFileSummary& summary)
{
    FdSink sink(file.fd());
    summary = writeDownloadFile(sink, record, readings, downloadStartTime(record), downloadInterval(record));
    return summary.sinkOk ? 0 : sink.error();
}

// Gives the finished `file` the first free partial name beside `path`; false, with the
// file's error set, when none could be had.
bool commitUnderPartialName(AtomicFile& file, const std::string& path, std::string& partial)
{
    for (int attempt = 1; attempt <= kPartialNames; ++attempt) {
        partial = partialFileName(path, attempt);
        if (file.commitNew(partial))
            return true;
        if (file.error() != EEXIST)
            return false;
    }
    return false;
}

// The rows that arrived, written again into a new file beside `path` itself.
bool keepBeside(const std::string& path, const LoggerRecord& record, std::span<const float> readings,
                std::string& partial, int& error)
{
    AtomicFile file;
    DownloadFileSummary summary;
    if (!file.create(partialFileName(path, 1)) || (error = writeRows(file, record, readings, summary)) != 0) {
        error = error != 0 ? error : file.error();
        return false;
    }
    if (commitUnderPartialName(file, path, partial))
        return true;
    error = file.error();
    return false;
}

// The readings ended early. The target is left as it was, whatever the user chose to
// replace: a short file in its place would pass for the whole log. What did arrive is
// kept under a new name beside it: beside the file a symbolic link at `path` names,
// where the temporary file already lies (a rename cannot cross into the link's file
// system), or failing that beside the link.
SaveOutcome keepShortDownload(AtomicFile& file, const std::string& path, const LoggerRecord& record,
                              std::span<const float> readings, const DownloadFileSummary& summary)
{
    std::string message = "The logger sent fewer readings than it reported.\nOnly " +
                          std::to_string(summary.rowsWritten) + " of " + std::to_string(summary.rowsExpected) +
                          " readings arrived, so the download was not saved as:\n" + path;
    if (summary.rowsWritten == 0) {
        file.discard();
        return outcome(SaveResult::Incomplete, message);
    }
    const std::string target = file.target();
    std::string partial;
    bool kept = commitUnderPartialName(file, target, partial);
    int error = file.error();
    file.discard();
    if (!kept && target != path)
        kept = keepBeside(path, record, readings, partial, error);
    if (kept)
        return outcome(SaveResult::Incomplete, message + "\nThe readings that arrived were saved to:\n" + partial,
                       partial);
    return outcome(SaveResult::Incomplete,
                   message + "\nThe readings that arrived could not be saved either.\n(" + std::strerror(error) + ")");
}

// Writes the file and gives it its name: `commit` (false with the file's error set
// when it fails) names the complete file `path`, or another name it reports in
// `saved`. A short download never takes any of them.
template <typename Commit> SaveOutcome save(const std::string& path, const LoggerRecord& record,
                                            std::span<const float> readings, std::string& saved, Commit commit)
{
    AtomicFile file;
    if (!file.create(path))
        return outcome(SaveResult::OpenFailed, failure("Failed opening file:\n", path, file.error()));
    DownloadFileSummary summary;
    if (const int error = writeRows(file, record, readings, summary); error != 0) {
        file.discard();
        return outcome(SaveResult::WriteFailed, writeFailure(path, error));
    }
    if (summary.shortOfReadings())
        return keepShortDownload(file, path, record, readings, summary);
    if (!commit(file, saved)) {
        const int error = file.error();
        file.discard();
        return outcome(SaveResult::WriteFailed, writeFailure(path, error));
    }
    if (summary.bytes == 0)
        return outcome(SaveResult::ZeroLength, "File has 0 length:\n" + saved);
    return outcome(SaveResult::Written, "");
}

} // namespace

SaveOutcome saveDownloadFile(const std::string& path, const LoggerRecord& record, std::span<const float> readings)
{
    std::string saved = path;
    return save(path, record, readings, saved, [](AtomicFile& file, std::string&) { return file.commit(); });
}

SaveOutcome saveNewDownloadFile(const std::string& path, const LoggerRecord& record, std::span<const float> readings,
                                std::string& savedPath)
{
    savedPath.clear();
    std::string saved;
    SaveOutcome result = save(path, record, readings, saved, [&](AtomicFile& file, std::string& name) {
        for (int n = 1; n <= kNewNames; ++n) {
            name = numberedFileName(path, n);
            if (file.commitNew(name))
                return true;
            if (file.error() != EEXIST)
                return false;
        }
        return false;
    });
    if (result.fileWritten())
        savedPath = saved;
    return result;
}

} // namespace velmora
