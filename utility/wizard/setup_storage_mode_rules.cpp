#include "setup_storage_mode_rules.h"

#include <algorithm>

#include "connected_logger.h"
#include "utility_strings.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_storage_mode {

namespace {
// The count the texts were written with; the page puts the logger's own in its place.
constexpr std::string_view kPlaceholder = "16,382";
} // namespace

std::string withCapacity(std::string_view text, std::int64_t count)
{
    const std::string digits = std::to_string(count);
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t found = text.find(kPlaceholder, at);
        out.append(text.substr(at, found - at));
        if (found == std::string_view::npos)
            return out;
        out.append(digits);
        at = found + kPlaceholder.size();
    }
}

Values load(const LoggerRecord& logger)
{
    const std::int64_t capacity = logger.config.memoryCapacity();
    Values values;
    values.storage = logger.config.isOverwriteMode() ? 1 : 0;
    values.stopCapacityText = withCapacity(utilitytext::kStopWhenFullCapacity, capacity);
    // A logger reporting no memory at all keeps none, not minus one.
    values.overwriteCapacityText =
        withCapacity(utilitytext::kOverwriteCapacity, std::max<std::int64_t>(capacity - 1, 0));
    return values;
}

WizardStep next(WizardCore& core, const Values& values)
{
    core.logger.config.setOverwriteMode(values.storage == 1);
    return forwardFrom(core, page::kStorageMode);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kStorageMode); }

} // namespace velmora::setup_storage_mode
