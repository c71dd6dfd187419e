// The numeric edit box's rules: what it takes as typed, and how its text reads.
#include <gtest/gtest.h>

#include "numeric_entry.h"

using namespace velmora;

TEST(NumericEntry, KeystrokesAreTakenOrRefusedByTheBoxRules)
{
    struct Case {
        const char* text;
        int caret;
        char ch;
        int decimals;
        bool negative;
        bool accepted;
    };
    const Case cases[] = {
        {"", 0, '7', 0, false, true},
        {"", 0, 'a', 3, true, false},
        {"", 0, '+', 3, true, false},
        {"", 0, '-', 3, false, false}, // negatives not allowed
        {"", 0, '-', 0, true, true},
        {"12", 1, '-', 3, true, false},  // not at the start
        {"-12", 0, '-', 3, true, false}, // already there
        {"", 0, '.', 0, true, false},    // whole numbers only
        {"", 0, '.', 2, true, true},
        {"12", 2, '.', 2, true, true},
        {"12", 0, '.', 2, true, false},    // a point may not go before the digits
        {"1.2", 3, '.', 2, true, false},   // a second point
        {"1.234", 5, '5', 3, true, false}, // three decimals already
        {"1.234", 3, '5', 3, true, false}, // inside a full decimal part
        {"1.23", 4, '4', 3, true, true},
        {"1.23", 2, '9', 3, true, true},  // inside a decimal part with room
        {"1.234", 1, '9', 3, true, true}, // before the point
        {"1.234", 5, kBackspace, 3, true, true},
        {"1.234", 5, '\x01', 3, true, false}, // only backspace past a full decimal part
        {"12", 2, '\x03', 0, false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numericKeyAccepted(c.text, c.caret, c.ch, {c.decimals, c.negative}), c.accepted)
            << "\"" << c.text << "\" caret " << c.caret << " char " << int(c.ch);
}

TEST(NumericEntry, TextsReadAsTheirLeadingNumberAndNumbersShowWithTheirDecimals)
{
    EXPECT_EQ(numericTextValue("12.5"), 12.5);
    EXPECT_EQ(numericTextValue("-3.25abc"), -3.25);
    EXPECT_EQ(numericTextValue("  +4"), 4.0);
    EXPECT_EQ(numericTextValue("abc"), 0.0);
    EXPECT_EQ(numericTextValue(""), 0.0);
    EXPECT_EQ(numericTextValue("-"), 0.0);
    EXPECT_EQ(numericText(2.0, 3), "2.000");
    EXPECT_EQ(numericText(-0.125, 2), "-0.12"); // the binary value rounds half to even
    EXPECT_EQ(numericText(41.6, 0), "42");
}
