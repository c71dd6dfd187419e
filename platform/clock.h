#pragma once
// The millisecond tick counter and the waits made on it, plus the local calendar
// time. The link and the model never read a clock or sleep on their own: a virtual
// clock in tests advances instantly, so no test ever really waits.
#include <cstdint>

#include "civil_time.h"

namespace velmora {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t tickMs() = 0;         // monotonic milliseconds
    virtual void sleepMs(std::uint32_t ms) = 0; // a real clock sleeps; a virtual one advances
    virtual CivilTime localNow() = 0;           // the computer's local date and time

    // Waits until `ms` have passed on the tick counter, sleeping rather than spinning.
    void waitMs(std::uint32_t ms)
    {
        const std::uint64_t until = tickMs() + ms;
        for (std::uint64_t now = tickMs(); now < until; now = tickMs())
            sleepMs(static_cast<std::uint32_t>(until - now));
    }
};

// The real clock: std::chrono::steady_clock ticks, std::this_thread::sleep_for waits,
// localtime_r for the calendar.
class SteadyClock final : public Clock {
public:
    std::uint64_t tickMs() override;
    void sleepMs(std::uint32_t ms) override;
    CivilTime localNow() override;
};

// A clock for tests and fast simulations: sleeping advances time at once.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(CivilTime start = CivilTime{2026, 12, 7, 14, 0, 0}) : start_(start) {}
    std::uint64_t tickMs() override { return now_; }
    void sleepMs(std::uint32_t ms) override { now_ += ms; }
    CivilTime localNow() override;
    void advanceMs(std::uint64_t ms) { now_ += ms; }

private:
    CivilTime start_;
    std::uint64_t now_ = 0;
};

} // namespace velmora
