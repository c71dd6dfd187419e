#include "report_flow.h"

#include <filesystem>

#include "comparison_report.h"
#include "file_dialogs.h"
#include "graph_strings.h"
#include "placeholders.h"
#include "prompts.h"
#include "report_writer.h"

namespace velmora {

namespace fs = std::filesystem;

std::string ReportFlow::run(const ReportRequest& request)
{
    if (request.downloadFiles.empty() || request.downloadFiles.front().empty() ||
        request.shown.size() != request.downloadFiles.size() || !request.shown.front() ||
        request.shown.front()->readingCount <= 0) {
        prompts_.warn(std::string(graphtext::kOpenBeforeReport));
        return {};
    }
    const std::string& first = request.downloadFiles.front();
    FileDialogRequest dialog;
    dialog.title = std::string(graphtext::kReportDialogTitle);
    dialog.initialFolder = fs::path(first).parent_path().string();
    dialog.suggestedName = fs::path(first).stem().string() + ".pdf";
    dialog.filter = std::string(graphtext::kReportFilter);
    dialog.defaultSuffix = "pdf";
    const std::optional<std::string> chosen = dialogs_.saveFile(dialog);
    if (!chosen || chosen->empty())
        return {};
    return request.downloadFiles.size() == 1 ? reportOne(request, *chosen) : reportSeveral(request, *chosen);
}

std::string ReportFlow::reportOne(const ReportRequest& request, const std::string& path)
{
    // The fingerprint is of the bytes read now; the figures must come from them too,
    // and they must be what the user has been looking at.
    GraphData fresh;
    FileFingerprint fingerprint;
    const ReadResult read = readFingerprinted(request.downloadFiles.front(), fresh, fingerprint);
    if (read.status != ReadStatus::Loaded || !sameDocument(fresh, *request.shown.front())) {
        prompts_.warn(std::string(graphtext::kFileChangedSinceOpened));
        return {};
    }
    ReportContent content = reportContent(fresh, readingsWithinX(fresh, request.xMin, request.xMax), request.options);
    content.chart = *request.printChart;
    content.file = fingerprint;
    std::string error;
    if (!writeReportPdf(path, request.downloadFiles.front(), content, request.paper, error)) {
        prompts_.warn(error);
        return {};
    }
    return path;
}

std::string ReportFlow::reportSeveral(const ReportRequest& request, const std::string& path)
{
    ComparisonFiles files;
    std::string error;
    const auto stillShown = [&](std::size_t f, const ReadResult& read, const GraphData& fresh) {
        if (read.status == ReadStatus::Loaded && request.shown[f] && sameDocument(fresh, *request.shown[f]))
            return true;
        prompts_.warn(fillPlaceholders(graphtext::kFileAndReason,
                                       {request.downloadFiles[f], std::string(graphtext::kFileChangedSinceOpened)}));
        return false;
    };
    if (!readComparisonFiles(request.downloadFiles, stillShown, files, error)) {
        if (!error.empty())
            prompts_.warn(error);
        return {};
    }
    // The range on show is counted from the first file's first reading; each file's
    // own range is the same stretch of time.
    ComparisonReportContent content = comparisonContent(
        files,
        [&](std::size_t f) {
            const auto shift = static_cast<double>(files.alignment.offsets[f]);
            return readingsWithinX(*files.data[f], request.xMin - shift, request.xMax - shift);
        },
        request.options);
    content.chart = *request.printChart;
    if (!writeComparisonReport(path, files, content, request.paper, error)) {
        prompts_.warn(error);
        return {};
    }
    return path;
}

} // namespace velmora
