#include "fleet_download.h"

#include <cstdio>
#include <optional>

#include "clock.h"
#include "collecting_prompts.h"
#include "connected_logger.h"
#include "download_task.h"
#include "fetch_ledger.h"
#include "fleet_strings.h"
#include "text_encoding.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

FleetOutcome failed(std::string message, std::string file = {})
{
    FleetOutcome outcome;
    outcome.message = std::move(message);
    outcome.file = std::move(file);
    return outcome;
}

bool holdsNewReadings(const LoggerConfig& config)
{
    // A wrapped roll-over memory counts its rows differently from readingCount().
    return config.hasFlag(flag::kUndownloaded) && downloadRowCount(config) > 0;
}

std::string savedText(std::size_t readings, const std::string& afterSave, bool restarted)
{
    std::string text = std::to_string(readings) + (readings == 1 ? " reading saved" : " readings saved");
    if (!afterSave.empty())
        text += "; " + afterSave;
    return text + (restarted ? "; logging again" : "");
}

// The log is one that fetch started itself a moment ago.
std::optional<std::string> justRestarted(FetchLedger& ledger, const std::string& serial, const std::string& start,
                                         Clock& clock)
{
    const std::optional<std::int64_t> at = ledger.restartedAt(serial, start);
    if (!at)
        return std::nullopt;
    const std::int64_t since = secondsOf(clock.localNow()) - *at;
    if (since < 0 || since >= kJustRestartedSeconds)
        return std::nullopt;
    const CivilTime when = civilOfSeconds(*at);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
    return fillPlaceholders(fleettext::kJustRestarted, {text});
}

FleetOutcome passedBy(std::string message)
{
    FleetOutcome outcome;
    outcome.ok = true;
    outcome.message = std::move(message);
    return outcome;
}

FleetOutcome download(ConnectedLogger& logger, CollectingPrompts& prompts, Clock& clock, const DownloadPlan& plan)
{
    if (!logger.readConfiguration() || !logger.isCompatible())
        return failed(prompts.text());
    const std::string serial = std::to_string(logger.config.serialNumber());
    const std::string start = startStamp(downloadStartTime(logger));
    FetchLedger* ledger = plan.ledger;
    if (plan.onlyNew) {
        if (ledger && logger.config.isLogging())
            if (std::optional<std::string> restarted = justRestarted(*ledger, serial, start, clock))
                return passedBy(*restarted);
        const bool unsaved = ledger && ledger->isUnsaved(serial, start);
        if (!unsaved && !holdsNewReadings(logger.config))
            return passedBy(kNothingNew);
    }
    if (logger.config.isLogging()) {
        if (!plan.stopFirst)
            return failed(kLoggingNotStopped);
        if (!logger.stopAndWrite())
            return failed(prompts.text());
    }
    if (downloadRowCount(logger.config) == 0)
        return failed(kHoldsNoReadings);

    // The logger forgets that its readings are new once they have gone out, saved or
    // not: until the file is saved, only the note says they are.
    std::string error;
    if (ledger && !ledger->noteUnsaved(serial, start, error))
        return failed(fillPlaceholders(fleettext::kLedgerUnwritable, {ledger->path(), error}));
    const auto keptFailure = [&](std::string message, std::string file = {}) {
        if (ledger)
            message += "\n" + std::string(fleettext::kKeptForNextFetch);
        return failed(std::move(message), std::move(file));
    };

    std::vector<float> readings;
    if (!logger.downloadReadings(readings, plan.progress))
        return keptFailure(prompts.text());
    const std::string name =
        downloadFileName(plan.nameTemplate, cp1252ToUtf8(logger.config.name()), serial, downloadStartTime(logger));
    const std::string path = plan.folder.empty() ? name : plan.folder + "/" + name;
    std::string saved;
    const SaveOutcome save = saveNewDownloadFile(path, logger, readings, saved);
    if (!save.fileWritten())
        return keptFailure(save.message, save.partialPath);

    FleetOutcome outcome;
    outcome.file = saved;
    std::string note;
    if (ledger && !ledger->noteSaved(serial, start, error))
        note = "\n" + fillPlaceholders(fleettext::kLedgerNotCleared, {ledger->path(), error});
    // The file is safe whatever the step does, so the logger is restarted either way.
    AfterSave after;
    if (plan.afterSave)
        after = plan.afterSave(saved, logger.config.type());
    if (plan.restart) {
        const CivilTime now = clock.localNow();
        if (!logger.startAndWrite(now.year, now.month, now.day, now.hour, now.minute, now.second, 0, false)) {
            outcome.message = std::string(kNotRestarted) + (after.message.empty() ? "" : "\n" + after.message) +
                              (prompts.empty() ? "" : "\n" + prompts.text()) + note;
            return outcome;
        }
        // Not being able to note it only costs a second fetch of the new log.
        if (ledger)
            ledger->noteRestarted(serial, startStamp(downloadStartTime(logger)), secondsOf(now), error);
    }
    outcome.ok = after.ok;
    // Rows, as the logger and the file count readings: a humidity logger's row holds
    // two values.
    outcome.message = savedText(downloadRowCount(logger.config), after.message, plan.restart) + note;
    return outcome;
}

} // namespace

FleetOutcome downloadLogger(UsbBridge& bridge, Clock& clock, const std::string& location, const DownloadPlan& plan)
{
    CollectingPrompts prompts;
    ConnectedLogger logger(bridge, clock, prompts, location);
    FleetOutcome outcome = download(logger, prompts, clock, plan);
    outcome.location = location;
    if (logger.config.serialNumber() != 0)
        outcome.serial = std::to_string(logger.config.serialNumber());
    return outcome;
}

} // namespace velmora
