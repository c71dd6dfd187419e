// The thermocouple name page: the kind and the scale share inputOptions; a change of
// scale writes the unit text; the rate list falls back to 10 s.
#include <gtest/gtest.h>

#include "setup_tc_name_rules.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

class SetupTcNameRules : public test::WizardFixture {};

} // namespace

TEST_F(SetupTcNameRules, LoadReadsTheScaleFromBit0AndTheKindFromBits4To6)
{
    struct Case {
        std::uint8_t inputOptions;
        std::uint16_t interval;
        int scale, kind, rate;
    };
    const Case cases[] = {
        {0x10, 1, 0, 0, 0},     // J, "1 Sec (9 Hrs)"
        {0x21, 30, 1, 1, 2},    // K, "30 Sec (11 Days)"
        {0x41, 43200, 1, 2, 8}, // T
        {0x30, 45, 0, 1, 1},    // no single kind: K; 45 s is not listed: "10 Sec"
        {0x00, 10, 0, 1, 1},    {0x50, 60, 0, 1, 3},
    };
    for (const Case& c : cases) {
        connect(10, [&](LoggerConfig& r) {
            r.setInputOptions(c.inputOptions);
            r.setSampleInterval(c.interval);
        });
        const setup_tc_name::Values v = setup_tc_name::load(logger);
        EXPECT_EQ(v.scale, c.scale) << std::hex << int(c.inputOptions);
        EXPECT_EQ(v.loadedScale, c.scale) << std::hex << int(c.inputOptions);
        EXPECT_EQ(v.thermocouple, c.kind) << std::hex << int(c.inputOptions);
        EXPECT_EQ(v.rate, c.rate) << c.interval;
        bridge.detach(0);
    }
}

TEST_F(SetupTcNameRules, NextStoresKindScaleAndUnitTextAndLeadsByType)
{
    struct Case {
        const char* what;
        LoggerType type;
        std::uint8_t inputOptions;
        int scale, kind, rate;
        std::uint8_t stored;
        const char* units; // Windows-1252
        std::uint16_t interval;
        int page;
    };
    const Case cases[] = {
        {"T with °F kept", 10, 0x21, 1, 2, 4, 0x41, "", 300, page::kVoltageAlarms},
        {"°F to °C", 10, 0x21, 0, 1, 0, 0x20, "\260C", 1, page::kVoltageAlarms},
        {"°C to °F, J", 15, 0x2E, 1, 0, 1, 0x11, "\260F", 10, page::kLcd},
        // Unchanged scale keeps bits 0 and 3, clears 1 and 2, and replaces the kind.
        {"low bits", 15, 0x8F, 1, 0, 2, 0x19, "", 30, page::kLcd},
        {"no kind selected", 10, 0x40, 0, -1, -1, 0x20, "", 10, page::kVoltageAlarms},
    };
    for (const Case& c : cases) {
        connect(c.type, [&](LoggerConfig& r) {
            r.setInputOptions(c.inputOptions);
            r.setText(TextSlot::Units, "");
        });
        const std::uint16_t high = config().highAlarmRaw();
        setup_tc_name::Values v = setup_tc_name::load(logger);
        v.name = "Kiln 2";
        v.scale = c.scale;
        v.thermocouple = c.kind;
        v.rate = c.rate;
        EXPECT_EQ(setup_tc_name::next(core, v), WizardStep::to(c.page)) << c.what;
        EXPECT_EQ(config().inputOptions(), c.stored) << c.what;
        EXPECT_EQ(config().units(), c.units) << c.what;
        EXPECT_EQ(config().sampleInterval(), c.interval) << c.what;
        EXPECT_EQ(config().highAlarmRaw(), high) << c.what; // the fixed encoding is never re-encoded
        bridge.detach(0);
    }
}
