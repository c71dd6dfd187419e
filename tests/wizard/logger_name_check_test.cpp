// The name check of the name pages.
#include <gtest/gtest.h>

#include "logger_name_check.h"
#include "utility_strings.h"

using namespace velmora;

TEST(LoggerNameCheck, NamesAreTrimmedOnTheLeftAndRefusedWhenEmptyLongOrUnsupported)
{
    struct Case {
        std::string typed;
        int problem;
        std::string stored;
    };
    const Case cases[] = {
        {"Fridge 3", 0, "Fridge 3"},
        {"  Fridge", 0, "Fridge"},
        {"Fridge  ", 0, "Fridge  "},
        {"   ", msgid::kNameMissing, ""},
        {"", msgid::kNameMissing, ""},
        {"123456789012345", 0, "123456789012345"},
        {"  123456789012345", 0, "123456789012345"},
        {"1234567890123456", msgid::kNameTooLong, "1234567890123456"},
        {"Cold/Store", msgid::kNameUnsupported, "Cold/Store"},
        {"A\"B", msgid::kNameUnsupported, "A\"B"},
        {"Lab (2)", msgid::kNameUnsupported, "Lab (2)"},
        {"a|b", msgid::kNameUnsupported, "a|b"},
        {"Caf\xE9 5\xB0", 0, "Caf\xE9 5\xB0"}, // Windows-1252 letters are fine
    };
    for (Case c : cases) {
        std::string name = c.typed;
        EXPECT_EQ(loggerNameProblem(name), c.problem) << "\"" << c.typed << "\"";
        EXPECT_EQ(name, c.stored) << "\"" << c.typed << "\"";
    }
    EXPECT_EQ(msg(msgid::kNameUnsupported), "The Logger Name contains a character that is not supported.\n"
                                            "Unsupported characters are \" % & * , . / : < > ? \\ | ( )");
}
