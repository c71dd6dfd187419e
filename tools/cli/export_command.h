#pragma once
// velmora-cli export FILE.txt... OUT.xlsx
//
// Writes the workbook the viewer's "Export to Excel" writes: chart sheets and the
// "Data" sheet, the times in the user's short date and time form; given several
// files, the overlay chart and a sheet per file, as the viewer writes it for the
// files on its chart. No display needed.
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// `args` are the words after "export". Returns the exit status: 0 written, 1 not
// written (the reason is on `err`), 2 a usage error. The many-charts warning goes to
// `err` as well.
int runExport(const std::vector<std::string>& args, std::ostream& err);

} // namespace velmora
