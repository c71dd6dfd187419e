#pragma once
// The name page of the carbon monoxide loggers: the name and the sample rate. It
// follows the safety agreement, to which its "< Back" returns.
#include <string>

#include "sample_rate_choice.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace setup_co_name {

using name_page::kNameBox;
using name_page::kRateBox;

struct Values {
    std::string name; // Windows-1252, as typed
    int rate = -1;    // entry of rateEntries(type); -1 = none selected
};

Values load(const LoggerRecord& record);
WizardStep next(WizardCore& core, const Values& values);
WizardStep back(WizardCore& core);

} // namespace setup_co_name
} // namespace velmora
