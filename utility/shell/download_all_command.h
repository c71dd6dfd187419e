#pragma once
// Options > "Download All Loggers..." without its windows: the loggers plugged in,
// a folder, one question when some are logging, the downloads with a progress list,
// then the folder shown when anything was saved. Files are named by the tray's naming
// and never replace a file.
#include <string>
#include <vector>

#include "fleet_run.h"

namespace velmora {

class Clock;
class FileDialogs;
class FleetDownloadJob;
class ProcessLauncher;
class Prompts;
class Settings;
class UsbBridge;

// The progress list: starts the job, shows one row per logger with its progress and
// then its outcome, and returns when the job has ended and the user is done with it.
class DownloadAllDisplay {
public:
    virtual ~DownloadAllDisplay() = default;
    virtual void run(FleetDownloadJob& job, const std::string& folder) = 0;
};

struct DownloadAllSeams {
    UsbBridge& bridge;
    Clock& clock; // shared by the downloads' threads
    Prompts& prompts;
    FileDialogs& dialogs;
    Settings& settings;
    ProcessLauncher& launcher;
    std::string documentsFolder;
    std::string homeFolder;
};

// Runs the command; the outcomes, one per logger, empty when nothing was started.
std::vector<FleetOutcome> downloadAllLoggers(const DownloadAllSeams& seams, DownloadAllDisplay& display);

// Whether an outcome left a download file (a failure may name the partial one).
inline bool savedAFile(const FleetOutcome& outcome) { return outcome.ok && !outcome.file.empty(); }

} // namespace velmora
