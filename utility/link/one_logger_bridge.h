#pragma once
// A bridge that shows one logger of another bridge and no other: the one at a given
// location. Code written for "the attached logger" (status, settings, set-up) then
// works on the logger chosen by serial number, unchanged.
#include <string>

#include "usb_bridge.h"

namespace velmora {

class OneLoggerBridge final : public UsbBridge {
public:
    OneLoggerBridge(UsbBridge& inner, std::string location) : inner_(inner), location_(std::move(location)) {}

    PortStatus listDevices(std::vector<UsbDevice>& devices) override;
    // The empty location and the logger's own open it; any other is not found.
    PortStatus open(const std::string& location, std::unique_ptr<UsbPort>& port) override;
    bool waitForChange(std::uint32_t ms) override { return inner_.waitForChange(ms); }

private:
    UsbBridge& inner_;
    std::string location_;
};

} // namespace velmora
