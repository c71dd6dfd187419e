#include "velmora_graph_view.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QMenu>
#include <QScrollBar>

#include "chart_binding.h"
#include "chart_print_commands.h"
#include "chart_settings.h"
#include "chart_texts.h"
#include "chart_widget.h"
#include "chart_zoom_control.h"
#include "graph_strings.h"
#include "print_page.h"
#include "text_encoding.h"

namespace velmora {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

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

CVelmoraGraphView::CVelmoraGraphView(Prompts& prompts, QWidget* parent) : QWidget(parent)
{
    printing_ = new ChartPrintCommands(
        prompts, [this] { return makePrintChart(chart(), *data_, zoom().level() > 0); }, this);
    chartWidget_ = new ChartWidget(this);
    zoom_ = new ChartZoomControl(*chartWidget_, this);
    connect(zoom_, &ChartZoomControl::readoutRequested, this, &CVelmoraGraphView::showReadout);
    connect(zoom_, &ChartZoomControl::maximumZoomReached, this, &CVelmoraGraphView::maximumZoomReached);
    connect(zoom_, &ChartZoomControl::xRangeChanged, this, &CVelmoraGraphView::showVisibleRange);

    // Room for the axes, a few ticks and the legend; the footer wraps below that.
    setMinimumSize(480, 320);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(chartWidget_, 0, 0);
    grid->addWidget(zoom_->verticalScrollBar(), 0, 1);
    grid->addWidget(zoom_->horizontalScrollBar(), 1, 0);
    setFocusProxy(chartWidget_);

    createActions();
    bind(empty_);
}

CVelmoraGraphView::~CVelmoraGraphView() = default;

void CVelmoraGraphView::createActions()
{
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

    traces_ = new QMenu(text(graphtext::kShowTraces), this);
}

QAction* CVelmoraGraphView::zoomInAction() const { return zoom_->zoomInAction(); }

QAction* CVelmoraGraphView::zoomOutAction() const { return zoom_->zoomOutAction(); }

QAction* CVelmoraGraphView::printAction() const { return printing_->printAction(); }

QAction* CVelmoraGraphView::printPreviewAction() const { return printing_->printPreviewAction(); }

QAction* CVelmoraGraphView::printSetupAction() const { return printing_->printSetupAction(); }

QPrinter& CVelmoraGraphView::printer() { return printing_->printer(); }

void CVelmoraGraphView::setDocumentPath(const QString& path)
{
    printing_->setDocumentName(path.isEmpty() ? QString() : QFileInfo(path).fileName());
}

bool CVelmoraGraphView::printTo(QPrinter& printer) { return printing_->printTo(printer); }

const ZoomSession& CVelmoraGraphView::zoom() const { return zoom_->session(); }

const Chart& CVelmoraGraphView::chart() const { return chartWidget_->chart(); }

QScrollBar* CVelmoraGraphView::horizontalScrollBar() const { return zoom_->horizontalScrollBar(); }

QScrollBar* CVelmoraGraphView::verticalScrollBar() const { return zoom_->verticalScrollBar(); }

QString CVelmoraGraphView::footerText() const { return chart().footer().join(QLatin1Char('\n')); }

std::int64_t CVelmoraGraphView::interval() const
{
    return data_ ? std::max<std::int64_t>(1, data_->sampleInterval) : 1;
}

std::int64_t CVelmoraGraphView::totalSeconds() const
{
    return data_ ? (static_cast<std::int64_t>(data_->readingCount) - 1) * interval() : 0;
}

void CVelmoraGraphView::bind(const GraphData& data) { bindFiles({ChartFile{&data, {}, AxisSide::Left}}, {}); }

void CVelmoraGraphView::bindFiles(const std::vector<ChartFile>& files, const TimeAlignment& alignment,
                                  const ChartSpread* spread)
{
    const GraphData& data = *files.front().data;
    data_ = &data;
    files_ = files;
    spread_ = files.size() > 1 && spread ? spread->data : nullptr;
    zoom_->setActive(data.readingCount > 0);
    chartWidget_->setBand(std::nullopt);
    const ChartSwitches switches{markPointsOn_, gridXOn_, gridYOn_};
    const ZoomLevel full = files.size() == 1
                               ? bindChartData(chartWidget_->chart(), data, switches)
                               : bindChartFiles(chartWidget_->chart(), files, alignment, switches, spread);
    firstOffset_ = chartWidget_->chart().dataSetOffset(0);
    // A window too narrow for the whole file's From/To line wraps the footer.
    chartWidget_->chart().setFooterSample(QString::fromStdString(cp1252ToUtf8(fromToText(data))));
    rebuildTracesMenu();

    // shows the From/To footer. Several files keep no common reading grid: a zoom box
    // then snaps to the pointer's whole second, not to the first file's readings.
    zoom_->bind(full, files.size() == 1 ? interval() : 1, files.size() == 1 ? totalSeconds() : full.xMax);
}

void CVelmoraGraphView::showReadout(QPoint pixel)
{
    Chart& c = chartWidget_->chart();
    const double x = c.map(pixel, ValueAxis::Y).x;
    ReadoutSeries series;
    series.firstValue = c.seriesShown(ValueAxis::Y, 0);
    series.third = c.seriesShown(ValueAxis::Y, 3);
    series.secondValue = c.seriesShown(ValueAxis::Y2, 0);
    setFooter(pointerFooterText(*data_, x - firstOffset_, c.axisMinimum(Axis::X) - firstOffset_,
                                c.axisMaximum(Axis::X) - firstOffset_, series));
    c.setMarkerX(x);
    c.setMarkerShown(true);
    chartWidget_->update();
}

void CVelmoraGraphView::setFooter(const std::string& fileText)
{
    chartWidget_->chart().setFooter({QString::fromStdString(cp1252ToUtf8(fileText))});
    chartWidget_->update();
}

void CVelmoraGraphView::showVisibleRange(double xMin, double xMax)
{
    setFooter(fromToText(*data_, xMin - firstOffset_, xMax - firstOffset_));
    emit visibleRangeChanged(xMin - firstOffset_, xMax - firstOffset_);
}

void CVelmoraGraphView::zoomOut() { zoom_->zoomOut(); }

void CVelmoraGraphView::showXRange(std::int64_t xMin, std::int64_t xMax) { zoom_->zoomToX(xMin, xMax); }

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
            // With several files the item stands for that trace of every file.
            const ChannelColumns& columns = axis == ValueAxis::Y ? data_->channel1 : data_->channel2;
            const std::string names[] = {columns.name, columns.highLabel, columns.lowLabel, columns.thirdName};
            QAction* item =
                traces_->addAction(files_.size() == 1 ? c.seriesLabel(axis, t.series)
                                                      : QString::fromStdString(cp1252ToUtf8(names[t.series])));
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
        const std::vector<bool> first = firstChannelSets();
        for (int set = 2; set < c.dataSetCount(); ++set)
            if (c.dataSetAt(set) != spread_ && first[static_cast<std::size_t>(set)] == (t.axis == ValueAxis::Y))
                c.setSeriesShownAt(set, t.series, shown);
        for (QAction* item : traces_->actions())
            if (item->data().toInt() == id)
                item->setChecked(shown);
        chartWidget_->update();
    }
}

std::vector<bool> CVelmoraGraphView::firstChannelSets() const
{
    const Chart& c = chart();
    std::vector<bool> first(static_cast<std::size_t>(c.dataSetCount()), false);
    for (int set = 0; set < c.dataSetCount(); ++set)
        for (const ChartFile& f : files_)
            if (c.dataSetAt(set) == &f.data->channel1.data)
                first[static_cast<std::size_t>(set)] = true;
    return first;
}

void CVelmoraGraphView::print() { printing_->print(); }

void CVelmoraGraphView::printPreview() { printing_->printPreview(); }

void CVelmoraGraphView::printSetup() { printing_->printSetup(); }

} // namespace velmora
