// The workbook of several download files: the overlay chart sheet, then a data sheet
// per file (see exportWorkbook in workbook_export.h).
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "data_sheet.h"
#include "file_identity.h"
#include "graph_data.h"
#include "graph_strings.h"
#include "placeholders.h"
#include "prompts.h"
#include "sheet_names.h"
#include "text_encoding.h"
#include "time_alignment.h"
#include "unit_axes.h"
#include "workbook_export.h"
#include "workbook_files.h"

namespace velmora {

namespace {

struct ExportedFile {
    std::string path;
    std::size_t size = 0;
    std::string sheetName;
    std::string title; // its series' name (UTF-8)
    AxisSide side = AxisSide::Left;
    int readings = 0;                        // rows below the header with a number in column A
    std::optional<double> firstDay, lastDay; // the earliest and latest time on the chart, as day numbers
    // Days from the file's own times (column B) to where the chart draws them, in the
    // first file's clock; not 0 only when the two loggers' clocks were set on either
    // side of a change of the clocks. Such a file's sheet holds the chart's times in
    // a column of their own, after the `usedColumns` of its fields.
    double chartShiftDays = 0;
    std::size_t usedColumns = 0;
};

// The file's name, and its logger's serial number when the file has one. A name that
// starts with "=" is kept a text as literalText keeps one.
std::string titleOf(const std::string& path, const std::string& serialCp1252)
{
    const std::string name = std::filesystem::path(path).filename().string();
    const std::string title =
        serialCp1252.empty() ? name : fillPlaceholders(graphtext::kFileWithSerial, {name, cp1252ToUtf8(serialCp1252)});
    return !title.empty() && title.front() == '=' ? " " + title : title;
}

class OverlayWriter {
public:
    OverlayWriter(const SheetDateFormat& dateFormat, Prompts& prompts) : dateFormat_(dateFormat), prompts_(prompts) {}

    ExportOutcome run(const std::vector<std::string>& paths, const std::string& workbookPath,
                      const ExportProgress& progress);

private:
    ExportOutcome fail(const std::string& message) { return exportFailure(prompts_, message); }
    // Each file read as the viewer reads it, and placed on a value axis. The message
    // for the first that cannot be, else empty.
    std::string readFiles(const std::vector<std::string>& paths, const std::string& workbookPath);
    bool addChart(lxw_chartsheet* sheet);

    const SheetDateFormat& dateFormat_;
    Prompts& prompts_;
    std::vector<ExportedFile> files_;
    std::string leftUnit_, rightUnit_;
    WorkbookFiles out_;
    lxw_workbook* workbook_ = nullptr; // owned by out_
};

std::string OverlayWriter::readFiles(const std::vector<std::string>& paths, const std::string& workbookPath)
{
    std::vector<std::unique_ptr<GraphData>> documents;
    std::vector<const GraphData*> read;
    for (const std::string& path : paths) {
        // The workbook would replace a file it is made from.
        if (sameExistingFile(path, workbookPath))
            return fillPlaceholders(graphtext::kWorkbookOverDownload, {workbookPath});
        ExportedFile file;
        file.path = path;
        {
            FileByteSource source;
            if (!source.open(path))
                return fillPlaceholders(graphtext::kCannotOpenFile, {path});
            file.size = source.sizeAtOpen();
        }
        documents.push_back(std::make_unique<GraphData>());
        if (const std::string refusal = refusalOfReader(path, *documents.back()); !refusal.empty())
            return fillPlaceholders(graphtext::kFileAndReason, {path, refusal});
        file.title = titleOf(path, documents.back()->serialNumber);
        read.push_back(documents.back().get());
        files_.push_back(std::move(file));
    }
    // The viewer places each file's readings from its start read in the computer's zone;
    // the chart's time base is the first file's clock, as on the screen.
    const TimeAlignment aligned = alignTimes(read);
    for (std::size_t f = 1; f < files_.size(); ++f) {
        const std::int64_t ownClocks = read[f]->startTime - read.front()->startTime;
        files_[f].chartShiftDays = static_cast<double>(aligned.offsets[f] - ownClocks) / 86400.0;
    }
    const AxisPlan axes = planChartAxes(read, paths);
    if (axes.refused)
        return axes.message;
    for (std::size_t f = 0; f < files_.size(); ++f) {
        files_[f].side = axes.axes[f];
        if (f == 0)
            leftUnit_ = read[f]->channel1.unit;
        else if (axes.axes[f] == AxisSide::Right && rightUnit_.empty())
            rightUnit_ = read[f]->channel1.unit;
    }
    SheetNames names({std::string(graphtext::kOverlaySheetName)});
    for (ExportedFile& file : files_)
        file.sheetName = names.unique(std::filesystem::path(file.path).stem().string(), graphtext::kDataSheetName);
    return {};
}

ExportOutcome OverlayWriter::run(const std::vector<std::string>& paths, const std::string& workbookPath,
                                 const ExportProgress& progress)
{
    if (const std::string refusal = readFiles(paths, workbookPath); !refusal.empty())
        return fail(refusal);
    // Counting the readings is quick: a tenth of the way for each file, writing the rest.
    std::size_t counting = 0, total = 0;
    for (const ExportedFile& file : files_)
        counting += file.size / 10;
    total = counting;
    for (const ExportedFile& file : files_)
        total += file.size;

    if (const std::string failed = out_.create(workbookPath); !failed.empty())
        return fail(failed);

    // First passes: each file's readings and the span of its times (and, for a file
    // whose chart times need a column, how many its fields take).
    std::size_t done = 0;
    for (ExportedFile& file : files_) {
        DataPass countPass(progress, done, 10, total);
        const std::size_t columns = file.chartShiftDays != 0 ? kMaxSheetColumns : 2;
        const DataPass::Result counted = countPass.run(
            file.path, columns, [&](std::size_t row, std::size_t column, std::string_view, const ImportedCell& cell) {
                file.usedColumns = std::max(file.usedColumns, column + 1);
                if (row == 0)
                    return;
                if (column == 0 && cell.kind == CellKind::Number)
                    ++file.readings;
                if (column == 1 && cell.kind == CellKind::Date) {
                    const double day = cell.value + file.chartShiftDays;
                    file.firstDay = std::min(file.firstDay.value_or(day), day);
                    file.lastDay = std::max(file.lastDay.value_or(day), day);
                }
            });
        if (counted != DataPass::Result::Done)
            return fail(passFailureMessage(countPass, counted, file.path));
        done += file.size / 10;
    }

    workbook_ = out_.open();
    if (!workbook_)
        return fail(fillPlaceholders(graphtext::kWorkbookWriteFailed, {workbookPath, std::strerror(errno)}));
    lxw_chartsheet* chartSheet = workbook_add_chartsheet(workbook_, graphtext::kOverlaySheetName.data());
    std::vector<lxw_worksheet*> sheets;
    for (const ExportedFile& file : files_)
        sheets.push_back(out_.addWorksheet(file.sheetName));
    lxw_format* dateCells = workbook_add_format(workbook_);
    format_set_num_format(dateCells, dateFormat_.code.c_str());
    if (!chartSheet || !dateCells || std::find(sheets.begin(), sheets.end(), nullptr) != sheets.end())
        return fail(fillPlaceholders(graphtext::kWorkbookWriteFailed, {workbookPath, "out of memory"}));

    // Second passes: each file's cells into its own sheet.
    for (std::size_t f = 0; f < files_.size(); ++f) {
        lxw_error written = LXW_NO_ERROR;
        DataPass writePass(progress, done, 1, total);
        std::optional<ShiftedTimeColumn> chartTimes;
        if (files_[f].chartShiftDays != 0)
            chartTimes = ShiftedTimeColumn{static_cast<lxw_col_t>(files_[f].usedColumns), files_[f].chartShiftDays,
                                           std::string(graphtext::kChartTimeColumn)};
        const DataPass::Result wrote = writeDataSheet(sheets[f], dateCells, dateFormat_.width, files_[f].path,
                                                      writePass, written, chartTimes ? &*chartTimes : nullptr);
        if (wrote != DataPass::Result::Done)
            return fail(passFailureMessage(writePass, wrote, files_[f].path));
        if (written != LXW_NO_ERROR)
            return fail(fillPlaceholders(graphtext::kWorkbookWriteFailed, {workbookPath, lxw_strerror(written)}));
        done += files_[f].size;
    }

    if (!addChart(chartSheet))
        return fail(fillPlaceholders(graphtext::kWorkbookWriteFailed, {workbookPath, "out of memory"}));
    std::vector<int> secondaryIdx;
    int series = 0;
    for (const ExportedFile& file : files_) {
        if (file.readings == 0)
            continue;
        if (file.side == AxisSide::Right)
            secondaryIdx.push_back(series);
        ++series;
    }
    if (const std::string failed = out_.finish(secondaryIdx, cp1252ToUtf8(rightUnit_)); !failed.empty())
        return fail(failed);
    if (progress)
        progress(total, total);
    return ExportOutcome::Written;
}

bool OverlayWriter::addChart(lxw_chartsheet* sheet)
{
    lxw_chart* chart = workbook_add_chart(workbook_, LXW_CHART_SCATTER_STRAIGHT);
    if (!chart)
        return false;
    std::optional<double> first, last;
    for (const ExportedFile& file : files_) {
        if (file.readings == 0) // an event logger's file has no readings to draw
            continue;
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        if (!series)
            return false;
        const auto lastRow = static_cast<lxw_row_t>(file.readings);
        const auto times = static_cast<lxw_col_t>(file.chartShiftDays != 0 ? file.usedColumns : 1);
        chart_series_set_categories(series, file.sheetName.c_str(), 1, times, lastRow, times);
        chart_series_set_values(series, file.sheetName.c_str(), 1, 2, lastRow, 2); // the first channel
        chart_series_set_name(series, file.title.c_str());
        chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
        if (file.firstDay)
            first = std::min(first.value_or(*file.firstDay), *file.firstDay);
        if (file.lastDay)
            last = std::max(last.value_or(*file.lastDay), *file.lastDay);
    }
    chart_title_set_name(chart,
                         fillPlaceholders(graphtext::kReportComparison, {std::to_string(files_.size())}).c_str());
    // The time axis spans the files exactly, its labels below the plot whatever the
    // values, in the user's form (the chart holds no copy of the cells to take it from).
    if (first && last && *last > *first) {
        chart_axis_set_min(chart->x_axis, *first);
        chart_axis_set_max(chart->x_axis, *last);
    }
    chart_axis_set_label_position(chart->x_axis, LXW_CHART_AXIS_LABEL_POSITION_LOW);
    chart_axis_set_num_format(chart->x_axis, dateFormat_.code.c_str());
    if (!leftUnit_.empty())
        chart_axis_set_name(chart->y_axis, literalText(leftUnit_).c_str());
    if (chartsheet_set_chart(sheet, chart) != LXW_NO_ERROR)
        return false;
    chartsheet_activate(sheet);
    return true;
}

} // namespace

ExportOutcome exportWorkbook(const std::vector<std::string>& downloadFiles, const std::string& workbookPath,
                             const SheetDateFormat& dateFormat, Prompts& prompts, const ExportProgress& progress)
{
    if (downloadFiles.size() == 1)
        return exportWorkbook(downloadFiles.front(), workbookPath, dateFormat, prompts, progress);
    OverlayWriter writer(dateFormat, prompts);
    return writer.run(downloadFiles, workbookPath, progress);
}

} // namespace velmora
