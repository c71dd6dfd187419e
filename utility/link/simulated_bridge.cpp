#include "simulated_bridge.h"

#include <algorithm>

#include "clock.h"

namespace velmora {

VirtualLogger& SimulatedBridge::attach(std::unique_ptr<VirtualLogger> logger)
{
    attached_.push_back(std::shared_ptr<VirtualLogger>(std::move(logger)));
    return *attached_.back();
}

VirtualLogger& SimulatedBridge::attach(LoggerImage image)
{
    return attach(std::make_unique<VirtualLogger>(std::move(image), clock_));
}

std::unique_ptr<VirtualLogger> SimulatedBridge::detach(std::size_t index)
{
    dropVanished();
    std::shared_ptr<VirtualLogger> gone = attached_.at(index);
    attached_.erase(attached_.begin() + static_cast<std::ptrdiff_t>(index));
    // Handles keep only weak references, so once it is out nothing else holds it.
    for (auto& [handle, weak] : handles_)
        if (weak.lock() == gone)
            weak.reset();
    std::unique_ptr<VirtualLogger> out(new VirtualLogger(std::move(*gone)));
    return out;
}

std::size_t SimulatedBridge::attachedCount() const
{
    return static_cast<std::size_t>(
        std::count_if(attached_.begin(), attached_.end(), [](const auto& l) { return !l->vanished(); }));
}

VirtualLogger& SimulatedBridge::logger(std::size_t index)
{
    dropVanished();
    return *attached_.at(index);
}

void SimulatedBridge::dropVanished()
{
    std::erase_if(attached_, [](const auto& l) { return l->vanished(); });
}

VirtualLogger* SimulatedBridge::device(BridgeHandle handle)
{
    const auto it = handles_.find(handle);
    if (it == handles_.end())
        return nullptr;
    std::shared_ptr<VirtualLogger> logger = it->second.lock();
    if (!logger || logger->vanished())
        return nullptr;
    // Still plugged in?
    return std::find(attached_.begin(), attached_.end(), logger) != attached_.end() ? logger.get() : nullptr;
}

void SimulatedBridge::record(Transfer::Kind kind, std::uint32_t requested, std::uint32_t done, int status,
                             std::uint64_t at)
{
    if (recording_)
        transfers_.push_back(Transfer{kind, requested, done, status, readTimeoutMs_, writeTimeoutMs_, at});
}

int SimulatedBridge::getNumDevices(std::uint32_t& count)
{
    dropVanished();
    count = static_cast<std::uint32_t>(attached_.size());
    return bridge::kSuccess;
}

int SimulatedBridge::getProductString(std::uint32_t index, std::string& product)
{
    dropVanished();
    if (index >= attached_.size())
        return bridge::kDeviceNotFound;
    product = attached_[index]->productString();
    return bridge::kSuccess;
}

int SimulatedBridge::open(std::uint32_t index, BridgeHandle& handle)
{
    dropVanished();
    if (index >= attached_.size() || !attached_[index]->acceptOpen())
        return bridge::kDeviceNotFound;
    handle = nextHandle_++;
    handles_[handle] = attached_[index];
    return bridge::kSuccess;
}

int SimulatedBridge::close(BridgeHandle handle)
{
    return handles_.erase(handle) == 1 ? bridge::kSuccess : bridge::kInvalidHandleStatus;
}

int SimulatedBridge::read(BridgeHandle handle, std::uint8_t* buffer, std::uint32_t count, std::uint32_t& bytesRead)
{
    bytesRead = 0;
    const std::uint64_t start = clock_.tickMs();
    VirtualLogger* logger = device(handle);
    int status = bridge::kSuccess;
    if (!logger) {
        status = handles_.count(handle) ? bridge::kDeviceIoFailed : bridge::kInvalidHandleStatus;
    } else if (count > 0) {
        // A reply that is not ready yet is waited for, up to the read time-out.
        const std::uint64_t readyAt = logger->replyReadyAtMs();
        const std::uint64_t now = clock_.tickMs();
        bool timedOut = false;
        if (logger->pendingBytes() > 0 && readyAt > now) {
            const std::uint64_t wait = readyAt - now;
            if (readTimeoutMs_ != 0 && wait > readTimeoutMs_) {
                clock_.sleepMs(readTimeoutMs_);
                timedOut = true;
            } else {
                clock_.sleepMs(static_cast<std::uint32_t>(wait));
            }
        }
        if (!timedOut)
            bytesRead = static_cast<std::uint32_t>(logger->takeReply(buffer, count));
        if (logger->vanished()) {
            status = bridge::kDeviceIoFailed;
        } else if (bytesRead < count) {
            // The rest never comes: the read waits out its time-out. (With no time-out
            // a real read would wait for ever; here it gives up at once.)
            if (!timedOut && readTimeoutMs_ != 0)
                clock_.sleepMs(readTimeoutMs_);
            status = bridge::kTimeout;
        }
    }
    record(Transfer::Kind::Read, count, bytesRead, status, start);
    return status;
}

int SimulatedBridge::write(BridgeHandle handle, const std::uint8_t* buffer, std::uint32_t count,
                           std::uint32_t& bytesWritten)
{
    bytesWritten = 0;
    const std::uint64_t start = clock_.tickMs();
    VirtualLogger* logger = device(handle);
    int status = bridge::kSuccess;
    if (!logger) {
        status = handles_.count(handle) ? bridge::kDeviceIoFailed : bridge::kInvalidHandleStatus;
    } else {
        bytesWritten = count;
        if (!logger->receive(std::span<const std::uint8_t>(buffer, count)))
            status = bridge::kDeviceIoFailed;
    }
    record(Transfer::Kind::Write, count, bytesWritten, status, start);
    return status;
}

int SimulatedBridge::flushBuffers(BridgeHandle handle, bool transmit, bool receive)
{
    VirtualLogger* logger = device(handle);
    if (!logger)
        return bridge::kInvalidHandleStatus;
    if (transmit || receive)
        logger->flush();
    return bridge::kSuccess;
}

int SimulatedBridge::setTimeouts(std::uint32_t readMs, std::uint32_t writeMs)
{
    readTimeoutMs_ = readMs;
    writeTimeoutMs_ = writeMs;
    return bridge::kSuccess;
}

int SimulatedBridge::getTimeouts(std::uint32_t& readMs, std::uint32_t& writeMs)
{
    readMs = readTimeoutMs_;
    writeMs = writeTimeoutMs_;
    return bridge::kSuccess;
}

int SimulatedBridge::checkRxQueue(BridgeHandle handle, std::uint32_t& queuedBytes, std::uint32_t& status)
{
    queuedBytes = 0;
    status = 0;
    VirtualLogger* logger = device(handle);
    if (!logger)
        return bridge::kDeviceIoFailed;
    if (logger->replyReadyAtMs() <= clock_.tickMs())
        queuedBytes = static_cast<std::uint32_t>(logger->pendingBytes());
    if (queuedBytes > 0)
        status = kRxQueueDataReady;
    return bridge::kSuccess;
}

} // namespace velmora
