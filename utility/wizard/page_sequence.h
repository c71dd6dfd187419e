#pragma once
// The order of the set-up pages for each logger type, with the two pages that show
// only under a condition. Next and Back both read this one table, so a page shared
// by several rows never decides its neighbours on its own.
#include <span>

#include "logger_config.h"

namespace velmora {

// The pages of the type's row in order, ending with the summary page; empty for a
// type that is never set up.
std::span<const int> pageRow(LoggerType type);

// Whether a page of a row is shown for this configuration: the scaling page only
// with custom scaling, the consecutive-alarm page only with an alarm switched on.
bool pageShown(const LoggerConfig& config, int page);

// The neighbours of `page` in the row of the configuration's type, skipping pages
// not shown; -1 when there is none (or the page is not in the row).
int nextPage(const LoggerConfig& config, int page);
int previousPage(const LoggerConfig& config, int page);

} // namespace velmora
