#include "settings_walk.h"

#include <algorithm>
#include <array>
#include <vector>

#include "connected_logger.h"
#include "finish_rules.h"
#include "page_driver.h"
#include "page_sequence.h"
#include "setup_push_to_start_rules.h"
#include "setup_start_rules.h"
#include "type_catalogue.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora {

namespace {

// More pages than any row has: a walk that gets this far goes round in a circle.
constexpr int kMostPages = 16;

bool isFinish(int p) { return p == page::kStart || p == page::kPushToStart; }

// ---- the finish pages ----

// Page 3 starts at its pickers' date and time, which follow the clock when the file
// gives no time; page 18 starts as its radios say.
setup_start::Values startPageValues(WizardCore& core, const LoggerSettings& s)
{
    setup_start::Values v = setup_start::load(core);
    if (s.start && s.start->mode == StartMode::At) {
        v.pickers = StartPickers::showing(s.start->at);
        setup_start::pickerEdited(core);
    }
    return v;
}

setup_push_to_start::Values pushPageValues(WizardCore& core, const LoggerSettings& s)
{
    namespace rules = setup_push_to_start;
    rules::Values v = rules::load(core);
    if (!s.start)
        return v;
    switch (s.start->mode) {
    case StartMode::Now: rules::chooseImmediate(core, v); break;
    case StartMode::Button: rules::chooseButton(core, v); break;
    case StartMode::At:
        rules::chooseDelayed(core, v);
        v.pickers = StartPickers::showing(s.start->at);
        rules::pickerEdited(core, v);
        break;
    }
    return v;
}

constexpr std::array kStartKeys{key::kStart};

// The pages show the clock's time, but a logger that waits for a delayed start is
// shown with that start, so that its settings set another logger up the same way.
void readStartPage(WizardCore& core, LoggerSettings& s)
{
    const std::optional<CivilTime> pending = pendingStart(core.logger.config, core.clock);
    s.start = pending ? StartChoice{StartMode::At, *pending} : StartChoice{StartMode::Now, {}};
}

void readPushPage(WizardCore& core, LoggerSettings& s)
{
    const setup_push_to_start::Values v = setup_push_to_start::load(core);
    if (v.start == setup_push_to_start::Start::Button)
        s.start = StartChoice{StartMode::Button, {}};
    else
        readStartPage(core, s);
}

constexpr std::array<PageDriver, 2> kFinishDrivers{{
    {page::kStart, kStartKeys, readStartPage, nullptr},
    {page::kPushToStart, kStartKeys, readPushPage, nullptr},
}};

const PageDriver* driverOf(int p)
{
    for (const std::span<const PageDriver> drivers :
         {namePageDrivers(), alarmPageDrivers(), std::span<const PageDriver>(kFinishDrivers)})
        for (const PageDriver& d : drivers)
            if (d.page == p)
                return &d;
    return nullptr;
}

bool inRow(LoggerType type, int p)
{
    const std::span<const int> row = pageRow(type);
    return std::find(row.begin(), row.end(), p) != row.end();
}

bool takenByRow(LoggerType type, std::string_view k)
{
    for (const int p : pageRow(type))
        if (const PageDriver* d = driverOf(p))
            if (std::find(d->keys.begin(), d->keys.end(), k) != d->keys.end())
                return true;
    return false;
}

// The consecutive page shows only with an alarm on; a count the file gives for a page
// that did not show cannot be taken.
std::string consecutiveLeftOver(const WizardCore& core, const LoggerSettings& s, const std::vector<int>& visited)
{
    const LoggerType type = core.logger.type();
    if (!inRow(type, page::kConsecutiveAlarms) ||
        std::find(visited.begin(), visited.end(), page::kConsecutiveAlarms) != visited.end())
        return {};
    if (s.consecutiveHigh.value_or(0) != 0)
        return consecutiveNeedsAlarm(key::kConsecutiveHigh);
    if (s.consecutiveLow.value_or(0) != 0)
        return consecutiveNeedsAlarm(key::kConsecutiveLow);
    return {};
}

} // namespace

LoggerSettings shownSettings(WizardCore& core)
{
    LoggerSettings settings;
    for (const int p : pageRow(core.logger.type()))
        if (const PageDriver* d = driverOf(p))
            d->read(core, settings);
    return settings;
}

std::string keyNotForType(const LoggerSettings& settings, LoggerType type, std::string& why)
{
    const std::string model = modelName(type) + " (type " + std::to_string(type) + ")";
    for (const std::string& k : presentKeys(settings)) {
        if (!takenByRow(type, k)) {
            why = "the set-up of the " + model + " has no such setting";
            return k;
        }
        if (k == key::kLedsDisabled && !ledsCanBeDisabled(type)) {
            why = "the LEDs of the " + model + " cannot be switched off";
            return k;
        }
        if (k == key::kStart && settings.start->mode == StartMode::Button && !inRow(type, page::kPushToStart)) {
            why = "the " + model + " has no start button";
            return k;
        }
    }
    return {};
}

WalkEnd walkToFinish(WizardCore& core, const LoggerSettings& settings, int entryPage)
{
    std::vector<int> visited;
    int p = entryPage;
    for (int n = 0; n < kMostPages; ++n) {
        if (isFinish(p)) {
            std::string problem = consecutiveLeftOver(core, settings, visited);
            return WalkEnd{problem.empty(), p, problem};
        }
        const PageDriver* d = driverOf(p);
        if (!d || !d->apply)
            return WalkEnd{false, p, "page " + std::to_string(p) + " cannot be set up from a file."};
        visited.push_back(p);
        const PageTurn turn = d->apply(core, settings);
        if (!turn.step.moves())
            return WalkEnd{false, p, turn.problem};
        p = turn.step.page;
    }
    return WalkEnd{false, p, "the set-up pages lead round in a circle."};
}

std::string startRefusal(WizardCore& core, int finishPage, const LoggerSettings& settings)
{
    const StartChoice choice = finishPage == page::kStart ? setup_start::choice(startPageValues(core, settings))
                                                          : setup_push_to_start::choice(pushPageValues(core, settings));
    return planStart(core.clock, choice).refusal;
}

bool finishWithStart(WizardCore& core, int finishPage, const LoggerSettings& settings)
{
    const WizardStep step = finishPage == page::kStart
                                ? setup_start::finish(core, startPageValues(core, settings))
                                : setup_push_to_start::finish(core, pushPageValues(core, settings));
    return step.moves();
}

} // namespace velmora
