#pragma once
// What goes where in the exported workbook, worked out from the download file's
// header line and its number of readings: the series of each chart, which value axis
// each one is drawn against, the rows each chart covers and the texts around it.
// Plain functions of their inputs: no file, no workbook.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The header line read for the charts. Series numbers count the header's fields from
// the time column (0), so field n is the chart's series n and lies in sheet column
// n + 2 (column B holds the times).
struct HeaderAnalysis {
    std::string loggerName;           // field 1: the charts' title
    std::string firstUnit;            // between the brackets of the first field that has both
    std::string secondUnit;           // ... and of the second one
    std::vector<int> secondarySeries; // the humidity columns, drawn against the right-hand axis
    std::vector<int> primarySeries;   // every other column but the time
    int columnCount = 0;              // the charts' last sheet column
    bool humidity = false;            // the line holds "%rh"
};

// `line` is the file's first line. Fields are split at commas with empty fields
// dropped, as the viewer reads them; the analysis stops after "Serial Number" or at
// the end of the line.
HeaderAnalysis analyseHeader(std::string_view line);

// A chart series holds at most this many rows of the sheet.
inline constexpr int kRowsPerChart = 31999;

// Charts needed for `rowCount` sheet rows (the readings and the header row).
int chartCount(int rowCount);

// The sheet rows (1-based, inclusive) chart `chart` (0-based) is made from. The first
// chart starts at the header row; later ones have no header row in their range and
// `chunkRows` gives their length.
struct ChartRows {
    int firstRow = 1;
    int lastRow = 1;
    int chunkRows = 0; // 0 for the first chart
};
ChartRows chartRows(int chart, int rowCount);

// Labels and tick marks on the time axis: every n/10 categories, where n is the
// chunk's length or, for the first chart, the whole sheet's row count. 0 when that
// comes to less than one (the spreadsheet program then spaces them itself).
int tickSpacing(const ChartRows& rows, int rowCount);

struct ChartSeries {
    int column = 0;         // 0-based sheet column of the values
    bool secondary = false; // drawn against the right-hand value axis
};

struct ChartPlan {
    std::string sheetName; // "Chart1", "Chart2", ...
    int firstDataRow = 0;  // 0-based sheet rows of the values and times
    int lastDataRow = 0;
    std::vector<ChartSeries> series; // named by their header cell in row 1
    int tickSpacing = 0;
    std::string title;          // the logger name
    std::string valueAxisTitle; // the first unit, for files without humidity
};

// Every chart of the workbook, in order; none when the file holds no readings or the
// header names no column to chart.
std::vector<ChartPlan> planCharts(const HeaderAnalysis& header, int rowCount);

// Message 145 with the number of charts in place of %d.
std::string manyChartsWarning(int charts);

} // namespace velmora
