// The name check of the name pages.
#include <gtest/gtest.h>

#include "logger_name_check.h"
#include "utility_strings.h"

using namespace velmora;

TEST(LoggerNameCheck, NamesAreTrimmedOnTheLeftAndRefusedWhenEmptyLongUnsupportedOrControl)
{
    const std::string missing = std::string(utilitytext::kNameMissing),
                      tooLong = std::string(utilitytext::kNameTooLong),
                      unsupported = std::string(utilitytext::kNameUnsupported),
                      control(utilitytext::kNameControlCharacter);
    struct Case {
        std::string typed;
        std::string problem; // empty: taken
        std::string stored;
    };
    const Case cases[] = {
        {"Fridge 3", "", "Fridge 3"},
        {"  Fridge", "", "Fridge"},
        {"Fridge  ", "", "Fridge  "},
        {"   ", missing, ""},
        {"", missing, ""},
        {"123456789012345", "", "123456789012345"},
        {"  123456789012345", "", "123456789012345"},
        {"1234567890123456", tooLong, "1234567890123456"},
        {"Cold/Store", unsupported, "Cold/Store"},
        {"A\"B", unsupported, "A\"B"},
        {"Lab (2)", unsupported, "Lab (2)"},
        {"a|b", unsupported, "a|b"},
        {"Caf\xE9 5\xB0", "", "Caf\xE9 5\xB0"}, // Windows-1252 letters are fine, \x80 (the euro) too
        {"\x80 Store \x9F", "", "\x80 Store \x9F"},
        // A line feed would split the download file's header; a NUL would cut the name.
        {"Cold\nRoom", control, "Cold\nRoom"},
        {std::string("Cold\0Room", 9), control, std::string("Cold\0Room", 9)},
        {"\tFridge", control, "\tFridge"},
        {"Fridge\r", control, "Fridge\r"},
        {"\x1B[31mRed", control, "\x1B[31mRed"},
        {"Del\x7F", control, "Del\x7F"},
        {"Gap\x81", control, "Gap\x81"}, // unassigned in Windows-1252: the C1 control U+0081
        {"Gap\x9D", control, "Gap\x9D"},
    };
    for (Case c : cases) {
        std::string name = c.typed;
        EXPECT_EQ(loggerNameProblem(name), c.problem) << "\"" << c.typed << "\"";
        EXPECT_EQ(name, c.stored) << "\"" << c.typed << "\"";
    }
    EXPECT_EQ(std::string(utilitytext::kNameUnsupported),
              "The Logger Name contains a character that is not supported.\n"
              "Unsupported characters are \" % & * , . / : < > ? \\ | ( )");
}
