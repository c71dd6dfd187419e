#include "setup_name_rules.h"

#include "connected_logger.h"
#include "conversions.h"
#include "logger_name_check.h"
#include "sample_rate_choice.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_name {

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    Values v;
    v.name = c.name();
    v.scale = c.inputOptions() != 0 ? kFahrenheit : kCelsius;
    v.loadedScale = v.scale;
    v.rate = rateIndexFor(c.type(), c.sampleInterval());
    return v;
}

WizardStep next(WizardCore& core, const Values& values)
{
    if (!takeLoggerName(core, values.name))
        return WizardStep::stay(kNameBox);
    ConnectedLogger& logger = core.logger;
    const bool fahrenheit = values.scale == kFahrenheit;
    // The change is told from what the page showed, not from the stored byte, so a
    // byte the page showed as "°F" without being 1 still converts when "°C" is chosen.
    if (values.scale != values.loadedScale)
        reencodeAlarmLevels(logger, fahrenheit);
    logger.config.setInputOptions(fahrenheit ? 1 : 0);
    logger.config.setSampleInterval(rateSecondsAt(logger.type(), values.rate));
    return forwardFrom(core, page::kName);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kName); }

} // namespace velmora::setup_name
