#include "fleet_download.h"

#include "clock.h"
#include "collecting_prompts.h"
#include "connected_logger.h"
#include "download_task.h"
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

std::string savedText(std::size_t readings, bool restarted)
{
    return std::to_string(readings) + (readings == 1 ? " reading saved" : " readings saved") +
           (restarted ? "; logging again" : "");
}

FleetOutcome download(ConnectedLogger& logger, CollectingPrompts& prompts, Clock& clock, const DownloadPlan& plan)
{
    if (!logger.readConfiguration() || !logger.isCompatible())
        return failed(prompts.text());
    if (plan.onlyNew && !holdsNewReadings(logger.config)) {
        FleetOutcome outcome;
        outcome.ok = true;
        outcome.message = kNothingNew;
        return outcome;
    }
    if (logger.config.isLogging()) {
        if (!plan.stopFirst)
            return failed(kLoggingNotStopped);
        if (!logger.stopAndWrite())
            return failed(prompts.text());
    }
    if (downloadRowCount(logger.config) == 0)
        return failed(kHoldsNoReadings);

    std::vector<float> readings;
    if (!logger.downloadReadings(readings, plan.progress))
        return failed(prompts.text());
    const std::string name = downloadFileName(plan.nameTemplate, cp1252ToUtf8(logger.config.name()),
                                              std::to_string(logger.config.serialNumber()), downloadStartTime(logger));
    const std::string path = plan.folder.empty() ? name : plan.folder + "/" + name;
    std::string saved;
    const SaveOutcome save = saveNewDownloadFile(path, logger, readings, saved);
    if (!save.fileWritten())
        return failed(save.message, save.partialPath);

    FleetOutcome outcome;
    outcome.file = saved;
    if (plan.restart) {
        const CivilTime now = clock.localNow();
        if (!logger.startAndWrite(now.year, now.month, now.day, now.hour, now.minute, now.second, 0, false)) {
            outcome.message = std::string(kNotRestarted) + (prompts.empty() ? "" : "\n" + prompts.text());
            return outcome;
        }
    }
    outcome.ok = true;
    outcome.message = savedText(readings.size(), plan.restart);
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
