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

bool addLogger(SimulatedBridge& bridge, const std::string& item, Clock& clock, std::string& error,
               std::ostream* saveFailures)
{
    if (isNumber(item)) {
        const int code = std::stoi(item);
        if (!isKnownType(static_cast<LoggerType>(code)) || code > kMaxKnownType) {
            error = "--simulate: unknown logger type " + item + " (known types are 1 to 21)";
            return false;
        }
        bridge.attach(makePresetImage(static_cast<LoggerType>(code), clock.localNow()));
        return true;
    }
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
    bridge.attach(std::move(image)).setImagePath(item, std::move(report));
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
    for (const std::string& item : simulationItems(spec))
        if (!isNumber(item))
            images.push_back(item);
    return images;
}

std::unique_ptr<SimulatedBridge> makeSimulatedBridge(const std::string& spec, Clock& clock, std::string& error,
                                                     double speedUp, std::ostream* saveFailures)
{
    auto bridge = std::make_unique<SimulatedBridge>(clock);
    for (const std::string& item : simulationItems(spec))
        if (!addLogger(*bridge, item, clock, error, saveFailures))
            return nullptr;
    for (std::size_t i = 0; i < bridge->attachedCount(); ++i)
        bridge->logger(i).setSpeedUp(speedUp);
    return bridge;
}

} // namespace velmora
