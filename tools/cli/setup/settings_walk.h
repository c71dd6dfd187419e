#pragma once
// The set-up wizard walked by velmora-cli: the pages of the logger type's row, in the
// order and with the conditions of the page sequence, each read or driven through the
// rules and settings keys of its descriptor row (wizard_pages.h), and the finish as
// the finish page makes it. Nothing here knows one page from another.
#include <string>

#include "logger_config.h"
#include "page_settings.h"

namespace velmora {

struct WizardCore;

// The settings as the pages of the connected logger's row show them, which is also
// what a set-up keeps for every key a file leaves out.
LoggerSettings shownSettings(WizardCore& core);

// The first key of the file that no page of the type's row takes, or takes only with
// another value, with why; empty when every key applies to the type.
std::string keyNotForType(const LoggerSettings& settings, LoggerType type, std::string& why);

// Where a walk ended: on a finish page (3 or 18), or on a page that refused the file.
// `problem` is what the CLI has to add to the page's own message, or say alone.
struct WalkEnd {
    bool atFinish = false;
    int page = 0;
    std::string problem;
};

// From `entryPage` on: each page loads, takes the file's values and goes on by its own
// "Next >", until a finish page is reached or a page stays.
WalkEnd walkToFinish(WizardCore& core, const LoggerSettings& settings, int entryPage);

// The finish page's refusal of the file's start (a time past, skipped by a clock
// change, too late), without writing; empty when the logger can start so.
std::string startRefusal(WizardCore& core, int finishPage, const LoggerSettings& settings);
// "&Finish" on the finish page with the file's start: the verified write that starts
// the logger. False when it failed (its messages have gone to the prompts).
bool finishWithStart(WizardCore& core, int finishPage, const LoggerSettings& settings);

} // namespace velmora
