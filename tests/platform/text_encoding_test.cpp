#include <gtest/gtest.h>

#include "text_encoding.h"

using namespace velmora;

TEST(TextEncoding, Cp1252ToUtf8)
{
    struct Case {
        const char* cp1252;
        const char* utf8;
    };
    const Case cases[] = {
        {"Fridge", "Fridge"},
        {"\260C", "\xC2\260C"},             // degree sign
        {"\x80", "\xE2\x82\xAC"},           // euro sign
        {"\x85", "\xE2\x80\xA6"},           // ellipsis
        {"\x92", "\xE2\x80\x99"},           // right single quote
        {"\x9F", "\xC5\xB8"},               // Y with diaeresis
        {"\x81", "\xC2\x81"},               // unassigned: its C1 control
        {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"}, // été
        {"\xFF", "\xC3\xBF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8) << c.cp1252;
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.cp1252;
    }
}

TEST(TextEncoding, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(TextEncoding, WhatTheCodePageCannotHoldBecomesAQuestionMark)
{
    struct Case {
        const char* utf8;
        const char* cp1252;
    };
    const Case cases[] = {
        {"\xE6\xBC\xA2", "?"},     // a CJK character
        {"\xF0\x9F\x98\x80", "?"}, // an emoji (4 bytes)
        {"\xC2\x80", "?"},         // U+0080 has no byte in the code page
        {"a\377b", "a?b"},         // not UTF-8 at all
        {"\xE2\x82", "??"},        // cut short
        {"\xC0\xAF", "??"},        // overlong
        {"\xED\xA0\x80", "???"},   // a surrogate
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}
