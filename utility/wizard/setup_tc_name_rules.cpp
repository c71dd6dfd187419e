#include "setup_tc_name_rules.h"

#include "connected_logger.h"
#include "logger_name_check.h"
#include "sample_rate_choice.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_tc_name {

namespace {
constexpr std::uint8_t kFahrenheitBit = 0x01;
constexpr std::uint8_t kHighNibble = 0xF0;
constexpr std::uint8_t kLowNibble = 0x0F;
// Bits 1 and 2 are cleared whenever the kind is stored.
constexpr std::uint8_t kClearedWithKind = 0x06;
} // namespace

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    Values v;
    v.name = c.name();
    v.scale = (c.inputOptions() & kFahrenheitBit) != 0 ? kFahrenheit : kCelsius;
    v.loadedScale = v.scale;
    v.rate = rateIndexFor(c.type(), c.sampleInterval());
    v.thermocouple = thermocoupleIndexFor(c.inputOptions());
    return v;
}

WizardStep next(WizardCore& core, const Values& values)
{
    if (!takeLoggerName(core, values.name))
        return WizardStep::stay(kNameBox);
    ConnectedLogger& logger = core.logger;
    LoggerConfig& c = logger.config;
    if (values.scale != values.loadedScale) {
        const bool fahrenheit = values.scale == kFahrenheit;
        c.setText(TextSlot::Units, std::string(kScaleLabels[fahrenheit ? kFahrenheit : kCelsius]));
        c.setInputOptions(static_cast<std::uint8_t>((c.inputOptions() & kHighNibble) | (fahrenheit ? 1 : 0)));
    }
    c.setSampleInterval(rateSecondsAt(logger.type(), values.rate));
    const std::uint8_t kept = c.inputOptions() & kLowNibble & ~kClearedWithKind;
    c.setInputOptions(static_cast<std::uint8_t>(kept | thermocoupleBitsAt(values.thermocouple)));
    return forwardFrom(core, page::kTcName);
}

} // namespace velmora::setup_tc_name
