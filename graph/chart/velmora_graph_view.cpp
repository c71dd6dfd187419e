#include "velmora_graph_view.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>

#include "chart_scroll_bars.h"
#include "chart_settings.h"
#include "chart_texts.h"
#include "chart_widget.h"
#include "chart_zoom_adapter.h"
#include "graph_strings.h"
#include "print_page.h"
#include "prompts.h"
#include "text_encoding.h"

namespace velmora {

namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString fromFile(const std::string& s)
{
    return QString::fromStdString(cp1252ToUtf8(s));
}

// The traces menu's commands: id, data set, series, in menu order.
struct TraceCommand {
    int id;
    ValueAxis axis;
    int series;
};
constexpr TraceCommand kTraceCommands[] = {
    {48000, ValueAxis::Y, 0},  {48001, ValueAxis::Y, 1},  {48002, ValueAxis::Y, 2},  {48006, ValueAxis::Y, 3},
    {48003, ValueAxis::Y2, 0}, {48004, ValueAxis::Y2, 1}, {48005, ValueAxis::Y2, 2}, {48007, ValueAxis::Y2, 3},
};

} // namespace

CVelmoraGraphView::CVelmoraGraphView(Prompts& prompts, QWidget* parent)
    : QWidget(parent), prompts_(prompts), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setPageOrientation(QPageLayout::Landscape);
    chartWidget_ = new ChartWidget(this);
    chartWidget_->installEventFilter(this);
    zoomChart_ = std::make_unique<ChartZoomAdapter>(chartWidget_->chart());
    scroll_ = new ChartScrollBars(this);
    connect(scroll_, &ChartScrollBars::horizontalScrollEnded, this, &CVelmoraGraphView::endHorizontalScroll);
    connect(scroll_, &ChartScrollBars::verticalScrollEnded, this, &CVelmoraGraphView::endVerticalScroll);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(chartWidget_, 0, 0);
    grid->addWidget(scroll_->vertical(), 0, 1);
    grid->addWidget(scroll_->horizontal(), 1, 0);

    createActions();
    bind(empty_);
}

CVelmoraGraphView::~CVelmoraGraphView() = default;

void CVelmoraGraphView::createActions()
{
    zoomIn_ = new QAction(text(graphtext::kZoomIn), this);
    zoomIn_->setStatusTip(text(graphtext::kZoomInPrompt));
    zoomIn_->setToolTip(text(graphtext::kZoomIn));
    zoomOut_ = new QAction(text(graphtext::kZoomOut), this);
    zoomOut_->setStatusTip(text(graphtext::kZoomOutPrompt));
    zoomOut_->setToolTip(text(graphtext::kZoomOutTip));
    connect(zoomOut_, &QAction::triggered, this, &CVelmoraGraphView::zoomOut);

    markPoints_ = new QAction(text(graphtext::kMarkPoints), this);
    markPoints_->setCheckable(true);
    connect(markPoints_, &QAction::triggered, this, &CVelmoraGraphView::toggleMarkPoints);
    gridX_ = new QAction(text(graphtext::kGridX), this);
    gridX_->setCheckable(true);
    gridX_->setChecked(true);
    connect(gridX_, &QAction::triggered, this, &CVelmoraGraphView::toggleGridX);
    gridY_ = new QAction(text(graphtext::kGridY), this);
    gridY_->setCheckable(true);
    gridY_->setChecked(true);
    connect(gridY_, &QAction::triggered, this, &CVelmoraGraphView::toggleGridY);

    print_ = new QAction(text(graphtext::kPrint), this);
    print_->setShortcut(QKeySequence::Print);
    connect(print_, &QAction::triggered, this, &CVelmoraGraphView::print);
    printPreview_ = new QAction(text(graphtext::kPrintPreview), this);
    connect(printPreview_, &QAction::triggered, this, &CVelmoraGraphView::printPreview);
    printSetup_ = new QAction(text(graphtext::kPrintSetup), this);
    connect(printSetup_, &QAction::triggered, this, &CVelmoraGraphView::printSetup);

    traces_ = new QMenu(text(graphtext::kShowTraces), this);
}

const Chart& CVelmoraGraphView::chart() const
{
    return chartWidget_->chart();
}

QScrollBar* CVelmoraGraphView::horizontalScrollBar() const
{
    return scroll_->horizontal();
}

QScrollBar* CVelmoraGraphView::verticalScrollBar() const
{
    return scroll_->vertical();
}

QString CVelmoraGraphView::footerText() const
{
    return chart().footer().join(QLatin1Char('\n'));
}

std::int64_t CVelmoraGraphView::interval() const
{
    return data_ ? std::max<std::int64_t>(1, data_->sampleInterval) : 1;
}

std::int64_t CVelmoraGraphView::totalSeconds() const
{
    return data_ ? (static_cast<std::int64_t>(data_->readingCount) - 1) * interval() : 0;
}

double CVelmoraGraphView::valueStepNow() const
{
    return valueStep(chart().yDecimals());
}

void CVelmoraGraphView::bind(const GraphData& data)
{
    data_ = &data;
    Chart& c = chartWidget_->chart();
    applyChartSettings(c, {markPointsOn_, gridXOn_, gridYOn_});
    chartWidget_->setBand(std::nullopt);

    c.setHeader({fromFile(data.loggerName)});
    c.setTimeBase(data.startTime);
    c.setYDecimals(data.channel1.decimals);

    // Each channel on its axis, with limits chosen from the data but always
    // including zero.
    ZoomLevel full;
    full.xMin = 0;
    full.xMax = totalSeconds();
    const struct {
        ValueAxis axis;
        Axis limits;
        const ChannelData& channel;
        double* min;
        double* max;
    } channels[] = {
        {ValueAxis::Y, Axis::Y, data.channel1, &full.yMin, &full.yMax},
        {ValueAxis::Y2, Axis::Y2, data.channel2, &full.y2Min, &full.y2Max},
    };
    for (const auto& ch : channels) {
        c.setDataSet(ch.axis, &ch.channel.data);
        c.setAxisMinimumAutomatic(ch.limits);
        c.setAxisMaximumAutomatic(ch.limits);
        if (c.axisMinimum(ch.limits) > 0.0)
            c.setAxisMinimum(ch.limits, 0.0);
        if (c.axisMaximum(ch.limits) < 0.0)
            c.setAxisMaximum(ch.limits, 0.0);
        *ch.min = c.axisMinimum(ch.limits);
        *ch.max = c.axisMaximum(ch.limits);
        c.setSeriesLabel(ch.axis, 0, fromFile(ch.channel.name));
        c.setSeriesLabel(ch.axis, 1, fromFile(ch.channel.highLabel));
        c.setSeriesLabel(ch.axis, 2, fromFile(ch.channel.lowLabel));
        c.setSeriesLabel(ch.axis, 3, ch.axis == ValueAxis::Y ? fromFile(ch.channel.thirdName) : QString());
        c.setAxisTitle(ch.limits, fromFile(ch.channel.unit));
    }
    rebuildTracesMenu();

    session_.bind(full);
    applyLevel(0);
    showFromTo();
}

void CVelmoraGraphView::applyLevel(int n)
{
    Chart& c = chartWidget_->chart();
    const ZoomLevel& e = session_.entry(n);
    c.setAxisMinimum(Axis::X, static_cast<double>(e.xMin));
    c.setAxisMaximum(Axis::X, static_cast<double>(e.xMax));
    const bool zoomed = n > 0;

    const AxisBounds y = levelBounds(e.yMin, e.yMax, !zoomed);
    const AxisBounds y2 = levelBounds(e.y2Min, e.y2Max, !zoomed);
    for (const auto& [axis, bounds] : {std::pair{Axis::Y, y}, std::pair{Axis::Y2, y2}}) {
        if (bounds.max)
            c.setAxisMaximum(axis, *bounds.max);
        else
            c.setAxisMaximumAutomatic(axis);
        if (bounds.min)
            c.setAxisMinimum(axis, *bounds.min);
        else
            c.setAxisMinimumAutomatic(axis);
    }

    scroll_->setHorizontal(horizontalScrollFor(e.xMin, e.xMax, totalSeconds(), interval(), zoomed), interval());
    const double step = valueStepNow();
    const VerticalScroll v = verticalScrollFor(session_.full(), c.axisMinimum(Axis::Y), c.axisMaximum(Axis::Y),
                                               c.axisMinimum(Axis::Y2), c.axisMaximum(Axis::Y2), step, zoomed);
    scroll_->setVertical(v, verticalPageSteps(v, step));
    chartWidget_->update();
}

void CVelmoraGraphView::carryOut(const ZoomAction& action)
{
    Chart& c = chartWidget_->chart();
    if (action.maximumReached) {
        QApplication::beep();
        c.setFooter({text(graphtext::kMaximumZoom)});
        emit maximumZoomReached();
    }
    if (action.clearFooter)
        c.setFooter({});
    if (action.hideMarker)
        c.setMarkerShown(false);
    if (action.bandChanged) {
        const auto& band = session_.band();
        chartWidget_->setBand(band ? std::optional<QRect>(QRect(QPoint(band->start.x, band->start.y),
                                                                QPoint(band->corner.x, band->corner.y)))
                                   : std::nullopt);
    }
    if (action.applyLevel)
        applyLevel(session_.level());
    chartWidget_->update();
}

bool CVelmoraGraphView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != chartWidget_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        const bool leftDown = e->buttons() & Qt::LeftButton;
        if (session_.readoutOnMove(leftDown))
            showReadout(p);
        else
            carryOut(session_.move({p.x(), p.y()}, leftDown, *zoomChart_));
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            const QPoint p = e->position().toPoint();
            carryOut(session_.press({p.x(), p.y()}, *zoomChart_, interval()));
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            const QPoint p = e->position().toPoint();
            const bool stillDown = e->buttons() & Qt::LeftButton;
            carryOut(session_.release({p.x(), p.y()}, stillDown, *zoomChart_, interval(), valueStepNow()));
        }
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton)
            carryOut(session_.doubleClick());
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void CVelmoraGraphView::showReadout(QPoint pixel)
{
    Chart& c = chartWidget_->chart();
    const double x = c.map(pixel, ValueAxis::Y).x;
    ReadoutSeries series;
    series.firstValue = c.seriesShown(ValueAxis::Y, 0);
    series.third = c.seriesShown(ValueAxis::Y, 3);
    series.secondValue = c.seriesShown(ValueAxis::Y2, 0);
    setFooter(pointerFooterText(*data_, x, c.axisMinimum(Axis::X), c.axisMaximum(Axis::X), series));
    c.setMarkerX(x);
    c.setMarkerShown(true);
    chartWidget_->update();
}

void CVelmoraGraphView::setFooter(const std::string& fileText)
{
    chartWidget_->chart().setFooter({fromFile(fileText)});
    chartWidget_->update();
}

void CVelmoraGraphView::showFromTo()
{
    const Chart& c = chart();
    setFooter(fromToText(*data_, c.axisMinimum(Axis::X), c.axisMaximum(Axis::X)));
}

void CVelmoraGraphView::zoomOut()
{
    carryOut(session_.zoomOut());
}

void CVelmoraGraphView::toggleMarkPoints()
{
    markPointsOn_ = !markPointsOn_;
    markPoints_->setChecked(markPointsOn_);
    applyMarkPoints(chartWidget_->chart(), markPointsOn_);
    chartWidget_->update();
}

void CVelmoraGraphView::toggleGridX()
{
    Chart& c = chartWidget_->chart();
    gridXOn_ = !gridXOn_;
    gridX_->setChecked(gridXOn_);
    if (!gridXOn_)
        c.setGridSpacing(Axis::X, 0.0);
    c.setGridShown(Axis::X, gridXOn_);
    chartWidget_->update();
}

void CVelmoraGraphView::toggleGridY()
{
    Chart& c = chartWidget_->chart();
    gridYOn_ = !gridYOn_;
    gridY_->setChecked(gridYOn_);
    if (!gridYOn_) {
        c.setGridSpacing(Axis::Y, 0.0);
        c.setGridSpacing(Axis::Y2, 0.0);
    }
    c.setGridShown(Axis::Y, gridYOn_);
    c.setGridShown(Axis::Y2, gridYOn_);
    chartWidget_->update();
}

void CVelmoraGraphView::rebuildTracesMenu()
{
    traces_->clear();
    const Chart& c = chart();
    for (ValueAxis axis : {ValueAxis::Y, ValueAxis::Y2}) {
        if (!c.seriesShown(axis, 0))
            continue; // a channel's traces are offered only with its values
        for (const TraceCommand& t : kTraceCommands) {
            if (t.axis != axis || !c.seriesShown(axis, t.series))
                continue;
            QAction* item = traces_->addAction(c.seriesLabel(axis, t.series));
            item->setCheckable(true);
            item->setChecked(true);
            item->setData(t.id);
            connect(item, &QAction::triggered, this, [this, id = t.id] { toggleTrace(id); });
        }
    }
    traces_->menuAction()->setEnabled(!traces_->isEmpty());
}

void CVelmoraGraphView::toggleTrace(int id)
{
    for (const TraceCommand& t : kTraceCommands) {
        if (t.id != id)
            continue;
        Chart& c = chartWidget_->chart();
        const bool shown = !c.seriesShown(t.axis, t.series);
        c.setSeriesShown(t.axis, t.series, shown);
        for (QAction* item : traces_->actions())
            if (item->data().toInt() == id)
                item->setChecked(shown);
        chartWidget_->update();
    }
}

void CVelmoraGraphView::endHorizontalScroll(qint64 position)
{
    if (session_.level() == 0)
        return;
    const XRange r = xRangeAfterScroll(position, scroll_->horizontalState().windowWidth, totalSeconds(), interval());
    Chart& c = chartWidget_->chart();
    c.setAxisMinimum(Axis::X, static_cast<double>(r.min));
    c.setAxisMaximum(Axis::X, static_cast<double>(r.max));
    showFromTo();
}

void CVelmoraGraphView::endVerticalScroll(int value)
{
    if (session_.level() == 0)
        return;
    const YRanges r = yRangesAfterScroll(value, scroll_->verticalState(), session_.full(), valueStepNow());
    Chart& c = chartWidget_->chart();
    c.setAxisMinimum(Axis::Y, r.yMin);
    c.setAxisMaximum(Axis::Y, r.yMax);
    c.setAxisMinimum(Axis::Y2, r.y2Min);
    c.setAxisMaximum(Axis::Y2, r.y2Max);
    chartWidget_->update();
}

bool CVelmoraGraphView::printTo(QPrinter& printer)
{
    const Chart page = makePrintChart(chart(), *data_, session_.level() > 0);
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompts_.warn(std::string(graphtext::kPrintFailed));
        return false;
    }
    const QRect printable(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    drawPrintPage(painter, printable, page);
    if (!painter.end()) {
        prompts_.warn(std::string(graphtext::kPrintFailed));
        return false;
    }
    return true;
}

void CVelmoraGraphView::print()
{
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(*printer_);
}

void CVelmoraGraphView::printPreview()
{
    QPrintPreviewDialog dialog(printer_.get(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printTo(*p); });
    dialog.exec();
}

void CVelmoraGraphView::printSetup()
{
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

} // namespace velmora
