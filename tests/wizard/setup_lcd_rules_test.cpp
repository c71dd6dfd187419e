// The display page: the display and full-memory radios read from and written to the
// mode byte.
#include <gtest/gtest.h>

#include "setup_lcd_rules.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

TEST(SetupLcdRules, TheRadiosShowTheModeBits)
{
    struct Case {
        std::uint8_t modeFlags;
        int display, storage;
    };
    const Case cases[] = {
        {0x00, 0, 0}, {0x40, 0, 0}, // bit 6 without bit 5 is off
        {0x60, 1, 0}, {0x20, 2, 0}, {0x10, 0, 1}, {0xff, 1, 1}, {0xbf, 2, 1},
    };
    for (const Case& c : cases) {
        LoggerRecord record;
        LoggerConfig& config = record.config;
        config.setType(19);
        config.setModeFlags(c.modeFlags);
        const setup_lcd::Values v = setup_lcd::load(record);
        EXPECT_EQ(v.display, c.display) << std::hex << int(c.modeFlags);
        EXPECT_EQ(v.storage, c.storage) << std::hex << int(c.modeFlags);
    }
}

class SetupLcd : public test::WizardFixture {};

TEST_F(SetupLcd, NextWritesBitsFourToSixAndLeavesTheOthers)
{
    struct Case {
        std::uint8_t before;
        setup_lcd::Values chosen;
        std::uint8_t after;
    };
    const Case cases[] = {
        {0x40, {0, 0}, 0x00}, // shown as off, written as off
        {0x00, {1, 0}, 0x60}, {0x60, {2, 0}, 0x20}, {0x20, {0, 1}, 0x10}, {0x9f, {1, 0}, 0xef}, {0xff, {2, 1}, 0xbf},
    };
    for (const Case& c : cases) {
        connect(15);
        config().setModeFlags(c.before);
        EXPECT_EQ(setup_lcd::next(core, c.chosen), WizardStep::to(page::kVoltageAlarms));
        EXPECT_EQ(config().modeFlags(), c.after) << std::hex << int(c.before);
        bridge.detach(0);
    }
}

TEST_F(SetupLcd, NextAndBackFollowTheRow)
{
    connect(12);
    EXPECT_EQ(setup_lcd::next(core, {}), WizardStep::to(page::kAlarms));
    config().setModeFlags(0x70);
    EXPECT_EQ(setup_lcd::back(core), WizardStep::to(page::kName));
    EXPECT_EQ(config().modeFlags(), 0x70);
}
