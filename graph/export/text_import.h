#pragma once
// A download file's line as a spreadsheet's text import reads it: fields separated by
// single commas (an empty field keeps its column), a field that starts with a double
// quote runs to the closing quote; a field that reads as a number becomes a number,
// the time column's day/month/year stamps become dates, and "Error" becomes an empty
// cell.
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

class ImportFields {
public:
    explicit ImportFields(std::string_view line) : rest_(line) {}

    // The next field's text, without its quotes; false when the line has no more.
    // The view stays valid until the next call.
    bool next(std::string_view& field);

private:
    std::string_view rest_;
    bool done_ = false;
    std::string unquoted_;
};

enum class CellKind { Empty, Number, Date, Text };

struct ImportedCell {
    CellKind kind = CellKind::Empty;
    double value = 0;      // Number: the value; Date: the spreadsheet's day number
    std::string_view text; // Text: the field as written
};

// `timeColumn`: the field is in the column imported as day/month/year dates.
ImportedCell importCell(std::string_view field, bool timeColumn);

// The number a field reads as: digits with an optional sign, point and exponent,
// spaces around allowed. False for anything else (words, "inf", hexadecimal, "1,5").
bool importNumber(std::string_view field, double& value);

// A day/month/year date with an optional time ("25/12/2010 13:05:00", "7/1/26 9:05",
// seconds may carry a fraction) as a spreadsheet day number: days since 30 December
// 1899, the time as the fraction of the day. False for anything that is not a real
// date and time, or lies before 1 March 1900.
bool importDate(std::string_view field, double& day);

// The characters a General-formatted number takes on the sheet (at most 11).
std::size_t numberWidth(std::string_view field);

} // namespace velmora
