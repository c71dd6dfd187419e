#pragma once
// Time zones by name, for the instants of a logger's readings. A logger keeps the wall
// time of the place it was started in; its first reading's time becomes an instant
// through that zone, as the set-up wizard turns a chosen start time into one
// (WallClock::fromLocal), and the true local time of any instant comes back through
// the same zone. The zone is the process's TZ while a conversion runs.
#include <cstdint>
#include <optional>
#include <string>

#include "civil_time.h"

namespace velmora {

// The system's zone name ("Europe/Berlin"): TZ when set, else what /etc/localtime
// names; "UTC" when neither says.
std::string systemZoneName();

// True when `name` is a zone of the system's time zone database.
bool zoneExists(const std::string& name);

// Makes `zone` the process's zone until destroyed, then puts the one before back.
class ZoneScope {
public:
    explicit ZoneScope(const std::string& zone);
    ~ZoneScope();
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;

private:
    std::optional<std::string> before_;
    bool changed_ = false;
};

// "DD/MM/YYYY HH:MM:SS", as the download file writes its times.
std::string wallStampText(std::int64_t wallSeconds);

// The instant of the local time `wall` in `zone`, resolved as the wizard resolves a
// start time chosen at `now`: nothing when the zone skips it; in a repeated hour the
// first occurrence not before `now`, or the first one when both have passed.
std::optional<std::int64_t> instantOfLocal(std::int64_t wallSeconds, const std::string& zone, std::int64_t now);

// The local times of instants in one zone, for many instants in a row: the zone's
// offset is looked up once per hour of instants, not once per instant.
class LocalTimes {
public:
    explicit LocalTimes(std::string zone) : zone_(std::move(zone)) {}
    // Seconds counted without a zone: the local wall time of `utc`.
    std::int64_t wallSeconds(std::int64_t utc);

private:
    std::int64_t offsetAt(std::int64_t utc);

    std::string zone_;
    std::int64_t validFrom_ = 1;
    std::int64_t validTo_ = 0; // [validFrom_, validTo_] has offset_; empty at first
    std::int64_t offset_ = 0;
};

} // namespace velmora
