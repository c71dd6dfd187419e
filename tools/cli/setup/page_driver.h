#pragma once
// A set-up page as velmora-cli drives it. Reading: its part of the settings, as its
// load() shows them. Applying: load(), the file's values in place of the ones shown,
// then the page's own next() with its checks, messages and stores. What the CLI adds
// is only the mapping of a file's value to a control's value (page_values.h).
#include <span>
#include <string>
#include <string_view>

#include "settings_json.h"
#include "wizard_step.h"

namespace velmora {

struct WizardCore;

// What a page made of the file: where its "Next >" led, and, when it stayed, what the
// CLI has to add to the page's own message (or say alone, for a value the page's
// controls cannot take).
struct PageTurn {
    WizardStep step;
    std::string problem;

    static PageTurn refused(std::string problem) { return PageTurn{WizardStep::stay(), std::move(problem)}; }
};

struct PageDriver {
    int page;
    std::span<const std::string_view> keys; // the keys the page takes
    void (*read)(WizardCore& core, LoggerSettings& settings);
    PageTurn (*apply)(WizardCore& core, const LoggerSettings& settings); // nullptr for the finish pages
};

// The name, scaling, agreement, display and storage pages (1, 8, 9, 11, 13, 14, 16,
// 17, 19, 20) and the alarm pages (2, 7, 10, 12, 15, 25).
std::span<const PageDriver> namePageDrivers();
std::span<const PageDriver> alarmPageDrivers();

// The refusal of a consecutive count for an alarm that is off: the page cannot tick
// its box then, and does not show at all with both alarms off.
std::string consecutiveNeedsAlarm(std::string_view key);

} // namespace velmora
