#include "workbook_export_flow.h"

#include <filesystem>

#include "file_dialogs.h"
#include "graph_strings.h"
#include "process_launcher.h"
#include "prompts.h"
#include "settings.h"

namespace velmora {

namespace {

// Paths are UTF-8 bytes here, as the file system takes them.
namespace fs = std::filesystem;

std::string folderOf(const std::string& path) { return fs::path(path).parent_path().string(); }

std::string withPath(std::string_view text, const std::string& path)
{
    std::string out(text);
    out.replace(out.find("%1"), 2, path);
    return out;
}

} // namespace

WorkbookExportFlow::WorkbookExportFlow(Prompts& prompts, FileDialogs& dialogs, Settings& settings,
                                       ProcessLauncher& launcher)
    : prompts_(prompts), dialogs_(dialogs), settings_(settings), launcher_(launcher)
{
}

std::string WorkbookExportFlow::initialFolder(const std::string& downloadFile) const
{
    const std::string saved = settings_.value(kExportSection, kExportDirectoryKey);
    std::error_code error;
    if (!saved.empty() && fs::is_directory(fs::path(saved), error))
        return saved;
    return folderOf(downloadFile);
}

std::string WorkbookExportFlow::run(const std::vector<std::string>& downloadFiles, const SheetDateFormat& dateFormat,
                                    const ExportProgress& progress)
{
    if (downloadFiles.empty() || downloadFiles.front().empty()) {
        prompts_.warn(std::string(graphtext::kOpenBeforeExport));
        return {};
    }
    const std::string& downloadFile = downloadFiles.front();
    FileDialogRequest request;
    request.title = std::string(graphtext::kExportDialogTitle);
    request.initialFolder = initialFolder(downloadFile);
    request.suggestedName = fs::path(downloadFile).stem().string() + ".xlsx";
    request.filter = std::string(graphtext::kWorkbookFilter);
    request.defaultSuffix = "xlsx";
    const std::optional<std::string> chosen = dialogs_.saveFile(request);
    if (!chosen || chosen->empty())
        return {};
    // Remembered at once: the next export opens here even if this one fails.
    settings_.setValue(kExportSection, kExportDirectoryKey, folderOf(*chosen));

    if (exportWorkbook(downloadFiles, *chosen, dateFormat, prompts_, progress) != ExportOutcome::Written)
        return {};
    // The workbook is there whether or not a program opens it: the user is told where.
    if (launcher_.startDetached(kSpreadsheetOpener, {*chosen}, folderOf(*chosen)))
        prompts_.ask(withPath(graphtext::kWorkbookSaved, *chosen), PromptIcon::Information, PromptButtons::Ok,
                     PromptAnswer::Ok);
    else
        prompts_.warn(withPath(graphtext::kWorkbookSavedNotOpened, *chosen));
    return *chosen;
}

} // namespace velmora
