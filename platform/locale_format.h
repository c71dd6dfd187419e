#pragma once
// Dates and times in the user's locale short formats. The status page and
// velmora-cli use the same formatter, so they always print the same texts.
#include <string>

#include "civil_time.h"

namespace velmora {

class LocaleFormat {
public:
    virtual ~LocaleFormat() = default;
    virtual std::string shortDate(const CivilTime& t) const = 0;
    virtual std::string shortTime(const CivilTime& t) const = 0;
};

// strftime's %x and %X in the locale named by LC_ALL / LC_TIME / LANG.
class SystemLocaleFormat final : public LocaleFormat {
public:
    std::string shortDate(const CivilTime& t) const override;
    std::string shortTime(const CivilTime& t) const override;
};

} // namespace velmora
