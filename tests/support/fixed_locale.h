#pragma once
// Day/month/year and a 24-hour clock, whatever the machine's locale.
#include <cstdio>
#include <string>

#include "locale_format.h"

namespace velmora::test {

class FixedLocale final : public LocaleFormat {
public:
    std::string shortDate(const CivilTime& t) const override
    {
        return format("%02d/%02d/%04d", t.day, t.month, t.year);
    }
    std::string shortTime(const CivilTime& t) const override
    {
        return format("%02d:%02d:%02d", t.hour, t.minute, t.second);
    }

private:
    static std::string format(const char* pattern, int a, int b, int c)
    {
        char text[32];
        std::snprintf(text, sizeof text, pattern, a, b, c);
        return text;
    }
};

} // namespace velmora::test
