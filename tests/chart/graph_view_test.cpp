#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "chart.h"
#include "chart_layout.h"
#include "chart_widget.h"
#include "scripted_prompts.h"
#include "velmora_graph_view.h"

namespace velmora {
namespace {

constexpr double kGap = ChartDataSet::kGap;
// 7 December 2026 14:00:00 on the logger's clock.
constexpr std::int64_t kStart = GraphData::kDefaultStart + 9837LL * 86400 + 14 * 3600;

// A humidity logger's file: 101 readings 10 s apart, temperature rising 20.0 .. 30.0
// (one decimal), alarms 28 and 22, a dew point, humidity 40..60 with alarms 70 and 30.
GraphData humidityFile()
{
    GraphData d;
    d.loggerName = "Store";
    d.startTime = kStart;
    d.sampleInterval = 10;
    d.readingCount = 101;
    ChannelData& c1 = d.channel1;
    c1.present = c1.hasHigh = c1.hasLow = c1.hasThird = true;
    c1.name = "Celsius";
    c1.unit = "\260C";
    c1.highLabel = "High Alarm";
    c1.lowLabel = "Low Alarm";
    c1.thirdName = "dew point";
    c1.decimals = 1;
    ChannelData& c2 = d.channel2;
    c2.present = c2.hasHigh = c2.hasLow = true;
    c2.name = "Humidity";
    c2.unit = "%rh";
    c2.highLabel = "High Alarm rh";
    c2.lowLabel = "Low Alarm rh";
    for (ChannelData* c : {&c1, &c2}) {
        c->data.setInterval(10);
        for (int s = 0; s < c->data.seriesCount(); ++s) {
            c->data.setPointCount(s, 101);
            c->data.setLastPoint(s, 100);
            c->data.setShown(s, true);
        }
    }
    for (std::size_t i = 0; i <= 100; ++i) {
        c1.data.setY(0, i, 20.0 + 0.1 * double(i));
        c1.data.setY(1, i, 28.0);
        c1.data.setY(2, i, 22.0);
        c1.data.setY(3, i, i == 7 ? kGap : 12.34);
        c2.data.setY(0, i, 40.0 + 0.2 * double(i));
        c2.data.setY(1, i, 70.0);
        c2.data.setY(2, i, 30.0);
    }
    return d;
}

void send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A turn of the wheel by `angle` eighths of a degree (120 a notch; positive away from
// the user).
void wheel(QWidget* w, QPoint p, int angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent e(QPointF(p), w->mapToGlobal(QPointF(p)), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

struct ViewFixture {
    test::ScriptedPrompts prompts;
    GraphData data = humidityFile();
    CVelmoraGraphView view{prompts};

    ViewFixture()
    {
        view.resize(1000, 700);
        view.show();
        view.bind(data);
    }
    QWidget* area() const { return view.chartWidget(); }
    QRect plot() const { return view.chart().plotRect(); }
    // The pixel of X seconds in the full view.
    int px(double x) const
    {
        return plot().left() + static_cast<int>(std::lround(x / 1000.0 * (plot().right() - plot().left())));
    }
    void move(QPoint p) { send(area(), QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
    void drag(QPoint from, QPoint to)
    {
        send(area(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(area(), QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(area(), QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    std::vector<int> traceIds() const
    {
        std::vector<int> ids;
        for (QAction* a : view.tracesMenu()->actions())
            ids.push_back(a->data().toInt());
        return ids;
    }
    QAction* trace(int id) const
    {
        for (QAction* a : view.tracesMenu()->actions())
            if (a->data().toInt() == id)
                return a;
        return nullptr;
    }
};

TEST(GraphView, AnEmptyDocumentShowsASpaceFooterAndNoHeaderText)
{
    test::ScriptedPrompts prompts;
    CVelmoraGraphView view(prompts);
    view.resize(800, 600);
    view.show();
    EXPECT_EQ(view.footerText(), " ");
    EXPECT_EQ(view.chart().header(), QStringList{QString()});
    EXPECT_TRUE(view.tracesMenu()->isEmpty());
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
    view.zoomOut();
    EXPECT_EQ(view.zoomLevel(), 0);
}

TEST(GraphView, NothingLoadedLeavesTheChartAreaBlank)
{
    test::ScriptedPrompts prompts;
    CVelmoraGraphView view(prompts);
    view.resize(800, 600);
    view.show();
    send(view.chartWidget(), QEvent::MouseMove, view.chartWidget()->rect().center(), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.footerText(), " ") << "no readout of a year-2000 time";
    wheel(view.chartWidget(), view.chartWidget()->rect().center(), 120, Qt::ControlModifier);
    EXPECT_EQ(view.zoomLevel(), 0);
    const QImage shown = view.chartWidget()->grab().toImage();
    int other = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            other += shown.pixelColor(x, y) == QColor(Qt::white) ? 0 : 1;
    EXPECT_EQ(other, 0) << "no axes, labels, legend or footer";
}

TEST(GraphView, BindingShowsTheWholeFileWithZeroOnTheValueAxes)
{
    ViewFixture f;
    const Chart& c = f.view.chart();
    EXPECT_EQ(c.header(), QStringList{"Store"});
    EXPECT_EQ(f.view.footerText(), "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:16:40");
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 0.0);
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::X), 1000.0);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::Y), 0.0) << "values 12..30 start at 0";
    EXPECT_GE(c.axisMaximum(Axis::Y), 30.0);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::Y2), 0.0);
    EXPECT_EQ(c.axisTitle(Axis::Y), QString::fromUtf8("\u00B0C"));
    EXPECT_EQ(c.seriesLabel(ValueAxis::Y2, 1), "High Alarm rh");

    // All below zero: the axis ends at 0.
    for (int s = 0; s < 4; ++s)
        for (std::size_t i = 0; i <= 100; ++i)
            f.data.channel1.data.setY(s, i, -5.0 - 0.1 * double(i));
    f.view.bind(f.data);
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::Y), 0.0);
    EXPECT_LE(c.axisMinimum(Axis::Y), -15.0);
}

TEST(GraphView, ANarrowWindowWrapsTheFromToFooter)
{
    ViewFixture f;
    auto footerLines = [&] {
        const Chart& c = f.view.chart();
        return c.layoutFor(c.bounds())->footer.height() / QFontMetrics(c.titleFont()).height();
    };
    EXPECT_EQ(footerLines(), 1);
    f.view.resize(f.view.minimumSize());
    EXPECT_LE(f.view.minimumWidth(), 500);
    EXPECT_GE(f.view.minimumWidth(), 400);
    EXPECT_EQ(f.view.chartWidget()->width(), f.view.minimumWidth()) << "no scroll bar at the whole file";
    EXPECT_EQ(footerLines(), 2) << "room for the From and To halves";
    f.move(QPoint(f.plot().center()));
    EXPECT_EQ(footerLines(), 2) << "the readout does not move the plot";
}

TEST(GraphView, PointerReadoutAndMarkerLine)
{
    ViewFixture f;
    f.move(QPoint(f.px(500), f.plot().center().y()));
    EXPECT_EQ(f.view.footerText(), QString::fromUtf8(" 07 December 2026 14:08:20 : 25.0\u00B0C, 12.3\u00B0C, 50.0%rh"));
    EXPECT_NEAR(f.view.chart().markerX(), 500.0, 2.0);
    EXPECT_TRUE(f.view.chart().markerShown());

    f.move(QPoint(f.px(70), f.plot().center().y()));
    EXPECT_EQ(f.view.footerText(), QString::fromUtf8(" 07 December 2026 14:01:10 : 20.7\u00B0C, 41.4%rh"))
        << "the dew point's gap is left out";

    f.move(f.plot().topLeft() - QPoint(3, 3));
    EXPECT_EQ(f.view.footerText(), "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:16:40");
    EXPECT_EQ(f.view.chart().markerX(), kGap);
}

TEST(GraphView, ShowTracesMenuHidesSeriesAcrossZoomUntilTheNextFile)
{
    ViewFixture f;
    EXPECT_EQ(f.traceIds(), (std::vector<int>{48000, 48001, 48002, 48006, 48003, 48004, 48005}));
    EXPECT_EQ(f.trace(48006)->text(), "dew point");
    EXPECT_EQ(f.trace(48004)->text(), "High Alarm rh");

    f.trace(48000)->trigger();
    EXPECT_FALSE(f.trace(48000)->isChecked());
    EXPECT_FALSE(f.view.chart().seriesShown(ValueAxis::Y, 0));
    f.move(QPoint(f.px(500), f.plot().center().y()));
    EXPECT_EQ(f.view.footerText(), QString::fromUtf8(" 07 December 2026 14:08:20 : 12.3\u00B0C, 50.0%rh"));

    f.drag(QPoint(f.px(100), f.plot().top() + 10), QPoint(f.px(600), f.plot().bottom() - 10));
    ASSERT_EQ(f.view.zoomLevel(), 1);
    EXPECT_FALSE(f.view.chart().seriesShown(ValueAxis::Y, 0));
    f.view.zoomOut();
    EXPECT_FALSE(f.view.chart().seriesShown(ValueAxis::Y, 0));

    f.view.bind(f.data);
    EXPECT_TRUE(f.view.chart().seriesShown(ValueAxis::Y, 0));
    EXPECT_TRUE(f.trace(48000)->isChecked());

    // A file without a second channel or alarms offers the first channel only.
    f.data.channel2.data.clear();
    f.data.channel1.data.setShown(1, false);
    f.data.channel1.data.setShown(2, false);
    f.view.bind(f.data);
    EXPECT_EQ(f.traceIds(), (std::vector<int>{48000, 48006}));
}

TEST(GraphView, ZoomBoxSetsTheRangesAndScrollBars)
{
    ViewFixture f;
    // From X 100 near Y 25 to X 300 near Y 22, the readings nearest the box's ends.
    const QRect plot = f.plot();
    auto py = [&](double v) {
        return plot.bottom() - static_cast<int>(std::lround(v / f.view.chart().axisMaximum(Axis::Y) * plot.height()));
    };
    f.drag(QPoint(f.px(100), py(25)), QPoint(f.px(300), py(22)));
    ASSERT_EQ(f.view.zoomLevel(), 1);
    const Chart& c = f.view.chart();
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 100.0);
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::X), 300.0);
    EXPECT_NEAR(c.axisMinimum(Axis::Y), 22.0, 0.25);
    EXPECT_NEAR(c.axisMaximum(Axis::Y), 25.0, 0.25);
    const double steps = c.axisMaximum(Axis::Y) * 10.0;
    EXPECT_NEAR(steps, std::round(steps), 1e-6) << "snapped to the tenths the file is written in";
    EXPECT_FALSE(c.markerShown());
    EXPECT_TRUE(f.view.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(f.view.verticalScrollBar()->isVisible());

    f.view.zoomOutAction()->trigger();
    EXPECT_EQ(f.view.zoomLevel(), 0);
    EXPECT_FALSE(f.view.horizontalScrollBar()->isVisible());
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::Y), 0.0);
}

TEST(GraphView, TwentyThreeLevelsThenTheMessage)
{
    GraphData data = humidityFile();
    data.readingCount = 100001; // room for 23 levels of boxes over nearly the whole plot
    data.sampleInterval = 1;
    for (ChannelData* c : {&data.channel1, &data.channel2}) {
        c->data.setInterval(1);
        for (int s = 0; s < c->data.seriesCount(); ++s) {
            c->data.setPointCount(s, 100001);
            c->data.setLastPoint(s, 100000);
        }
    }
    ViewFixture f;
    f.view.bind(data);
    QSignalSpy beeps(&f.view, &CVelmoraGraphView::maximumZoomReached);
    const QRect plot = f.plot();
    const QPoint from = plot.topLeft() + QPoint(1, 1), to = plot.bottomRight() - QPoint(1, 1);
    for (int n = 1; n <= 23; ++n) {
        f.drag(from, to);
        ASSERT_EQ(f.view.zoomLevel(), n);
    }
    send(f.area(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(f.view.footerText(), "Maximum zoom level reached.");
    // The readout goes on while the button is held; no box is drawn.
    send(f.area(), QEvent::MouseMove, f.plot().center(), Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(f.view.chartWidget()->band().has_value());
    EXPECT_TRUE(f.view.footerText().startsWith(" 08 December 2026")) << f.view.footerText().toStdString();
    send(f.area(), QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.view.zoomLevel(), 23);
    f.drag(from, to);
    EXPECT_EQ(beeps.count(), 1) << "refused until zoomed out";

    f.view.zoomOut();
    EXPECT_EQ(f.view.zoomLevel(), 22);
    EXPECT_TRUE(f.view.footerText().startsWith("From:-")) << "the message gives way to the range shown";
}

TEST(GraphView, DoubleClickZoomsOutAndItsReleaseDoesNotZoom)
{
    ViewFixture f;
    const QPoint a(f.px(100), f.plot().top() + 20), b(f.px(600), f.plot().bottom() - 20);
    for (int level : {0, 1}) {
        f.view.bind(f.data);
        if (level == 1)
            f.drag(a, b);
        ASSERT_EQ(f.view.zoomLevel(), level);
        // A double-click as the window system delivers it: press, release, double-click, release.
        send(f.area(), QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
        send(f.area(), QEvent::MouseButtonRelease, a, Qt::LeftButton, Qt::NoButton);
        send(f.area(), QEvent::MouseButtonDblClick, a, Qt::LeftButton, Qt::LeftButton);
        send(f.area(), QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
        send(f.area(), QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(f.view.zoomLevel(), 0) << level;
    }
}

TEST(GraphView, ScrollingPansTheZoomedRangeWithoutChangingTheStack)
{
    ViewFixture f;
    f.drag(QPoint(f.px(100), f.plot().top() + 60), QPoint(f.px(300), f.plot().bottom() - 60));
    ASSERT_EQ(f.view.zoomLevel(), 1);
    const Chart& c = f.view.chart();
    const double yMax = c.axisMaximum(Axis::Y), yMin = c.axisMinimum(Axis::Y);
    const double y2Max = c.axisMaximum(Axis::Y2);

    f.view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 110.0);
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::X), 310.0);
    EXPECT_EQ(f.view.footerText(), "From:-  07 December 2026 14:01:50     To:-  07 December 2026 14:05:10");
    f.view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 320.0) << "a page is the window's width, 210 s";
    f.view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::X), 1000.0);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 800.0);

    f.view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NEAR(c.axisMaximum(Axis::Y), yMax - 0.1, 1e-9) << "one value step down";
    EXPECT_NEAR(c.axisMinimum(Axis::Y), yMin - 0.1, 1e-9);
    EXPECT_LT(c.axisMaximum(Axis::Y2), y2Max) << "the right axis follows";

    f.view.zoomOut();
    f.drag(QPoint(f.px(100), f.plot().top() + 60), QPoint(f.px(300), f.plot().bottom() - 60));
    f.view.zoomOut();
    f.view.bind(f.data);
    EXPECT_EQ(f.view.zoomLevel(), 0);
}

TEST(GraphView, CtrlWheelZoomsAroundThePointerThroughTheStack)
{
    ViewFixture f;
    const Chart& c = f.view.chart();
    const double span = c.axisMaximum(Axis::Y) - c.axisMinimum(Axis::Y);
    const QPoint at(f.px(600), f.plot().center().y());
    const double value = c.map(at, ValueAxis::Y).y;

    wheel(f.area(), at, 120);
    EXPECT_EQ(f.view.zoomLevel(), 0) << "without Ctrl the wheel only scrolls a zoomed chart";
    wheel(f.area(), at, 60, Qt::ControlModifier);
    EXPECT_EQ(f.view.zoomLevel(), 0) << "half a notch";
    wheel(f.area(), at, 60, Qt::ControlModifier);
    ASSERT_EQ(f.view.zoomLevel(), 1);
    // X 0..1000 halved around reading 60 (X 600): 300..800.
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 300.0);
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::X), 800.0);
    EXPECT_LE(c.axisMaximum(Axis::Y) - c.axisMinimum(Axis::Y), span / 2.0 + 0.2) << "halved, snapped to tenths";
    EXPECT_LT(c.axisMinimum(Axis::Y), value);
    EXPECT_GT(c.axisMaximum(Axis::Y), value);
    EXPECT_TRUE(f.view.horizontalScrollBar()->isVisible());

    wheel(f.area(), at, 120, Qt::ControlModifier);
    EXPECT_EQ(f.view.zoomLevel(), 2);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 450.0);
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::X), 700.0);
    wheel(f.area(), at, -240, Qt::ControlModifier);
    EXPECT_EQ(f.view.zoomLevel(), 0) << "two notches back, a level each";
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::X), 1000.0);
}

TEST(GraphView, WheelAndArrowKeysScrollAZoomedChartAsItsScrollBarsDo)
{
    ViewFixture f;
    f.drag(QPoint(f.px(100), f.plot().top() + 60), QPoint(f.px(300), f.plot().bottom() - 60));
    ASSERT_EQ(f.view.zoomLevel(), 1);
    const Chart& c = f.view.chart();
    const double yMax = c.axisMaximum(Axis::Y);
    const int lines = QApplication::wheelScrollLines();

    wheel(f.area(), f.plot().center(), -120);
    EXPECT_NEAR(c.axisMaximum(Axis::Y), yMax - 0.1 * lines, 1e-9) << "a notch down: a line of values each";
    wheel(f.area(), f.plot().center(), 120);
    EXPECT_NEAR(c.axisMaximum(Axis::Y), yMax, 1e-9);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 100.0);
    wheel(f.area(), f.plot().center(), -120, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 100.0 + 10.0 * lines) << "with Shift: a reading a line, rightwards";
    EXPECT_EQ(f.view.footerText().left(6), "From:-") << "the From/To footer follows";
    wheel(f.area(), f.plot().center(), 120, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 100.0);

    QWidget* chart = f.area();
    QTest::keyClick(chart, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 110.0);
    EXPECT_DOUBLE_EQ(c.axisMaximum(Axis::X), 310.0);
    QTest::keyClick(chart, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 100.0);
    QTest::keyClick(chart, Qt::Key_Down);
    EXPECT_NEAR(c.axisMaximum(Axis::Y), yMax - 0.1, 1e-9);
    QTest::keyClick(chart, Qt::Key_Up);
    EXPECT_NEAR(c.axisMaximum(Axis::Y), yMax, 1e-9);
    for (int n = 0; n < 3; ++n)
        QTest::keyClick(chart, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 70.0);
    EXPECT_EQ(f.view.zoomLevel(), 1) << "scrolling leaves the zoom stack as it was";

    wheel(f.area(), f.plot().center(), 120, Qt::ControlModifier);
    ASSERT_EQ(f.view.zoomLevel(), 2);
    QTest::keyClick(chart, Qt::Key_Minus);
    EXPECT_EQ(f.view.zoomLevel(), 1);
    QTest::keyClick(chart, Qt::Key_Backspace);
    EXPECT_EQ(f.view.zoomLevel(), 0);
    QTest::keyClick(chart, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(c.axisMinimum(Axis::X), 0.0) << "the whole file does not scroll";
    EXPECT_EQ(f.view.focusProxy(), chart) << "the view hands its focus to the chart";
    EXPECT_EQ(f.view.zoomInAction()->statusTip(), "Zoom In; Left click and drag box to select zoom area.");
}

// Whatever moves the X range, the footer shows the new From/To line at once and the
// listeners (the statistics panel) hear of it once; what leaves X alone says nothing.
// Readings 10 s apart from 14:00:00, X 0..1000 in the full view.
TEST(GraphView, EveryChangeOfTheXRangeShowsItsFromToOnce)
{
    ViewFixture f;
    QSignalSpy told(&f.view, &CVelmoraGraphView::visibleRangeChanged);
    QWidget* chart = f.area();
    const QPoint at(f.px(600), f.plot().center().y());
    const auto fromTo = [](const char* from, const char* to) {
        return QStringLiteral("From:-  07 December 2026 %1     To:-  07 December 2026 %2").arg(from, to);
    };
    const struct {
        const char* what;
        std::function<void()> act;
        int level;
        double xMin, xMax; // NaN: X unchanged, nothing told
        QString footer;
    } steps[] = {
        // Two notches at once: 0..1000 halved around X 600 to 300..800, then 450..700.
        {"Ctrl+wheel, two notches", [&] { wheel(chart, at, 240, Qt::ControlModifier); }, 2, 450, 700,
         fromTo("14:07:30", "14:11:40")},
        {"\"-\"", [&] { QTest::keyClick(chart, Qt::Key_Minus); }, 1, 300, 800, fromTo("14:05:00", "14:13:20")},
        {"a line right", [&] { QTest::keyClick(chart, Qt::Key_Right); }, 1, 310, 810, fromTo("14:05:10", "14:13:30")},
        {"a line down", [&] { QTest::keyClick(chart, Qt::Key_Down); }, 1, NAN, NAN, fromTo("14:05:10", "14:13:30")},
        {"Backspace", [&] { QTest::keyClick(chart, Qt::Key_Backspace); }, 0, 0, 1000, fromTo("14:00:00", "14:16:40")},
        {"Backspace at the whole file", [&] { QTest::keyClick(chart, Qt::Key_Backspace); }, 0, NAN, NAN,
         fromTo("14:00:00", "14:16:40")},
        {"a box", [&] { f.drag(QPoint(f.px(100), f.plot().top() + 60), QPoint(f.px(300), f.plot().bottom() - 60)); }, 1,
         100, 300, fromTo("14:01:40", "14:05:00")},
        {"Zoom Out", [&] { f.view.zoomOutAction()->trigger(); }, 0, 0, 1000, fromTo("14:00:00", "14:16:40")},
        {"Ctrl+wheel back, at the whole file", [&] { wheel(chart, at, -120, Qt::ControlModifier); }, 0, NAN, NAN,
         fromTo("14:00:00", "14:16:40")},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        told.clear();
        step.act();
        EXPECT_EQ(f.view.zoomLevel(), step.level);
        if (std::isnan(step.xMin)) {
            EXPECT_EQ(told.count(), 0);
        } else {
            EXPECT_DOUBLE_EQ(f.view.chart().axisMinimum(Axis::X), step.xMin);
            EXPECT_DOUBLE_EQ(f.view.chart().axisMaximum(Axis::X), step.xMax);
            ASSERT_EQ(told.count(), 1);
            EXPECT_EQ(told.at(0).at(0).toDouble(), step.xMin);
            EXPECT_EQ(told.at(0).at(1).toDouble(), step.xMax);
        }
        EXPECT_EQ(f.view.footerText(), step.footer);
    }
}

TEST(GraphView, MarkPointsAndGridSwitches)
{
    ViewFixture f;
    const Chart& c = f.view.chart();
    EXPECT_TRUE(f.view.gridXAction()->isChecked());
    EXPECT_TRUE(c.gridShown(Axis::X));
    f.view.gridXAction()->trigger();
    EXPECT_FALSE(f.view.gridXAction()->isChecked());
    EXPECT_FALSE(c.gridShown(Axis::X));
    EXPECT_TRUE(c.gridShown(Axis::Y));
    f.view.gridYAction()->trigger();
    EXPECT_FALSE(c.gridShown(Axis::Y));
    EXPECT_FALSE(c.gridShown(Axis::Y2));

    f.view.markPointsAction()->trigger();
    EXPECT_TRUE(f.view.markPointsAction()->isChecked());
    EXPECT_EQ(c.seriesStyle(ValueAxis::Y, 0).pointStyle, PointStyle::Diamond);
    EXPECT_EQ(c.seriesStyle(ValueAxis::Y, 3).pointStyle, PointStyle::Diamond);
    EXPECT_EQ(c.seriesStyle(ValueAxis::Y2, 0).pointStyle, PointStyle::Diamond);
    EXPECT_EQ(c.seriesStyle(ValueAxis::Y, 1).pointStyle, PointStyle::None);

    f.view.bind(f.data);
    EXPECT_FALSE(c.gridShown(Axis::X)) << "the switches outlive the document";
    EXPECT_EQ(c.seriesStyle(ValueAxis::Y, 0).pointStyle, PointStyle::Diamond);
}

} // namespace
} // namespace velmora
