#include "setup_lite_name_rules.h"

#include "connected_logger.h"
#include "logger_name_check.h"
#include "sample_rate_choice.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_lite_name {

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    return Values{c.name(), c.inputOptions() != 0 ? kFahrenheit : kCelsius};
}

WizardStep next(WizardCore& core, const Values& values)
{
    if (!takeLoggerName(core, values.name))
        return WizardStep::stay(kNameBox);
    ConnectedLogger& logger = core.logger;
    logger.config.setInputOptions(values.scale == kFahrenheit ? 1 : 0);
    // The type's one rate.
    logger.config.setSampleInterval(rateSecondsAt(logger.type(), 0));
    return forwardFrom(core, page::kLiteName);
}

} // namespace velmora::setup_lite_name
