#pragma once
// With several loggers plugged in, a task that talks to a logger first asks which
// one. The question is a seam: the utility shows a dialog, a program without windows
// has no picker and keeps to the logger it was given.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "fleet_listing.h"

namespace velmora {

class LoggerPicker {
public:
    virtual ~LoggerPicker() = default;
    // The index of the chosen logger in `loggers` (two or more), nothing on Cancel.
    virtual std::optional<std::size_t> pick(const std::vector<FleetLogger>& loggers) = 0;
};

// One logger as the picker shows it (UTF-8): serial number, name, type code with its
// model, and what it is doing. A logger whose record could not be read has only its
// state, "Cannot be read".
struct PickerRow {
    std::string serial;
    std::string name;
    std::string type;
    std::string state;
};
PickerRow pickerRow(const FleetLogger& logger);

} // namespace velmora
