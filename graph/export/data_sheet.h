#pragma once
// A download file as a worksheet of the workbook, the way a spreadsheet's text import
// reads it: line by line, field by field, the times as dates in the user's form, each
// column as wide as its widest entry. One file's workbook holds one such sheet, a
// workbook of several files one per file.
#include <xlsxwriter.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "file_byte_source.h"
#include "line_reader.h"
#include "text_import.h"
#include "workbook_export.h"

namespace velmora {

struct GraphData;
class Prompts;

// What a worksheet can hold.
inline constexpr std::size_t kMaxSheetRows = 1048576;
inline constexpr std::size_t kMaxSheetColumns = 16384;

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
            if (row == kMaxSheetRows)
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
    static constexpr std::size_t kLinesBetweenProgress = 2048;

    const ExportProgress& progress_;
    std::size_t base_;
    std::size_t share_;
    std::size_t total_;
    std::string firstLine_;
    std::size_t invalidLine_ = 0;
};

// An export that stops: Failed, `message` told through `prompts`; Cancelled when the
// message is empty (the user cancelled).
ExportOutcome exportFailure(Prompts& prompts, const std::string& message);

// The message for a pass that did not get through `downloadFile`; empty when the
// user cancelled it.
std::string passFailureMessage(const DataPass& pass, DataPass::Result result, const std::string& downloadFile);

// The viewer's reader decides what can be exported: what it cannot read (an empty or
// a header-only file, any other bytes) would give an empty or a meaningless workbook.
// An event logger's file is read whole and exported, though the viewer does not
// chart it. The reader's message, or empty when the file can be exported; `document`
// holds what was read.
std::string refusalOfReader(const std::string& downloadFile, GraphData& document);

// A text of the file (Windows-1252) as the workbook library takes a title: the
// library reads a text that starts with "=" as a cell reference (and writes a broken
// one); logger names and units may start so. A leading space keeps such a text a text.
std::string literalText(const std::string& cp1252);

// A column beside the file's own (at `column`, past every field of every line): under
// `header`, each reading's time moved by `shiftDays`. Rows go out as they are written,
// so it is written with them.
struct ShiftedTimeColumn {
    lxw_col_t column = 0;
    double shiftDays = 0;
    std::string header; // UTF-8
};

// The second pass: every line of `downloadFile` into `sheet`, the dates in
// `dateCells` of `dateWidth` characters, and each column fitted to its widest entry;
// and `shifted` when given. A cell the library fails to write leaves its error in
// `written`.
DataPass::Result writeDataSheet(lxw_worksheet* sheet, lxw_format* dateCells, int dateWidth,
                                const std::string& downloadFile, DataPass& pass, lxw_error& written,
                                const ShiftedTimeColumn* shifted = nullptr);

} // namespace velmora
