#include "simulated_bridge.h"

#include <algorithm>

#include "clock.h"

namespace velmora {

// A port on one virtual logger. It holds the logger only weakly: once the logger is
// pulled out, nothing of the port keeps it.
class SimulatedPort final : public UsbPort {
public:
    SimulatedPort(SimulatedBridge& bridge, std::weak_ptr<VirtualLogger> logger, PortTimeouts timeouts)
        : UsbPort(timeouts), bridge_(bridge), logger_(std::move(logger))
    {
    }
    ~SimulatedPort() override { close(); }

    PortStatus read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override;
    PortStatus write(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override;
    PortStatus purge() override;
    PortStatus waiting(std::uint32_t& bytes) override;
    PortStatus close() override;

private:
    // The logger while it is plugged in, with the bridge locked; else why not.
    PortStatus reach(std::unique_lock<std::mutex>& lock, std::shared_ptr<VirtualLogger>& logger);

    SimulatedBridge& bridge_;
    std::weak_ptr<VirtualLogger> logger_;
    bool open_ = true;
};

PortStatus SimulatedPort::reach(std::unique_lock<std::mutex>& lock, std::shared_ptr<VirtualLogger>& logger)
{
    lock = std::unique_lock(bridge_.mutex_);
    if (!open_)
        return PortStatus::Closed;
    logger = logger_.lock();
    return bridge_.plugged(logger) ? PortStatus::Ok : PortStatus::IoFailed;
}

PortStatus SimulatedPort::read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done)
{
    done = 0;
    Clock& clock = bridge_.clock_;
    const std::uint64_t start = clock.tickMs();
    const std::uint32_t timeoutMs = timeouts().readMs;
    std::unique_lock<std::mutex> lock;
    std::shared_ptr<VirtualLogger> logger;
    PortStatus status = reach(lock, logger);
    if (status == PortStatus::Ok && count > 0) {
        // A reply that is not ready yet is waited for, up to the read time-out, with
        // the bridge free for the other ports meanwhile.
        const std::uint64_t readyAt = logger->replyReadyAtMs();
        const std::uint64_t now = clock.tickMs();
        bool timedOut = false;
        if (logger->pendingBytes() > 0 && readyAt > now) {
            const std::uint64_t wait = readyAt - now;
            timedOut = timeoutMs != 0 && wait > timeoutMs;
            lock.unlock();
            clock.sleepMs(timedOut ? timeoutMs : static_cast<std::uint32_t>(wait));
            lock.lock();
        }
        if (!timedOut)
            done = static_cast<std::uint32_t>(logger->takeReply(buffer, count));
        if (logger->vanished()) {
            status = PortStatus::IoFailed;
        } else if (done < count) {
            // The rest never comes: the read waits out its time-out. (With no time-out
            // a real read would wait for ever; here it gives up at once.)
            if (!timedOut && timeoutMs != 0) {
                lock.unlock();
                clock.sleepMs(timeoutMs);
                lock.lock();
            }
            status = PortStatus::Timeout;
        }
    }
    if (lock.owns_lock())
        lock.unlock(); // recording takes the lock itself
    bridge_.record(SimulatedBridge::Transfer::Kind::Read, count, done, status, timeouts(), start);
    return status;
}

PortStatus SimulatedPort::write(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done)
{
    done = 0;
    const std::uint64_t start = bridge_.clock_.tickMs();
    std::unique_lock<std::mutex> lock;
    std::shared_ptr<VirtualLogger> logger;
    PortStatus status = reach(lock, logger);
    if (status == PortStatus::Ok) {
        done = count;
        if (!logger->receive(std::span<const std::uint8_t>(buffer, count)))
            status = PortStatus::IoFailed;
    }
    if (lock.owns_lock())
        lock.unlock();
    bridge_.record(SimulatedBridge::Transfer::Kind::Write, count, done, status, timeouts(), start);
    return status;
}

PortStatus SimulatedPort::purge()
{
    std::unique_lock<std::mutex> lock;
    std::shared_ptr<VirtualLogger> logger;
    const PortStatus status = reach(lock, logger);
    if (status == PortStatus::Ok)
        logger->flush();
    return status;
}

PortStatus SimulatedPort::waiting(std::uint32_t& bytes)
{
    bytes = 0;
    std::unique_lock<std::mutex> lock;
    std::shared_ptr<VirtualLogger> logger;
    const PortStatus status = reach(lock, logger);
    if (status == PortStatus::Ok && logger->replyReadyAtMs() <= bridge_.clock_.tickMs())
        bytes = static_cast<std::uint32_t>(logger->pendingBytes());
    return status;
}

PortStatus SimulatedPort::close()
{
    {
        std::lock_guard lock(bridge_.mutex_);
        if (!open_)
            return PortStatus::Closed;
        open_ = false;
        logger_.reset();
    }
    bridge_.portClosed(timeouts());
    return PortStatus::Ok;
}

// ---- the bridge ----

VirtualLogger& SimulatedBridge::plugIn(std::unique_ptr<VirtualLogger> logger)
{
    attached_.push_back(
        Slot{std::shared_ptr<VirtualLogger>(std::move(logger)), "sim-" + std::to_string(++attachments_)});
    ++changes_;
    return *attached_.back().logger;
}

VirtualLogger& SimulatedBridge::attach(std::unique_ptr<VirtualLogger> logger)
{
    std::lock_guard lock(mutex_);
    return plugIn(std::move(logger));
}

VirtualLogger& SimulatedBridge::attach(LoggerImage image)
{
    return attach(std::make_unique<VirtualLogger>(std::move(image), clock_));
}

void SimulatedBridge::attachLater(std::uint64_t delayMs, std::unique_ptr<VirtualLogger> logger)
{
    std::lock_guard lock(mutex_);
    arrivals_.push_back(Arrival{clock_.tickMs() + delayMs, std::move(logger)});
}

void SimulatedBridge::update()
{
    const std::uint64_t now = clock_.tickMs();
    // In the order they were due; those due at the same moment in the order given.
    std::stable_sort(arrivals_.begin(), arrivals_.end(),
                     [](const Arrival& a, const Arrival& b) { return a.atMs < b.atMs; });
    while (!arrivals_.empty() && arrivals_.front().atMs <= now) {
        plugIn(std::move(arrivals_.front().logger));
        arrivals_.erase(arrivals_.begin());
    }
    const std::size_t before = attached_.size();
    std::erase_if(attached_, [](const Slot& s) { return s.logger->vanished(); });
    changes_ += before - attached_.size();
}

bool SimulatedBridge::plugged(const std::shared_ptr<VirtualLogger>& logger) const
{
    return logger && !logger->vanished() &&
           std::any_of(attached_.begin(), attached_.end(), [&](const Slot& s) { return s.logger == logger; });
}

std::unique_ptr<VirtualLogger> SimulatedBridge::detach(std::size_t index)
{
    std::lock_guard lock(mutex_);
    update();
    std::shared_ptr<VirtualLogger> gone = attached_.at(index).logger;
    attached_.erase(attached_.begin() + static_cast<std::ptrdiff_t>(index));
    ++changes_;
    // Ports keep only weak references, so once it is out nothing else holds it.
    return std::unique_ptr<VirtualLogger>(new VirtualLogger(std::move(*gone)));
}

std::size_t SimulatedBridge::attachedCount()
{
    std::lock_guard lock(mutex_);
    update();
    return attached_.size();
}

VirtualLogger& SimulatedBridge::logger(std::size_t index)
{
    std::lock_guard lock(mutex_);
    update();
    return *attached_.at(index).logger;
}

std::string SimulatedBridge::location(std::size_t index)
{
    std::lock_guard lock(mutex_);
    update();
    return attached_.at(index).location;
}

void SimulatedBridge::record(Transfer::Kind kind, std::uint32_t requested, std::uint32_t done, PortStatus status,
                             PortTimeouts timeouts, std::uint64_t at)
{
    std::lock_guard lock(mutex_);
    if (recording_)
        transfers_.push_back(Transfer{kind, requested, done, status, timeouts.readMs, timeouts.writeMs, at});
}

void SimulatedBridge::portClosed(PortTimeouts timeouts)
{
    std::lock_guard lock(mutex_);
    --openPorts_;
    lastClosedTimeouts_ = timeouts;
}

PortStatus SimulatedBridge::listDevices(std::vector<UsbDevice>& devices)
{
    std::lock_guard lock(mutex_);
    update();
    devices.clear();
    for (const Slot& slot : attached_)
        devices.push_back(UsbDevice{slot.location, slot.logger->productString(), PortStatus::Ok});
    return PortStatus::Ok;
}

PortStatus SimulatedBridge::open(const std::string& location, std::unique_ptr<UsbPort>& port)
{
    port.reset();
    std::lock_guard lock(mutex_);
    update();
    const auto slot = location.empty() ? attached_.begin()
                                       : std::find_if(attached_.begin(), attached_.end(),
                                                      [&](const Slot& s) { return s.location == location; });
    if (slot == attached_.end() || !slot->logger->acceptOpen())
        return PortStatus::NotFound;
    port = std::make_unique<SimulatedPort>(*this, slot->logger, portTimeouts_);
    ++openPorts_;
    return PortStatus::Ok;
}

bool SimulatedBridge::waitForChange(std::uint32_t ms)
{
    const std::uint64_t until = clock_.tickMs() + ms;
    std::unique_lock lock(mutex_);
    const std::uint64_t seen = changes_;
    for (;;) {
        update();
        const std::uint64_t now = clock_.tickMs();
        if (changes_ != seen || now >= until)
            return changes_ != seen;
        std::uint64_t wake = until;
        for (const Arrival& a : arrivals_)
            wake = std::min(wake, a.atMs);
        lock.unlock();
        clock_.sleepMs(static_cast<std::uint32_t>(std::max<std::uint64_t>(wake, now + 1) - now));
        lock.lock();
    }
}

} // namespace velmora
