// The stop page's texts and the viewer's program path: display-free.
#include <gtest/gtest.h>

#include "stop_info_text.h"
#include "viewer_launch.h"

namespace velmora {
namespace {

struct StopTextCase {
    const char* name;
    LoggerType type;
    std::uint16_t readingCount;
    std::uint16_t capacity;
    std::uint8_t wrapCount;
    bool overwrite;
    std::uint8_t inputOptions;
    const char* label;
    const char* value;
    bool canDownload;
};

const StopTextCase kCases[] = {
    {"plain count", 1, 576, 16382, 0, false, 0, "Readings:", "576", true},
    {"no readings", 3, 0, 16382, 0, false, 0, "Readings:", "0", false},
    {"wrapped roll-over shows capacity less one", 14, 120, 32766, 1, true, 0, "Readings:", "32765", true},
    // The write position is back at the start, but the ring is full: there is a file to write.
    {"wrapped roll-over at write position 0", 14, 0, 32766, 1, true, 0, "Readings:", "32765", true},
    {"roll-over that has not wrapped", 14, 120, 32766, 0, true, 0, "Readings:", "120", true},
    {"wrapped but not in roll-over storage", 21, 120, 32766, 2, false, 0, "Readings:", "120", true},
    {"type without roll-over download", 9, 120, 32766, 3, true, 0, "Readings:", "120", true},
    {"event logger on edges: usage", 17, 8191, 16382, 0, false, 0x00, "Memory Usage:", "50.0%", true},
    {"event logger on state changes, one reading", 17, 1, 16382, 0, false, 0x10, "Memory Usage:", "0.1%", true},
    {"event logger, more than its memory", 17, 20000, 16382, 0, false, 0x10, "Memory Usage:", "100.0%", true},
    {"event logger, empty", 17, 0, 16382, 0, false, 0x00, "Memory Usage:", "0.0%", false},
    {"event logger counting in total shows the count", 17, 4, 16382, 0, false, 0x20, "Readings:", "4", true},
    {"event logger counting per period", 17, 96, 16382, 0, false, 0x30, "Readings:", "96", true},
};

class StopInfoTextTest : public ::testing::TestWithParam<StopTextCase> {};

TEST_P(StopInfoTextTest, LabelValueAndOk)
{
    const StopTextCase& c = GetParam();
    LoggerRecord r;
    r.config.setType(c.type);
    r.config.setName("Cold Room 2");
    r.config.setReadingCount(c.readingCount);
    r.config.setMemoryCapacity(c.capacity);
    r.config.setWrapCount(c.wrapCount);
    r.config.setOverwriteMode(c.overwrite);
    r.config.setInputOptions(c.inputOptions);
    const StopInfoText t = stopInfoText(r);
    EXPECT_EQ(t.name, "Cold Room 2");
    EXPECT_EQ(t.readingsLabel, c.label);
    EXPECT_EQ(t.readingsValue, c.value);
    EXPECT_EQ(t.canDownload, c.canDownload);
}

INSTANTIATE_TEST_SUITE_P(Cases, StopInfoTextTest, ::testing::ValuesIn(kCases));

TEST(MemoryUsageText, RoundsCapsAndNeverHidesReadings)
{
    EXPECT_EQ(memoryUsageText(1, 16382), "0.1%");
    EXPECT_EQ(memoryUsageText(17, 16382), "0.1%"); // 0.1038 rounds to 0.1
    EXPECT_EQ(memoryUsageText(16382, 16382), "100.0%");
    EXPECT_EQ(memoryUsageText(16381, 16382), "100.0%"); // 99.994 prints rounded
    EXPECT_EQ(memoryUsageText(4096, 16384), "25.0%");
    // A record claiming no memory must not divide by zero.
    EXPECT_EQ(memoryUsageText(0, 0), "0.0%");
    EXPECT_EQ(memoryUsageText(5, 0), "100.0%");
}

TEST(ViewerProgram, LiesInTheUtilitysOwnFolder)
{
    EXPECT_EQ(viewerProgram("/usr/bin"), "/usr/bin/velmora-graph");
    EXPECT_EQ(viewerProgram("/opt/velmora/bin/"), "/opt/velmora/bin/velmora-graph");
    EXPECT_EQ(viewerProgram("/home/a b/Velmora USB"), "/home/a b/Velmora USB/velmora-graph");
}

} // namespace
} // namespace velmora
