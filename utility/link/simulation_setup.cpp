#include "simulation_setup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <vector>

#include "clock.h"
#include "logger_presets.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

bool isNumber(const std::string& s)
{
    return !s.empty() && s.size() <= 3 &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "@MS:ITEM": ITEM plugged in MS milliseconds after the start. The delay is taken off
// `item`; -1 when there is none, -2 when it is malformed.
long long arrivalDelay(std::string& item)
{
    if (item.empty() || item[0] != '@')
        return -1;
    const std::size_t colon = item.find(':');
    const std::string digits = item.substr(1, colon == std::string::npos ? 0 : colon - 1);
    if (colon == std::string::npos || digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return -2;
    item = item.substr(colon + 1);
    return std::stoll(digits);
}

bool addLogger(SimulatedBridge& bridge, std::string item, Clock& clock, std::string& error, double speedUp,
               std::ostream* saveFailures, std::vector<LoggerType>& presets)
{
    const long long delayMs = arrivalDelay(item);
    if (delayMs == -2) {
        error = "--simulate: " + item + " is not @MILLISECONDS:SPEC";
        return false;
    }
    std::unique_ptr<VirtualLogger> logger;
    if (isNumber(item)) {
        const int code = std::stoi(item);
        if (!isKnownType(static_cast<LoggerType>(code)) || code > kMaxKnownType) {
            error = "--simulate: unknown logger type " + item + " (known types are 1 to 21)";
            return false;
        }
        const auto type = static_cast<LoggerType>(code);
        LoggerImage image = makePresetImage(type, clock.localNow());
        // Loggers of one type in a tray still have serial numbers of their own.
        const auto earlier = static_cast<std::uint32_t>(std::count(presets.begin(), presets.end(), type));
        image.record.setSerialNumber(image.record.serialNumber() + earlier * 100000u);
        presets.push_back(type);
        logger = std::make_unique<VirtualLogger>(std::move(image), clock);
    } else {
        LoggerImage image;
        std::string why;
        if (!loadLoggerImage(item, image, why)) {
            error = "--simulate: " + why;
            return false;
        }
        VirtualLogger::SaveFailureReport report;
        if (saveFailures)
            report = [saveFailures](const std::string& why) {
                *saveFailures << "--simulate: " << why << "; the logger keeps what it held\n";
            };
        logger = std::make_unique<VirtualLogger>(std::move(image), clock);
        logger->setImagePath(item, std::move(report));
    }
    logger->setSpeedUp(speedUp);
    if (delayMs >= 0)
        bridge.attachLater(static_cast<std::uint64_t>(delayMs), std::move(logger));
    else
        bridge.attach(std::move(logger));
    return true;
}

// The type codes and image paths of SPEC, in order.
std::vector<std::string> simulationItems(const std::string& spec)
{
    std::vector<std::string> items;
    if (spec == "none")
        return items;
    std::error_code ec;
    if (std::filesystem::is_regular_file(spec, ec) || spec.find(',') == std::string::npos) {
        items.push_back(spec);
    } else {
        std::size_t from = 0;
        for (std::size_t comma; (comma = spec.find(',', from)) != std::string::npos; from = comma + 1)
            items.push_back(spec.substr(from, comma - from));
        items.push_back(spec.substr(from));
    }
    return items;
}

} // namespace

std::vector<std::string> simulatedImagePaths(const std::string& spec)
{
    std::vector<std::string> images;
    for (std::string item : simulationItems(spec))
        if (arrivalDelay(item) != -2 && !isNumber(item))
            images.push_back(item);
    return images;
}

std::unique_ptr<SimulatedBridge> makeSimulatedBridge(const std::string& spec, Clock& clock, std::string& error,
                                                     double speedUp, std::ostream* saveFailures)
{
    auto bridge = std::make_unique<SimulatedBridge>(clock);
    std::vector<LoggerType> presets;
    for (const std::string& item : simulationItems(spec))
        if (!addLogger(*bridge, item, clock, error, speedUp, saveFailures, presets))
            return nullptr;
    return bridge;
}

} // namespace velmora
