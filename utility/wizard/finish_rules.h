#pragma once
// The finish of the two start pages: when the logger is to start, the delay that
// takes it there, and the verified write that starts it.
#include <cstdint>
#include <optional>
#include <string>

#include "civil_time.h"
#include "logger_config.h"
#include "wizard_step.h"

namespace velmora {

class WallClock;
struct WizardCore;

enum class StartMode {
    Now,    // at once
    Button, // when the logger's button is pressed
    At,     // at a chosen local date and time
};

struct StartChoice {
    StartMode mode = StartMode::Now;
    CivilTime at{}; // the local date and time of the pickers, for StartMode::At
};

// The "Start Time:-" and "Start Date:-" pickers of both finish pages. Each holds a
// whole local date and time; a start takes the time of day of the one and the date
// of the other.
struct StartPickers {
    CivilTime time; // control 1024
    CivilTime date; // control 1025

    static StartPickers showing(const CivilTime& local) { return StartPickers{local, local}; }
    CivilTime start() const { return CivilTime{date.year, date.month, date.day, time.hour, time.minute, time.second}; }
    bool operator==(const StartPickers&) const = default;
};

// What a finish writes: the start fields (local wall time), the delay in real
// seconds from now, and whether the button starts the logger. `refusal` holds the
// message when the choice cannot start.
struct StartPlan {
    CivilTime start{};
    std::uint32_t delaySeconds = 0;
    bool pushButton = false;
    std::string refusal;
};

StartPlan planStart(WallClock& clock, const StartChoice& choice);

// The local date and time a logger set for a delayed start is still waiting for;
// nothing when it is not waiting for one (stopped, logging, or waiting for its
// button) or the time has come.
std::optional<CivilTime> pendingStart(const LoggerConfig& config, WallClock& clock);
// The start a finish page reports as a setting: the delayed start the logger still
// waits for, so that its settings set another logger up the same way; else now.
StartChoice pendingOrNow(const LoggerConfig& config, WallClock& clock);

// "&Finish": plans the start, shows the refusal if there is one, else writes the
// configuration with read-back verification; the summary page follows success.
WizardStep finishSetUp(WizardCore& core, const StartChoice& choice);

} // namespace velmora
