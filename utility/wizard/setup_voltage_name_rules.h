#pragma once
// The name page of the voltage and current loggers: the name, the sample rate and
// the choice between the factory scaling and a scaling of the user's own.
#include <string>

#include "sample_rate_choice.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace setup_voltage_name {

using name_page::kNameBox;
using name_page::kRateBox;
inline constexpr int kStandardRadio = 1076;
inline constexpr int kCustomRadio = 1077;
inline constexpr int kScaleLabel = 1099;
inline constexpr int kRangeLabel = 1098;
// Typing in the name box stops at the longest name the logger keeps.
inline constexpr int kNameTypingLimit = 15;

inline constexpr int kStandard = 0;
inline constexpr int kCustom = 1;

struct Values {
    std::string name; // Windows-1252, as typed
    int rate = -1;    // entry of rateEntries(type); -1 = none selected
    int scaling = kStandard;
    std::string scaleLabel; // "The USB Voltage Data Logger is set to:-", or Current
    std::string rangeLabel; // "(0.00 - 30.00 Volts)"
};

// Label 1099: what the logger measures, in the heading's words.
std::string scaleLabelText(const LoggerRecord& record);
// Label 1098: the factory range and unit in brackets.
std::string rangeLabelText(const LoggerRecord& record);

Values load(const LoggerRecord& record);
// Name check and rate; then the scaling chosen (its problems are the scaling page's
// to report) and the scaling page or the alarm page.
WizardStep next(WizardCore& core, const Values& values);

} // namespace setup_voltage_name
} // namespace velmora
