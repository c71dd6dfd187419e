#include "setup_voltage_alarms_rules.h"

#include <algorithm>
#include <cmath>

#include "connected_logger.h"
#include "numeric_entry.h"
#include "prompts.h"
#include "type_catalogue.h"
#include "typed_alarm_levels.h"
#include "utility_strings.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_voltage_alarms {

using namespace typed_levels;

namespace {

// A raw low level below this is raised to it when raw 0 means a level above zero.
constexpr std::uint16_t kLowestLowCode = 31;

// One typed level on its way into the record.
struct Level {
    double value;
    bool on;
    std::string& text;
    int control;
    std::string_view message;
    double whenOff; // the level a disabled alarm gets when its typed level is out of range
};

// Out of range: corrected with a message (and false) when the alarm is on, replaced
// silently when it is off.
bool settle(WizardCore& core, Level& level, const ValueRange& range, int decimals)
{
    const Place place = placeOf(level.value, range);
    if (place == Place::Inside)
        return true;
    if (!level.on) {
        level.value = level.whenOff;
        return true;
    }
    core.prompts.warn(std::string(level.message));
    const ValueRange shown = shownRange(range, decimals);
    level.text = shownText(place == Place::Below ? shown.bottom : shown.top, decimals);
    return false;
}

// The unit beside the levels: the logger's unit text. The thermocouple loggers have
// none in their record (their units slot is for scaled loggers), though their levels
// are typed in the unit of bit 0, so that one is shown.
std::string levelUnit(const LoggerConfig& c)
{
    if (typeRow(c.type()).unit == UnitOption::Bit0)
        return (c.inputOptions() & 0x01) != 0 ? "\260F" : "\260C";
    return c.unitText();
}

} // namespace

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    const ValueRange range = levelRange(record);
    Values v;
    v.decimals = decimalsForType(record);
    v.unit = levelUnit(c);
    v.highOn = c.hasFlag(flag::kHighEnabled);
    v.lowOn = c.hasFlag(flag::kLowEnabled);
    // A stored level is shown as the edit shows it, and one that would then lie
    // outside the range shows as the end the edit can show.
    const ValueRange shown = shownRange(range, v.decimals);
    const auto inside = [&](double level, double end) {
        const double edited = numericTextValue(shownText(level, v.decimals));
        return placeOf(edited, range) == Place::Inside ? edited : end;
    };
    v.highText = shownText(inside(numericTextValue(highAlarmText(record)), shown.top), v.decimals);
    v.lowText = shownText(inside(numericTextValue(lowAlarmText(record)), shown.bottom), v.decimals);
    v.highHold = c.hasFlag(flag::kHighLatched);
    v.lowHold = c.hasFlag(flag::kLowLatched);
    v.ledsOffered = ledsCanBeDisabled(c.type());
    v.ledsDisabled = v.ledsOffered && c.hasMode(mode::kLedsDisabled);
    return v;
}

WizardStep next(WizardCore& core, Values& values)
{
    LoggerRecord& record = core.logger;
    LoggerConfig& c = record.config;
    c.setHighAlarmEnabled(values.highOn); // written when clicked; again for callers without the page
    c.setLowAlarmEnabled(values.lowOn);
    // A level left empty (or only a sign or a point) is no level: it must not be
    // stored as 0.
    if (values.highOn && !startsWithNumber(values.highText)) {
        core.prompts.warn(std::string(utilitytext::kHighLevelMissing));
        return WizardStep::stay(id::kHighLevel);
    }
    if (values.lowOn && !startsWithNumber(values.lowText)) {
        core.prompts.warn(std::string(utilitytext::kLowLevelMissing));
        return WizardStep::stay(id::kLowLevel);
    }

    Level high{numericTextValue(values.highText),
               values.highOn,
               values.highText,
               id::kHighLevel,
               utilitytext::kHighAlarmAdjusted,
               0.0};
    Level low{numericTextValue(values.lowText), values.lowOn, values.lowText, id::kLowLevel,
              utilitytext::kLowAlarmAdjusted,   0.0};
    if (high.on && low.on && !(low.value < high.value)) {
        core.prompts.warn(std::string(utilitytext::kHighNotAboveLow));
        return WizardStep::stay(id::kHighLevel);
    }

    const ValueRange range = levelRange(record);
    const int decimals = decimalsForType(record);
    high.whenOff = range.top;
    low.whenOff = range.bottom;
    // A falling scaling turns the levels round: the high slot holds the lower level's
    // code (the larger one), so the low level is settled and stored first.
    const bool falling = isScaled(c.type()) && !record.scaleRising;
    Level& first = falling ? low : high;
    Level& second = falling ? high : low;

    if (!settle(core, first, range, decimals))
        return WizardStep::stay(first.control);
    c.setHighAlarmRaw(alarmLevelToRaw(record, first.value));
    if (!settle(core, second, range, decimals))
        return WizardStep::stay(second.control);
    std::uint16_t lowCode = alarmLevelToRaw(record, second.value);
    if (rawToValue(record, 0) > 0 && lowCode < kLowestLowCode)
        lowCode = kLowestLowCode;
    c.setLowAlarmRaw(lowCode);

    c.setText(TextSlot::HighAlarmText, values.highText);
    c.setText(TextSlot::LowAlarmText, values.lowText);
    c.setHighAlarmLatched(values.highHold);
    c.setLowAlarmLatched(values.lowHold);
    // "Disable LEDs" writes its bit when clicked; a logger whose LEDs cannot be
    // switched off is given the bit clear here.
    c.setLedsDisabled(ledsCanBeDisabled(c.type()) && values.ledsDisabled);
    return forwardFrom(core, page::kVoltageAlarms);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kVoltageAlarms); }

} // namespace velmora::setup_voltage_alarms
