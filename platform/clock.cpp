#include "clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace velmora {

std::uint64_t SteadyClock::tickMs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyClock::sleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

CivilTime SteadyClock::localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return CivilTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

CivilTime VirtualClock::localNow()
{
    CivilTime t = start_;
    addSeconds(t, now_ / 1000);
    return t;
}

} // namespace velmora
