// How the text import reads a line of the download file into cells: the columns,
// numbers, the time column's dates, "Error", and the widths the cells take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text_import.h"

namespace velmora {
namespace {

std::vector<std::string> fieldsOf(std::string_view line)
{
    std::vector<std::string> out;
    ImportFields fields(line);
    std::string_view field;
    while (fields.next(field))
        out.emplace_back(field);
    return out;
}

TEST(TextImport, EveryCommaStartsAColumn)
{
    const struct {
        const char* line;
        std::vector<std::string> fields;
    } cases[] = {
        {"a,,b", {"a", "", "b"}},
        {"", {""}},
        {"a,", {"a", ""}},
        {" a , b", {" a ", " b"}},
        {"0,07/12/2026 14:00:00.0,,000012345", {"0", "07/12/2026 14:00:00.0", "", "000012345"}},
        // A field that starts with a quote runs to the closing one; "" is one quote.
        {"\"x,y\",z", {"x,y", "z"}},
        {"\"say \"\"hi\"\"\",1", {"say \"hi\"", "1"}},
        {"\"ab\"cd,e", {"abcd", "e"}},
        {"\"open,to the end", {"open,to the end"}},
        {"mid\"dle,x", {"mid\"dle", "x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fieldsOf(c.line), c.fields) << c.line;
}

TEST(TextImport, CellsAreNumbersDatesTextOrEmpty)
{
    // Day numbers by hand: 1 Jan 2010 is 40179, 1 Jan 2024 is 45292, 1 Jan 2026 is
    // 46023, 1 Jan 2020 is 43831; the time is the fraction of 86,400 seconds.
    const struct {
        const char* field;
        bool timeColumn;
        CellKind kind;
        double value;
    } cases[] = {
        {"21.3", false, CellKind::Number, 21.3},
        {" 5 ", false, CellKind::Number, 5},
        {"+2", false, CellKind::Number, 2},
        {"-0.5", false, CellKind::Number, -0.5},
        {".5", false, CellKind::Number, 0.5},
        {"5.", false, CellKind::Number, 5},
        {"1e3", false, CellKind::Number, 1000},
        {"000012345", false, CellKind::Number, 12345}, // the serial number loses its zeros
        {"", false, CellKind::Empty, 0},
        {"Error", false, CellKind::Empty, 0},
        {"error", false, CellKind::Empty, 0},
        {"ERROR", true, CellKind::Empty, 0},
        {"Error ", false, CellKind::Text, 0}, // only the whole cell is replaced
        {"Errors", false, CellKind::Text, 0},
        {"inf", false, CellKind::Text, 0},
        {"nan", false, CellKind::Text, 0},
        {"0x1A", false, CellKind::Text, 0},
        {"1.2.3", false, CellKind::Text, 0},
        {"-", false, CellKind::Text, 0},
        {"1e", false, CellKind::Text, 0},
        {"1e999", false, CellKind::Text, 0},
        {"Yes", false, CellKind::Text, 0},
        {"07/12/2026", false, CellKind::Text, 0}, // only the time column holds dates
        {"Time", true, CellKind::Text, 0},
        {"25/12/2010 13:05:00", true, CellKind::Date, 40537 + 47100 / 86400.0},
        {"07/12/2026 14:00:00", true, CellKind::Date, 46363 + 50400 / 86400.0},
        {"07/12/2026 14:03:12.4", true, CellKind::Date, 46363 + 50592.4 / 86400.0},
        {"25/12/10 13:05", true, CellKind::Date, 40537 + 47100 / 86400.0},
        {"1/3/2020", true, CellKind::Date, 43891},
        {"29/02/2024 00:00:00", true, CellKind::Date, 45351},
        {"01/03/1900", true, CellKind::Date, 61},
        {" 25/12/2010 13:05:00 ", true, CellKind::Date, 40537 + 47100 / 86400.0},
        {"29/02/2023 00:00:00", true, CellKind::Text, 0},
        {"31/04/2020 10:00:00", true, CellKind::Text, 0},
        {"01/13/2020 10:00:00", true, CellKind::Text, 0},
        {"25/12/2010 24:00:00", true, CellKind::Text, 0},
        {"25/12/2010 13:60:00", true, CellKind::Text, 0},
        {"25/12/2010 13:05:00.", true, CellKind::Text, 0},
        {"25/12/2010T13:05:00", true, CellKind::Text, 0},
        {"25/12-2010", true, CellKind::Text, 0},
        {"28/02/1900", true, CellKind::Text, 0}, // before the day numbers run true
        {"1234", true, CellKind::Number, 1234},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const ImportedCell cell = importCell(c.field, c.timeColumn);
        EXPECT_EQ(static_cast<int>(cell.kind), static_cast<int>(c.kind));
        if (c.kind == CellKind::Number || c.kind == CellKind::Date) {
            EXPECT_NEAR(cell.value, c.value, 1e-9);
        }
        if (c.kind == CellKind::Text) {
            EXPECT_EQ(cell.text, c.field);
        }
    }
}

TEST(TextImport, NumbersTakeTheWidthGeneralShowsThemIn)
{
    const struct {
        const char* field;
        std::size_t width;
    } cases[] = {
        {"30.0", 2}, {"000012345", 5},        {"-12.50", 5}, {"0.5", 3}, {"1e5", 3},
        {"+7", 1},   {"123456789012345", 11}, {"0", 1},      {"0.0", 1}, {" 21.3 ", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberWidth(c.field), c.width) << c.field;
}

} // namespace
} // namespace velmora
