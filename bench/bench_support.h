#pragma once
// What the benchmarks that race an anchor program share: the arguments, the best
// processor and wall times of a piece of work, and the anchor run as a process.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace velmora::bench {

// FILE... with an optional --repeats N; empty files after a usage line when none.
struct FileArguments {
    std::vector<std::string> files;
    int repeats;
};

inline FileArguments fileArguments(int argc, char** argv, int defaultRepeats, const char* program)
{
    FileArguments a{{}, defaultRepeats};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeats" && i + 1 < argc)
            a.repeats = std::max(1, std::atoi(argv[++i]));
        else
            a.files.push_back(arg);
    }
    if (a.files.empty())
        std::fprintf(stderr, "usage: %s [--repeats N] FILE...\n", program);
    return a;
}

// The median wall time of `runs` runs of `work`, in milliseconds.
template <typename Work> double medianMilliseconds(Work&& work, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline double cpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The best of several runs, in seconds. Processor time decides a ratio: on a shared
// machine the wall clock also counts the time other programs held the processor.
struct Timing {
    double cpu = 1e300;
    double wall = 1e300;

    template <typename F> void best(F&& work)
    {
        const double c0 = cpuNow();
        const auto w0 = std::chrono::steady_clock::now();
        work();
        wall = std::min(wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count());
        cpu = std::min(cpu, cpuNow() - c0);
    }
};

// A word for a shell command line, whatever it holds.
inline std::string quoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// What the command printed; empty when it failed.
inline std::string run(const std::string& command)
{
    std::string output;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, p))
            output += buf;
        if (pclose(p) != 0)
            output.clear();
    }
    return output;
}

// The python3 that runs the anchor scripts: VELMORA_BENCH_PYTHON, else Debian's.
inline std::string python()
{
    if (const char* chosen = std::getenv("VELMORA_BENCH_PYTHON"))
        return chosen;
    return std::ifstream("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

} // namespace velmora::bench
