// Twenty loggers of a mapping study compared: twenty download files of 65,535
// readings each (a wide-type temperature logger with both alarms, a reading a minute),
// written by make_download_file.py.
//
//   open          the twenty files read, one after the other, in one run (the target:
//                 under a second), then aligned on one time axis
//   overlay frame the twenty files on one chart at 1920 × 1080, each its value and its
//                 two alarm lines (sixty series), as the viewer draws them
//   anchor        one file of the same total readings (1,310,700, three series) drawn
//                 on the same chart: the overlay frame's target is at most twice it
//
// Both are drawn at one device pixel a logical one and again at two (a HiDPI screen:
// the same 1920 × 1080 chart into a 3840 × 2160 image), the two frames of a row at
// the same ratio.
//
// Frames are timed in processor time (the machine is shared; wall time is printed
// beside it), the overlay's and the anchor's taken in turn so both meet the same
// machine. Two figures each: a frame of an unchanged view (the window redrawn after a
// change of text or colour) and the first frame after the view moved (a scroll or a
// zoom: every frame a slightly different X range, so nothing worked out for the last
// frame's columns can serve). The viewer keeps the drawn chart as an image, so a
// pointer move or an expose redraws nothing; a scroll or a zoom redraws it all, which
// makes the second figure the user's, and the target's.
//
// Usage: compare_bench [files] [directory]   (default 20 files; with a directory, the
// last overlay and anchor frames are saved there as overlay.png and anchor.png, and at
// two device pixels a logical one as overlay@2x.png and anchor@2x.png, so a change to
// the drawing can be compared pixel for pixel)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "chart_binding.h"
#include "chart_files.h"
#include "graph_data_reader.h"
#include "time_alignment.h"

using namespace velmora;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kReadings = 65535;
constexpr int kFrames = 41;

double threadMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

struct Median {
    double cpu = 0.0;
    double wall = 0.0;
};

struct FrameTimes {
    Median overlay;
    Median anchor;
    double ratio() const { return overlay.cpu / anchor.cpu; }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The chart's whole time range, its right end moved by `shift` seconds. Fixing the
// limits is a change: the layout is made again, as after any change of view.
void fullView(Chart& chart, double shift)
{
    chart.setAxisMinimumAutomatic(Axis::X);
    chart.setAxisMaximumAutomatic(Axis::X);
    const auto [first, last] = chart.automaticLimits(Axis::X);
    chart.setAxisMinimum(Axis::X, first);
    chart.setAxisMaximum(Axis::X, last + shift);
}

// `moved`: every frame's range ends a third of a pixel column away from the last one's.
FrameTimes timeFrames(Chart& overlay, Chart& anchor, QImage& image, const QRect& rect, bool moved)
{
    std::vector<double> cpu[2];
    std::vector<double> wall[2];
    Chart* charts[2] = {&overlay, &anchor};
    for (int frame = 0; frame < kFrames + 1; ++frame) {
        for (int c = 0; c < 2; ++c) {
            Chart& chart = *charts[c];
            const auto [first, last] = chart.automaticLimits(Axis::X);
            const double column = (last - first) / rect.width();
            fullView(chart, moved && frame % 2 == 1 ? column / 3.0 : 0.0);
            const double cpu0 = threadMilliseconds();
            const auto wall0 = Clock::now();
            QPainter p(&image);
            chart.draw(p, rect);
            p.end();
            if (frame == 0)
                continue; // the first frame lays out fonts and glyphs once
            cpu[c].push_back(threadMilliseconds() - cpu0);
            wall[c].push_back(std::chrono::duration<double, std::milli>(Clock::now() - wall0).count());
        }
    }
    return {{median(cpu[0]), median(wall[0])}, {median(cpu[1]), median(wall[1])}};
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20;

    const fs::path dir = fs::temp_directory_path() / ("velmora-compare-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string one = (dir / "logger.txt").string();
    const std::string make =
        "python3 '" VELMORA_BENCH_DIR "/make_download_file.py' wide " + std::to_string(kReadings) + " '" + one + "'";
    if (std::system(make.c_str()) != 0) {
        std::fprintf(stderr, "compare_bench: could not write the files\n");
        return 1;
    }
    std::vector<std::string> paths;
    for (std::size_t f = 0; f < count; ++f) {
        paths.push_back((dir / ("logger" + std::to_string(f) + ".txt")).string());
        fs::copy_file(one, paths.back());
    }

    // The first run reads from the page cache like the rest: the files were just written.
    std::vector<GraphData> data(count);
    std::vector<const GraphData*> files;
    TimeAlignment alignment;
    const auto openAll = [&] {
        files.clear();
        for (std::size_t f = 0; f < count; ++f) {
            if (parseDataFile(paths[f], data[f]) != ReadStatus::Loaded)
                std::abort();
            files.push_back(&data[f]);
        }
        alignment = alignTimes(files).fromEarliest();
    };
    const auto firstStart = Clock::now();
    openAll();
    const double firstRun = std::chrono::duration<double, std::milli>(Clock::now() - firstStart).count();
    const double open = bench::medianMilliseconds(openAll, 5);

    const QRect rect(0, 0, 1920, 1080);
    QImage image(rect.size(), QImage::Format_RGB32);
    QImage hidpi(rect.size() * 2, QImage::Format_RGB32);
    hidpi.setDevicePixelRatio(2.0);
    std::vector<ChartFile> chartFiles;
    for (std::size_t f = 0; f < count; ++f)
        chartFiles.push_back({files[f], QStringLiteral("logger%1.txt").arg(f), AxisSide::Left});
    Chart overlay;
    overlay.setBounds(rect);
    const double bind = bench::medianMilliseconds([&] { bindChartFiles(overlay, chartFiles, alignment, {}); }, 3);
    // One file of the same total readings: the twenty files' readings end to end.
    GraphData whole;
    whole.readingCount = static_cast<std::int32_t>(count * kReadings);
    whole.sampleInterval = data[0].sampleInterval;
    whole.startTime = data[0].startTime;
    static_cast<ChannelColumns&>(whole.channel1) = data[0].channel1;
    whole.channel1.decimals = data[0].channel1.decimals;
    whole.channel1.data.setInterval(whole.sampleInterval);
    for (int s = 0; s < 3; ++s) {
        whole.channel1.data.setShown(s, data[0].channel1.data.shown(s));
        for (std::size_t f = 0; f < count; ++f) {
            const ChartDataSet::Values& v = data[f].channel1.data.values(s);
            whole.channel1.data.values(s).insert(whole.channel1.data.values(s).end(), v.begin(), v.end());
        }
    }
    Chart single;
    single.setBounds(rect);
    bindChartData(single, whole, {});

    const FrameTimes unchanged = timeFrames(overlay, single, image, rect, false);
    const FrameTimes moved = timeFrames(overlay, single, image, rect, true);
    const FrameTimes unchanged2 = timeFrames(overlay, single, hidpi, rect, false);
    const FrameTimes moved2 = timeFrames(overlay, single, hidpi, rect, true);
    const QString frames = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!frames.isEmpty()) {
        const auto save = [&](Chart& chart, QImage& into, const char* name) {
            fullView(chart, 0.0);
            QPainter p(&into);
            chart.draw(p, rect);
            p.end();
            into.save(frames + QString::fromLatin1(name));
        };
        save(overlay, image, "/overlay.png");
        save(single, image, "/anchor.png");
        save(overlay, hidpi, "/overlay@2x.png");
        save(single, hidpi, "/anchor@2x.png");
    }

    std::printf("compare_bench: %zu files of %zu readings\n", count, kReadings);
    std::printf("  open, first run        %8.1f ms   (target: under 1000 ms)\n", firstRun);
    std::printf("  open, median of 5      %8.1f ms\n", open);
    std::printf("  bind the overlay       %8.1f ms\n", bind);
    std::printf("  frames, processor time (wall) in ms, median of %d each:\n", kFrames);
    std::printf("                           overlay            anchor            overlay / anchor\n");
    const auto row = [](const char* what, const FrameTimes& t) {
        std::printf("  %-24s %6.2f (%6.2f)    %6.2f (%6.2f)    %5.2f\n", what, t.overlay.cpu, t.overlay.wall,
                    t.anchor.cpu, t.anchor.wall, t.ratio());
    };
    row("view unchanged", unchanged);
    row("after a scroll or zoom", moved);
    std::printf("  at two device pixels a logical pixel (3840 x 2160):\n");
    row("view unchanged", unchanged2);
    row("after a scroll or zoom", moved2);
    std::printf(
        "  target: after a scroll or zoom, overlay / anchor at most 2 at either ratio (%zu files, %zu series; anchor "
        "%zu readings, 3 series)\n",
        count, count * 3, count * kReadings);
    fs::remove_all(dir);
    return firstRun < 1000.0 && moved.ratio() <= 2.0 && moved2.ratio() <= 2.0 ? 0 : 1;
}
