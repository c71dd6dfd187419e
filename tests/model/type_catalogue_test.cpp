#include <gtest/gtest.h>

#include "type_catalogue.h"

using namespace velmora;

TEST(TypeCatalogue, EveryCodeHasItsModelSizesAndEntryPage)
{
    struct Row {
        LoggerType code;
        const char* model;
        std::size_t config;
        std::size_t block;
        std::size_t header;
        int entry;
    };
    const Row rows[] = {
        {1, "KV-USB-1", 64, 64, 3, 1},        {2, "KV-USB-1", 64, 512, 3, 1},
        {3, "KV-USB-2", 64, 512, 3, 1},       {4, "KV-USB-3", 256, 512, 3, 8},
        {5, "KV-USB-4", 256, 512, 3, 8},      {6, "KV-USB-3", 256, 512, 3, 8},
        {7, "KV-USB-4", 256, 512, 3, 8},      {8, "KV-USB-LITE", 256, 512, 3, 11},
        {9, "KV-USB-5", 256, 512, 3, 14},     {10, "KV-USB-6", 256, 512, 3, 16},
        {11, "KV-USB-5-LR", 256, 512, 3, 14}, {12, "KV-USB-2-LCD", 64, 512, 3, 1},
        {13, "KV-USB-2-HA", 64, 512, 3, 1},   {14, "KV-USB-1-HT", 256, 512, 3, 20},
        {15, "KV-USB-6-LCD", 256, 512, 3, 16}, {16, "KV-USB-2-HA-LCD", 64, 512, 3, 1},
        {17, "QX-USB-5", 256, 512, 3, 0},     {18, "QX-USB-1-RCG", 256, 512, 3, 0},
        {19, "KV-USB-1-LCD", 256, 512, 3, 1}, {20, "QX-OEM-3", 256, 512, 4, 0},
        {21, "KV-USB-1-LCD", 256, 512, 3, 1}, {0, "USB", 256, 512, 3, 0},
        {22, "USB", 256, 512, 3, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(modelName(r.code), r.model) << int(r.code);
        EXPECT_EQ(configLength(r.code), r.config) << int(r.code);
        EXPECT_EQ(readingBlockSize(r.code), r.block) << int(r.code);
        EXPECT_EQ(readingHeaderLength(r.code), r.header) << int(r.code);
        EXPECT_EQ(setupEntryPage(r.code), r.entry) << int(r.code);
    }
}

TEST(TypeCatalogue, GroupsMatchTheirCodes)
{
    std::string narrow, wideAlarms, compatible, pushButton;
    for (int t = 0; t <= 22; ++t) {
        const auto code = static_cast<LoggerType>(t);
        if (isNarrow(code)) narrow += std::to_string(t) + " ";
        if (hasWideAlarms(code)) wideAlarms += std::to_string(t) + " ";
        if (isCompatible(code)) compatible += std::to_string(t) + " ";
        if (hasPushButton(code)) pushButton += std::to_string(t) + " ";
        if (code >= 1 && code <= 21) {
            EXPECT_NE(isNarrow(code), isWide(code)) << t;
        }
    }
    EXPECT_EQ(narrow, "1 2 3 12 13 16 ");
    EXPECT_EQ(wideAlarms, "4 5 6 7 8 9 10 11 14 15 18 19 20 21 ");
    EXPECT_EQ(compatible, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 19 21 ");
    EXPECT_EQ(pushButton, "12 15 16 19 21 ");
}

TEST(TypeCatalogue, IntervalListsAndTheirFallbacks)
{
    EXPECT_EQ(intervalList(1).entries.size(), 7u);
    EXPECT_EQ(intervalList(1).fallback, 0);
    EXPECT_EQ(intervalList(14).entries[0].text, "1 Sec (9 Hrs)");
    EXPECT_EQ(intervalList(14).fallback, -1);
    EXPECT_EQ(intervalList(4).entries[1].text, "10 Sec (3.7 Days)");
    EXPECT_EQ(intervalList(4).fallback, 1);
    EXPECT_EQ(intervalList(10).entries[2].seconds, 30);
    EXPECT_EQ(intervalList(9).entries.size(), 4u);
    EXPECT_TRUE(intervalList(17).entries.empty());
    EXPECT_EQ(intervalName(43200), "12 Hours");
    EXPECT_EQ(intervalName(2), "2 Seconds");
    EXPECT_EQ(intervalName(7), "UnKnown");
}
