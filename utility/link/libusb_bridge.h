#pragma once
// The bridge to real loggers through libusb. A logger is a USB device whose
// vendor:product id is in the allow-list; it offers one vendor-specific interface
// with a bulk OUT endpoint for the command bytes and a bulk IN endpoint for the
// replies. Every libusb failure becomes a port status: a device pulled out
// mid-transfer is an error the link reports, never a crash.
//
// A logger's location is its bus and port path ("1-4.2"): it names the same logger
// for as long as it stays in the same socket, whatever else is plugged in or out.
// Each opened logger is a port of its own with its own time-outs, so several can be
// used at once, one per thread.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "usb_bridge.h"
#include "usb_id_list.h"

struct libusb_context;
struct libusb_device;

namespace velmora {

class LibusbBridge final : public UsbBridge {
public:
    // A port's time-outs until it is given others, so that a call made before any
    // setTimeouts cannot wait forever.
    static constexpr std::uint32_t kDefaultTimeoutMs = 3000;

    explicit LibusbBridge(UsbIdList ids);
    ~LibusbBridge() override;
    LibusbBridge(const LibusbBridge&) = delete;
    LibusbBridge& operator=(const LibusbBridge&) = delete;

    PortStatus listDevices(std::vector<UsbDevice>& devices) override;
    PortStatus open(const std::string& location, std::unique_ptr<UsbPort>& port) override;
    // With libusb's hot-plug events where the platform has them; else it waits the
    // time out and says the listing may have changed.
    bool waitForChange(std::uint32_t ms) override;

    const UsbIdList& ids() const { return ids_; }

private:
    struct Hotplug;
    // The allowed devices, one reference each, in location order. The caller unrefs.
    PortStatus allowedDevices(std::vector<libusb_device*>& devices);
    void reportAccessDenied(libusb_device* device);

    UsbIdList ids_;
    libusb_context* context_ = nullptr;
    std::unique_ptr<Hotplug> hotplug_;
    bool accessHintShown_ = false;
};

} // namespace velmora
