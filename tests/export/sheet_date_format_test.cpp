// The user's date and time patterns as the number format of the time column.
#include <gtest/gtest.h>

#include "sheet_date_format.h"

namespace velmora {
namespace {

TEST(SheetDateFormat, PatternsOfCommonLocales)
{
    const struct {
        const char* date;
        const char* time;
        const char* code;
        int width;
    } cases[] = {
        {"%m/%d/%y", "%H:%M:%S", "mm/dd/yy hh:mm:ss", 17},   // C
        {"%d/%m/%y", "%T", "dd/mm/yy hh:mm:ss", 17},         // en_GB
        {"%m/%d/%Y", "%r", "mm/dd/yyyy hh:mm:ss AM/PM", 22}, // en_US
        {"%d.%m.%Y", "%T", "dd.mm.yyyy hh:mm:ss", 19},       // de_DE
        {"%Y-%m-%d", "%H:%M", "yyyy-mm-dd hh:mm", 16},
        {"%e %b %Y", "%l:%M %p", "d mmm yyyy h:mm AM/PM", 20},
        {"%D", "%R", "mm/dd/yy hh:mm", 14},
        {"%-d/%-m/%Y", "%k:%M", "d/m/yyyy h:mm", 16},
        // Literal text is quoted, so that a format does not read it as a code.
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", "%H\xE6\x99\x82%M\xE5\x88\x86",
         "yyyy\"\xE5\xB9\xB4\"mm\"\xE6\x9C\x88\"dd\"\xE6\x97\xA5\" hh\"\xE6\x99\x82\"mm\"\xE5\x88\x86\"", 18},
        {"%d %% %m", "%H", "dd \"%\" mm hh", 10},
        {"%d\"%m", "%H", "dd\\\"mm hh", 8},
        // A conversion a number format cannot show (the zone) is left out.
        {"%d/%m/%Y", "%H:%M:%S %Z", "dd/mm/yyyy hh:mm:ss ", 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.time);
        const SheetDateFormat format = sheetDateFormat(c.date, c.time);
        EXPECT_EQ(format.code, c.code);
        EXPECT_EQ(format.width, c.width);
    }
}

} // namespace
} // namespace velmora
