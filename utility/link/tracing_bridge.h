#pragma once
// A wire trace over any UsbBridge: every call, on the bridge and on the ports it
// opens, with its arguments and status, and
// every byte read and written as a hex dump, each line stamped with the seconds since
// the trace began. Kept in this one decorator so the real and the simulated bridge
// trace alike, and so a misbehaving logger in the field can be diagnosed from a file.
#include <cstdint>
#include <memory>
#include <mutex>
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

    PortStatus listDevices(std::vector<UsbDevice>& devices) override;
    // The port opened is traced too, as "port N", N counting the ports opened.
    PortStatus open(const std::string& location, std::unique_ptr<UsbPort>& port) override;
    bool waitForChange(std::uint32_t ms) override;

    UsbBridge& inner() { return *inner_; }

    // Writes the stamped line "<call> -> <status>[, <detail>]". Ports on several
    // threads write whole lines, one at a time.
    void line(const std::string& call, PortStatus status, const std::string& detail = {});
    void dump(const std::uint8_t* bytes, std::uint32_t count);

private:
    void start();

    std::unique_ptr<UsbBridge> inner_;
    std::unique_ptr<std::ostream> ownedOut_;
    std::unique_ptr<Clock> ownedClock_;
    std::ostream& out_;
    Clock& clock_;
    std::uint64_t startMs_ = 0;
    int portsOpened_ = 0;
    std::recursive_mutex mutex_;
};

} // namespace velmora
