#include "workbook_export.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "data_sheet.h"
#include "export_plan.h"
#include "file_identity.h"
#include "graph_data.h"
#include "graph_strings.h"
#include "placeholders.h"
#include "prompts.h"
#include "workbook_files.h"

namespace velmora {

namespace {

std::string withArguments(std::string_view text, const std::string& first, const std::string& second = {})
{
    return fillPlaceholders(text, {first, second});
}

class WorkbookWriter {
public:
    WorkbookWriter(const SheetDateFormat& dateFormat, Prompts& prompts) : dateFormat_(dateFormat), prompts_(prompts) {}

    ExportOutcome run(const std::string& downloadFile, const std::string& workbookPath, const ExportProgress& progress);

private:
    ExportOutcome fail(const std::string& message) { return exportFailure(prompts_, message); }
    bool addCharts(const std::vector<ChartPlan>& charts, std::vector<lxw_chartsheet*>& sheets);

    const SheetDateFormat& dateFormat_;
    Prompts& prompts_;
    WorkbookFiles files_;
    lxw_workbook* workbook_ = nullptr; // owned by files_
};

ExportOutcome WorkbookWriter::run(const std::string& downloadFile, const std::string& workbookPath,
                                  const ExportProgress& progress)
{
    // The workbook would replace the very file it is made from.
    if (sameExistingFile(downloadFile, workbookPath))
        return fail(withArguments(graphtext::kWorkbookOverDownload, workbookPath));
    std::size_t fileSize = 0;
    {
        FileByteSource source;
        if (!source.open(downloadFile))
            return fail(withArguments(graphtext::kCannotOpenFile, downloadFile));
        fileSize = source.sizeAtOpen();
    }
    {
        GraphData document;
        if (const std::string refusal = refusalOfReader(downloadFile, document); !refusal.empty())
            return fail(refusal);
    }
    // Counting the readings is quick: it is a tenth of the way, writing the rest.
    const std::size_t counting = fileSize / 10, total = counting + fileSize;

    if (const std::string failed = files_.create(workbookPath); !failed.empty())
        return fail(failed);

    // First pass: the header line and the readings (numbers in column A below it).
    int readings = 0;
    DataPass countPass(progress, 0, 10, total);
    const DataPass::Result counted =
        countPass.run(downloadFile, 1, [&](std::size_t row, std::size_t, std::string_view, const ImportedCell& cell) {
            if (row > 0 && cell.kind == CellKind::Number)
                ++readings;
        });
    if (counted != DataPass::Result::Done)
        return fail(passFailureMessage(countPass, counted, downloadFile));

    const HeaderAnalysis header = analyseHeader(countPass.firstLine());
    const int rowCount = readings + 1;
    const std::vector<ChartPlan> charts = planCharts(header, rowCount);
    if (charts.size() > 1)
        prompts_.warn(manyChartsWarning(static_cast<int>(charts.size())));

    workbook_ = files_.open();
    if (!workbook_)
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, std::strerror(errno)));
    std::vector<lxw_chartsheet*> chartSheets;
    for (const ChartPlan& chart : charts)
        chartSheets.push_back(workbook_add_chartsheet(workbook_, chart.sheetName.c_str()));
    lxw_worksheet* data = files_.addWorksheet(std::string(graphtext::kDataSheetName));
    lxw_format* dateCells = workbook_add_format(workbook_);
    format_set_num_format(dateCells, dateFormat_.code.c_str());
    if (!data || !dateCells || std::find(chartSheets.begin(), chartSheets.end(), nullptr) != chartSheets.end())
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, "out of memory"));

    // Second pass: the cells, and the characters each column's widest entry takes.
    lxw_error written = LXW_NO_ERROR;
    DataPass writePass(progress, counting, 1, total);
    const DataPass::Result wrote = writeDataSheet(data, dateCells, dateFormat_.width, downloadFile, writePass, written);
    if (wrote != DataPass::Result::Done)
        return fail(passFailureMessage(writePass, wrote, downloadFile));
    if (written != LXW_NO_ERROR)
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, lxw_strerror(written)));

    if (!addCharts(charts, chartSheets))
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, "out of memory"));
    std::vector<int> secondaryIdx;
    if (!charts.empty()) {
        for (std::size_t i = 0; i < charts.front().series.size(); ++i)
            if (charts.front().series[i].secondary)
                secondaryIdx.push_back(static_cast<int>(i));
    }
    if (const std::string failed = files_.finish(secondaryIdx); !failed.empty())
        return fail(failed);
    if (progress)
        progress(total, total);
    return ExportOutcome::Written;
}

bool WorkbookWriter::addCharts(const std::vector<ChartPlan>& charts, std::vector<lxw_chartsheet*>& sheets)
{
    const char* dataSheet = graphtext::kDataSheetName.data();
    for (std::size_t k = 0; k < charts.size(); ++k) {
        const ChartPlan& plan = charts[k];
        lxw_chart* chart = workbook_add_chart(workbook_, LXW_CHART_LINE);
        if (!chart)
            return false;
        const auto first = static_cast<lxw_row_t>(plan.firstDataRow);
        const auto last = static_cast<lxw_row_t>(plan.lastDataRow);
        for (const ChartSeries& s : plan.series) {
            lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
            if (!series)
                return false;
            const auto column = static_cast<lxw_col_t>(s.column);
            chart_series_set_categories(series, dataSheet, first, 1, last, 1);
            chart_series_set_values(series, dataSheet, first, column, last, column);
            chart_series_set_name_range(series, dataSheet, 0, column); // the header cell in row 1
            chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
        }
        if (!plan.title.empty())
            chart_title_set_name(chart, literalText(plan.title).c_str());
        // The times as categories: labels below the plot, points on the tick marks.
        chart_axis_set_label_position(chart->x_axis, LXW_CHART_AXIS_LABEL_POSITION_LOW);
        chart_axis_set_position(chart->x_axis, LXW_CHART_AXIS_POSITION_ON_TICK);
        // The chart holds no copy of the cells (rows are written as they come), so a
        // program cannot take the times' form from it: the axis names the form itself.
        chart_axis_set_num_format(chart->x_axis, dateFormat_.code.c_str());
        if (plan.tickSpacing > 0) {
            const auto spacing = static_cast<uint16_t>(std::min(plan.tickSpacing, 65535));
            chart_axis_set_interval_unit(chart->x_axis, spacing);
            chart_axis_set_interval_tick(chart->x_axis, spacing);
        }
        if (!plan.valueAxisTitle.empty())
            chart_axis_set_name(chart->y_axis, literalText(plan.valueAxisTitle).c_str());
        if (chartsheet_set_chart(sheets[k], chart) != LXW_NO_ERROR)
            return false;
    }
    if (!sheets.empty())
        chartsheet_activate(sheets.front());
    return true;
}

} // namespace

ExportOutcome exportWorkbook(const std::string& downloadFile, const std::string& workbookPath,
                             const SheetDateFormat& dateFormat, Prompts& prompts, const ExportProgress& progress)
{
    WorkbookWriter writer(dateFormat, prompts);
    return writer.run(downloadFile, workbookPath, progress);
}

} // namespace velmora
