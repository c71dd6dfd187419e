#pragma once
// The operations of the USB bridge library, one method each. Every call returns a
// status, 0 on success. The libusb bridge drives real loggers; the simulated bridge
// puts virtual loggers behind the same calls.
#include <cstdint>
#include <string>

namespace velmora {

using BridgeHandle = std::intptr_t;
inline constexpr BridgeHandle kInvalidHandle = -1;

// Statuses other than success; any non-zero value is a failure to the link.
namespace bridge {
inline constexpr int kSuccess = 0;
inline constexpr int kInvalidHandleStatus = 1;
inline constexpr int kReadError = 2;
inline constexpr int kWriteError = 3;
inline constexpr int kDeviceNotFound = 4;
inline constexpr int kTimeout = 5;
inline constexpr int kInvalidParameter = 6;
inline constexpr int kDeviceIoFailed = 7;
} // namespace bridge

class UsbBridge {
public:
    virtual ~UsbBridge() = default;
    virtual int getNumDevices(std::uint32_t& count) = 0;
    virtual int getProductString(std::uint32_t index, std::string& product) = 0;
    virtual int open(std::uint32_t index, BridgeHandle& handle) = 0;
    virtual int close(BridgeHandle handle) = 0;
    // Blocks until `count` bytes arrived or the read time-out passed.
    virtual int read(BridgeHandle handle, std::uint8_t* buffer, std::uint32_t count, std::uint32_t& bytesRead) = 0;
    virtual int write(BridgeHandle handle, const std::uint8_t* buffer, std::uint32_t count,
                      std::uint32_t& bytesWritten) = 0;
    virtual int flushBuffers(BridgeHandle handle, bool transmit, bool receive) = 0;
    virtual int setTimeouts(std::uint32_t readMs, std::uint32_t writeMs) = 0;
    virtual int getTimeouts(std::uint32_t& readMs, std::uint32_t& writeMs) = 0;
    // queuedBytes: bytes waiting; status bit 1 (value 2) set when received data are ready.
    virtual int checkRxQueue(BridgeHandle handle, std::uint32_t& queuedBytes, std::uint32_t& status) = 0;
};

inline constexpr std::uint32_t kRxQueueDataReady = 2;

} // namespace velmora
