#include "report_flow.h"

#include <filesystem>

#include "file_dialogs.h"
#include "graph_strings.h"
#include "prompts.h"
#include "report_writer.h"

namespace velmora {

namespace fs = std::filesystem;

std::string ReportFlow::run(const ReportRequest& request)
{
    if (request.downloadFile.empty() || !request.shown || request.shown->readingCount <= 0) {
        prompts_.warn(std::string(graphtext::kOpenBeforeReport));
        return {};
    }
    FileDialogRequest dialog;
    dialog.title = std::string(graphtext::kReportDialogTitle);
    dialog.initialFolder = fs::path(request.downloadFile).parent_path().string();
    dialog.suggestedName = fs::path(request.downloadFile).stem().string() + ".pdf";
    dialog.filter = std::string(graphtext::kReportFilter);
    dialog.defaultSuffix = "pdf";
    const std::optional<std::string> chosen = dialogs_.saveFile(dialog);
    if (!chosen || chosen->empty())
        return {};

    // The fingerprint is of the bytes read now; the figures must come from them too,
    // and they must be what the user has been looking at.
    GraphData fresh;
    FileFingerprint fingerprint;
    const ReadResult read = readFingerprinted(request.downloadFile, fresh, fingerprint);
    if (read.status != ReadStatus::Loaded || !sameDocument(fresh, *request.shown)) {
        prompts_.warn(std::string(graphtext::kFileChangedSinceOpened));
        return {};
    }
    ReportContent content = reportContent(fresh, readingsWithinX(fresh, request.xMin, request.xMax), request.options);
    content.chart = *request.printChart;
    content.file = fingerprint;
    std::string error;
    if (!writeReportPdf(*chosen, request.downloadFile, content, request.paper, error)) {
        prompts_.warn(error);
        return {};
    }
    return *chosen;
}

} // namespace velmora
