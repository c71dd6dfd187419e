#pragma once
// The user's short date and time forms as a spreadsheet number format, so that the
// time column's date cells show as the user writes dates.
#include <string>
#include <string_view>

namespace velmora {

struct SheetDateFormat {
    std::string code; // "dd/mm/yy hh:mm:ss"
    int width = 0;    // characters a date takes in it (for the column's width)
};

// From strftime patterns of the date and the time ("%d/%m/%y", "%H:%M:%S"): the date,
// one space, the time. Conversions a number format cannot show are left out;
// literal text is kept.
SheetDateFormat sheetDateFormat(std::string_view datePattern, std::string_view timePattern);

} // namespace velmora
