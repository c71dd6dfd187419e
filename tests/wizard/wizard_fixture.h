#pragma once
// A connected logger of a chosen type, read from a simulated logger as the main
// menu reads it, with the prompts, flags and calendar clock the wizard's rules take.
#include <gtest/gtest.h>

#include <memory>

#include "clock.h"
#include "connected_logger.h"
#include "logger_presets.h"
#include "scripted_prompts.h"
#include "simulated_bridge.h"
#include "wall_clock.h"
#include "wizard_core.h"
#include "wizard_flags.h"

namespace velmora::test {

class WizardFixture : public ::testing::Test {
protected:
    // 2026-12-08 12:00:00 UTC, a winter day in the zones the tests use.
    static constexpr UnixSeconds kNow = 1767225600 + 341 * 86400 + 12 * 3600;

    // Plugs in a factory-fresh logger of `type` (changed by `adjust` first) in place of
    // any plugged in before, and reads it into the connected logger.
    template <typename Adjust = void (*)(LoggerConfig&)> void connect(
        LoggerType type, Adjust adjust = [](LoggerConfig&) {})
    {
        while (bridge.attachedCount() > 0)
            bridge.detach(0);
        device = nullptr;
        LoggerImage image = makePresetImage(type, ticks.localNow());
        adjust(image.record);
        device = &bridge.attach(std::move(image));
        ASSERT_TRUE(logger.readConfiguration());
    }

    LoggerConfig& config() { return logger.config; }

    VirtualClock ticks{CivilTime{2026, 12, 8, 12, 0, 0}};
    SimulatedBridge bridge{ticks};
    ScriptedPrompts prompts;
    ConnectedLogger logger{bridge, ticks, prompts};
    WizardFlags flags;
    FixedWallClock clock{kNow};
    WizardCore core{logger, prompts, flags, clock};
    VirtualLogger* device = nullptr;
};

} // namespace velmora::test
