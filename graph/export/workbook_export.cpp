#include "workbook_export.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "atomic_file.h"
#include "chart_part_rewrite.h"
#include "export_plan.h"
#include "file_byte_source.h"
#include "file_identity.h"
#include "graph_data_reader.h"
#include "graph_strings.h"
#include "placeholders.h"
#include "prompts.h"
#include "text_encoding.h"
#include "text_import.h"

namespace velmora {

namespace {

// What a worksheet can hold.
constexpr std::size_t kMaxRows = 1048576;
constexpr std::size_t kMaxColumns = 16384;
constexpr std::size_t kMaxTextLength = 32767;
constexpr std::size_t kLinesBetweenProgress = 2048;

std::string withArguments(std::string_view text, const std::string& first, const std::string& second = {})
{
    return fillPlaceholders(text, {first, second});
}

// The workbook library reads a text that starts with "=" as a cell reference (and
// writes a broken one); logger names and units may start so. A leading space keeps
// such a text a text.
std::string literalText(const std::string& cp1252)
{
    const std::string utf8 = cp1252ToUtf8(cp1252);
    return !utf8.empty() && utf8.front() == '=' ? " " + utf8 : utf8;
}

// The viewer's reader decides what can be exported: what it cannot read (an empty or
// a header-only file, any other bytes) would give an empty or a meaningless workbook.
// An event logger's file is read whole and exported, though the viewer does not
// chart it. The reader's message, or empty when the file can be exported.
std::string refusalOfReader(const std::string& downloadFile)
{
    GraphData document;
    const ReadResult read = readDataFile(downloadFile, document);
    return read.status == ReadStatus::Loaded || read.status == ReadStatus::EventFile ? std::string()
                                                                                     : readFailureMessage(read);
}

// The download file read line by line, field by field, as the text import takes it:
// once for the header and the number of readings, once to write the sheet.
class DataPass {
public:
    // Progress is reported as `progressBase` + the bytes read / `share`, out of `total`.
    DataPass(const ExportProgress& progress, std::size_t progressBase, std::size_t share, std::size_t total)
        : progress_(progress), base_(progressBase), share_(share), total_(total)
    {
    }

    enum class Result { Done, CannotOpen, ReadError, InvalidData, TooManyRows, Cancelled };

    // Calls cell(row, column, field, importedCell) for the first `columns` fields of
    // every line.
    template <typename CellFn> Result run(const std::string& path, std::size_t columns, CellFn&& cell)
    {
        FileByteSource source;
        if (!source.open(path))
            return Result::CannotOpen;
        LineReader lines(source);
        std::string_view line;
        std::size_t row = 0;
        for (LineReader::Status status; (status = lines.next(line)) != LineReader::Status::End; ++row) {
            if (status == LineReader::Status::ReadError)
                return Result::ReadError;
            // Past the longest line there is no line to read: one the reader's check did
            // not reach (after a single reading's blank line), or one written since.
            if (status == LineReader::Status::TooLong) {
                invalidLine_ = row + 1;
                return Result::InvalidData;
            }
            if (row == kMaxRows)
                return Result::TooManyRows;
            if (row == 0)
                firstLine_ = std::string(line);
            ImportFields fields(line);
            std::string_view field;
            for (std::size_t column = 0; column < columns && fields.next(field); ++column)
                cell(row, column, field, importCell(field, column == 1));
            if (row % kLinesBetweenProgress == 0 && progress_ && !progress_(base_ + lines.consumed() / share_, total_))
                return Result::Cancelled;
        }
        return source.endedEarly() ? Result::ReadError : Result::Done;
    }

    const std::string& firstLine() const { return firstLine_; }
    // InvalidData: the line (from 1) that could not be read.
    std::size_t invalidLine() const { return invalidLine_; }

private:
    const ExportProgress& progress_;
    std::size_t base_;
    std::size_t share_;
    std::size_t total_;
    std::string firstLine_;
    std::size_t invalidLine_ = 0;
};

class WorkbookWriter {
public:
    WorkbookWriter(const SheetDateFormat& dateFormat, Prompts& prompts) : dateFormat_(dateFormat), prompts_(prompts) {}
    ~WorkbookWriter()
    {
        if (workbook_)
            lxw_workbook_free(workbook_); // after a failure: nothing more is written
    }

    ExportOutcome run(const std::string& downloadFile, const std::string& workbookPath, const ExportProgress& progress);

private:
    ExportOutcome fail(const std::string& message)
    {
        prompts_.warn(message);
        return ExportOutcome::Failed;
    }
    ExportOutcome passFailure(const DataPass& pass, DataPass::Result result, const std::string& downloadFile);
    bool addCharts(const std::vector<ChartPlan>& charts, std::vector<lxw_chartsheet*>& sheets);

    const SheetDateFormat& dateFormat_;
    Prompts& prompts_;
    // What the workbook library writes, beside the target under the temporary files'
    // name, so that a killed export leaves it where the next save clears it up. Never
    // committed: removed after the workbook below is let go of.
    AtomicFile scratch_;
    std::vector<char> rowBuffer_ = std::vector<char>(1 << 20); // outlives the workbook's files
    lxw_workbook* workbook_ = nullptr;
};

ExportOutcome WorkbookWriter::passFailure(const DataPass& pass, DataPass::Result result,
                                          const std::string& downloadFile)
{
    switch (result) {
    case DataPass::Result::Cancelled: return ExportOutcome::Cancelled;
    case DataPass::Result::CannotOpen: return fail(withArguments(graphtext::kCannotOpenFile, downloadFile));
    case DataPass::Result::InvalidData: return fail(readFailureMessage({ReadStatus::InvalidData, pass.invalidLine()}));
    case DataPass::Result::TooManyRows: return fail(std::string(graphtext::kTooManyRows));
    default: return fail(std::string(graphtext::kReadError));
    }
}

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
    if (const std::string refusal = refusalOfReader(downloadFile); !refusal.empty())
        return fail(refusal);
    // Counting the readings is quick: it is a tenth of the way, writing the rest.
    const std::size_t counting = fileSize / 10, total = counting + fileSize;

    AtomicFile target;
    if (!target.create(workbookPath))
        return fail(withArguments(graphtext::kWorkbookOpenFailed, workbookPath, std::strerror(target.error())));
    if (!scratch_.create(workbookPath))
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, std::strerror(scratch_.error())));

    // First pass: the header line and the readings (numbers in column A below it).
    int readings = 0;
    DataPass countPass(progress, 0, 10, total);
    const DataPass::Result counted =
        countPass.run(downloadFile, 1, [&](std::size_t row, std::size_t, std::string_view, const ImportedCell& cell) {
            if (row > 0 && cell.kind == CellKind::Number)
                ++readings;
        });
    if (counted != DataPass::Result::Done)
        return passFailure(countPass, counted, downloadFile);

    const HeaderAnalysis header = analyseHeader(countPass.firstLine());
    const int rowCount = readings + 1;
    const std::vector<ChartPlan> charts = planCharts(header, rowCount);
    if (charts.size() > 1)
        prompts_.warn(manyChartsWarning(static_cast<int>(charts.size())));

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows go out as they are written
    workbook_ = workbook_new_opt(scratch_.temporaryPath().c_str(), &options);
    if (!workbook_)
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, std::strerror(errno)));
    std::vector<lxw_chartsheet*> chartSheets;
    for (const ChartPlan& chart : charts)
        chartSheets.push_back(workbook_add_chartsheet(workbook_, chart.sheetName.c_str()));
    lxw_worksheet* data = workbook_add_worksheet(workbook_, std::string(graphtext::kDataSheetName).c_str());
    lxw_format* dateCells = workbook_add_format(workbook_);
    format_set_num_format(dateCells, dateFormat_.code.c_str());
    if (!data || !dateCells || std::find(chartSheets.begin(), chartSheets.end(), nullptr) != chartSheets.end())
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, "out of memory"));
    // The library sends each row to its temporary file through the default stdio
    // buffer of a few kilobytes: thousands of small writes. A large buffer, set before
    // the first row, takes about a sixth off the export's processor time.
    if (data->optimize_tmpfile)
        std::setvbuf(data->optimize_tmpfile, rowBuffer_.data(), _IOFBF, rowBuffer_.size());

    // Second pass: the cells, and the characters each column's widest entry takes.
    lxw_error written = LXW_NO_ERROR;
    std::string text;
    std::vector<std::size_t> widths;
    const auto dateWidth = static_cast<std::size_t>(dateFormat_.width);
    DataPass writePass(progress, counting, 1, total);
    const DataPass::Result wrote = writePass.run(
        downloadFile, kMaxColumns, [&](std::size_t r, std::size_t c, std::string_view field, const ImportedCell& cell) {
            const auto row = static_cast<lxw_row_t>(r);
            const auto column = static_cast<lxw_col_t>(c);
            if (c >= widths.size())
                widths.resize(c + 1, 0);
            lxw_error e = LXW_NO_ERROR;
            std::size_t width = 0;
            switch (cell.kind) {
            case CellKind::Empty: break;
            case CellKind::Number:
                e = worksheet_write_number(data, row, column, cell.value, nullptr);
                // A number never shows wider than it is written: most need no measuring.
                if (field.size() > widths[c])
                    width = numberWidth(field);
                break;
            case CellKind::Date:
                e = worksheet_write_number(data, row, column, cell.value, dateCells);
                width = dateWidth;
                break;
            case CellKind::Text:
                text = cp1252ToUtf8(std::string(field.substr(0, kMaxTextLength)));
                e = worksheet_write_string(data, row, column, text.c_str(), nullptr);
                width = std::min(field.size(), kMaxTextLength);
                break;
            }
            widths[c] = std::max(widths[c], width);
            if (e != LXW_NO_ERROR && written == LXW_NO_ERROR)
                written = e;
        });
    if (wrote != DataPass::Result::Done)
        return passFailure(writePass, wrote, downloadFile);
    if (written != LXW_NO_ERROR)
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, lxw_strerror(written)));
    for (std::size_t column = 0; column < widths.size(); ++column) {
        if (widths[column] > 0) // fitted to the widest entry, with a little room
            worksheet_set_column(data, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                                 static_cast<double>(widths[column]) + 1.0, nullptr);
    }

    if (!addCharts(charts, chartSheets))
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, "out of memory"));
    const lxw_error closed = workbook_close(workbook_);
    workbook_ = nullptr;
    if (closed != LXW_NO_ERROR)
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, lxw_strerror(closed)));

    std::vector<int> secondaryIdx;
    if (!charts.empty()) {
        for (std::size_t i = 0; i < charts.front().series.size(); ++i)
            if (charts.front().series[i].secondary)
                secondaryIdx.push_back(static_cast<int>(i));
    }
    std::string why;
    if (!copyWithChartsRewritten(scratch_.temporaryPath(), target.fd(), secondaryIdx, why))
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, why));
    if (!target.commit())
        return fail(withArguments(graphtext::kWorkbookWriteFailed, workbookPath, std::strerror(target.error())));
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
