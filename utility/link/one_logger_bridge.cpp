#include "one_logger_bridge.h"

#include <algorithm>

namespace velmora {

PortStatus OneLoggerBridge::listDevices(std::vector<UsbDevice>& devices)
{
    const PortStatus status = inner_.listDevices(devices);
    std::erase_if(devices, [&](const UsbDevice& d) { return d.location != location_; });
    return status;
}

PortStatus OneLoggerBridge::open(const std::string& location, std::unique_ptr<UsbPort>& port)
{
    port.reset();
    if (!location.empty() && location != location_)
        return PortStatus::NotFound;
    return inner_.open(location_, port);
}

} // namespace velmora
