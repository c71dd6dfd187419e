// The full-memory page: the capacity texts and the overwrite bit.
#include <gtest/gtest.h>

#include "setup_storage_mode_rules.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

TEST(SetupStorageModeRules, TheCapacityTakesThePlaceOfEveryPlaceholder)
{
    struct Case {
        const char* text;
        std::int64_t count;
        const char* shown;
    };
    const Case cases[] = {
        {"of 16,382 samples.", 16382, "of 16382 samples."},
        {"of 16,382 samples.", 32000, "of 32000 samples."},
        {"16,382 and 16,382", 7, "7 and 7"},
        {"16,382", 65535, "65535"},
        {"no count", 5, "no count"},
        {"of 16,381 samples.", 5, "of 16,381 samples."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(setup_storage_mode::withCapacity(c.text, c.count), c.shown) << c.text;
}

TEST(SetupStorageModeRules, TheLabelsTellWhatEachChoiceKeeps)
{
    struct Case {
        std::uint16_t capacity;
        std::uint8_t modeFlags;
        int storage;
        const char* stop;
        const char* overwrite;
    };
    const Case cases[] = {
        {16382, 0x00, 0, "of 16382 samples.", "retain the last 16381 samples."},
        {32000, 0x10, 1, "of 32000 samples.", "retain the last 31999 samples."},
        {65535, 0xef, 0, "of 65535 samples.", "retain the last 65534 samples."},
        {0, 0x10, 1, "of 0 samples.", "retain the last 0 samples."},
    };
    for (const Case& c : cases) {
        LoggerRecord record;
        LoggerConfig& config = record.config;
        config.setType(13);
        config.setMemoryCapacity(c.capacity);
        config.setModeFlags(c.modeFlags);
        const setup_storage_mode::Values v = setup_storage_mode::load(record);
        EXPECT_EQ(v.storage, c.storage) << c.capacity;
        EXPECT_EQ(v.stopCapacityText, c.stop);
        EXPECT_EQ(v.overwriteCapacityText, c.overwrite);
    }
}

class SetupStorageMode : public test::WizardFixture {};

TEST_F(SetupStorageMode, NextWritesTheOverwriteBitAloneAndBackNothing)
{
    connect(14);
    config().setModeFlags(0xef);
    setup_storage_mode::Values v;
    v.storage = 1;
    EXPECT_EQ(setup_storage_mode::back(core), WizardStep::to(page::kName));
    EXPECT_EQ(config().modeFlags(), 0xef);
    EXPECT_EQ(setup_storage_mode::next(core, v), WizardStep::to(page::kVoltageAlarms));
    EXPECT_EQ(config().modeFlags(), 0xff);
    v.storage = 0;
    EXPECT_EQ(setup_storage_mode::next(core, v), WizardStep::to(page::kVoltageAlarms));
    EXPECT_EQ(config().modeFlags(), 0xef);
}
