#pragma once
// A USB bridge with virtual loggers plugged into it instead of real ones. It keeps
// the library's time-outs as the real one does, and its reads wait on the clock: a
// read whose bytes do not all arrive advances the clock by the read time-out and
// fails, so a test on a virtual clock sees exactly the waits a user would, without
// waiting.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "usb_bridge.h"
#include "virtual_logger.h"

namespace velmora {

class Clock;

class SimulatedBridge final : public UsbBridge {
public:
    explicit SimulatedBridge(Clock& clock) : clock_(clock) {}

    Clock& clock() { return clock_; }

    // Plugs a logger in; it is listed after the ones already attached.
    VirtualLogger& attach(std::unique_ptr<VirtualLogger> logger);
    VirtualLogger& attach(LoggerImage image);
    // Pulls out the logger listed at `index`; its open handles stop working.
    std::unique_ptr<VirtualLogger> detach(std::size_t index);
    std::size_t attachedCount() const;
    VirtualLogger& logger(std::size_t index);

    // One entry per read or write the link made, with the time-outs in force.
    struct Transfer {
        enum class Kind { Read, Write } kind;
        std::uint32_t requested = 0;
        std::uint32_t done = 0;
        int status = 0;
        std::uint32_t readTimeoutMs = 0;
        std::uint32_t writeTimeoutMs = 0;
        std::uint64_t atMs = 0; // clock tick when the transfer began
    };
    void setRecording(bool on) { recording_ = on; }
    const std::vector<Transfer>& transfers() const { return transfers_; }
    std::size_t openHandles() const { return handles_.size(); }

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

private:
    void dropVanished();
    VirtualLogger* device(BridgeHandle handle);
    void record(Transfer::Kind kind, std::uint32_t requested, std::uint32_t done, int status, std::uint64_t at);

    Clock& clock_;
    std::vector<std::shared_ptr<VirtualLogger>> attached_;
    std::map<BridgeHandle, std::weak_ptr<VirtualLogger>> handles_;
    BridgeHandle nextHandle_ = 1;
    // The library's defaults: wait as long as it takes.
    std::uint32_t readTimeoutMs_ = 0;
    std::uint32_t writeTimeoutMs_ = 0;
    bool recording_ = false;
    std::vector<Transfer> transfers_;
};

} // namespace velmora
