#include "locale_format.h"

#include <clocale>
#include <ctime>
#include <iomanip>
#include <langinfo.h>
#include <locale>
#include <sstream>

namespace velmora {

namespace {
std::string format(const CivilTime& t, const char* pattern)
{
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    std::ostringstream out;
    // The user's own locale, without touching the process-wide C locale.
    try {
        out.imbue(std::locale(""));
    } catch (const std::exception&) {
        // An unknown locale name in the environment: fall back to the classic one.
    }
    out << std::put_time(&tm, pattern);
    return out.str();
}
} // namespace

std::string SystemLocaleFormat::shortDate(const CivilTime& t) const { return format(t, "%x"); }
std::string SystemLocaleFormat::shortTime(const CivilTime& t) const { return format(t, "%X"); }

DateTimePatterns SystemLocaleFormat::patterns() const
{
    // The C locale's own patterns stand in when the environment names no usable one.
    DateTimePatterns patterns{"%m/%d/%y", "%H:%M:%S"};
    locale_t user = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0))
        return patterns;
    patterns.date = ::nl_langinfo_l(D_FMT, user);
    patterns.time = ::nl_langinfo_l(T_FMT, user);
    ::freelocale(user);
    return patterns;
}

} // namespace velmora
