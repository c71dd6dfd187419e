#pragma once
// One logger of a tray downloaded into a folder, under a name of its own that never
// replaces a file: the work of `download --all`, and, with only new readings and a
// restart, of fetch and watch.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fleet_naming.h"
#include "fleet_run.h"
#include "logger_link.h"

namespace velmora {

class Clock;
class FetchLedger;
class UsbBridge;

// A logger that a fetch started again this recently and that is still in that log is
// passed by: it came back because the restart or a person re-plugged it, not to be
// stopped over a new log of a reading or two.
inline constexpr std::int64_t kJustRestartedSeconds = 600;

// A step run on each file as soon as it is saved, before any restart: adding it to
// the archive, say. Its text joins the outcome's; a step that fails makes the outcome
// a failure, and the saved file stays.
struct AfterSave {
    bool ok = true;
    std::string message;
};
using AfterSaveStep = std::function<AfterSave(const std::string& file, int loggerType)>;

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
    // Where fetch keeps what the loggers cannot (see FetchLedger): with onlyNew, a log
    // noted there as not yet saved counts as new. None: the loggers' own word only.
    FetchLedger* ledger = nullptr;
    AfterSaveStep afterSave; // may run on several loggers' threads at once
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
