#pragma once
// The calendar clock with the computer's time zone. A delayed start is a number of
// real seconds from now, while the user picks a local date and time; going through
// absolute time keeps that right when the clocks change in between. Tests fix "now"
// and choose the zone through TZ.
#include <cstdint>
#include <limits>
#include <optional>

#include "civil_time.h"

namespace velmora {

// Seconds since 1970-01-01 00:00:00 UTC.
using UnixSeconds = std::int64_t;

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual UnixSeconds now() = 0;

    CivilTime localNow() { return toLocal(now()); }

    // Through the process's time zone (TZ or the system's).
    static CivilTime toLocal(UnixSeconds t);
    // The moment a local date and time names, nothing when it is skipped because the
    // clocks go forward. When they go back over it, it names its first occurrence not
    // before `notBefore` (so during the repeated hour a time still to come is meant),
    // or its first occurrence when both have passed.
    static std::optional<UnixSeconds> fromLocal(const CivilTime& local,
                                                UnixSeconds notBefore = std::numeric_limits<UnixSeconds>::min());
};

class SystemWallClock final : public WallClock {
public:
    UnixSeconds now() override;
};

// A clock that stands still until told otherwise.
class FixedWallClock final : public WallClock {
public:
    explicit FixedWallClock(UnixSeconds t) : now_(t) {}
    UnixSeconds now() override { return now_; }
    void set(UnixSeconds t) { now_ = t; }
    void advance(std::int64_t seconds) { now_ += seconds; }

private:
    UnixSeconds now_;
};

} // namespace velmora
