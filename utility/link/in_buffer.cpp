#include "in_buffer.h"

#include <algorithm>
#include <cstring>

#include "clock.h"
#include "usb_port.h"

namespace velmora {

InBuffer::InBuffer(std::uint32_t packetSize, Clock& clock, Transfer transfer)
    // A device that reports no packet size still sends packets; 64 bytes is the
    // largest full-speed bulk packet, so no reply can overflow it.
    : packetSize_(packetSize == 0 ? 64 : packetSize), clock_(clock), transfer_(std::move(transfer))
{
}

std::uint32_t InBuffer::take(std::uint8_t* dest, std::uint32_t count)
{
    const std::uint32_t n = std::min(count, buffered());
    if (n > 0) {
        std::memcpy(dest, data_.data() + head_, n);
        head_ += n;
    }
    if (head_ == data_.size()) {
        data_.clear();
        head_ = 0;
    }
    return n;
}

PortStatus InBuffer::fetch(std::uint32_t wanted, std::uint32_t timeoutMs)
{
    const std::uint32_t maxPackets = std::max<std::uint32_t>(1, kMaxTransferBytes / packetSize_);
    const std::uint32_t packets =
        std::min(maxPackets, std::max<std::uint32_t>(1, (wanted + packetSize_ - 1) / packetSize_));
    const std::uint32_t capacity = packets * packetSize_;

    const std::size_t oldSize = data_.size();
    data_.resize(oldSize + capacity);
    std::uint32_t received = 0;
    const PortStatus status = transfer_(data_.data() + oldSize, capacity, timeoutMs, received);
    data_.resize(oldSize + std::min(received, capacity));
    return status;
}

PortStatus InBuffer::read(std::uint8_t* dest, std::uint32_t count, std::uint32_t timeoutMs, std::uint32_t& bytesRead)
{
    bytesRead = take(dest, count);
    const std::uint64_t deadline = clock_.tickMs() + timeoutMs;
    while (bytesRead < count) {
        std::uint32_t wait = 0; // no limit
        if (timeoutMs != 0) {
            const std::uint64_t now = clock_.tickMs();
            if (now >= deadline)
                return PortStatus::Timeout;
            wait = static_cast<std::uint32_t>(deadline - now);
        }
        const PortStatus status = fetch(count - bytesRead, wait);
        bytesRead += take(dest + bytesRead, count - bytesRead);
        // A transfer's own timer may run out a little before ours; only the
        // deadline of the whole read decides, so a time-out just loops to it.
        if (status != PortStatus::Ok && status != PortStatus::Timeout && bytesRead < count)
            return status;
        if (status == PortStatus::Timeout && timeoutMs == 0 && bytesRead < count)
            return status;
    }
    return PortStatus::Ok;
}

PortStatus InBuffer::poll()
{
    if (buffered() > 0)
        return PortStatus::Ok;
    const PortStatus status = fetch(packetSize_, kPollMs);
    return status == PortStatus::Timeout ? PortStatus::Ok : status;
}

PortStatus InBuffer::discard()
{
    data_.clear();
    head_ = 0;
    PortStatus status = PortStatus::Ok;
    for (int i = 0; i < kMaxDrainTransfers; ++i) {
        status = fetch(packetSize_, kPollMs);
        const bool gotData = !data_.empty();
        data_.clear();
        if (status == PortStatus::Timeout || (status == PortStatus::Ok && !gotData))
            return PortStatus::Ok;
        if (status != PortStatus::Ok)
            return status;
    }
    return status;
}

} // namespace velmora
