#include "chart_contents.h"

#include <QFileInfo>

#include "graph_strings.h"
#include "spread_series.h"
#include "text_encoding.h"

namespace velmora {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

std::vector<const GraphData*> ChartContents::data() const
{
    std::vector<const GraphData*> out;
    for (const ChartFile& f : files)
        out.push_back(f.data);
    return out;
}

std::vector<std::string> ChartContents::names() const
{
    std::vector<std::string> out;
    for (const ChartFile& f : files)
        out.push_back(f.title.toStdString());
    return out;
}

std::vector<double> ChartContents::offsets() const { return {alignment.offsets.begin(), alignment.offsets.end()}; }

ChartContents chartContents(const std::vector<const GraphData*>& files, const std::vector<std::string>& paths,
                            const std::vector<AxisSide>& sides, bool join, bool withSpread)
{
    ChartContents c;
    if (files.empty())
        return c;
    const TimeAlignment placed = files.size() > 1 ? alignTimes(files).fromEarliest() : TimeAlignment{};
    std::vector<ShownFile> shown;
    if (files.size() > 1 && join) {
        c.joined = joinDeployments(files, placed.offsets);
        shown = c.joined.shown;
    } else {
        for (std::size_t f = 0; f < files.size(); ++f)
            shown.push_back({files[f], placed.offsets.empty() ? 0 : placed.offsets[f], {f}});
    }
    c.alignment.timeBase = placed.timeBase;
    for (const ShownFile& s : shown) {
        QStringList names;
        for (std::size_t m : s.members)
            names.push_back(QFileInfo(QString::fromStdString(paths[m])).fileName());
        const QString title = files.size() > 1
                                  ? chartFileTitle(names.join(text(graphtext::kJoinedFiles)), s.data->serialNumber)
                                  : QString();
        c.files.push_back({s.data, title, sides[s.members.front()]});
        c.members.push_back(s.members);
        c.alignment.offsets.push_back(s.offset);
    }
    if (withSpread && c.files.size() > 1) {
        const SpreadSeries spread = spreadSeries(c.data(), c.alignment);
        if (!spread.values.empty()) {
            c.spreadData = std::make_unique<ChartDataSet>(1);
            c.spreadData->setInterval(spread.step);
            c.spreadData->values(0).assign(spread.values.begin(), spread.values.end());
            c.spreadData->setShown(0, true);
            c.spread.data = c.spreadData.get();
            c.spread.offset = spread.firstX;
            c.spread.label = text(graphtext::kSpreadLabel);
            const QString unit = QString::fromStdString(cp1252ToUtf8(c.files.front().data->channel1.unit));
            c.spread.axisTitle = text(graphtext::kSpreadAxisTitle).arg(unit);
        }
    }
    return c;
}

} // namespace velmora
