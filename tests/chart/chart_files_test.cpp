// Several files on one chart: where each file's data set goes (axis, offset), what
// the legend calls it, the full view over all of them, and that a later file is drawn
// from its own start, not from the chart's.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "chart_files.h"
#include "chart_layout.h"
#include "graph_data_reader.h"
#include "time_zone.h"

namespace velmora {
namespace {

// hall: °C every minute from 08:00 (4 readings); damp: %RH every minute from 08:00
// (2); door: °C every five minutes from 08:01 (4, the last at 08:16).
struct ThreeFiles : ::testing::Test {
    void SetUp() override
    {
        for (const char* name : {"hall", "damp", "door"}) {
            const std::string path = std::string(VELMORA_TEST_DATA_DIR) + "/compare/" + name + ".txt";
            ASSERT_EQ(parseDataFile(path, data[files.size()]), ReadStatus::Loaded) << path;
            files.push_back(&data[files.size()]);
        }
        chartFiles = {{files[0], "hall.txt", AxisSide::Left},
                      {files[1], "damp.txt", AxisSide::Right},
                      {files[2], "door.txt", AxisSide::Left}};
        full = bindChartFiles(chart, chartFiles, alignTimes(files).fromEarliest(), {});
    }
    test::ScopedTimeZone zone{"UTC"};
    GraphData data[3];
    std::vector<const GraphData*> files;
    std::vector<ChartFile> chartFiles;
    Chart chart;
    ZoomLevel full;
};

TEST_F(ThreeFiles, EachFileOnItsAxisAtItsOffsetNamedInTheLegend)
{
    // The first file's two data sets, then damp's and door's first channels.
    ASSERT_EQ(chart.dataSetCount(), 4);
    EXPECT_EQ(chart.dataSetAxis(2), ValueAxis::Y2);
    EXPECT_EQ(chart.dataSetAxis(3), ValueAxis::Y);
    EXPECT_EQ(chart.dataSetOffset(0), 0);
    EXPECT_EQ(chart.dataSetOffset(2), 0);
    EXPECT_EQ(chart.dataSetOffset(3), 60);
    EXPECT_EQ(chart.timeBase(), data[0].startTime);
    // To door's last reading: 60 + 3 × 300 s.
    EXPECT_EQ(full.xMin, 0);
    EXPECT_EQ(full.xMax, 960);
    EXPECT_EQ(full.yMin, 0);
    EXPECT_GE(full.yMax, 11.5);
    EXPECT_GE(full.y2Max, 95);
    EXPECT_EQ(chart.axisTitle(Axis::Y2), "%RH");
    EXPECT_EQ(chart.seriesLabelAt(0, 0), "hall.txt: Celsius");
    EXPECT_EQ(chart.seriesLabelAt(0, 1), "hall.txt: High Alarm");
    EXPECT_EQ(chart.seriesLabelAt(3, 0), "door.txt: Celsius");
    EXPECT_EQ(chart.seriesLabelAt(3, 1), "") << "only the first file's alarm lines are in the legend";
    EXPECT_EQ(chart.seriesLabelAt(2, 1), ""); // damp has no alarm column: no legend entry
    EXPECT_EQ(chart.header(), QStringList{"Hall, Damp, Door"});
    EXPECT_NE(chart.seriesStyleAt(3, 0).lineColour, chart.seriesStyleAt(0, 0).lineColour);

    applyMarkPoints(chart, true);
    EXPECT_EQ(chart.seriesStyleAt(3, 0).pointStyle, PointStyle::Diamond);
}

TEST_F(ThreeFiles, ALaterFileIsDrawnFromItsOwnStart)
{
    // Only door's series: its colour must appear, and nowhere left of 60 s.
    for (int id = 0; id < 3; ++id)
        for (int s = 0; s < Chart::kMaxSeries; ++s)
            chart.setSeriesShownAt(id, s, false);
    chart.setSeriesShownAt(3, 1, false);
    chart.setLegendShown(false);
    const QRect rect(0, 0, 800, 500);
    QImage image(rect.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    chart.draw(painter, rect);
    painter.end();
    const auto layout = chart.layoutFor(rect);
    const QColor door = fileColour(2);
    const int startPixel = static_cast<int>(layout->xToPixel(60.0));
    int seen = 0, early = 0;
    for (int y = layout->plot.top(); y <= layout->plot.bottom(); ++y)
        for (int x = layout->plot.left(); x <= layout->plot.right(); ++x)
            if (image.pixelColor(x, y) == door)
                (x < startPixel - 2 ? early : seen)++;
    EXPECT_GT(seen, 0);
    EXPECT_EQ(early, 0);
}

TEST(ChartFiles, OneFileIsBoundAsAlways)
{
    GraphData one;
    ASSERT_EQ(parseDataFile(std::string(VELMORA_TEST_DATA_DIR) + "/compare/door.txt", one), ReadStatus::Loaded);
    Chart chart;
    const ZoomLevel full = bindChartFiles(chart, {{&one, "door.txt", AxisSide::Left}}, alignTimes({&one}), {});
    EXPECT_EQ(chart.dataSetCount(), 2);
    EXPECT_EQ(chart.seriesLabelAt(0, 0), "Celsius");
    EXPECT_EQ(chart.timeBase(), one.startTime);
    EXPECT_EQ(full.xMax, 900);
}

} // namespace
} // namespace velmora
