#pragma once
// One logger of a tray downloaded into a folder, under a name of its own that never
// replaces a file: the work of `download --all`, and, with only new readings and a
// restart, of fetch and watch.
#include <string>
#include <vector>

#include "fleet_naming.h"
#include "fleet_run.h"
#include "logger_link.h"

namespace velmora {

class Clock;
class UsbBridge;

struct DownloadPlan {
    std::string folder;
    std::string nameTemplate = kDefaultNameTemplate;
    bool stopFirst = false; // a logging logger is stopped first; without it, it is refused
    // A logger holding no readings that were not downloaded yet is passed by, as a
    // success with nothing written.
    bool onlyNew = false;
    // After a complete download and save, the logger starts a new log now with the
    // settings it had. Never after a download or save that failed: its readings stay
    // in it.
    bool restart = false;
    // Told after each block of readings (blocks done, blocks in all). Answering false
    // stops the download there: nothing is saved and the logger keeps its readings.
    LoggerLink::Progress progress;
};

// Texts of our own.
inline constexpr const char* kLoggingNotStopped = "The logger is logging and was not stopped: nothing was downloaded.";
inline constexpr const char* kHoldsNoReadings = "The logger holds no readings. No file was written.";
inline constexpr const char* kNothingNew = "No readings that were not downloaded already.";
inline constexpr const char* kNotRestarted = "The readings were saved, but the logger could not be started again.";

FleetOutcome downloadLogger(UsbBridge& bridge, Clock& clock, const std::string& location, const DownloadPlan& plan);

} // namespace velmora
