#pragma once
// The alarm pages of the temperature loggers whose levels are chosen from lists: the
// temperature alarm page (page 2) of the narrow loggers and the alarm page of the lite
// logger (page 12). Each offers a switch, a level list and a "Hold" box for the high
// and the low alarm, and wants the high level above the low one when both are on. They
// differ in their lists and in their "< Back": page 2 stores the page as "Next >"
// does, page 12 stores nothing.
#include "alarm_level_list.h"
#include "wizard_pages.h"
#include "wizard_step.h"

namespace velmora {

struct LoggerRecord;
struct WizardCore;

namespace temperature_alarms {

namespace id {
inline constexpr int kHighLevel = 1019, kHighHold = 1020, kLowLevel = 1021, kLowHold = 1022, kHighAlarm = 1035,
                     kLowAlarm = 1036;
}

using Values = AlarmListValues; // indexes of the page's levelList()

// One level list: from `top` down in `step`s, `count` entries printed with `decimals`.
struct LevelScale {
    double top;
    double step;
    int count;
    int decimals;
};

// What sets one page apart from the other.
struct ListPage {
    int page;
    LevelScale celsius;
    LevelScale fahrenheit;
    bool backStores; // "< Back" stores the page first

    AlarmLevelList levelList(const LoggerRecord& record) const;
    Values load(const LoggerRecord& record) const;
    // Stores the levels and "Hold" boxes; then, when both alarms are on and the stored
    // high level is not above the low one, message 132 with the focus on the high list;
    // otherwise the next page.
    WizardStep next(WizardCore& core, const Values& values) const;
    WizardStep back(WizardCore& core, const Values& values) const;
};

// "%.1f °C" from 87.5 down to -40.0 in steps of 0.5 (256 entries), or "%.0f °F" from
// 189 down to -40 (230 entries).
inline constexpr ListPage kTemperaturePage{page::kAlarms, {87.5, 0.5, 256, 1}, {189.0, 1.0, 230, 0}, true};
// "%.0f °C" from 50 down to -10 in steps of 1 (61 entries), or "%.0f °F" from 122 down
// to 14 in steps of 2 (55 entries).
inline constexpr ListPage kLitePage{page::kLiteAlarms, {50.0, 1.0, 61, 0}, {122.0, 2.0, 55, 0}, false};

// Both lists and the values of their entries follow one reading of the unit:
// inputOptions 1 is Fahrenheit, anything else Celsius, as the conversions read it.
bool listsInFahrenheit(const LoggerRecord& record);

// The selected levels, encoded for the alarm slots, and the "Hold" boxes. The
// switches' bits are stored too: on the page they were written when clicked, and
// storing them again lets a caller without the page hand in the whole state.
void save(LoggerRecord& record, const AlarmLevelList& levels, const Values& values);

} // namespace temperature_alarms

} // namespace velmora
