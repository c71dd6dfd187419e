#pragma once
// The files a workbook is made through. What the workbook library writes goes first
// into a scratch file beside the target, under the temporary files' name, so that a
// killed export leaves it where the next save clears it up; it is never committed.
// The finished workbook is copied from it, with its chart parts rewritten, into the
// target's own temporary file, which is renamed over the target when complete: a
// failure leaves an earlier workbook untouched.
#include <xlsxwriter.h>

#include <memory>
#include <string>
#include <vector>

#include "atomic_file.h"

namespace velmora {

class WorkbookFiles {
public:
    WorkbookFiles() = default;
    WorkbookFiles(const WorkbookFiles&) = delete;
    WorkbookFiles& operator=(const WorkbookFiles&) = delete;
    ~WorkbookFiles();

    // Makes the two files beside `workbookPath`. The user's message when one cannot
    // be made, else empty.
    std::string create(const std::string& workbookPath);

    // The library's workbook in the scratch file, rows sent out as they are written;
    // null when it cannot be made (errno says why).
    lxw_workbook* open();
    // A worksheet named `name`, with a large buffer for its rows: the library sends
    // each row to its temporary file through the default stdio buffer of a few
    // kilobytes, thousands of small writes; a large one, set before the first row,
    // takes about a sixth off the export's processor time.
    lxw_worksheet* addWorksheet(const std::string& name);

    // Closes the workbook, copies it into the target with the series of indexes
    // `secondaryIdx` of each chart on a right-hand axis titled `secondaryTitle`
    // (UTF-8), and renames it over the target. The user's message when that fails,
    // else empty.
    std::string finish(const std::vector<int>& secondaryIdx, const std::string& secondaryTitle = {});

private:
    std::string path_;
    AtomicFile target_;
    AtomicFile scratch_;
    std::vector<std::unique_ptr<char[]>> rowBuffers_; // outlive the workbook's files
    lxw_workbook* workbook_ = nullptr;
};

} // namespace velmora
