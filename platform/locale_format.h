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

// The strftime patterns behind the short date and time forms ("%d/%m/%y", "%H:%M:%S"),
// for what formats dates itself: a workbook's date cells.
struct DateTimePatterns {
    std::string date;
    std::string time;
};

// strftime's %x and %X in the locale named by LC_ALL / LC_TIME / LANG.
class SystemLocaleFormat final : public LocaleFormat {
public:
    std::string shortDate(const CivilTime& t) const override;
    std::string shortTime(const CivilTime& t) const override;
    // The patterns %x and %X stand for in that locale.
    DateTimePatterns patterns() const;
};

} // namespace velmora
