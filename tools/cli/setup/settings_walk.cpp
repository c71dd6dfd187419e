#include "settings_walk.h"

#include <algorithm>
#include <vector>

#include "connected_logger.h"
#include "page_rules.h"
#include "settings_json.h"
#include "type_catalogue.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora {

namespace {

// More pages than any row has: a walk that gets this far goes round in a circle.
constexpr int kMostPages = 16;

const PageRules* rulesOf(int p)
{
    const PageDescriptor* d = pageDescriptor(p);
    return d ? d->rules : nullptr;
}

// A page the walk did not show (its row shows it only under a condition) cannot take
// a value the file gives for it.
std::string neededUnshown(const WizardCore& core, const LoggerSettings& s, const std::vector<int>& shown, int finish)
{
    for (const int p : pageRow(core.logger.type())) {
        if (p == finish)
            break;
        const PageRules* rules = rulesOf(p);
        if (rules && std::find(shown.begin(), shown.end(), p) == shown.end())
            if (std::string why = rules->neededUnshown(s); !why.empty())
                return why;
    }
    return {};
}

} // namespace

LoggerSettings shownSettings(WizardCore& core)
{
    LoggerSettings settings;
    for (const int p : pageRow(core.logger.type()))
        if (const PageRules* rules = rulesOf(p))
            rules->read(core, settings);
    return settings;
}

std::string keyNotForType(const LoggerSettings& settings, LoggerType type, std::string& why)
{
    const std::string model = modelName(type) + " (type " + std::to_string(type) + ")";
    for (const std::string& k : presentKeys(settings)) {
        bool taken = false;
        for (const int p : pageRow(type)) {
            const PageRules* rules = rulesOf(p);
            if (!rules || !rules->owns(k))
                continue;
            taken = true;
            if (std::string refusal = rules->refusal(k, settings, type, model); !refusal.empty()) {
                why = refusal;
                return k;
            }
        }
        if (!taken) {
            why = "the set-up of the " + model + " has no such setting";
            return k;
        }
    }
    return {};
}

WalkEnd walkToFinish(WizardCore& core, const LoggerSettings& settings, int entryPage)
{
    std::vector<int> shown;
    int p = entryPage;
    for (int n = 0; n < kMostPages; ++n) {
        const PageRules* rules = rulesOf(p);
        if (!rules)
            return WalkEnd{false, p, "page " + std::to_string(p) + " cannot be set up from a file."};
        if (rules->finishes()) {
            std::string problem = neededUnshown(core, settings, shown, p);
            return WalkEnd{problem.empty(), p, problem};
        }
        shown.push_back(p);
        const PageTurn turn = rules->next(core, settings);
        if (!turn.step.moves())
            return WalkEnd{false, p, turn.problem};
        p = turn.step.page;
    }
    return WalkEnd{false, p, "the set-up pages lead round in a circle."};
}

std::string startRefusal(WizardCore& core, int finishPage, const LoggerSettings& settings)
{
    return rulesOf(finishPage)->startRefusal(core, settings);
}

bool finishWithStart(WizardCore& core, int finishPage, const LoggerSettings& settings)
{
    return rulesOf(finishPage)->finish(core, settings).moves();
}

} // namespace velmora
