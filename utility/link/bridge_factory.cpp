#include "bridge_factory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

#include "clock.h"
#include "libusb_bridge.h"
#include "tracing_bridge.h"

namespace velmora {
namespace {

// Writes through to a stream the caller owns (stderr), for the owning TracingBridge.
class BorrowedStream final : public std::ostream {
public:
    explicit BorrowedStream(std::ostream& target) : std::ostream(target.rdbuf()) {}
};

} // namespace

UsbIdList usbIdsFrom(const std::string& settingsIds, const char* environmentIds, std::vector<std::string>& warnings)
{
    UsbIdList ids;
    for (std::string& w : ids.addList(settingsIds, std::string("the setting \"") + kUsbIdsSettingsKey + "\""))
        warnings.push_back(std::move(w));
    if (environmentIds)
        for (std::string& w : ids.addList(environmentIds, kUsbIdsEnvironmentVariable))
            warnings.push_back(std::move(w));
    return ids;
}

std::unique_ptr<UsbBridge> makeRealBridge(const std::string& settingsIds)
{
    std::vector<std::string> warnings;
    UsbIdList ids = usbIdsFrom(settingsIds, std::getenv(kUsbIdsEnvironmentVariable), warnings);
    for (const std::string& w : warnings)
        std::cerr << w << '\n';
    return std::make_unique<LibusbBridge>(std::move(ids));
}

std::unique_ptr<UsbBridge> wrapWithTrace(std::unique_ptr<UsbBridge> bridge, const char* traceSetting,
                                         std::ostream& errors)
{
    if (!traceSetting || traceSetting[0] == '\0' || std::strcmp(traceSetting, "0") == 0)
        return bridge;
    std::unique_ptr<std::ostream> out;
    if (std::strcmp(traceSetting, "1") != 0) {
        auto file = std::make_unique<std::ofstream>(traceSetting, std::ios::app);
        if (*file)
            out = std::move(file);
        else
            errors << "Cannot open the trace file \"" << traceSetting << "\" (" << std::strerror(errno)
                   << "); tracing here instead.\n";
    }
    if (!out)
        out = std::make_unique<BorrowedStream>(errors);
    return std::make_unique<TracingBridge>(std::move(bridge), std::move(out), std::make_unique<SteadyClock>());
}

std::unique_ptr<UsbBridge> wrapWithTraceIfRequested(std::unique_ptr<UsbBridge> bridge)
{
    return wrapWithTrace(std::move(bridge), std::getenv(kTraceEnvironmentVariable), std::cerr);
}

} // namespace velmora
