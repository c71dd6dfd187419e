#include "setup_co_alarms_rules.h"

#include <cmath>

#include "connected_logger.h"
#include "conversions.h"
#include "prompts.h"
#include "type_catalogue.h"
#include "utility_strings.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_co_alarms {

int highestLevel(const LoggerRecord& record) { return typeRow(record.type()).warningMax; }

std::string rangeMessage(const LoggerRecord& record)
{
    std::string text = std::string(utilitytext::kCoLevelRange);
    const std::string range = "3-1000ppm";
    const std::string own = std::to_string(kLowestLevel) + "-" + std::to_string(highestLevel(record)) + "ppm";
    if (const std::size_t at = text.find(range); at != std::string::npos)
        text.replace(at, range.size(), own);
    return text;
}

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    const TypeInfo& row = typeRow(c.type());
    Values v;
    v.indicatorOn = c.hasFlag(flag::kLowEnabled);
    const double level = lowAlarmValue(record);
    v.level = (level < row.warningShownFrom || level > row.warningMax) ? kRecommendedLevel : level;
    v.hold = c.hasFlag(flag::kLowLatched);
    v.sounder = c.hasMode(mode::kSounder);
    return v;
}

WizardStep next(WizardCore& core, Values& values)
{
    LoggerRecord& record = core.logger;
    LoggerConfig& c = record.config;
    c.setLowAlarmEnabled(values.indicatorOn); // written when clicked; again for callers without the page
    // The high alarm is not used: it is kept off, one step above the highest level.
    const int highest = highestLevel(record);
    c.setHighAlarmEnabled(false);
    c.setHighAlarmRaw(alarmLevelToRaw(record, highest + 1));

    const bool on = values.indicatorOn;
    double level = std::isfinite(values.level) ? std::round(values.level) : 0.0;
    if (level > highest || level < kLowestLevel) {
        if (on) {
            core.prompts.warn(rangeMessage(record));
            values.level = level > highest ? kRecommendedLevel : kLowestLevel;
            return WizardStep::stay(id::kLevel);
        }
        level = kRecommendedLevel;
    }
    // A safety setting must not be accepted by a reflex key: Return answers No.
    const auto confirmed = [&core](std::string_view question) {
        return core.prompts.askYesNo(std::string(question), PromptIcon::Question, PromptAnswer::No);
    };
    if (on && level > kRecommendedLevel) {
        if (!confirmed(values.sounder ? utilitytext::kCoAboveSafety : utilitytext::kCoAboveSafetySounderOff))
            return WizardStep::stay(id::kLevel);
    } else if (on && !values.sounder) {
        if (!confirmed(utilitytext::kCoSounderOff))
            return WizardStep::stay(id::kSounder);
    }

    c.setLowAlarmRaw(alarmLevelToRaw(record, level));
    c.setLowAlarmLatched(values.hold);
    c.setSounder(values.sounder);
    return forwardFrom(core, page::kCoAlarms);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kCoAlarms); }

} // namespace velmora::setup_co_alarms
