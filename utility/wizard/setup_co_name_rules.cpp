#include "setup_co_name_rules.h"

#include "connected_logger.h"
#include "logger_name_check.h"
#include "sample_rate_choice.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_co_name {

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    return Values{c.name(), rateIndexFor(c.type(), c.sampleInterval())};
}

WizardStep next(WizardCore& core, const Values& values)
{
    if (!takeLoggerName(core, values.name))
        return WizardStep::stay(kNameBox);
    ConnectedLogger& logger = core.logger;
    logger.config.setSampleInterval(rateSecondsAt(logger.type(), values.rate));
    return forwardFrom(core, page::kCoName);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kCoName); }

} // namespace velmora::setup_co_name
