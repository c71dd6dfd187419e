// The workbook export against python3-xlsxwriter (constant-memory mode) writing the
// same workbook from the same download files, in one run: the best processor and
// wall times of both and their ratio, and the peak memory of velmora-cli export.
//
// usage: export_bench [--repeats N] FILE...
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "prompts.h"
#include "workbook_export.h"

namespace {

struct QuietPrompts final : velmora::Prompts {
    velmora::PromptAnswer ask(const std::string&, velmora::PromptIcon, velmora::PromptButtons,
                              velmora::PromptAnswer) override
    {
        return velmora::PromptAnswer::Ok; // the many-charts warning of the long files
    }
};

// Peak resident memory of `velmora-cli export FILE OUT`, in megabytes; negative when it failed.
double cliPeakMb(const std::string& file, const std::string& out)
{
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stderr);
        execl(VELMORA_CLI, VELMORA_CLI, "export", file.c_str(), out.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace velmora::bench;
    const auto [files, repeats] = fileArguments(argc, argv, 5, "export_bench");
    if (files.empty())
        return 2;
    const std::string py = python();
    const std::string anchor = std::string(VELMORA_BENCH_DIR) + "/xlsxwriter_export.py";
    const velmora::SheetDateFormat format = velmora::sheetDateFormat("%m/%d/%y", "%H:%M:%S");

    // Processor time decides the ratio: on a shared machine the wall clock also counts
    // the time other programs held the processor (and ours includes the flush to disk
    // that makes the workbook safe). Wall figures are printed beside it.
    std::printf("%-22s %8s %5s | %-17s | %-17s | %-13s | %9s\n", "", "", "", "ours (s)", "xlsxwriter (s)", "ratio",
                "cli peak");
    std::printf("%-22s %8s %5s | %8s %8s | %8s %8s | %6s %6s | %9s\n", "file", "readings", "MB", "cpu", "wall", "cpu",
                "wall", "cpu", "wall", "MB");
    int failures = 0;
    for (const std::string& file : files) {
        const std::string ours = file + ".velmora.xlsx", theirs = file + ".xlsxwriter.xlsx";
        Timing t;
        for (int r = 0; r < repeats; ++r) {
            QuietPrompts prompts;
            velmora::ExportOutcome outcome{};
            t.best([&] { outcome = velmora::exportWorkbook(file, ours, format, prompts); });
            if (outcome != velmora::ExportOutcome::Written) {
                std::fprintf(stderr, "%s: the export failed\n", file.c_str());
                return 1;
            }
        }
        Timing anchorTime{0, 0};
        std::istringstream(run(py + " " + quoted(anchor) + " " + quoted(file) + " " + quoted(theirs) + " " +
                               std::to_string(repeats))) >>
            anchorTime.cpu >> anchorTime.wall;
        const double peak = cliPeakMb(file, ours);

        int readings = -1;
        std::ifstream in(file, std::ios::binary);
        for (std::string line; std::getline(in, line);)
            ++readings;
        in.clear();
        in.seekg(0, std::ios::end);
        const double mb = static_cast<double>(in.tellg()) / 1e6;
        const std::string name = file.substr(file.find_last_of('/') + 1);
        if (anchorTime.cpu <= 0 || anchorTime.wall <= 0) {
            std::printf("%-22s %8d %5.1f | %8.3f %8.3f | python3-xlsxwriter did not run (not installed?)\n",
                        name.c_str(), readings, mb, t.cpu, t.wall);
            ++failures;
            continue;
        }
        const double ratio = anchorTime.cpu / t.cpu;
        std::printf("%-22s %8d %5.1f | %8.3f %8.3f | %8.3f %8.3f | %5.1fx %5.1fx | %9.1f\n", name.c_str(), readings, mb,
                    t.cpu, t.wall, anchorTime.cpu, anchorTime.wall, ratio, anchorTime.wall / t.wall, peak);
        if (ratio < 5.0 || peak < 0 || peak > 30.0)
            ++failures;
    }
    std::printf("target: ours at least 5x python3-xlsxwriter (constant memory) on every file; velmora-cli export at"
                " most 30 MB at its peak\n");
    return failures == 0 ? 0 : 1;
}
