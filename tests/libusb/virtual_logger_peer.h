#pragma once
// A virtual logger at the far end of the fake USB device: the bytes libusb sends go
// to the logger, its replies come back as bulk IN data once they are due.
#include "fake_usb_device.h"
#include "virtual_logger.h"

namespace velmora {

class Clock;

class VirtualLoggerPeer final : public UsbPeer {
public:
    VirtualLoggerPeer(VirtualLogger& logger, Clock& clock) : logger_(logger), clock_(clock) {}

    void hostWrote(const std::vector<std::uint8_t>& bytes) override;
    std::vector<std::uint8_t> toHost(std::size_t max) override;
    bool present() const override { return !logger_.vanished(); }

private:
    VirtualLogger& logger_;
    Clock& clock_;
};

} // namespace velmora
