#pragma once
// An opened logger: the byte stream of one device, with time-outs of its own. A
// bridge opens it (UsbBridge::open) and the link that asked owns it for one exchange;
// destroying it closes it. Several ports, one per logger, can be open at once.
#include <cstdint>
#include <string>

namespace velmora {

// What a port call came to. The numbers are those the wire trace prints.
enum class PortStatus {
    Ok = 0,
    Closed = 1,          // the port was closed
    ReadError = 2,       // the device refused a read
    WriteError = 3,      // the device refused a write
    NotFound = 4,        // no such device, or not one a logger's stream can be opened on
    Timeout = 5,         // the time-out passed before the transfer was done
    InvalidArgument = 6, // a null buffer or a size the transport cannot take
    IoFailed = 7,        // the device is gone, busy or may not be used
};

// A readable name for a status, e.g. "time-out".
inline std::string portStatusName(PortStatus status)
{
    switch (status) {
    case PortStatus::Ok: return "ok";
    case PortStatus::Closed: return "closed";
    case PortStatus::ReadError: return "read error";
    case PortStatus::WriteError: return "write error";
    case PortStatus::NotFound: return "device not found";
    case PortStatus::Timeout: return "time-out";
    case PortStatus::InvalidArgument: return "invalid parameter";
    case PortStatus::IoFailed: return "device I/O failed";
    }
    return "status " + std::to_string(static_cast<int>(status));
}

// Milliseconds a read or a write may wait; 0 means no limit.
struct PortTimeouts {
    std::uint32_t readMs = 0;
    std::uint32_t writeMs = 0;
    bool operator==(const PortTimeouts&) const = default;
};

class UsbPort {
public:
    virtual ~UsbPort() = default;

    // Blocks until `count` bytes arrived or the read time-out passed; `done` counts the
    // bytes that came, also on a time-out.
    virtual PortStatus read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) = 0;
    virtual PortStatus write(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) = 0;
    // Drops whatever waits to be sent or to be read.
    virtual PortStatus purge() = 0;
    // The bytes received and ready to be read now, without waiting for more.
    virtual PortStatus waiting(std::uint32_t& bytes) = 0;
    // Releases the device; every later call answers Closed.
    virtual PortStatus close() = 0;

    virtual PortStatus setTimeouts(PortTimeouts timeouts)
    {
        timeouts_ = timeouts;
        return PortStatus::Ok;
    }
    virtual PortTimeouts timeouts() const { return timeouts_; }

protected:
    explicit UsbPort(PortTimeouts timeouts = {}) : timeouts_(timeouts) {}

private:
    PortTimeouts timeouts_;
};

} // namespace velmora
