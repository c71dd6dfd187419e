// The fixed-rate logger's name page: the scale is stored as is, the rate is the
// logger's one rate, and the alarm codes and calibration stay.
#include <gtest/gtest.h>

#include "setup_lite_name_rules.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

class SetupLiteNameRules : public test::WizardFixture {};

} // namespace

TEST_F(SetupLiteNameRules, NextStoresTheScaleAndTheHalfHourAndLeavesTheAlarmsAlone)
{
    struct Case {
        std::uint8_t inputOptions;
        int shown, chosen;
        std::uint8_t stored;
    };
    const Case cases[] = {{0, 0, 1, 1}, {1, 1, 0, 0}, {3, 1, 1, 1}};
    for (const Case& c : cases) {
        connect(8, [&](LoggerConfig& r) {
            r.setInputOptions(c.inputOptions);
            r.setSampleInterval(60);
        });
        const LoggerConfig before = config();
        setup_lite_name::Values v = setup_lite_name::load(logger);
        EXPECT_EQ(v.scale, c.shown) << int(c.inputOptions);
        v.scale = c.chosen;
        EXPECT_EQ(setup_lite_name::next(core, v), WizardStep::to(page::kLiteAlarms));
        EXPECT_EQ(config().inputOptions(), c.stored) << int(c.inputOptions);
        EXPECT_EQ(config().sampleInterval(), 1800);
        EXPECT_EQ(config().highAlarmRaw(), before.highAlarmRaw());
        EXPECT_EQ(config().lowAlarmRaw(), before.lowAlarmRaw());
        EXPECT_EQ(config().calGain(), before.calGain());
        bridge.detach(0);
    }
}
