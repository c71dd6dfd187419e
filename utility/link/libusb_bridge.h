#pragma once
// The bridge to real loggers through libusb. A logger is a USB device whose
// vendor:product id is in the allow-list; it offers one vendor-specific interface
// with a bulk OUT endpoint for the command bytes and a bulk IN endpoint for the
// replies. Every libusb failure becomes a non-zero bridge status: a device pulled
// out mid-transfer is an error the link reports, never a crash.
//
// Time-outs are those of the library as a whole, as the link expects: it sets them
// before each transfer and puts them back afterwards. 0 means no limit.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "clock.h"
#include "usb_bridge.h"
#include "usb_id_list.h"

struct libusb_context;
struct libusb_device;

namespace velmora {

class LibusbBridge final : public UsbBridge {
public:
    // Both time-outs start at the link's transfer time-out, so a call made before
    // any setTimeouts cannot wait forever.
    static constexpr std::uint32_t kDefaultTimeoutMs = 3000;

    explicit LibusbBridge(UsbIdList ids);
    ~LibusbBridge() override;
    LibusbBridge(const LibusbBridge&) = delete;
    LibusbBridge& operator=(const LibusbBridge&) = delete;

    int getNumDevices(std::uint32_t& count) override;
    int getProductString(std::uint32_t index, std::string& product) override;
    int open(std::uint32_t index, BridgeHandle& handle) override;
    int close(BridgeHandle handle) override;
    int read(BridgeHandle handle, std::uint8_t* buffer, std::uint32_t count, std::uint32_t& bytesRead) override;
    int write(BridgeHandle handle, const std::uint8_t* buffer, std::uint32_t count,
              std::uint32_t& bytesWritten) override;
    int flushBuffers(BridgeHandle handle, bool transmit, bool receive) override;
    int setTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    int getTimeouts(std::uint32_t& readMs, std::uint32_t& writeMs) override;
    int checkRxQueue(BridgeHandle handle, std::uint32_t& queuedBytes, std::uint32_t& status) override;

    const UsbIdList& ids() const { return ids_; }

private:
    struct OpenDevice;
    OpenDevice* find(BridgeHandle handle);
    int listDevices();
    void forgetDevices();
    void reportAccessDenied(libusb_device* device);

    UsbIdList ids_;
    SteadyClock clock_;
    libusb_context* context_ = nullptr;
    std::vector<libusb_device*> devices_; // one reference each, in listing order
    std::map<BridgeHandle, std::unique_ptr<OpenDevice>> open_;
    BridgeHandle nextHandle_ = 1;
    std::uint32_t readTimeoutMs_ = kDefaultTimeoutMs;
    std::uint32_t writeTimeoutMs_ = kDefaultTimeoutMs;
    bool accessHintShown_ = false;
};

} // namespace velmora
