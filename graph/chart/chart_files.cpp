#include "chart_files.h"

#include <cmath>

#include "chart_binding.h"
#include "graph_strings.h"
#include "text_encoding.h"

namespace velmora {

namespace {

QString fromFile(const std::string& s) { return QString::fromStdString(cp1252ToUtf8(s)); }

// Told apart from each other and from the marker's magenta; the first file keeps
// its own red, blue and green.
const QColor kFileColours[] = {
    {255, 0, 0},    {230, 120, 0}, {0, 140, 140}, {130, 60, 180}, {140, 90, 40}, {200, 40, 120},
    {70, 110, 160}, {110, 130, 0}, {90, 90, 90},  {200, 160, 0},  {0, 100, 50},  {128, 0, 0},
};

// Apart from every file's colour: it is no file's reading.
const QColor kSpreadColour{0, 0, 0};

void recolour(Chart& chart, int id, const QColor& colour)
{
    for (int s = 0; s < Chart::kMaxSeries; ++s) {
        SeriesStyle style = chart.seriesStyleAt(id, s);
        style.lineColour = style.pointColour = colour;
        chart.setSeriesStyleAt(id, s, style);
    }
}

// Every file's values are in the legend, but only the first file's alarm lines: the
// others' are drawn alike in their file's colour, and twenty files' sixty entries
// would leave no room for the plot.
void label(Chart& chart, int id, const QString& title, const ChannelColumns& c, bool third, bool alarms = true)
{
    const QString labels[] = {fromFile(c.name), alarms ? fromFile(c.highLabel) : QString(),
                              alarms ? fromFile(c.lowLabel) : QString(), third ? fromFile(c.thirdName) : QString()};
    for (int s = 0; s < Chart::kMaxSeries; ++s)
        chart.setSeriesLabelAt(id, s, labels[s].isEmpty() ? QString() : title + QStringLiteral(": ") + labels[s]);
}

} // namespace

QColor fileColour(std::size_t file) { return kFileColours[file % std::size(kFileColours)]; }

QString chartFileTitle(const QString& fileName, const std::string& serial)
{
    if (serial.empty())
        return fileName;
    const std::string_view form = graphtext::kFileWithSerial;
    return QString::fromUtf8(form.data(), qsizetype(form.size())).arg(fileName, fromFile(serial));
}

ZoomLevel bindChartFiles(Chart& chart, const std::vector<ChartFile>& files, const TimeAlignment& alignment,
                         const ChartSwitches& switches, const ChartSpread* spread)
{
    if (files.empty())
        return {};
    const ZoomLevel one = bindChartData(chart, *files.front().data, switches);
    if (files.size() == 1)
        return one;

    const GraphData& first = *files.front().data;
    chart.setTimeBase(alignment.timeBase);
    chart.setDataSetOffset(0, static_cast<double>(alignment.offsets.at(0)));
    chart.setDataSetOffset(1, static_cast<double>(alignment.offsets.at(0)));
    label(chart, 0, files.front().title, first.channel1, true);
    label(chart, 1, files.front().title, first.channel2, false);
    // The right axis holds the first file's second channel, else the first file that
    // is placed there.
    std::string rightUnit = first.channel2.present ? first.channel2.unit : std::string();
    QStringList header{fromFile(first.loggerName)};
    for (std::size_t f = 1; f < files.size(); ++f) {
        const ChartFile& file = files[f];
        const GraphData& d = *file.data;
        const double offset = static_cast<double>(alignment.offsets.at(f));
        const ValueAxis axis = file.side == AxisSide::Left ? ValueAxis::Y : ValueAxis::Y2;
        const int id = chart.addDataSet(axis, &d.channel1.data, offset);
        recolour(chart, id, fileColour(f));
        label(chart, id, file.title, d.channel1, true, false);
        if (axis == ValueAxis::Y2 && rightUnit.empty()) {
            rightUnit = d.channel1.unit;
            chart.setAxisTitle(Axis::Y2, fromFile(rightUnit));
        }
        // Its second channel too, where it shares the right axis' unit.
        if (axis == ValueAxis::Y && d.channel2.present && !rightUnit.empty() && d.channel2.unit == rightUnit) {
            const int second = chart.addDataSet(ValueAxis::Y2, &d.channel2.data, offset);
            recolour(chart, second, fileColour(f).lighter(140));
            label(chart, second, file.title, d.channel2, false, false);
        }
        if (!header.contains(fromFile(d.loggerName)))
            header.push_back(fromFile(d.loggerName));
    }
    // A mapping study's twenty names would run off the chart: three and a count.
    constexpr qsizetype kNamedLoggers = 3;
    const QString named = header.mid(0, kNamedLoggers).join(QStringLiteral(", "));
    chart.setHeader({header.size() <= kNamedLoggers
                         ? named
                         : QString::fromUtf8(graphtext::kChartHeaderMore.data(),
                                             static_cast<qsizetype>(graphtext::kChartHeaderMore.size()))
                               .arg(named)
                               .arg(header.size() - kNamedLoggers)});
    applyMarkPoints(chart, switches.markPoints);
    if (spread && spread->data) {
        const ValueAxis axis = rightUnit.empty() ? ValueAxis::Y2 : ValueAxis::Y;
        const int id = chart.addDataSet(axis, spread->data, spread->offset);
        recolour(chart, id, kSpreadColour);
        chart.setSeriesLabelAt(id, 0, spread->label);
        if (axis == ValueAxis::Y2)
            chart.setAxisTitle(Axis::Y2, spread->axisTitle);
    }
    ZoomLevel full;
    const auto [xMin, xMax] = chart.automaticLimits(Axis::X);
    full.xMin = static_cast<std::int64_t>(std::floor(xMin));
    full.xMax = static_cast<std::int64_t>(std::ceil(xMax));
    return fixValueLimits(chart, full);
}

} // namespace velmora
