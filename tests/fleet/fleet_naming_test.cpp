// File names of a tray's download: the template filled in, unfit characters made
// safe, and the numbered names that never replace a file.
#include <gtest/gtest.h>

#include "download_task.h"
#include "fleet_listing.h"
#include "fleet_naming.h"

namespace velmora {
namespace {

TEST(FleetNaming, TemplateFilledAndKeptInsideItsFolder)
{
    const CivilTime start{2026, 12, 7, 14, 5, 9};
    struct Case {
        const char* pattern;
        const char* name;
        const char* want;
    } cases[] = {
        {"{name}_{serial}_{start}", "Fridge 3", "Fridge 3_1234_20261207-140509.txt"},
        // A name cannot reach another folder, or hold what other systems refuse.
        {"{name}", "../cold/room", ".._cold_room.txt"},
        {"{name}-{serial}", "a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i-1234.txt"},
        {"sub/{serial}", "x", "sub_1234.txt"},
        {"{name}\t{serial}", "x", "x_1234.txt"},
        // A logger named like a placeholder is not filled in twice.
        {"{name}_{serial}", "{serial}", "{serial}_1234.txt"},
        {"{start}{start}", "x", "20261207-14050920261207-140509.txt"},
        // Nothing left, or only a dot name: a name of its own.
        {"{name}", "", "logger.txt"},
        {"{name}", "..", "logger.txt"},
        {"{unknown}", "x", "{unknown}.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(downloadFileName(c.pattern, c.name, "1234", start), c.want) << c.pattern << " / " << c.name;
}

TEST(FleetNaming, NumberedNamesGoBeforeTheExtension)
{
    EXPECT_EQ(numberedFileName("d/a.txt", 1), "d/a.txt");
    EXPECT_EQ(numberedFileName("d/a.txt", 2), "d/a-2.txt");
    EXPECT_EQ(numberedFileName("d/a.b.txt", 3), "d/a.b-3.txt");
    EXPECT_EQ(numberedFileName("d.x/a", 2), "d.x/a-2");
    EXPECT_EQ(numberedFileName("d/.hidden", 2), "d/.hidden-2");
}

TEST(FleetNaming, SerialAndNumberFilledEverywhereInTheText)
{
    EXPECT_EQ(fillSerialAndNumber("Room {n} ({serial}) {n}", "555", 12), "Room 12 (555) 12");
    EXPECT_EQ(fillSerialAndNumber("plain", "555", 1), "plain");
}

FleetLogger loggerWithSerial(std::uint32_t serial, bool readable = true)
{
    FleetLogger logger;
    logger.location = "at-" + std::to_string(serial);
    logger.config.setSerialNumber(serial);
    logger.readable = readable;
    return logger;
}

TEST(FleetChoice, SeveralWithoutASerialAreNeverGuessed)
{
    using R = LoggerChoice::Result;
    const std::vector<FleetLogger> none, one{loggerWithSerial(11)}, two{loggerWithSerial(11), loggerWithSerial(22)},
        unreadableFirst{loggerWithSerial(0, false), loggerWithSerial(22)};
    EXPECT_EQ(chooseLogger(none, "").result, R::None);
    EXPECT_EQ(chooseLogger(none, "11").result, R::None);
    EXPECT_EQ(chooseLogger(one, "").logger, &one[0]);
    EXPECT_EQ(chooseLogger(one, "12").result, R::NoSuchOne);
    EXPECT_EQ(chooseLogger(two, "").result, R::Several);
    EXPECT_EQ(chooseLogger(two, "").logger, nullptr);
    EXPECT_EQ(chooseLogger(two, "22").logger, &two[1]);
    EXPECT_EQ(chooseLogger(two, "2").result, R::NoSuchOne) << "a serial is matched whole";
    // An unreadable logger has no serial: "0" does not name it.
    EXPECT_EQ(chooseLogger(unreadableFirst, "0").result, R::NoSuchOne);
    EXPECT_EQ(serialList(unreadableFirst), "22");
    EXPECT_EQ(serialList(two), "11, 22");
}

} // namespace
} // namespace velmora
