#include "time_zone.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "time_stamp.h"
#include "wall_clock.h"

namespace velmora {

namespace {

constexpr const char* kZoneFolder = "/usr/share/zoneinfo/";

std::string zoneFolder()
{
    const char* dir = std::getenv("TZDIR");
    return dir && *dir ? std::string(dir) + "/" : std::string(kZoneFolder);
}

std::optional<std::string> currentTz()
{
    const char* tz = std::getenv("TZ");
    return tz ? std::optional<std::string>(tz) : std::nullopt;
}

void setTz(const std::optional<std::string>& tz)
{
    if (tz)
        setenv("TZ", tz->c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace

std::string systemZoneName()
{
    if (std::optional<std::string> tz = currentTz(); tz && !tz->empty()) {
        std::string name = (*tz)[0] == ':' ? tz->substr(1) : *tz;
        if (zoneExists(name))
            return name;
    }
    char link[4096];
    const ssize_t n = readlink("/etc/localtime", link, sizeof link - 1);
    if (n > 0) {
        const std::string target(link, static_cast<std::size_t>(n));
        const std::string marker = "zoneinfo/";
        if (const std::size_t at = target.rfind(marker); at != std::string::npos) {
            const std::string name = target.substr(at + marker.size());
            if (zoneExists(name))
                return name;
        }
    }
    std::ifstream file("/etc/timezone");
    std::string name;
    if (std::getline(file, name) && zoneExists(name))
        return name;
    return "UTC";
}

bool zoneExists(const std::string& name)
{
    // A name, not a path: no climbing out of the database, nothing absolute.
    if (name.empty() || name[0] == '/' || name.find("..") != std::string::npos)
        return false;
    std::ifstream file(zoneFolder() + name, std::ios::binary);
    char magic[4] = {};
    return file.read(magic, 4) && std::string(magic, 4) == "TZif";
}

ZoneScope::ZoneScope(const std::string& zone) : before_(currentTz())
{
    if (before_ && *before_ == zone)
        return;
    setTz(zone);
    changed_ = true;
}

ZoneScope::~ZoneScope()
{
    if (changed_)
        setTz(before_);
}

std::string wallStampText(std::int64_t wallSeconds)
{
    char text[TimeStampText::kRoom];
    return std::string(text, writeTimeStamp(text, civilOfSeconds(wallSeconds)));
}

std::optional<std::int64_t> instantOfLocal(std::int64_t wallSeconds, const std::string& zone, std::int64_t now)
{
    ZoneScope scope(zone);
    return WallClock::fromLocal(civilOfSeconds(wallSeconds), now);
}

std::int64_t LocalTimes::offsetAt(std::int64_t utc)
{
    ZoneScope scope(zone_);
    return secondsOf(WallClock::toLocal(utc)) - utc;
}

std::int64_t LocalTimes::wallSeconds(std::int64_t utc)
{
    if (utc < validFrom_ || utc > validTo_) {
        // Zones change their offset at most a few times a year, never twice within an
        // hour: the offset at both ends of the hour ahead holds in between when they
        // agree, and a change inside it is found by halving.
        const std::int64_t start = utc;
        const std::int64_t offset = offsetAt(start);
        std::int64_t end = start + 3599;
        if (offsetAt(end) != offset) {
            std::int64_t same = start; // offset at `same` is `offset`; at `end` it is not
            while (end - same > 1) {
                const std::int64_t mid = same + (end - same) / 2;
                (offsetAt(mid) == offset ? same : end) = mid;
            }
            end = same;
        }
        validFrom_ = start;
        validTo_ = end;
        offset_ = offset;
    }
    return utc + offset_;
}

} // namespace velmora
