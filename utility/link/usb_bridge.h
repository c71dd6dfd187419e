#pragma once
// Where loggers are plugged in: it lists them and opens one as a port. The libusb
// bridge reaches real loggers; the simulated bridge puts virtual loggers behind the
// same calls; the tracing bridge records what either does.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "usb_port.h"

namespace velmora {

// One attached logger as the bridge lists it. `location` opens the same device again
// for as long as it stays plugged in where it is: the bus and port path for libusb
// ("1-4.2"), the order of attachment for simulated loggers ("sim-2").
struct UsbDevice {
    std::string location;
    std::string product; // the device's product string
    // Whether the product string could be read; a device that cannot be asked even
    // that cannot be talked to either.
    PortStatus productStatus = PortStatus::Ok;
};

class UsbBridge {
public:
    virtual ~UsbBridge() = default;

    // Every attached logger, the same loggers in the same order every time.
    virtual PortStatus listDevices(std::vector<UsbDevice>& devices) = 0;
    // Opens the device at `location`; an empty location opens the first one listed.
    virtual PortStatus open(const std::string& location, std::unique_ptr<UsbPort>& port) = 0;
    // Waits at most `ms` for a logger to be plugged in or pulled out. True when the
    // listing may have changed; a bridge that cannot tell waits and says true.
    virtual bool waitForChange(std::uint32_t ms) = 0;
};

} // namespace velmora
