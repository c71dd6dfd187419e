#pragma once
// "Export to Excel" without a spreadsheet program: the download file becomes a
// workbook file that any spreadsheet program opens, holding what the program would
// have built from it. Chart sheets "Chart1", "Chart2", ... come first, each a line
// chart of up to 31,999 rows against the times; the sheet "Data" holds the file as a
// text import reads it, with the times as dates in the user's form. "Chart1" is the
// sheet on show.
//
// The workbook is written beside its target and renamed over it when complete: a
// failure leaves an earlier workbook untouched. What the workbook library writes
// first lies beside the target too, under the temporary files' name, so a killed
// export leaves nothing where no later save would clear it up.
//
// Only a file that the viewer's reader takes is exported (an event logger's file too,
// which the viewer reads but does not chart): anything else is refused with the
// reader's message before the target is touched. So is a target that is the download
// file itself, under whatever name.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "sheet_date_format.h"

namespace velmora {

class Prompts;

enum class ExportOutcome { Written, Cancelled, Failed };

// How far the export has come: `done` grows to `total` (about the size of the
// download file) as it is read and written. Returning false cancels the export.
using ExportProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Writes the workbook of `downloadFile` to `workbookPath` (both UTF-8 paths). Shows
// the many-charts warning before a file that needs more than one chart is written,
// and every failure, through `prompts`.
ExportOutcome exportWorkbook(const std::string& downloadFile, const std::string& workbookPath,
                             const SheetDateFormat& dateFormat, Prompts& prompts, const ExportProgress& progress = {});

// Several download files in one workbook: the chart sheet "Chart1" on show first, a
// scatter chart of every file's first channel against one time axis, a series per
// file named after the file (and its logger's serial number); then a sheet per file,
// named after it, holding the file as the one file's "Data" sheet does. Files whose
// first channel has the first file's unit go on the left value axis, the first other
// unit on the right one (where the first file's second channel would go in the
// viewer); a file of a third unit is refused, as the viewer refuses it. Nothing is
// written when a file cannot be read: the user is told which and why. A target that
// is one of the files is refused. One file is exported as above, unchanged.
ExportOutcome exportWorkbook(const std::vector<std::string>& downloadFiles, const std::string& workbookPath,
                             const SheetDateFormat& dateFormat, Prompts& prompts, const ExportProgress& progress = {});

} // namespace velmora
