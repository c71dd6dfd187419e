#pragma once
// The name page of the fixed-rate logger: the name and the temperature scale. The
// logger reads every half hour whatever the page is given.
#include <string>

#include "sample_rate_choice.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace setup_lite_name {

using name_page::kCelsiusRadio;
using name_page::kFahrenheitRadio;
using name_page::kNameBox;
inline constexpr int kNameTypingLimit = 255;

struct Values {
    std::string name; // Windows-1252, as typed
    int scale = 0;    // kCelsius or kFahrenheit
};

Values load(const LoggerRecord& record);
// Name check, the scale and the fixed rate; then the alarm page. The alarm codes are
// sensor codes that mean the same temperature in either unit, so they stay.
WizardStep next(WizardCore& core, const Values& values);

} // namespace setup_lite_name
} // namespace velmora
