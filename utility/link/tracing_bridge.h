#pragma once
// A wire trace over any UsbBridge: every call with its arguments and status, and
// every byte read and written as a hex dump, each line stamped with the seconds since
// the trace began. Kept in this one decorator so the real and the simulated bridge
// trace alike, and so a misbehaving logger in the field can be diagnosed from a file.
#include <cstdint>
#include <memory>
#include <ostream>

#include "usb_bridge.h"

namespace velmora {

class Clock;

class TracingBridge final : public UsbBridge {
public:
    // Traces to `out`, time-stamped by `clock`; both must outlive the bridge.
    TracingBridge(std::unique_ptr<UsbBridge> inner, std::ostream& out, Clock& clock);
    // Owns its stream and clock (what the programs use).
    TracingBridge(std::unique_ptr<UsbBridge> inner, std::unique_ptr<std::ostream> out, std::unique_ptr<Clock> clock);
    ~TracingBridge() override;

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

    UsbBridge& inner() { return *inner_; }

private:
    void start();
    // Writes the stamped line "<call> -> <status>[, <detail>]".
    void line(const std::string& call, int status, const std::string& detail = {});
    void dump(const std::uint8_t* bytes, std::uint32_t count);

    std::unique_ptr<UsbBridge> inner_;
    std::unique_ptr<std::ostream> ownedOut_;
    std::unique_ptr<Clock> ownedClock_;
    std::ostream& out_;
    Clock& clock_;
    std::uint64_t startMs_ = 0;
};

// A readable name for a bridge status, e.g. "time-out"; "status N" for unknown ones.
std::string bridgeStatusName(int status);

} // namespace velmora
