// Filling %1, %2 in the tables' texts without Qt: the workbook's and the report's
// failure messages, the archive's messages.
#include <gtest/gtest.h>

#include "placeholders.h"

namespace velmora {
namespace {

TEST(Placeholders, EachArgumentGoesInOnceAndComesOutAsItWentIn)
{
    const struct {
        const char* text;
        std::initializer_list<std::string> args;
        const char* want;
    } rows[] = {
        // A file's name holding "%2" is not the place for the reason.
        {"Failed opening file:\n%1\n(%2)",
         {"/data/100%2 run.xlsx", "Permission denied"},
         "Failed opening file:\n/data/100%2 run.xlsx\n(Permission denied)"},
        {"%1 to %2", {"%1", "b"}, "%1 to b"},
        {"%2 before %1", {"one", "two"}, "two before one"},
        // Signs that are not a given argument's number stay.
        {"100% of %1%", {"x"}, "100% of x%"},
        {"%1 and %3", {"a", "b"}, "a and %3"},
        {"%0 %", {"a"}, "%0 %"},
        {"only %1", {}, "only %1"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(fillPlaceholders(row.text, row.args), row.want) << row.text;
}

} // namespace
} // namespace velmora
