// Sheet names a spreadsheet program accepts, made from file names it did not choose.
#include <gtest/gtest.h>

#include "sheet_names.h"

namespace velmora {
namespace {

TEST(SheetNames, AFileNameBecomesAValidSheetName)
{
    const struct {
        std::string wanted, name;
    } cases[] = {
        {"hall", "hall"},
        {"a[1]:b*c?d/e\\f", "a_1__b_c_d_e_f"},                                     // every forbidden character
        {"tab\there", "tab_here"},                                                 // control characters
        {"'quoted'", "_quoted_"},                                                  // an apostrophe at either end
        {"it's", "it's"},                                                          // ... but not inside
        {"bad\xff\xfe utf", "bad__ utf"},                                          // bytes that are not UTF-8
        {"1234567890123456789012345678901234", "1234567890123456789012345678901"}, // 31 characters
        // 30 ASCII characters and an "é" (two bytes, one character): 31, kept whole.
        {std::string(30, 'x') + "\xc3\xa9yz", std::string(30, 'x') + "\xc3\xa9"},
        // A character outside the BMP counts twice, and is not cut in half.
        {std::string(30, 'x') + "\xf0\x9f\x8c\xa1", std::string(30, 'x')},
        {"", "Data"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(validSheetName(c.wanted, "Data"), c.name) << c.wanted;
}

TEST(SheetNames, NamesGivenTwiceInAnyCaseGetANumber)
{
    SheetNames names({"Chart1"});
    const std::string longName(40, 'L');
    EXPECT_EQ(names.unique("hall", "Data"), "hall");
    EXPECT_EQ(names.unique("hall", "Data"), "hall (2)");
    EXPECT_EQ(names.unique("HALL", "Data"), "HALL (3)");
    EXPECT_EQ(names.unique("chart1", "Data"), "chart1 (2)");   // the overlay's own sheet
    EXPECT_EQ(names.unique("history", "Data"), "history (2)"); // kept by the program for itself
    EXPECT_EQ(names.unique(longName, "Data"), std::string(31, 'L'));
    EXPECT_EQ(names.unique(longName, "Data"), std::string(27, 'L') + " (2)"); // still 31
    EXPECT_EQ(names.unique("", "Data"), "Data");
    EXPECT_EQ(names.unique("", "Data"), "Data (2)");
}

} // namespace
} // namespace velmora
