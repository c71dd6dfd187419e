#include "in_buffer.h"

#include <algorithm>
#include <cstring>

#include "clock.h"
#include "usb_bridge.h"

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

int InBuffer::fetch(std::uint32_t wanted, std::uint32_t timeoutMs)
{
    const std::uint32_t maxPackets = std::max<std::uint32_t>(1, kMaxTransferBytes / packetSize_);
    const std::uint32_t packets =
        std::min(maxPackets, std::max<std::uint32_t>(1, (wanted + packetSize_ - 1) / packetSize_));
    const std::uint32_t capacity = packets * packetSize_;

    const std::size_t oldSize = data_.size();
    data_.resize(oldSize + capacity);
    std::uint32_t received = 0;
    const int status = transfer_(data_.data() + oldSize, capacity, timeoutMs, received);
    data_.resize(oldSize + std::min(received, capacity));
    return status;
}

int InBuffer::read(std::uint8_t* dest, std::uint32_t count, std::uint32_t timeoutMs, std::uint32_t& bytesRead)
{
    bytesRead = take(dest, count);
    const std::uint64_t deadline = clock_.tickMs() + timeoutMs;
    while (bytesRead < count) {
        std::uint32_t wait = 0; // no limit
        if (timeoutMs != 0) {
            const std::uint64_t now = clock_.tickMs();
            if (now >= deadline)
                return bridge::kTimeout;
            wait = static_cast<std::uint32_t>(deadline - now);
        }
        const int status = fetch(count - bytesRead, wait);
        bytesRead += take(dest + bytesRead, count - bytesRead);
        // A transfer's own timer may run out a little before ours; only the
        // deadline of the whole read decides, so a time-out just loops to it.
        if (status != bridge::kSuccess && status != bridge::kTimeout && bytesRead < count)
            return status;
        if (status == bridge::kTimeout && timeoutMs == 0 && bytesRead < count)
            return status;
    }
    return bridge::kSuccess;
}

int InBuffer::poll()
{
    if (buffered() > 0)
        return bridge::kSuccess;
    const int status = fetch(packetSize_, kPollMs);
    return status == bridge::kTimeout ? bridge::kSuccess : status;
}

int InBuffer::discard()
{
    data_.clear();
    head_ = 0;
    int status = bridge::kSuccess;
    for (int i = 0; i < kMaxDrainTransfers; ++i) {
        status = fetch(packetSize_, kPollMs);
        const bool gotData = !data_.empty();
        data_.clear();
        if (status == bridge::kTimeout || (status == bridge::kSuccess && !gotData))
            return bridge::kSuccess;
        if (status != bridge::kSuccess)
            return status;
    }
    return status;
}

} // namespace velmora
