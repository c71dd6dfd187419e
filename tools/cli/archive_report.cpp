#include "archive_report.h"

#include <cstdlib>
#include <filesystem>

#include "archive_pick.h"
#include "archive_strings.h"
#include "file_identity.h"
#include "report_command.h"
#include "time_zone.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

// A private folder for the files taken out of the archive, removed with everything
// in it when the report is done.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "velmora-archive-report.XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!path_.empty())
            fs::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// "Deployment 3: fridge.txt, readings 01/06/2026 10:00:00 to 30/06/2026 10:00:00
// (Europe/Berlin)": the times as the logger's clock showed them, in its zone.
std::string fileLine(const Deployment& d)
{
    LocalTimes local(d.zone);
    return archivetext::fill(archivetext::kReportDeploymentFile,
                             {std::to_string(d.id), d.fileName, wallStampText(local.wallSeconds(d.firstUtc)),
                              wallStampText(local.wallSeconds(d.lastUtc)), d.zone});
}

// The archive's own file, or its journal beside it: a report must never replace them.
bool isTheArchive(const ArchiveStore& store, const std::string& out)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        if (sameExistingFile(out, store.where() + suffix))
            return true;
    return false;
}

} // namespace

int writeArchiveReport(ArchiveStore& store, const ArchiveReportRequest& request, std::ostream& err)
{
    if (isTheArchive(store, request.out)) {
        err << archivetext::fill(archivetext::kReportOverArchive, {request.out}) << '\n';
        return 1;
    }
    const std::vector<Deployment> deployments =
        deploymentsInRange(store.deployments(request.serial), request.serial, request.fromUtc, request.toUtc);
    if (deployments.empty()) {
        err << archivetext::fill(archivetext::kReportNoDeployments, {request.serial}) << '\n';
        return 1;
    }
    ScratchFolder scratch;
    if (scratch.path().empty()) {
        err << archivetext::fill(archivetext::kCannotWrite, {fs::temp_directory_path().string(), "mkdtemp"}) << '\n'
            << archivetext::kReportNotWritten << '\n';
        return 1;
    }
    std::vector<NamedReportFile> files;
    try {
        for (const Deployment& d : deployments)
            files.push_back({extractDeploymentFile(store, d, scratch.path()),
                             archivetext::fill(archivetext::kReportDeployment, {std::to_string(d.id)}), fileLine(d)});
    } catch (const StoreError& e) {
        err << e.what() << '\n' << archivetext::kReportNotWritten << '\n';
        return 1;
    }
    // The range is in instants; each file counts in its own clock, which runs from its
    // first reading as the instants run from the deployment's first.
    return writeNamedFilesReport(
        files, request.out,
        [&](std::size_t f, const std::vector<const GraphData*>& data, const TimeAlignment&) {
            StatsArgs own;
            own.options = request.options;
            const std::int64_t shift = data[f]->startTime - deployments[f].firstUtc;
            if (request.fromUtc)
                own.from = *request.fromUtc + shift;
            if (request.toUtc)
                own.to = *request.toUtc + shift;
            return own;
        },
        err);
}

} // namespace velmora
