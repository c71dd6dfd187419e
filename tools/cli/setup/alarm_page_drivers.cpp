// The alarm pages as velmora-cli drives them: the level lists of pages 2, 7 and 12,
// the typed levels of page 10, the carbon monoxide warning level of page 15 and the
// consecutive counts of page 25.
#include <array>

#include "connected_logger.h"
#include "numeric_entry.h"
#include "page_driver.h"
#include "page_values.h"
#include "setup_alarms_rules.h"
#include "setup_co_alarms_rules.h"
#include "setup_consecutive_alarms_rules.h"
#include "setup_lite_alarms_rules.h"
#include "setup_rh_alarms_rules.h"
#include "setup_voltage_alarms_rules.h"
#include "text_encoding.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora {

namespace {

// A page's high and low alarm and their "Hold" boxes, as keys of the settings.
struct AlarmKeys {
    std::optional<AlarmSetting> LoggerSettings::*high;
    std::optional<AlarmSetting> LoggerSettings::*low;
    std::optional<bool> LoggerSettings::*highHold;
    std::optional<bool> LoggerSettings::*lowHold;
    std::string_view highKey;
    std::string_view lowKey;
};

constexpr AlarmKeys kTemperature{&LoggerSettings::highAlarm, &LoggerSettings::lowAlarm, &LoggerSettings::highHold,
                                 &LoggerSettings::lowHold,   key::kHighAlarm,           key::kLowAlarm};
constexpr AlarmKeys kHumidity{&LoggerSettings::rhHighAlarm, &LoggerSettings::rhLowAlarm, &LoggerSettings::rhHighHold,
                              &LoggerSettings::rhLowHold,   key::kRhHighAlarm,           key::kRhLowAlarm};

AlarmSetting shownAlarm(bool on, double level) { return on ? AlarmSetting{true, level} : AlarmSetting{}; }

// What the page says it set a refused value to, after its own message.
std::string corrected(std::string_view key, const std::string& typed, const std::string& shown)
{
    if (typed == shown)
        return {};
    return std::string(key) + ": the nearest the page takes is " + cp1252ToUtf8(shown) + ".";
}

std::string joined(const std::string& a, const std::string& b) { return a.empty() ? b : b.empty() ? a : a + "\n" + b; }

// ---- pages 2, 7 and 12: levels from a list ----

void readList(const AlarmLevelList& levels, const AlarmListValues& v, const AlarmKeys& k, LoggerSettings& s)
{
    s.*k.high = shownAlarm(v.highOn, levels.value(v.highIndex));
    s.*k.low = shownAlarm(v.lowOn, levels.value(v.lowIndex));
    s.*k.highHold = v.highHold;
    s.*k.lowHold = v.lowHold;
}

bool takeListLevel(const AlarmLevelList& levels, const std::optional<AlarmSetting>& alarm, std::string_view key,
                   bool& on, int& index, std::string& problem)
{
    if (!alarm)
        return true;
    on = alarm->on;
    if (on)
        index = levelEntryFor(levels, alarm->level, key, problem);
    return index >= 0;
}

bool takeList(const AlarmLevelList& levels, AlarmListValues& v, const AlarmKeys& k, const LoggerSettings& s,
              std::string& problem)
{
    if (!takeListLevel(levels, s.*k.high, k.highKey, v.highOn, v.highIndex, problem) ||
        !takeListLevel(levels, s.*k.low, k.lowKey, v.lowOn, v.lowIndex, problem))
        return false;
    v.highHold = (s.*k.highHold).value_or(v.highHold);
    v.lowHold = (s.*k.lowHold).value_or(v.lowHold);
    return true;
}

constexpr std::array kListKeys{key::kHighAlarm, key::kLowAlarm, key::kHighHold, key::kLowHold};
constexpr std::array kRhKeys{key::kRhHighAlarm, key::kRhLowAlarm, key::kRhHighHold, key::kRhLowHold};

void readAlarms(WizardCore& core, LoggerSettings& s)
{
    readList(setup_alarms::levelList(core.logger), setup_alarms::load(core.logger), kTemperature, s);
}

PageTurn applyAlarms(WizardCore& core, const LoggerSettings& s)
{
    setup_alarms::Values v = setup_alarms::load(core.logger);
    std::string problem;
    if (!takeList(setup_alarms::levelList(core.logger), v, kTemperature, s, problem))
        return PageTurn::refused(problem);
    return PageTurn{setup_alarms::next(core, v), {}};
}

void readRhAlarms(WizardCore& core, LoggerSettings& s)
{
    readList(setup_rh_alarms::levelList(), setup_rh_alarms::load(core.logger), kHumidity, s);
}

PageTurn applyRhAlarms(WizardCore& core, const LoggerSettings& s)
{
    setup_rh_alarms::Values v = setup_rh_alarms::load(core.logger);
    std::string problem;
    if (!takeList(setup_rh_alarms::levelList(), v, kHumidity, s, problem))
        return PageTurn::refused(problem);
    return PageTurn{setup_rh_alarms::next(core, v), {}};
}

void readLiteAlarms(WizardCore& core, LoggerSettings& s)
{
    readList(setup_lite_alarms::levelList(core.logger), setup_lite_alarms::load(core.logger), kTemperature, s);
}

PageTurn applyLiteAlarms(WizardCore& core, const LoggerSettings& s)
{
    setup_lite_alarms::Values v = setup_lite_alarms::load(core.logger);
    std::string problem;
    if (!takeList(setup_lite_alarms::levelList(core.logger), v, kTemperature, s, problem))
        return PageTurn::refused(problem);
    return PageTurn{setup_lite_alarms::next(core, v), {}};
}

// ---- page 10: typed levels ----

constexpr std::array kTypedKeys{key::kHighAlarm, key::kLowAlarm, key::kHighHold, key::kLowHold, key::kLedsDisabled};

void readTyped(WizardCore& core, LoggerSettings& s)
{
    const setup_voltage_alarms::Values v = setup_voltage_alarms::load(core.logger);
    s.highAlarm = shownAlarm(v.highOn, numericTextValue(v.highText));
    s.lowAlarm = shownAlarm(v.lowOn, numericTextValue(v.lowText));
    s.highHold = v.highHold;
    s.lowHold = v.lowHold;
    if (v.ledsOffered)
        s.ledsDisabled = v.ledsDisabled;
}

bool takeTypedLevel(WizardCore& core, const setup_voltage_alarms::Values& v, const std::optional<AlarmSetting>& alarm,
                    std::string_view key, bool& on, std::string& text, std::string& problem)
{
    if (!alarm)
        return true;
    on = alarm->on;
    if (!on)
        return true;
    const auto shown = [&core](double level) { return setup_voltage_alarms::levelText(core.logger, level); };
    text = editText(alarm->level, v.decimals, setup_voltage_alarms::kLevelLength, shown, key, problem);
    return !text.empty();
}

PageTurn applyTyped(WizardCore& core, const LoggerSettings& s)
{
    setup_voltage_alarms::Values v = setup_voltage_alarms::load(core.logger);
    std::string problem;
    if (!takeTypedLevel(core, v, s.highAlarm, key::kHighAlarm, v.highOn, v.highText, problem) ||
        !takeTypedLevel(core, v, s.lowAlarm, key::kLowAlarm, v.lowOn, v.lowText, problem))
        return PageTurn::refused(problem);
    v.highHold = s.highHold.value_or(v.highHold);
    v.lowHold = s.lowHold.value_or(v.lowHold);
    if (v.ledsOffered)
        v.ledsDisabled = s.ledsDisabled.value_or(v.ledsDisabled);
    const setup_voltage_alarms::Values typed = v;
    const WizardStep step = setup_voltage_alarms::next(core, v);
    return PageTurn{step, joined(corrected(key::kHighAlarm, typed.highText, v.highText),
                                 corrected(key::kLowAlarm, typed.lowText, v.lowText))};
}

// ---- page 15: the carbon monoxide warning level (the low alarm) ----

constexpr std::array kCoKeys{key::kLowAlarm, key::kLowHold, key::kSounder};

void readCoAlarms(WizardCore& core, LoggerSettings& s)
{
    const setup_co_alarms::Values v = setup_co_alarms::load(core.logger);
    // The edit shows whole ppm, and "Next >" takes what it shows.
    s.lowAlarm = shownAlarm(v.indicatorOn, numericTextValue(numericText(v.level, 0)));
    s.lowHold = v.hold;
    s.sounder = v.sounder;
}

PageTurn applyCoAlarms(WizardCore& core, const LoggerSettings& s)
{
    setup_co_alarms::Values v = setup_co_alarms::load(core.logger);
    if (s.lowAlarm) {
        v.indicatorOn = s.lowAlarm->on;
        if (v.indicatorOn) {
            std::string problem;
            const auto whole = [](double level) { return numericText(level, 0); };
            const std::string text =
                editText(s.lowAlarm->level, 0, setup_co_alarms::kLevelLength, whole, key::kLowAlarm, problem);
            if (text.empty())
                return PageTurn::refused(problem);
            v.level = numericTextValue(text);
        }
    }
    v.hold = s.lowHold.value_or(v.hold);
    v.sounder = s.sounder.value_or(v.sounder);
    const double typed = v.level;
    const WizardStep step = setup_co_alarms::next(core, v);
    return PageTurn{step, corrected(key::kLowAlarm, numericText(typed, 0), numericText(v.level, 0))};
}

// ---- page 25: consecutive readings in alarm ----

constexpr std::array kConsecutiveKeys{key::kConsecutiveHigh, key::kConsecutiveLow};

std::int64_t countShown(const setup_consecutive_alarms::Side& side)
{
    return side.ticked ? static_cast<std::int64_t>(side.count) : 0;
}

void readConsecutive(WizardCore& core, LoggerSettings& s)
{
    setup_consecutive_alarms::Remembered remembered;
    const setup_consecutive_alarms::Values v = setup_consecutive_alarms::load(core.logger, remembered);
    s.consecutiveHigh = countShown(v.high);
    s.consecutiveLow = countShown(v.low);
}

// A count other than 0 ticks the side's box, which the page offers only while its
// alarm is on.
bool takeCount(setup_consecutive_alarms::Side& side, const std::optional<std::int64_t>& count, std::string_view key,
               std::string& problem)
{
    if (!count)
        return true;
    side.ticked = *count != 0;
    if (side.ticked && !side.offered) {
        problem = consecutiveNeedsAlarm(key);
        return false;
    }
    if (side.ticked)
        side.count = static_cast<double>(*count);
    return true;
}

PageTurn applyConsecutive(WizardCore& core, const LoggerSettings& s)
{
    setup_consecutive_alarms::Remembered remembered;
    setup_consecutive_alarms::Values v = setup_consecutive_alarms::load(core.logger, remembered);
    std::string problem;
    if (!takeCount(v.high, s.consecutiveHigh, key::kConsecutiveHigh, problem) ||
        !takeCount(v.low, s.consecutiveLow, key::kConsecutiveLow, problem))
        return PageTurn::refused(problem);
    const setup_consecutive_alarms::Values typed = v;
    const WizardStep step = setup_consecutive_alarms::next(core, v);
    const auto count = [](double c) { return numericText(c, 0); };
    return PageTurn{step, joined(corrected(key::kConsecutiveHigh, count(typed.high.count), count(v.high.count)),
                                 corrected(key::kConsecutiveLow, count(typed.low.count), count(v.low.count)))};
}

const std::array<PageDriver, 6> kDrivers{{
    {page::kAlarms, kListKeys, readAlarms, applyAlarms},
    {page::kRhAlarms, kRhKeys, readRhAlarms, applyRhAlarms},
    {page::kVoltageAlarms, kTypedKeys, readTyped, applyTyped},
    {page::kLiteAlarms, kListKeys, readLiteAlarms, applyLiteAlarms},
    {page::kCoAlarms, kCoKeys, readCoAlarms, applyCoAlarms},
    {page::kConsecutiveAlarms, kConsecutiveKeys, readConsecutive, applyConsecutive},
}};

} // namespace

std::span<const PageDriver> alarmPageDrivers() { return kDrivers; }

std::string consecutiveNeedsAlarm(std::string_view key)
{
    const bool high = key == key::kConsecutiveHigh;
    return std::string(key) + ": a count other than 0 needs the " + (high ? "high" : "low") + " alarm on.";
}

} // namespace velmora
