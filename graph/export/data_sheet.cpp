#include "data_sheet.h"

#include <algorithm>
#include <vector>

#include "graph_data_reader.h"
#include "graph_strings.h"
#include "placeholders.h"
#include "prompts.h"
#include "text_encoding.h"

namespace velmora {

namespace {
constexpr std::size_t kMaxTextLength = 32767; // what a cell can hold

// Row `row`'s cell of the moved times, from its own time `cell` (column B).
lxw_error writeShiftedTime(lxw_worksheet* sheet, lxw_format* dateCells, const ShiftedTimeColumn& shifted, lxw_row_t row,
                           const ImportedCell& cell)
{
    if (row == 0)
        return worksheet_write_string(sheet, row, shifted.column, shifted.header.c_str(), nullptr);
    if (cell.kind == CellKind::Date)
        return worksheet_write_number(sheet, row, shifted.column, cell.value + shifted.shiftDays, dateCells);
    return LXW_NO_ERROR;
}
} // namespace

ExportOutcome exportFailure(Prompts& prompts, const std::string& message)
{
    if (message.empty())
        return ExportOutcome::Cancelled;
    prompts.warn(message);
    return ExportOutcome::Failed;
}

std::string passFailureMessage(const DataPass& pass, DataPass::Result result, const std::string& downloadFile)
{
    switch (result) {
    case DataPass::Result::Cancelled: return {};
    case DataPass::Result::CannotOpen: return fillPlaceholders(graphtext::kCannotOpenFile, {downloadFile});
    case DataPass::Result::InvalidData: return readFailureMessage({ReadStatus::InvalidData, pass.invalidLine()});
    case DataPass::Result::TooManyRows: return std::string(graphtext::kTooManyRows);
    default: return std::string(graphtext::kReadError);
    }
}

std::string refusalOfReader(const std::string& downloadFile, GraphData& document)
{
    const ReadResult read = readDataFile(downloadFile, document);
    return read.status == ReadStatus::Loaded || read.status == ReadStatus::EventFile ? std::string()
                                                                                     : readFailureMessage(read);
}

std::string literalText(const std::string& cp1252)
{
    const std::string utf8 = cp1252ToUtf8(cp1252);
    return !utf8.empty() && utf8.front() == '=' ? " " + utf8 : utf8;
}

DataPass::Result writeDataSheet(lxw_worksheet* sheet, lxw_format* dateCells, int dateWidth,
                                const std::string& downloadFile, DataPass& pass, lxw_error& written,
                                const ShiftedTimeColumn* shifted)
{
    std::string text;
    std::vector<std::size_t> widths;
    const auto dateChars = static_cast<std::size_t>(dateWidth);
    const DataPass::Result result =
        pass.run(downloadFile, kMaxSheetColumns,
                 [&](std::size_t r, std::size_t c, std::string_view field, const ImportedCell& cell) {
                     const auto row = static_cast<lxw_row_t>(r);
                     const auto column = static_cast<lxw_col_t>(c);
                     if (c >= widths.size())
                         widths.resize(c + 1, 0);
                     lxw_error e = LXW_NO_ERROR;
                     std::size_t width = 0;
                     switch (cell.kind) {
                     case CellKind::Empty: break;
                     case CellKind::Number:
                         e = worksheet_write_number(sheet, row, column, cell.value, nullptr);
                         // A number never shows wider than it is written: most need no measuring.
                         if (field.size() > widths[c])
                             width = numberWidth(field);
                         break;
                     case CellKind::Date:
                         e = worksheet_write_number(sheet, row, column, cell.value, dateCells);
                         width = dateChars;
                         break;
                     case CellKind::Text:
                         text = cp1252ToUtf8(std::string(field.substr(0, kMaxTextLength)));
                         e = worksheet_write_string(sheet, row, column, text.c_str(), nullptr);
                         width = std::min(field.size(), kMaxTextLength);
                         break;
                     }
                     widths[c] = std::max(widths[c], width);
                     if (shifted && c == 1 && e == LXW_NO_ERROR)
                         e = writeShiftedTime(sheet, dateCells, *shifted, row, cell);
                     if (e != LXW_NO_ERROR && written == LXW_NO_ERROR)
                         written = e;
                 });
    if (result != DataPass::Result::Done)
        return result;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        if (widths[column] > 0) // fitted to the widest entry, with a little room
            worksheet_set_column(sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                                 static_cast<double>(widths[column]) + 1.0, nullptr);
    }
    if (shifted) {
        const double width = static_cast<double>(std::max(shifted->header.size(), dateChars)) + 1.0;
        worksheet_set_column(sheet, shifted->column, shifted->column, width, nullptr);
    }
    return result;
}

} // namespace velmora
