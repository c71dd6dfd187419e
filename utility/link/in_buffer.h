#pragma once
// The receive side of a bulk IN endpoint as a byte stream. USB delivers whole
// packets, and asking for less than a packet risks an overflow that loses the rest,
// so transfers are always submitted in whole multiples of the packet size and
// whatever the caller did not ask for is kept for the next read. That lets the link
// read 1, 3, 64 or 512 bytes at a time whatever the device sends in one packet.
#include <cstdint>
#include <functional>
#include <vector>

#include "usb_port.h"

namespace velmora {

class Clock;

class InBuffer {
public:
    // One bulk IN transfer: fills at most `capacity` bytes, waiting at most
    // `timeoutMs` (0: no limit). Returns a port status; `received` counts the bytes
    // that came, also when the status is a time-out.
    using Transfer = std::function<PortStatus(std::uint8_t* data, std::uint32_t capacity, std::uint32_t timeoutMs,
                                              std::uint32_t& received)>;

    // Transfers never ask for more than this, rounded down to whole packets.
    static constexpr std::uint32_t kMaxTransferBytes = 16384;
    // How long a poll for already waiting data may take.
    static constexpr std::uint32_t kPollMs = 1;
    // A flush drains at most this many transfers, so a device that never stops
    // sending cannot hold the caller.
    static constexpr int kMaxDrainTransfers = 16;

    InBuffer(std::uint32_t packetSize, Clock& clock, Transfer transfer);

    // Blocks until `count` bytes were delivered or `timeoutMs` (0: no limit) passed
    // over the whole read. On a time-out or error the bytes that did arrive are in
    // `dest` and counted in `bytesRead`; they are not delivered again.
    PortStatus read(std::uint8_t* dest, std::uint32_t count, std::uint32_t timeoutMs, std::uint32_t& bytesRead);

    // Fetches what the device has ready, without waiting for more, when nothing is
    // buffered. A time-out here is not an error.
    PortStatus poll();

    // Drops the buffered bytes and those the device already has waiting.
    PortStatus discard();

    std::uint32_t buffered() const { return static_cast<std::uint32_t>(data_.size() - head_); }

private:
    PortStatus fetch(std::uint32_t wanted, std::uint32_t timeoutMs);
    std::uint32_t take(std::uint8_t* dest, std::uint32_t count);

    std::uint32_t packetSize_;
    Clock& clock_;
    Transfer transfer_;
    std::vector<std::uint8_t> data_;
    std::size_t head_ = 0;
};

} // namespace velmora
