// The statistics of a whole download file (every reading series with its alarm
// levels, the mean kinetic temperature of the temperatures) beside the reader's time
// for the same file, in one run. The target is 20 ms for 1,000,000 readings.
//
// usage: stats_bench [--repeats N] FILE...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "data_file_parser.h"
#include "document_statistics.h"

namespace {

double cpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Timing {
    double cpu = 1e300;
    double wall = 1e300;

    template <typename F> void best(F&& f)
    {
        const double c0 = cpuNow();
        const auto w0 = std::chrono::steady_clock::now();
        f();
        wall = std::min(wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count());
        cpu = std::min(cpu, cpuNow() - c0);
    }
};

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> files;
    int repeats = 10;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--repeats" && i + 1 < argc)
            repeats = std::max(1, std::atoi(argv[++i]));
        else
            files.push_back(a);
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: stats_bench [--repeats N] FILE...\n");
        return 2;
    }
    // Processor time decides; wall time is printed beside it (the machine is shared).
    std::printf("%-24s %9s %6s | %-17s | %-17s | %s\n", "", "", "", "reader ms", "statistics ms", "");
    std::printf("%-24s %9s %6s | %8s %8s | %8s %8s | %s\n", "file", "readings", "series", "cpu", "wall", "cpu", "wall",
                "per 1,000,000 readings (cpu)");
    int failures = 0;
    for (const std::string& file : files) {
        velmora::GraphData data;
        Timing reader, stats;
        for (int r = 0; r < std::max(1, repeats / 4); ++r)
            reader.best([&] {
                if (velmora::parseDataFile(file, data) != velmora::ReadStatus::Loaded) {
                    std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
                    std::exit(1);
                }
            });
        const velmora::ReadingRange range = velmora::wholeFile(data);
        velmora::DocumentStatistics result;
        for (int r = 0; r < repeats; ++r)
            stats.best([&] { result = velmora::documentStatistics(data, range); });
        int series = 0;
        for (const velmora::ChannelData* c : {&data.channel1, &data.channel2})
            for (int s = 0; s < c->data.seriesCount(); ++s)
                series += c->data.shown(s) ? 1 : 0;
        const double perMillion = stats.cpu * 1e3 * 1e6 / std::max(1, data.readingCount);
        const std::string name = file.substr(file.find_last_of('/') + 1);
        std::printf("%-24s %9d %6d | %8.1f %8.1f | %8.2f %8.2f | %.2f ms\n", name.c_str(), data.readingCount, series,
                    reader.cpu * 1e3, reader.wall * 1e3, stats.cpu * 1e3, stats.wall * 1e3, perMillion);
        if (perMillion > 20.0)
            ++failures;
        if (result.series.empty())
            ++failures;
    }
    std::printf("target: the statistics of 1,000,000 readings (all series) in at most 20 ms\n");
    return failures == 0 ? 0 : 1;
}
