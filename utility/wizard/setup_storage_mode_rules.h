#pragma once
// The full-memory page of the loggers without a display: stop when full or
// overwrite the oldest readings (bit 4 of the mode byte), with the number of
// readings each choice keeps.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "logger_record.h"
#include "wizard_step.h"

namespace velmora {

struct WizardCore;

namespace setup_storage_mode {

struct Values {
    int storage = 0;                   // radios 1152, 1153: 0 stops when full, 1 overwrites
    std::string stopCapacityText;      // label 1154
    std::string overwriteCapacityText; // label 1155
};

// Every "16,382" in `text` replaced by `count` in plain digits, without separators.
std::string withCapacity(std::string_view text, std::int64_t count);

// The labels tell the memory's capacity N when it stops and N - 1 when it overwrites.
Values load(const LoggerRecord& logger);
WizardStep next(WizardCore& core, const Values& values);
WizardStep back(WizardCore& core);

} // namespace setup_storage_mode
} // namespace velmora
