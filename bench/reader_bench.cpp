// The viewer's reader against pandas.read_csv (C engine) on the same download files,
// in one run: MB/s of both and the ratio; then the document's bytes per reading and
// the peak memory of velmora-cli inspect on each file.
//
// usage: reader_bench [--repeats N] FILE...
//        reader_bench --inspect FILE   (runs inspect and prints its peak memory)
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "graph_data_reader.h"
#include "inspect_command.h"

namespace {

using velmora::GraphData;

std::string selfPath()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string("reader_bench");
}

std::size_t documentBytes(const GraphData& d)
{
    std::size_t bytes = 0;
    for (const velmora::ChannelData* c : {&d.channel1, &d.channel2})
        for (int s = 0; s < c->data.seriesCount(); ++s)
            bytes += c->data.values(s).capacity() * sizeof(double);
    return bytes;
}

int inspectMode(const std::string& file)
{
    std::ostringstream out;
    const int status = velmora::runInspect({file}, out, std::cerr);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss); // kilobytes
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace velmora::bench;
    if (argc == 3 && std::string(argv[1]) == "--inspect")
        return inspectMode(argv[2]);
    const auto [files, repeats] = fileArguments(argc, argv, 5, "reader_bench");
    if (files.empty())
        return 2;
    const std::string py = python();
    const std::string anchor = std::string(VELMORA_BENCH_DIR) + "/pandas_read.py";

    // Processor time decides the ratio: on a shared machine the wall clock also counts
    // the time other programs held the processor. Wall figures are printed beside it.
    std::printf("%-22s %8s %6s | %-21s | %-21s | %-13s | %8s %9s\n", "", "", "", "ours MB/s", "pandas MB/s", "ratio",
                "document", "inspect");
    std::printf("%-22s %8s %6s | %10s %10s | %10s %10s | %6s %6s | %8s %9s\n", "file", "readings", "MB", "cpu", "wall",
                "cpu", "wall", "cpu", "wall", "B/rdg", "peak MB");
    int failures = 0;
    for (const std::string& file : files) {
        GraphData data;
        Timing ours;
        for (int r = 0; r < repeats; ++r) {
            velmora::ReadStatus status{};
            ours.best([&] { status = velmora::parseDataFile(file, data); });
            if (status != velmora::ReadStatus::Loaded) {
                std::fprintf(stderr, "%s: %s\n", file.c_str(), std::string(velmora::readStatusMessage(status)).c_str());
                return 1;
            }
        }
        std::ifstream in(file, std::ios::binary | std::ios::ate);
        const double mb = static_cast<double>(in.tellg()) / 1e6;
        Timing pandas{0, 0};
        std::istringstream(run(py + " " + quoted(anchor) + " " + quoted(file) + " " + std::to_string(repeats))) >>
            pandas.cpu >> pandas.wall;
        const std::string peak = run(quoted(selfPath()) + " --inspect " + quoted(file));
        const double perReading = static_cast<double>(documentBytes(data)) / data.readingCount;

        const std::string name = file.substr(file.find_last_of('/') + 1);
        if (pandas.cpu <= 0 || pandas.wall <= 0) {
            std::printf("%-22s %8d %6.1f | %10.1f %10.1f | pandas.read_csv did not run (python3-pandas missing?)\n",
                        name.c_str(), data.readingCount, mb, mb / ours.cpu, mb / ours.wall);
            ++failures;
            continue;
        }
        const double ratio = pandas.cpu / ours.cpu;
        std::printf("%-22s %8d %6.1f | %10.1f %10.1f | %10.1f %10.1f | %5.1fx %5.1fx | %8.1f %9.1f\n", name.c_str(),
                    data.readingCount, mb, mb / ours.cpu, mb / ours.wall, mb / pandas.cpu, mb / pandas.wall, ratio,
                    pandas.wall / ours.wall, perReading, std::atof(peak.c_str()) / 1024.0);
        if (ratio < 10.0)
            ++failures;
    }
    std::printf("target: ours at least 10x pandas.read_csv (C engine) on every file; document ~60 bytes per reading"
                " or less\n");
    return failures == 0 ? 0 : 1;
}
