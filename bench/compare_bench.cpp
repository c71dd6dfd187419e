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
// Usage: compare_bench [files] [directory]   (default 20 files; with a directory, the
// last overlay and anchor frames are saved there as overlay.png and anchor.png, so a
// change to the drawing can be compared pixel for pixel)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
    std::vector<ChartFile> chartFiles;
    for (std::size_t f = 0; f < count; ++f)
        chartFiles.push_back({files[f], QStringLiteral("logger%1.txt").arg(f), AxisSide::Left});
    Chart overlay;
    overlay.setBounds(rect);
    const double bind = bench::medianMilliseconds([&] { bindChartFiles(overlay, chartFiles, alignment, {}); }, 3);
    auto frameOf = [&](Chart& chart) {
        return [&] {
            chart.setYDecimals(chart.yDecimals()); // a change: no layout kept from the last frame
            chart.setHeader(chart.header());
            QPainter p(&image);
            chart.draw(p, rect);
        };
    };
    const double overlayFrame = bench::medianMilliseconds(frameOf(overlay), 21);
    const QString frames = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!frames.isEmpty())
        image.save(frames + QStringLiteral("/overlay.png"));

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
    const double singleFrame = bench::medianMilliseconds(frameOf(single), 21);
    if (!frames.isEmpty())
        image.save(frames + QStringLiteral("/anchor.png"));

    std::printf("compare_bench: %zu files of %zu readings\n", count, kReadings);
    std::printf("  open, first run        %8.1f ms   (target: under 1000 ms)\n", firstRun);
    std::printf("  open, median of 5      %8.1f ms\n", open);
    std::printf("  bind the overlay       %8.1f ms\n", bind);
    std::printf("  overlay frame          %8.1f ms   (%zu files, %zu series)\n", overlayFrame, count, count * 3);
    std::printf("  anchor: one-file frame %8.1f ms   (%zu readings, 3 series)\n", singleFrame, count * kReadings);
    std::printf("  overlay / anchor       %8.2f      (target: at most 2)\n", overlayFrame / singleFrame);
    fs::remove_all(dir);
    return firstRun < 1000.0 && overlayFrame <= 2.0 * singleFrame ? 0 : 1;
}
