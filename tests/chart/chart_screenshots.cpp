// Writes what the chart view shows as image files, to look at as a user would:
//   full.png     a day and a half of a humidity logger, whole file
//   band.png     a zoom box being dragged
//   zoomed.png   after the box, with the pointer readout and the marker line
//   marked.png   zoomed with Mark Points on and the dew point hidden
//   wheel.png    zoomed in two notches of Ctrl+wheel, scrolled a notch down
//   narrow.png   the whole file in the view's smallest size: the From/To footer wraps
//   empty.png    nothing loaded: a blank chart area
//   print.pdf    the printed page of the zoomed chart (landscape)
// Usage: QT_QPA_PLATFORM=offscreen chart_screenshots FOLDER
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QWheelEvent>
#include <cmath>
#include <cstdio>

#include "chart.h"
#include "chart_widget.h"
#include "prompts.h"
#include "velmora_graph_view.h"

using namespace velmora;

namespace {

struct PrintingPrompts final : Prompts {
    PromptAnswer ask(const std::string& text, PromptIcon, PromptButtons, PromptAnswer) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return PromptAnswer::Ok;
    }
};

GraphData humidityDay(int n)
{
    GraphData d;
    d.loggerName = "Store room";
    d.readingCount = n;
    d.sampleInterval = 60;
    d.startTime = GraphData::kDefaultStart + 9837LL * 86400 + 14 * 3600; // 07/12/2026 14:00:00
    ChannelData& t = d.channel1;
    ChannelData& h = d.channel2;
    t.name = "Celsius";
    t.unit = "\260C";
    t.highLabel = "High Alarm";
    t.lowLabel = "Low Alarm";
    t.thirdName = "dew point";
    t.decimals = 1;
    h.name = "Humidity";
    h.unit = "%rh";
    h.highLabel = "High Alarm rh";
    h.lowLabel = "Low Alarm rh";
    for (ChannelData* c : {&t, &h}) {
        c->present = c->hasHigh = c->hasLow = true;
        c->data.setInterval(60);
        for (int s = 0; s < c->data.seriesCount(); ++s) {
            c->data.setPointCount(s, n);
            c->data.setShown(s, true);
            c->data.setLastPoint(s, n - 1);
        }
    }
    t.hasThird = true;
    for (int i = 0; i < n; ++i) {
        const double day = 2.0 * M_PI * i / 1440.0;
        const double temp = std::round((21.0 + 3.0 * std::sin(day) + 0.2 * std::sin(i * 0.7)) * 10.0) / 10.0;
        const double rh = std::round((55.0 + 12.0 * std::cos(day)) * 2.0) / 2.0;
        const bool gap = i > n / 3 && i < n / 3 + 40; // the probe was unplugged for a while
        t.data.setY(0, i, gap ? ChartDataSet::kGap : temp);
        t.data.setY(1, i, 25.0);
        t.data.setY(2, i, 15.0);
        t.data.setY(3, i, temp - (100.0 - rh) / 5.0);
        h.data.setY(0, i, rh);
        h.data.setY(1, i, 80.0);
        h.data.setY(2, i, 30.0);
    }
    return d;
}

void send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(out.path());
    const GraphData data = humidityDay(2000);
    PrintingPrompts prompts;
    CVelmoraGraphView view(prompts);
    view.resize(1024, 700);
    view.show();
    view.bind(data);
    app.processEvents();
    view.grab().save(out.filePath(QStringLiteral("full.png")));

    QWidget* area = view.chartWidget();
    const QRect plot = view.chart().plotRect();
    const QPoint from(plot.left() + plot.width() * 3 / 10, plot.top() + plot.height() / 5);
    const QPoint to(plot.left() + plot.width() * 9 / 20, plot.top() + plot.height() / 2);
    send(area, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(area, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    view.grab().save(out.filePath(QStringLiteral("band.png")));
    send(area, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    app.processEvents();
    send(area, QEvent::MouseMove, view.chart().plotRect().center(), Qt::NoButton, Qt::NoButton);
    view.grab().save(out.filePath(QStringLiteral("zoomed.png")));

    view.markPointsAction()->trigger();
    for (QAction* trace : view.tracesMenu()->actions())
        if (trace->data().toInt() == 48006)
            trace->trigger();
    view.grab().save(out.filePath(QStringLiteral("marked.png")));

    view.markPointsAction()->trigger();
    while (view.zoomLevel() > 0)
        view.zoomOut();
    auto wheel = [&](QPoint at, int angle, Qt::KeyboardModifiers modifiers) {
        QWheelEvent e(QPointF(at), area->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &e);
    };
    const QRect full = view.chart().plotRect();
    const QPoint at(full.left() + full.width() * 2 / 3, full.top() + full.height() / 3);
    wheel(at, 120, Qt::ControlModifier);
    wheel(at, 120, Qt::ControlModifier);
    wheel(at, -120, Qt::NoModifier);
    app.processEvents();
    view.grab().save(out.filePath(QStringLiteral("wheel.png")));

    view.printer().setOutputFormat(QPrinter::PdfFormat);
    view.printer().setOutputFileName(out.filePath(QStringLiteral("print.pdf")));
    const bool printed = view.printTo(view.printer());

    while (view.zoomLevel() > 0)
        view.zoomOut();
    view.resize(view.minimumSize());
    app.processEvents();
    send(area, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton, Qt::NoButton); // the pointer leaves the plot
    view.grab().save(out.filePath(QStringLiteral("narrow.png")));

    const GraphData nothing;
    view.bind(nothing);
    view.resize(1024, 700);
    app.processEvents();
    view.grab().save(out.filePath(QStringLiteral("empty.png")));
    return printed ? 0 : 1;
}
