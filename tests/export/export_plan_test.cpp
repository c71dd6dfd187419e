// The charts' plan from the header line and the number of readings: which columns
// are series and on which axis, the units, where the columns stop, how a long file is
// cut into charts and how their time axes are labelled.
#include <gtest/gtest.h>

#include "export_plan.h"

namespace velmora {
namespace {

struct HeaderCase {
    const char* line;
    std::string name, firstUnit, secondUnit;
    std::vector<int> secondary, primary;
    int columnCount;
    bool humidity;
};

TEST(ExportHeader, SeriesUnitsAndWhereTheColumnsStop)
{
    const HeaderCase cases[] = {
        // Time is field 0; field n is series n; "Serial Number" is the last field taken.
        {"Fridge,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number",
         "Fridge",
         "\260C",
         "",
         {},
         {1, 2, 3, 4},
         5,
         false},
        {"Store,Time,Celsius(\260C),High Alarm,Low Alarm,Humidity(%rh),High Alarm rh,Low Alarm rh,dew point(\260C),Serial Number",
         "Store",
         "\260C",
         "%rh",
         {4, 5, 6},
         {1, 2, 3, 7, 8},
         9,
         true},
        // Without "Serial Number" the empty end of the line is the last field taken.
        {"Box,Time,Voltage(V),High Alarm", "Box", "V", "", {}, {1, 2, 3}, 4, false},
        // Humidity names and "Serial Number" in any case; "%rh" only as written.
        {"X,Time,Celsius(\260C),HUMIDITY(%RH),high alarm RH,serial number,Extra(u)",
         "X",
         "\260C",
         "%RH",
         {2, 3},
         {1, 4},
         5,
         false},
        // A third unit is not kept.
        {"A,Time,T(\260C),H(%rh),D(\260F),Serial Number", "A", "\260C", "%rh", {}, {1, 2, 3, 4}, 5, true},
        // The line and each field are trimmed; the logger name is field 1 as it stands.
        {"  Room , Time , Humidity(%rh) ,Serial Number  ", "Room ", "%rh", "", {1}, {2}, 3, true},
        // Empty fields are dropped, as the viewer reads them.
        {"Box,,Time,,Celsius(\260C),,Serial Number", "Box", "\260C", "", {}, {1, 2}, 3, false},
        // Brackets in the wrong order give an empty unit; it still counts as the first.
        {"Odd,Time,Volts)x(,Current(mA),Serial Number", "Odd", "", "mA", {}, {1, 2, 3}, 4, false},
        {"Alone", "Alone", "", "", {}, {0}, 1, false},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.line);
        const HeaderAnalysis h = analyseHeader(c.line);
        EXPECT_EQ(h.loggerName, c.name);
        EXPECT_EQ(h.firstUnit, c.firstUnit);
        EXPECT_EQ(h.secondUnit, c.secondUnit);
        EXPECT_EQ(h.secondarySeries, c.secondary);
        EXPECT_EQ(h.primarySeries, c.primary);
        EXPECT_EQ(h.columnCount, c.columnCount);
        EXPECT_EQ(h.humidity, c.humidity);
    }
}

struct ChunkCase {
    int rowCount;
    std::vector<ChartRows> charts;
    std::vector<int> ticks;
};

TEST(ExportChunks, RowsOfEachChartAndTheirTickSpacing)
{
    const ChunkCase cases[] = {
        {2, {{1, 2, 0}}, {0}},                                  // one reading: too short for a tick spacing
        {31999, {{1, 31999, 0}}, {3199}},                       // 31,998 readings: one chart
        {32000, {{1, 31999, 0}, {32000, 32000, 1}}, {3200, 0}}, // 31,999 readings: two
        // The first chart's spacing counts the whole sheet; later ones their chunk.
        {65536, {{1, 31999, 0}, {32000, 63998, 31999}, {63999, 65536, 1538}}, {6553, 3199, 153}},
        // Exactly two chunks' worth: no third, empty chart.
        {63998, {{1, 31999, 0}, {32000, 63998, 31999}}, {6399, 3199}},
        {63999, {{1, 31999, 0}, {32000, 63998, 31999}, {63999, 63999, 1}}, {6399, 3199, 0}},
    };
    for (const ChunkCase& c : cases) {
        SCOPED_TRACE(c.rowCount);
        ASSERT_EQ(chartCount(c.rowCount), static_cast<int>(c.charts.size()));
        for (int k = 0; k < chartCount(c.rowCount); ++k) {
            const ChartRows rows = chartRows(k, c.rowCount);
            EXPECT_EQ(rows.firstRow, c.charts[k].firstRow) << "chart " << k;
            EXPECT_EQ(rows.lastRow, c.charts[k].lastRow) << "chart " << k;
            EXPECT_EQ(rows.chunkRows, c.charts[k].chunkRows) << "chart " << k;
            EXPECT_EQ(tickSpacing(rows, c.rowCount), c.ticks[k]) << "chart " << k;
        }
    }
}

TEST(ExportCharts, HumidityFileOfTwoChartsNamesAndPlacesEverySeries)
{
    const HeaderAnalysis header =
        analyseHeader("Store,Time,Celsius(\260C),High Alarm,Low Alarm,Humidity(%rh),High Alarm rh,Low Alarm rh,"
                      "dew point(\260C),Serial Number");
    const std::vector<ChartPlan> charts = planCharts(header, 32768); // 32,767 readings
    ASSERT_EQ(charts.size(), 2u);
    EXPECT_EQ(charts[0].sheetName, "Chart1");
    EXPECT_EQ(charts[1].sheetName, "Chart2");
    // 0-based sheet rows: the first chart's header row names the series, so its
    // values start below it.
    EXPECT_EQ(charts[0].firstDataRow, 1);
    EXPECT_EQ(charts[0].lastDataRow, 31998);
    EXPECT_EQ(charts[1].firstDataRow, 31999);
    EXPECT_EQ(charts[1].lastDataRow, 32767);
    EXPECT_EQ(charts[1].tickSpacing, 76);
    for (const ChartPlan& chart : charts) {
        ASSERT_EQ(chart.series.size(), 7u); // C..I: Celsius to dew point
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(chart.series[i].column, i + 2);
            EXPECT_EQ(chart.series[i].secondary, i >= 3 && i <= 5) << "series " << i + 1;
        }
        EXPECT_EQ(chart.title, "Store");
        EXPECT_EQ(chart.valueAxisTitle, ""); // a humidity file's axes carry no titles
    }
    EXPECT_EQ(manyChartsWarning(2),
              "Warning: The file contains more than 32000 readings.The maximum number of points in an Excel 2-D chart "
              "data series is 32000. Therefore 2 charts will be generated to show all the readings.");
}

TEST(ExportCharts, OtherFilesTitleTheValueAxisWithTheFirstUnit)
{
    const std::vector<ChartPlan> charts =
        planCharts(analyseHeader("Fridge,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number"), 11);
    ASSERT_EQ(charts.size(), 1u);
    EXPECT_EQ(charts[0].valueAxisTitle, "\260C");
    EXPECT_EQ(charts[0].tickSpacing, 1);
    ASSERT_EQ(charts[0].series.size(), 3u);
    EXPECT_FALSE(charts[0].series[0].secondary);
}

TEST(ExportCharts, NothingToChart)
{
    const HeaderAnalysis fridge = analyseHeader("Fridge,Time,Celsius(\260C),Serial Number");
    EXPECT_TRUE(planCharts(fridge, 1).empty()); // the header alone
    EXPECT_TRUE(planCharts(analyseHeader("Fridge,Time"), 50).empty());
    // Humidity alone stays on the first axis: there is nothing to set it apart from.
    const std::vector<ChartPlan> alone = planCharts(analyseHeader("H,Time,Humidity(%rh),Serial Number"), 50);
    ASSERT_EQ(alone.size(), 1u);
    ASSERT_EQ(alone[0].series.size(), 1u);
    EXPECT_FALSE(alone[0].series[0].secondary);
}

} // namespace
} // namespace velmora
