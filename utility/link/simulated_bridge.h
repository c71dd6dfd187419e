#pragma once
// A USB bridge with virtual loggers plugged into it instead of real ones. Its ports
// keep their time-outs as real ones do, and their reads wait on the clock: a read
// whose bytes do not all arrive advances the clock by the read time-out and fails, so
// a test on a virtual clock sees exactly the waits a user would, without waiting.
//
// Ports of different loggers may be used from different threads at once (with a
// clock that allows it, such as the steady clock): the bridge serialises what they
// do to the loggers, not their waits.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "usb_bridge.h"
#include "virtual_logger.h"

namespace velmora {

class Clock;
class SimulatedPort;

class SimulatedBridge final : public UsbBridge {
public:
    explicit SimulatedBridge(Clock& clock) : clock_(clock) {}

    Clock& clock() { return clock_; }

    // Plugs a logger in; it is listed after the ones already attached, at the location
    // "sim-N" for the Nth logger attached.
    VirtualLogger& attach(std::unique_ptr<VirtualLogger> logger);
    VirtualLogger& attach(LoggerImage image);
    // Plugs a logger in `delayMs` from now, as a person does while a program runs.
    void attachLater(std::uint64_t delayMs, std::unique_ptr<VirtualLogger> logger);
    // Pulls out the logger listed at `index`; its open ports stop working.
    std::unique_ptr<VirtualLogger> detach(std::size_t index);
    std::size_t attachedCount();
    VirtualLogger& logger(std::size_t index);
    std::string location(std::size_t index);

    // One entry per read or write made on a port, with its time-outs at the time.
    struct Transfer {
        enum class Kind { Read, Write } kind;
        std::uint32_t requested = 0;
        std::uint32_t done = 0;
        PortStatus status = PortStatus::Ok;
        std::uint32_t readTimeoutMs = 0;
        std::uint32_t writeTimeoutMs = 0;
        std::uint64_t atMs = 0; // clock tick when the transfer began
    };
    void setRecording(bool on) { recording_ = on; }
    const std::vector<Transfer>& transfers() const { return transfers_; }
    std::size_t openPorts() const { return openPorts_; }

    // The time-outs a port has when it is opened (none: wait as long as it takes), and
    // those the last port closed had.
    void setPortTimeouts(PortTimeouts timeouts) { portTimeouts_ = timeouts; }
    PortTimeouts lastClosedTimeouts() const { return lastClosedTimeouts_; }

    PortStatus listDevices(std::vector<UsbDevice>& devices) override;
    PortStatus open(const std::string& location, std::unique_ptr<UsbPort>& port) override;
    bool waitForChange(std::uint32_t ms) override;

private:
    friend class SimulatedPort;
    struct Slot {
        std::shared_ptr<VirtualLogger> logger;
        std::string location;
    };
    struct Arrival {
        std::uint64_t atMs;
        std::unique_ptr<VirtualLogger> logger;
    };

    // With the lock held.
    VirtualLogger& plugIn(std::unique_ptr<VirtualLogger> logger);
    void update(); // loggers due to arrive come, vanished ones go
    bool plugged(const std::shared_ptr<VirtualLogger>& logger) const;

    // For the ports.
    void record(Transfer::Kind kind, std::uint32_t requested, std::uint32_t done, PortStatus status,
                PortTimeouts timeouts, std::uint64_t at);
    void portClosed(PortTimeouts timeouts);

    Clock& clock_;
    std::mutex mutex_;
    std::vector<Slot> attached_;
    std::vector<Arrival> arrivals_;
    int attachments_ = 0;
    std::uint64_t changes_ = 0; // plug-ins and pull-outs so far
    PortTimeouts portTimeouts_;
    PortTimeouts lastClosedTimeouts_;
    std::size_t openPorts_ = 0;
    bool recording_ = false;
    std::vector<Transfer> transfers_;
};

} // namespace velmora
