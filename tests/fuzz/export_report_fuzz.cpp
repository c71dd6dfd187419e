// Fuzz target for the export's and the report's passes over a download file: any bytes
// must give a workbook (only for a file the viewer's reader reads) or a refusal with a
// message that leaves the target as it was and nothing else behind, never a crash; the
// report's reading (fingerprinted as it is read) must agree with the viewer's and give
// the figures the report prints. Each input is tried as it is and with a line stretched
// past the longest line the readers take.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "document_statistics.h"
#include "file_fingerprint.h"
#include "fuzz_file.h"
#include "graph_data_reader.h"
#include "line_reader.h"
#include "prompts.h"
#include "workbook_export.h"

namespace {

namespace fs = std::filesystem;
using velmora::fuzz::check;

class CountingPrompts final : public velmora::Prompts {
public:
    velmora::PromptAnswer ask(const std::string&, velmora::PromptIcon, velmora::PromptButtons,
                              velmora::PromptAnswer) override
    {
        ++shown;
        return velmora::PromptAnswer::Ok;
    }
    int shown = 0;
};

// A folder of its own for the outputs, empty between inputs, removed at the end.
class OutputFolder {
public:
    OutputFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
        check(::mkdtemp(pattern.data()) != nullptr);
        path = pattern;
    }
    ~OutputFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

const fs::path& outputFolder()
{
    static const OutputFolder folder;
    return folder.path;
}

bool holdsOnly(const fs::path& folder, const char* name)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename() == name ? 1 : 100;
    return count == (name ? 1 : 0);
}

void exportChecked(const std::string& path, const velmora::ReadResult& read)
{
    static const velmora::SheetDateFormat format = velmora::sheetDateFormat("%d/%m/%Y", "%H:%M:%S");
    const fs::path workbook = outputFolder() / "w.xlsx";
    CountingPrompts prompts;
    const auto progress = [](std::size_t done, std::size_t total) {
        check(done <= total);
        return true;
    };
    const velmora::ExportOutcome outcome = velmora::exportWorkbook(path, workbook.string(), format, prompts, progress);
    // What the viewer's reader cannot read is refused; a refusal says why and leaves
    // nothing.
    const bool readable = read.status == velmora::ReadStatus::Loaded || read.status == velmora::ReadStatus::EventFile;
    check(readable || outcome == velmora::ExportOutcome::Failed);
    check(outcome != velmora::ExportOutcome::Cancelled);
    if (outcome == velmora::ExportOutcome::Written) {
        check(holdsOnly(outputFolder(), "w.xlsx"));
        fs::remove(workbook);
    } else {
        check(prompts.shown > 0 && holdsOnly(outputFolder(), nullptr));
    }
}

void reportChecked(const std::string& path, std::size_t bytes, const velmora::ReadResult& read,
                   const velmora::GraphData& document)
{
    velmora::GraphData data;
    velmora::FileFingerprint fingerprint;
    const velmora::ReadResult fingerprinted = velmora::readFingerprinted(path, data, fingerprint);
    // The fingerprint's pass reads as the viewer's reader does, and the whole file.
    check(fingerprinted == read);
    if (fingerprinted.status != velmora::ReadStatus::Loaded)
        return;
    check(velmora::sameDocument(data, document) && fingerprint.size == bytes && fingerprint.sha256.size() == 64);
    const velmora::ReadingRange range = velmora::wholeFile(data);
    const velmora::DocumentStatistics stats = velmora::documentStatistics(data, range, {});
    check(stats.range.size() == range.size());
    velmora::alarmLevels(data, range);
}

void tryFile(std::string_view text)
{
    const std::string& path = velmora::fuzz::fileHolding(text);
    velmora::GraphData document;
    const velmora::ReadResult read = velmora::readDataFile(path, document);
    exportChecked(path, read);
    reportChecked(path, text.size(), read, document);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    tryFile(text);
    // A line longer than the readers take, at a place the input's first byte picks: a
    // damaged file has one.
    const std::size_t at = size > 0 ? bytes[0] % (size + 1) : 0;
    std::string stretched(text.substr(0, at));
    stretched.append(velmora::LineReader::kMaxLineLength + 1, '5');
    stretched.append(text.substr(at));
    tryFile(stretched);
    return 0;
}
