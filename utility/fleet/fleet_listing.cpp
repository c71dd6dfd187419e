#include "fleet_listing.h"

#include "collecting_prompts.h"
#include "logger_link.h"
#include "type_catalogue.h"

namespace velmora {

std::vector<FleetLogger> listFleet(UsbBridge& bridge, Clock& clock)
{
    CollectingPrompts quiet;
    LoggerLink lister(bridge, clock, quiet);
    lister.listDevices();
    std::vector<FleetLogger> loggers;
    for (int i = 0; i < lister.deviceCount(); ++i) {
        FleetLogger logger;
        logger.location = lister.location(i);
        CollectingPrompts prompts;
        LoggerLink link(bridge, clock, prompts, logger.location);
        logger.readable = link.readConfigBlock(logger.config);
        logger.problem = prompts.text();
        loggers.push_back(std::move(logger));
    }
    return loggers;
}

std::string stateName(const LoggerConfig& config)
{
    if (!config.isLogging())
        return "stopped";
    if (config.isWaitingForButton())
        return "waiting for its button";
    return config.isDelayedStartPending() ? "delayed start" : "logging";
}

std::size_t readingsHeld(const LoggerConfig& config) { return downloadRowCount(config); }

LoggerChoice chooseLogger(const std::vector<FleetLogger>& loggers, const std::string& serial)
{
    LoggerChoice choice;
    if (loggers.empty())
        return choice;
    if (serial.empty()) {
        choice.result = loggers.size() == 1 ? LoggerChoice::Result::Chosen : LoggerChoice::Result::Several;
        choice.logger = loggers.size() == 1 ? &loggers.front() : nullptr;
        return choice;
    }
    choice.result = LoggerChoice::Result::NoSuchOne;
    for (const FleetLogger& logger : loggers) {
        if (logger.readable && logger.serial() == serial) {
            choice.result = LoggerChoice::Result::Chosen;
            choice.logger = &logger;
            break;
        }
    }
    return choice;
}

std::string serialList(const std::vector<FleetLogger>& loggers)
{
    std::string text;
    for (const FleetLogger& logger : loggers) {
        if (!logger.readable)
            continue;
        text += (text.empty() ? "" : ", ") + logger.serial();
    }
    return text;
}

} // namespace velmora
