#pragma once
// The display page of the loggers with a display: how the display works (bits 5 and
// 6 of the mode byte) and what the logger does when its memory is full (bit 4).
#include <array>
#include <string_view>

#include "logger_record.h"
#include "wizard_step.h"

namespace velmora {

struct WizardCore;

namespace setup_lcd {

// The radio groups by their values: 1149 to 1151 and 1152, 1153.
struct Values {
    int display = 0; // 0 "LCD Off", 1 "LCD On for 30 seconds after button press", 2 "LCD Always On"
    int storage = 0; // 0 stops when full, 1 overwrites the oldest readings
};

// The display choices in radio order, and the mode each one writes.
inline constexpr std::array<std::string_view, 3> kDisplayChoices = {
    "LCD Off", "LCD On for 30 seconds after button press", "LCD Always On"};
LcdMode displayMode(int choice);

// The display mode as the record reads it (off whenever bit 5 is clear, whatever
// bit 6 holds); Next then writes a clean pair.
Values load(const LoggerRecord& logger);
WizardStep next(WizardCore& core, const Values& values);
WizardStep back(WizardCore& core);

} // namespace setup_lcd
} // namespace velmora
