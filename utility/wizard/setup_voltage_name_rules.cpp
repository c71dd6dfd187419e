#include "setup_voltage_name_rules.h"

#include "connected_logger.h"
#include "conversions.h"
#include "logger_name_check.h"
#include "sample_rate_choice.h"
#include "type_catalogue.h"
#include "utility_strings.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_voltage_name {

std::string scaleLabelText(const LoggerRecord& record)
{
    std::string text = std::string(utilitytext::kScaleSetTo);
    if (typeRow(record.type()).measures == Measures::Current) {
        static constexpr std::string_view kVoltage = "Voltage";
        if (const std::size_t at = text.find(kVoltage); at != std::string::npos)
            text.replace(at, kVoltage.size(), "Current");
    }
    return text;
}

std::string rangeLabelText(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    return "(" + c.text(TextSlot::RangeText) + " " + c.text(TextSlot::DefaultUnits) + ")";
}

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    Values v;
    v.name = c.name();
    v.rate = rateIndexFor(c.type(), c.sampleInterval());
    v.scaling = c.inputOptions() != 0 ? kCustom : kStandard;
    v.scaleLabel = scaleLabelText(record);
    v.rangeLabel = rangeLabelText(record);
    return v;
}

WizardStep next(WizardCore& core, const Values& values)
{
    if (!takeLoggerName(core, values.name))
        return WizardStep::stay(kNameBox);
    ConnectedLogger& logger = core.logger;
    LoggerConfig& c = logger.config;
    c.setSampleInterval(rateSecondsAt(logger.type(), values.rate));
    if (values.scaling == kCustom) {
        c.setInputOptions(1);
    } else {
        c.setInputOptions(0);
        c.setText(TextSlot::Units, c.text(TextSlot::DefaultUnits));
    }
    computeScaling(logger);
    // inputOptions decides whether the row passes through the scaling page.
    return forwardFrom(core, page::kVoltageName);
}

} // namespace velmora::setup_voltage_name
