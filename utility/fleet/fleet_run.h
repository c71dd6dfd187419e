#pragma once
// One operation over many loggers, one outcome each. A logger failing (pulled out,
// refusing a value, a short download) does not stop the others.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "fleet_listing.h"

namespace velmora {

struct FleetOutcome {
    std::string serial;
    std::string location;
    bool ok = false;
    std::string message; // what happened, or why it failed
    std::string file;    // the file written, when one was
};

using FleetOperation = std::function<FleetOutcome(const FleetLogger& logger, std::size_t index)>;
// Told of each outcome as it comes, one call at a time.
using FleetReport = std::function<void(std::size_t index, const FleetOutcome& outcome)>;

enum class FleetPace { OneAtATime, AllAtOnce };

// Runs `operation` on every logger, on a thread each with AllAtOnce. The outcomes come
// back in the loggers' order; each carries the logger's serial and location whatever
// the operation filled in.
std::vector<FleetOutcome> runOnEach(const std::vector<FleetLogger>& loggers, const FleetOperation& operation,
                                    FleetPace pace, const FleetReport& report = {});

// True when every outcome is a success (and there was at least one).
bool allSucceeded(const std::vector<FleetOutcome>& outcomes);

} // namespace velmora
