#pragma once
// The name page of the temperature and humidity loggers: the name, the temperature
// scale and the sample rate. A change of scale re-encodes the alarm levels so they
// keep their temperatures.
#include <string>

#include "sample_rate_choice.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace setup_name {

using name_page::kCelsiusRadio;
using name_page::kFahrenheitRadio;
using name_page::kNameBox;
using name_page::kRateBox;

struct Values {
    std::string name;    // Windows-1252, as typed
    int scale = 0;       // kCelsius or kFahrenheit
    int loadedScale = 0; // the scale refresh() showed, to tell a change of scale
    int rate = -1;       // entry of rateEntries(type); -1 = none selected
};

Values load(const LoggerRecord& record);
// Name check, the change of scale, the scale and the rate; then the next page.
WizardStep next(WizardCore& core, const Values& values);
WizardStep back(WizardCore& core);

} // namespace setup_name
} // namespace velmora
