// Drawing a 1,000,000-reading humidity chart (temperature with its two alarm lines
// and the dew point on the left axis, humidity with its two alarm lines on the right:
// seven series sharing one X sequence) into a 1920 × 1080 image.
//
//   bind          building the per-series minimum/maximum pyramids when the document
//                 is bound (once per file, not per frame)
//   frame         the whole chart: titles, axes, grid, legend, footer, seven series
//                 drawn antialiased, as on screen and in print
//   zoomed frame  the same with 10,000 readings in view
//   pointer move  what a mouse move repaints: the kept chart image, footer and marker
//   anchor        a plain QPainter polyline through every point of the same seven
//                 series, nothing else drawn: with hairline pens (Qt's fastest
//                 lines, the figure the frame is judged against) and with the
//                 chart's own two-pixel pens
//
// Usage: chart_draw_bench [readings]   (default 1000000)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench_support.h"
#include "chart.h"
#include "chart_layout.h"
#include "chart_renderer.h"
#include "chart_settings.h"

using namespace velmora;

namespace {

using Clock = std::chrono::steady_clock;

void fill(ChartDataSet& temperature, ChartDataSet& humidity, std::size_t n)
{
    temperature.setInterval(10);
    humidity.setInterval(10);
    for (int s = 0; s < 4; ++s) {
        temperature.setPointCount(s, n);
        temperature.setShown(s, true);
    }
    for (int s = 0; s < 3; ++s) {
        humidity.setPointCount(s, n);
        humidity.setShown(s, true);
    }
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < n; ++i) {
        noise = noise * 1664525u + 1013904223u;
        const double jitter = double(noise >> 8) / double(1u << 24) - 0.5;
        const double day = 2.0 * M_PI * double(i) / 8640.0;
        const double t = std::round((21.0 + 3.0 * std::sin(day) + 0.6 * jitter) * 10.0) / 10.0;
        const double h = std::round((55.0 + 12.0 * std::cos(day) + 2.0 * jitter) * 2.0) / 2.0;
        const bool gap = i % 50000 < 20; // the logger was out of range now and then
        temperature.setY(0, i, gap ? ChartDataSet::kGap : t);
        temperature.setY(1, i, 25.0);
        temperature.setY(2, i, 15.0);
        temperature.setY(3, i, h <= 0.0 ? ChartDataSet::kGap : t - (100.0 - h) / 5.0);
        humidity.setY(0, i, h);
        humidity.setY(1, i, 80.0);
        humidity.setY(2, i, 30.0);
    }
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::size_t n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;

    ChartDataSet temperature(4);
    ChartDataSet humidity(3);
    fill(temperature, humidity, n);

    Chart chart;
    applyChartSettings(chart, {});
    chart.setHeader({QStringLiteral("Store room")});
    chart.setYDecimals(1);
    chart.setTimeBase(1796652000);
    const QRect rect(0, 0, 1920, 1080);
    chart.setBounds(rect);

    const double bind = bench::medianMilliseconds(
        [&] {
            chart.setDataSet(ValueAxis::Y, &temperature);
            chart.setDataSet(ValueAxis::Y2, &humidity);
        },
        5);
    const double last = double(n - 1) * 10.0;
    chart.setAxisMinimum(Axis::X, 0.0);
    chart.setAxisMaximum(Axis::X, last);
    chart.setAxisMinimum(Axis::Y, 0.0);
    chart.setAxisMinimum(Axis::Y2, 0.0);
    chart.setFooter({QStringLiteral("From:-  07 December 2026 14:00:00     To:-  11 April 2027 04:46:30")});

    QImage image(rect.size(), QImage::Format_RGB32);
    auto frame = [&] {
        chart.setHeader({QStringLiteral("Store room")}); // a change: no layout kept from the last frame
        QPainter p(&image);
        chart.draw(p, rect);
    };
    const double full = bench::medianMilliseconds(frame, 21);

    const double zoomStart = last / 2.0;
    chart.setAxisMinimum(Axis::X, zoomStart);
    chart.setAxisMaximum(Axis::X, zoomStart + 9999.0 * 10.0);
    const double zoomed = bench::medianMilliseconds(frame, 21);

    chart.setMarkerX(zoomStart + 5000.0 * 10.0);
    QImage body(rect.size(), QImage::Format_RGB32);
    {
        QPainter p(&body);
        drawChartBody(p, chart, *chart.layoutFor(rect));
    }
    const double pointer = bench::medianMilliseconds(
        [&] {
            QPainter p(&image);
            p.drawImage(0, 0, body);
            const auto layout = chart.layoutFor(rect);
            drawChartFooter(p, chart, *layout);
            drawChartMarker(p, chart, *layout);
        },
        51);

    // The anchor: every point through QPainter, same plot rectangle, same pens.
    chart.setAxisMinimum(Axis::X, 0.0);
    chart.setAxisMaximum(Axis::X, last);
    const auto layout = chart.layoutFor(rect);
    const QRect plot = layout->plot;
    std::vector<QPointF> points(n);
    auto everyPoint = [&](bool samePens) {
        QPainter p(&image);
        p.fillRect(rect, Qt::white);
        p.setClipRect(plot);
        for (ValueAxis axis : {ValueAxis::Y2, ValueAxis::Y}) {
            const ChartDataSet& set = axis == ValueAxis::Y ? temperature : humidity;
            for (int s = 0; s < set.seriesCount(); ++s) {
                // Each gap-free run as one polyline, as any drawing of gaps must.
                std::size_t count = 0;
                auto flush = [&] {
                    if (count > 1)
                        p.drawPolyline(points.data(), static_cast<int>(count));
                    count = 0;
                };
                const LineStyle style = chart.seriesStyle(axis, s).line();
                p.setPen(samePens ? penFor(style) : QPen(style.colour, 0));
                for (std::size_t i = 0; i < n; ++i) {
                    const double v = set.y(s, i);
                    if (v >= ChartDataSet::kGap) {
                        flush();
                        continue;
                    }
                    points[count++] = QPointF(layout->xToPixel(double(i) * 10.0), layout->valueToPixel(v, axis));
                }
                flush();
            }
        }
    };
    const double hairline = bench::medianMilliseconds([&] { everyPoint(false); }, 3);
    // Qt outlines wide pens over the whole polyline: a minute a run here, so one run.
    const double samePens = bench::medianMilliseconds([&] { everyPoint(true); }, 1);

    std::printf("chart_draw_bench: %zu readings x 7 series, 1920 x 1080 image\n", n);
    std::printf("  bind (pyramids, once per file)   %9.2f ms\n", bind);
    std::printf("  frame, whole file, antialiased   %9.2f ms\n", full);
    std::printf("  frame, 10,000 readings in view   %9.2f ms\n", zoomed);
    std::printf("  pointer move (image+footer+marker)%8.2f ms\n", pointer);
    std::printf("  anchor: every point, hairline pens   %9.2f ms\n", hairline);
    std::printf("  anchor: every point, the chart's pens %9.2f ms\n", samePens);
    const double ratio = hairline / full;
    std::printf("  antialiased frame is %.1fx faster than the hairline anchor, %.0fx than the same pens"
                " (target: at least 20x) %s\n",
                ratio, samePens / full, ratio >= 20.0 ? "OK" : "BELOW TARGET");
    return 0;
}
