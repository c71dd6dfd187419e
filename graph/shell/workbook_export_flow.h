#pragma once
// "Export to Excel" without its window: ask where the workbook goes (the download
// file's name with .xlsx, in the folder last exported to or else the file's own),
// remember that folder, write the workbook, then open it in the desktop's
// spreadsheet program and say where it was saved. With several files on the chart the
// workbook holds them all (a sheet each and the overlay chart), named after the first.
// The application wraps it in a
// progress dialog, which its prompts close before any message.
#include <string>
#include <vector>

#include "workbook_export.h"

namespace velmora {

class FileDialogs;
class ProcessLauncher;
class Prompts;
class Settings;

inline constexpr const char* kExportSection = "Settings";
inline constexpr const char* kExportDirectoryKey = "Export Directory";
// Opens a file in the program the desktop has for its type.
inline constexpr const char* kSpreadsheetOpener = "xdg-open";

class WorkbookExportFlow {
public:
    WorkbookExportFlow(Prompts& prompts, FileDialogs& dialogs, Settings& settings, ProcessLauncher& launcher);

    // Exports `downloadFiles`, the files on the chart, the one opened first (none when
    // nothing is loaded: the user is told to open a file). The path of the workbook
    // written, empty when none was.
    std::string run(const std::vector<std::string>& downloadFiles, const SheetDateFormat& dateFormat,
                    const ExportProgress& progress = {});

    // The folder the Save dialog opens in: the remembered one while it exists, else
    // the download file's.
    std::string initialFolder(const std::string& downloadFile) const;

private:
    Prompts& prompts_;
    FileDialogs& dialogs_;
    Settings& settings_;
    ProcessLauncher& launcher_;
};

} // namespace velmora
