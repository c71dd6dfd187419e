#pragma once
// A set-up page's rules as velmora-cli meets them, whatever the page: the settings the
// page shows, and what the page makes of a settings file, key by key, through the
// bindings of its descriptor row. Reading: load(), then each key as the page shows it.
// Applying: load(), the file's values in place of the ones shown, then the page's own
// "Next >" with its checks, messages and stores. Every page's rules are one
// BoundPage<Values> (page_bindings.h).
#include <string>
#include <string_view>

#include "logger_config.h"
#include "page_settings.h"
#include "wizard_step.h"

namespace velmora {

struct WizardCore;

// What a page made of the file: where its "Next >" led, and, when it stayed, what is to
// be added to the page's own message (or said alone, for a value the page's controls
// cannot take).
struct PageTurn {
    WizardStep step;
    std::string problem;

    static PageTurn refused(std::string problem) { return PageTurn{WizardStep::stay(), std::move(problem)}; }
};

class PageRules {
public:
    // Whether `key` is one of the page's keys.
    virtual bool owns(std::string_view key) const = 0;
    // Before any page is shown: why the type's set-up cannot take the settings' value of
    // the page's `key` (`model` names the logger in the answer); empty when it can.
    virtual std::string refusal(std::string_view key, const LoggerSettings& settings, LoggerType type,
                                const std::string& model) const = 0;
    // After a walk that did not show the page (a page its row shows only under a
    // condition): why a value of the settings needed the page; empty when none did.
    virtual std::string neededUnshown(const LoggerSettings& settings) const = 0;

    // The page's keys as its load() shows them.
    virtual void read(WizardCore& core, LoggerSettings& settings) const = 0;
    // load(), the settings' values in place of the ones shown, then "Next >".
    virtual PageTurn next(WizardCore& core, const LoggerSettings& settings) const = 0;

    // A finish page: the walk ends on it, and only finish() writes to the logger.
    virtual bool finishes() const = 0;
    // The finish page's refusal of the settings' start (a time past, skipped by a clock
    // change, too late), without writing; empty when the logger can start so.
    virtual std::string startRefusal(WizardCore& core, const LoggerSettings& settings) const = 0;
    // "&Finish" with the settings' start: the verified write that starts the logger.
    virtual WizardStep finish(WizardCore& core, const LoggerSettings& settings) const = 0;

protected:
    // The rules are constants of the descriptor table, never owned through this class.
    ~PageRules() = default;
};

} // namespace velmora
