#include "usb_id_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "bridge_factory.h"

namespace velmora {
namespace {

TEST(UsbIdListTest, ParsesOneEntry)
{
    struct Case {
        const char* text;
        bool ok;
        UsbId id;
    };
    const Case cases[] = {
        {"10C4:EA61", true, {0x10C4, 0xEA61}},
        {"10c4:ea61", true, {0x10C4, 0xEA61}},
        {"  1234:abcd\t", true, {0x1234, 0xABCD}},
        {"1:2", true, {0x0001, 0x0002}},
        {"FFFF:0000", true, {0xFFFF, 0x0000}},
        {"", false, {}},
        {"10C4", false, {}},
        {"10C4:", false, {}},
        {":EA61", false, {}},
        {"10C45:EA61", false, {}}, // five digits would silently drop one
        {"10C4:EA6G", false, {}},
        {"0x10C4:0xEA61", false, {}},
        {"10C4:EA61:00", false, {}},
        {"10 C4:EA61", false, {}},
        {"-1:EA61", false, {}},
    };
    for (const Case& c : cases) {
        UsbId id{0x5555, 0x5555};
        EXPECT_EQ(parseUsbId(c.text, id), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(id, c.id) << c.text;
        else
            EXPECT_EQ(id, (UsbId{0x5555, 0x5555})) << "a rejected entry must leave the id alone: " << c.text;
    }
}

TEST(UsbIdListTest, FormatsAsFourUpperCaseHexDigits)
{
    EXPECT_EQ(formatUsbId({0x10C4, 0xEA61}), "10C4:EA61");
    EXPECT_EQ(formatUsbId({0x0001, 0x00ab}), "0001:00AB");
}

TEST(UsbIdListTest, AlwaysHoldsTheLoggerId)
{
    UsbIdList list;
    EXPECT_TRUE(list.contains(0x10C4, 0xEA61));
    EXPECT_FALSE(list.contains(0x10C4, 0xEA60));
    EXPECT_EQ(list.ids().size(), 1u);
}

TEST(UsbIdListTest, AddsCommaSeparatedEntriesAndReportsBadOnes)
{
    UsbIdList list;
    const auto rejected = list.addList(" 1234:5678,, bad ,10C4:EA61,abcd:EF01,", "VELMORA_USB_IDS");
    const std::vector<UsbId> expected{{0x10C4, 0xEA61}, {0x1234, 0x5678}, {0xABCD, 0xEF01}};
    EXPECT_EQ(list.ids(), expected);
    ASSERT_EQ(rejected.size(), 1u);
    EXPECT_EQ(rejected[0], "Ignored USB device id \"bad\" in VELMORA_USB_IDS: expected VVVV:PPPP in hexadecimal, "
                           "e.g. 10C4:EA61.");
}

TEST(UsbIdListTest, ManyBadEntriesGiveAFewWarningsAndACount)
{
    std::string text = "1234:5678";
    for (int i = 0; i < 100000; ++i)
        text += ",bad" + std::to_string(i);
    UsbIdList list;
    const auto rejected = list.addList(text, "VELMORA_USB_IDS");
    const std::vector<std::string> expected{
        "Ignored USB device id \"bad0\" in VELMORA_USB_IDS: expected VVVV:PPPP in hexadecimal, e.g. 10C4:EA61.",
        "Ignored USB device id \"bad1\" in VELMORA_USB_IDS: expected VVVV:PPPP in hexadecimal, e.g. 10C4:EA61.",
        "Ignored USB device id \"bad2\" in VELMORA_USB_IDS: expected VVVV:PPPP in hexadecimal, e.g. 10C4:EA61.",
        "Ignored USB device id \"bad3\" in VELMORA_USB_IDS: expected VVVV:PPPP in hexadecimal, e.g. 10C4:EA61.",
        "Ignored USB device id \"bad4\" in VELMORA_USB_IDS: expected VVVV:PPPP in hexadecimal, e.g. 10C4:EA61.",
        "Ignored 99995 more USB device ids in VELMORA_USB_IDS."};
    EXPECT_EQ(rejected, expected);
    EXPECT_TRUE(list.contains(0x1234, 0x5678));
}

// Every id of a huge list is kept once, in order, and found again. Checking each new
// id against all before it made two million entries take hours; the test's time
// limit (see CMakeLists.txt) catches that.
TEST(UsbIdListTest, AMillionIdsAreTakenInLinearTime)
{
    std::string text;
    text.reserve(11 * 1000000);
    char entry[16];
    for (std::uint32_t i = 0; i < 1000000; ++i) {
        std::snprintf(entry, sizeof entry, "%X:%X,", i >> 16, i & 0xFFFF);
        text += entry;
    }
    text += "10C4:EA61,0:0"; // both already there
    UsbIdList list;
    EXPECT_TRUE(list.addList(text, "the setting").empty());
    ASSERT_EQ(list.ids().size(), 1000001u);
    EXPECT_EQ(list.ids()[0], kLoggerUsbId);
    EXPECT_EQ(list.ids()[1], (UsbId{0, 0}));
    EXPECT_EQ(list.ids()[1000000], (UsbId{0xF, 0x423F}));
    EXPECT_TRUE(list.contains(0x7, 0xA11F));
    EXPECT_FALSE(list.contains(0xF, 0x4240));
}

TEST(UsbIdListTest, CombinesSettingsAndEnvironment)
{
    std::vector<std::string> warnings;
    const UsbIdList ids = usbIdsFrom("1111:2222", "3333:4444,nonsense", warnings);
    const std::vector<UsbId> expected{{0x10C4, 0xEA61}, {0x1111, 0x2222}, {0x3333, 0x4444}};
    EXPECT_EQ(ids.ids(), expected);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("\"nonsense\" in VELMORA_USB_IDS"), std::string::npos);

    warnings.clear();
    const UsbIdList fromSettings = usbIdsFrom("12:34;56:78", nullptr, warnings);
    EXPECT_EQ(fromSettings.ids().size(), 1u);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("\"12:34;56:78\" in the setting \"USB Device IDs\""), std::string::npos);
}

TEST(UsbIdListTest, UdevRuleGrantsAccessToTheLoggerId)
{
    std::ifstream file(VELMORA_UDEV_RULE);
    ASSERT_TRUE(file) << VELMORA_UDEV_RULE;
    std::stringstream text;
    text << file.rdbuf();
    char match[80];
    std::snprintf(match, sizeof match, "ATTR{idVendor}==\"%04x\", ATTR{idProduct}==\"%04x\", TAG+=\"uaccess\"",
                  kLoggerUsbId.vendor, kLoggerUsbId.product);
    EXPECT_NE(text.str().find(match), std::string::npos) << "the rule must match the id the bridge looks for";
}

} // namespace
} // namespace velmora
