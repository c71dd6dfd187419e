#pragma once
// The name page of the thermocouple loggers: the name, the thermocouple kind, the
// temperature scale and the sample rate. Kind and scale share inputOptions.
#include <string>

#include "sample_rate_choice.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace setup_tc_name {

using name_page::kCelsiusRadio;
using name_page::kFahrenheitRadio;
using name_page::kNameBox;
using name_page::kRateBox;
inline constexpr int kThermocoupleBox = 1142;

struct Values {
    std::string name;     // Windows-1252, as typed
    int scale = 0;        // kCelsius or kFahrenheit
    int loadedScale = 0;  // the scale refresh() showed, to tell a change of scale
    int rate = -1;        // entry of rateEntries(type); -1 = none selected
    int thermocouple = 1; // entry of kThermocoupleEntries; -1 = none selected
};

Values load(const LoggerRecord& record);
// Name check; the unit text and bit when the scale changed (the readings' fixed
// encoding needs no re-encoding of the alarms); the rate; the kind.
WizardStep next(WizardCore& core, const Values& values);

} // namespace setup_tc_name
} // namespace velmora
