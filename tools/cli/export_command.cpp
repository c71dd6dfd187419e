#include "export_command.h"

#include "locale_format.h"
#include "stream_prompts.h"
#include "workbook_export.h"

namespace velmora {

namespace {
constexpr const char* kUsage = "usage: velmora-cli export FILE.txt... OUT.xlsx\n";
} // namespace

int runExport(const std::vector<std::string>& args, std::ostream& err)
{
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string& a : args) {
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            err << "velmora-cli export: unknown option " << a << "\n" << kUsage;
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() < 2) {
        err << kUsage;
        return 2;
    }
    const DateTimePatterns patterns = SystemLocaleFormat().patterns();
    StreamPrompts prompts(err);
    const std::string workbook = files.back();
    files.pop_back();
    const ExportOutcome outcome =
        exportWorkbook(files, workbook, sheetDateFormat(patterns.date, patterns.time), prompts);
    return outcome == ExportOutcome::Written ? 0 : 1;
}

} // namespace velmora
