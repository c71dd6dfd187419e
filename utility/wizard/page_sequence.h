#pragma once
// The order of the set-up pages for each logger type, with the pages that show only
// under a condition. Next and Back both read the one table of rows by type
// (wizard_pages.h), so a page shared by several rows never decides its neighbours on
// its own.
#include "logger_config.h"
#include "wizard_pages.h"

namespace velmora {

// Whether a page of a row is shown for this configuration: the scaling page only
// with custom scaling, the consecutive-alarm page only with an alarm switched on.
bool pageShown(const LoggerConfig& config, int page);

// The neighbours of `page` in the row of the configuration's type, skipping pages
// not shown; -1 when there is none (or the page is not in the row).
int nextPage(const LoggerConfig& config, int page);
int previousPage(const LoggerConfig& config, int page);

} // namespace velmora
