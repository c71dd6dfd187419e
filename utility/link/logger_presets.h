#pragma once
// Factory presets: one plausible logger of every type code 1..21, as a logger would
// leave a demonstration log: its factory record (name, serial number, firmware,
// calibration, memory size, scaling texts, sensor dates, thermocouple kind) and
// demo readings that end at `now`, stopped, with the readings not yet downloaded.
#include "civil_time.h"
#include "logger_image.h"

namespace velmora {

// `type` must be 1..21.
LoggerImage makePresetImage(LoggerType type, const CivilTime& now);

} // namespace velmora
