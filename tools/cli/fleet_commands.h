#pragma once
// velmora-cli's commands over every attached logger: list, status --all, download
// --all, setup --all, fetch and watch. Each logger's outcome is one line (one JSON
// object a line with --json: serial, ok, message, file); the exit code is 0 only when
// every logger succeeded, else 1.
#include <iosfwd>
#include <memory>
#include <string>

#include "fleet_download.h"
#include "one_logger_bridge.h"

namespace velmora {

struct LoggerCommandContext;
class WallClock;

int runList(LoggerCommandContext& context, bool json);
int runStatusAll(LoggerCommandContext& context, bool json);
int runDownloadAll(LoggerCommandContext& context, const DownloadPlan& plan, bool json);
// `file` "-" reads the settings from `in`. In the settings' name, {serial} and {n}
// (1, 2, ... in list order) are filled in for each logger.
int runSetupAll(LoggerCommandContext& context, WallClock& clock, const std::string& file, bool yes, std::istream& in,
                bool json);
// Every logger holding readings not downloaded yet: stopped, downloaded, and with
// plan.restart started again.
int runFetch(LoggerCommandContext& context, const DownloadPlan& plan, bool json);
// Fetches every logger attached now and each one plugged in later, until SIGTERM or
// SIGINT; one line per event. Returns 0 when stopped so.
int runWatch(LoggerCommandContext& context, const DownloadPlan& plan, bool json);

// The logger a one-logger command works on: the one with serial number `*serial`, or
// without a serial the only one attached (`chosen` then stays empty: the bridge as it
// is). Several attached and no serial: refused with exit code 2 and their serial
// numbers listed, as setting up the wrong logger is worse than asking. Returns 0 or
// the exit code.
int chooseOneLogger(LoggerCommandContext& context, const std::string* serial, std::unique_ptr<OneLoggerBridge>& chosen);

// The folder fetch saves into without --dir: the utility's saved folder, else the
// documents folder.
std::string defaultFetchFolder();

} // namespace velmora
