#include "wizard_pages.h"

#include <algorithm>
#include <array>

#include "page_bindings.h"
#include "setup_co_alarms_rules.h"
#include "setup_co_name_rules.h"
#include "setup_consecutive_alarms_rules.h"
#include "setup_disclaimer_rules.h"
#include "setup_lcd_rules.h"
#include "setup_lite_name_rules.h"
#include "setup_name_rules.h"
#include "setup_push_to_start_rules.h"
#include "setup_rh_alarms_rules.h"
#include "setup_start_rules.h"
#include "setup_storage_mode_rules.h"
#include "setup_tc_name_rules.h"
#include "setup_voltage_alarms_rules.h"
#include "setup_voltage_cal_rules.h"
#include "setup_voltage_name_rules.h"
#include "temperature_alarms_rules.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

using namespace page;
using namespace bind;
using S = LoggerSettings;

// The rules' load() and "Next >" in the one form the bindings drive.
template <auto Load> auto fromRecord(WizardCore& core) { return Load(core.logger); }
template <auto Next> constexpr auto stepping = [](WizardCore& core, auto& values) { return Next(core, values); };

// ---- the name pages ----

namespace name = setup_name;
constexpr Binding<name::Values> kNameKeys[]{
    text<&S::name, &name::Values::name>(key::kName),
    choice<&S::unit, &name::Values::scale, kCelsius, kFahrenheit>(key::kUnit),
    rateEntry<&S::interval, &name::Values::rate>(key::kInterval),
};
constexpr BoundPage<name::Values> kNameRules{{fromRecord<name::load>, stepping<name::next>}, kNameKeys};

namespace voltage_name = setup_voltage_name;
using VoltageName = voltage_name::Values;
constexpr Binding<VoltageName> kVoltageNameKeys[]{
    text<&S::name, &VoltageName::name>(key::kName),
    rateEntry<&S::interval, &VoltageName::rate>(key::kInterval),
    scalingChoice<&S::scaling, &VoltageName::scaling, voltage_name::kStandard, voltage_name::kCustom>(key::kScaling),
};
constexpr BoundPage<VoltageName> kVoltageNameRules{{fromRecord<voltage_name::load>, stepping<voltage_name::next>},
                                                   kVoltageNameKeys};

namespace voltage_cal = setup_voltage_cal;
using VoltageCal = voltage_cal::Values;
constexpr ScalingBoxes<VoltageCal> kScalingBoxes{&VoltageCal::unit,
                                                 voltage_cal::kUnitTypingLimit,
                                                 &VoltageCal::in1,
                                                 &VoltageCal::out1,
                                                 &VoltageCal::in2,
                                                 &VoltageCal::out2,
                                                 voltage_cal::kPointDecimals,
                                                 voltage_cal::kPointTypingLimit};
constexpr Binding<VoltageCal> kVoltageCalKeys[]{customScaling<&S::scaling, kScalingBoxes>(key::kScaling)};
constexpr BoundPage<VoltageCal> kVoltageCalRules{{fromRecord<voltage_cal::load>, stepping<voltage_cal::next>},
                                                 kVoltageCalKeys};

namespace lite_name = setup_lite_name;
constexpr Binding<lite_name::Values> kLiteNameKeys[]{
    text<&S::name, &lite_name::Values::name>(key::kName),
    choice<&S::unit, &lite_name::Values::scale, kCelsius, kFahrenheit>(key::kUnit),
    fixedRate<lite_name::Values, &S::interval>(key::kInterval),
};
constexpr BoundPage<lite_name::Values> kLiteNameRules{{fromRecord<lite_name::load>, stepping<lite_name::next>},
                                                      kLiteNameKeys};

namespace co_name = setup_co_name;
constexpr Binding<co_name::Values> kCoNameKeys[]{
    text<&S::name, &co_name::Values::name>(key::kName),
    rateEntry<&S::interval, &co_name::Values::rate>(key::kInterval),
};
constexpr BoundPage<co_name::Values> kCoNameRules{{fromRecord<co_name::load>, stepping<co_name::next>}, kCoNameKeys};

namespace tc_name = setup_tc_name;
constexpr Binding<tc_name::Values> kTcNameKeys[]{
    text<&S::name, &tc_name::Values::name>(key::kName),
    // The list's entries are J, K and T, as the setting's words.
    choice<&S::thermocouple, &tc_name::Values::thermocouple, 0, 1, 2>(key::kThermocouple),
    choice<&S::unit, &tc_name::Values::scale, kCelsius, kFahrenheit>(key::kUnit),
    rateEntry<&S::interval, &tc_name::Values::rate>(key::kInterval),
};
constexpr BoundPage<tc_name::Values> kTcNameRules{{fromRecord<tc_name::load>, stepping<tc_name::next>}, kTcNameKeys};

// ---- the safety agreements ----

namespace agreement_page = setup_disclaimer;
using Agreement = agreement_page::Values;
constexpr Binding<Agreement> kAgreementKeys[]{
    agreement<&S::agreeSafety, &Agreement::choice, agreement_page::Choice::Agree>(key::kAgreeSafety),
};
template <int Page> Agreement loadAgreement(WizardCore&) { return agreement_page::load(Page); }
template <int Page> WizardStep agree(WizardCore& core, Agreement& values)
{
    return agreement_page::next(core, Page, values);
}
constexpr BoundPage<Agreement> kCoAgreementRules{{loadAgreement<kCoAgreement>, agree<kCoAgreement>}, kAgreementKeys};
constexpr BoundPage<Agreement> kHtAgreementRules{{loadAgreement<kHtAgreement>, agree<kHtAgreement>}, kAgreementKeys};

// ---- display and full memory: "LCD Off", "... 30 seconds ...", "LCD Always On";
// "Logger stops", "... overwriting the oldest data" ----

constexpr Binding<setup_lcd::Values> kLcdKeys[]{
    choice<&S::display, &setup_lcd::Values::display, 0, 1, 2>(key::kDisplay),
    choice<&S::storage, &setup_lcd::Values::storage, 0, 1>(key::kStorage),
};
constexpr BoundPage<setup_lcd::Values> kLcdRules{{fromRecord<setup_lcd::load>, stepping<setup_lcd::next>}, kLcdKeys};

namespace storage_mode = setup_storage_mode;
constexpr Binding<storage_mode::Values> kStorageKeys[]{
    choice<&S::storage, &storage_mode::Values::storage, 0, 1>(key::kStorage),
};
constexpr BoundPage<storage_mode::Values> kStorageRules{{fromRecord<storage_mode::load>, stepping<storage_mode::next>},
                                                        kStorageKeys};

// ---- the alarm pages ----

using temperature_alarms::kLitePage;
using temperature_alarms::kTemperaturePage;
AlarmLevelList temperatureLevels(const LoggerRecord& record) { return kTemperaturePage.levelList(record); }
AlarmLevelList liteLevels(const LoggerRecord& record) { return kLitePage.levelList(record); }
AlarmLevelList humidityLevels(const LoggerRecord&) { return setup_rh_alarms::levelList(); }

using Lists = AlarmListValues;
template <auto Levels> constexpr std::array<Binding<Lists>, 4> kTemperatureListKeys{{
    listLevel<&S::highAlarm, &Lists::highOn, &Lists::highIndex, Levels>(key::kHighAlarm),
    listLevel<&S::lowAlarm, &Lists::lowOn, &Lists::lowIndex, Levels>(key::kLowAlarm),
    checkBox<&S::highHold, &Lists::highHold>(key::kHighHold),
    checkBox<&S::lowHold, &Lists::lowHold>(key::kLowHold),
}};
constexpr BoundPage<Lists> kAlarmsRules{
    {[](WizardCore& core) { return kTemperaturePage.load(core.logger); },
     [](WizardCore& core, Lists& values) { return kTemperaturePage.next(core, values); }},
    kTemperatureListKeys<temperatureLevels>};
constexpr BoundPage<Lists> kLiteAlarmsRules{
    {[](WizardCore& core) { return kLitePage.load(core.logger); },
     [](WizardCore& core, Lists& values) { return kLitePage.next(core, values); }},
    kTemperatureListKeys<liteLevels>};

constexpr Binding<Lists> kRhAlarmsKeys[]{
    listLevel<&S::rhHighAlarm, &Lists::highOn, &Lists::highIndex, humidityLevels>(key::kRhHighAlarm),
    listLevel<&S::rhLowAlarm, &Lists::lowOn, &Lists::lowIndex, humidityLevels>(key::kRhLowAlarm),
    checkBox<&S::rhHighHold, &Lists::highHold>(key::kRhHighHold),
    checkBox<&S::rhLowHold, &Lists::lowHold>(key::kRhLowHold),
};
constexpr BoundPage<Lists> kRhAlarmsRules{{fromRecord<setup_rh_alarms::load>, stepping<setup_rh_alarms::next>},
                                          kRhAlarmsKeys};

namespace typed = setup_voltage_alarms;
using Typed = typed::Values;
constexpr Binding<Typed> kTypedAlarmsKeys[]{
    typedLevel<&S::highAlarm, &Typed::highOn, &Typed::highText, &Typed::decimals, typed_levels::kLevelLength,
               typed_levels::levelText>(key::kHighAlarm),
    typedLevel<&S::lowAlarm, &Typed::lowOn, &Typed::lowText, &Typed::decimals, typed_levels::kLevelLength,
               typed_levels::levelText>(key::kLowAlarm),
    checkBox<&S::highHold, &Typed::highHold>(key::kHighHold),
    checkBox<&S::lowHold, &Typed::lowHold>(key::kLowHold),
    offeredCheckBox<&S::ledsDisabled, &Typed::ledsDisabled, &Typed::ledsOffered, ledsCanBeDisabled>(
        key::kLedsDisabled, "the LEDs of the {} cannot be switched off"),
};
constexpr BoundPage<Typed> kTypedAlarmsRules{{fromRecord<typed::load>, stepping<typed::next>}, kTypedAlarmsKeys};

// The carbon monoxide warning level is the low alarm, in whole ppm.
namespace co_alarms = setup_co_alarms;
using CoAlarms = co_alarms::Values;
constexpr Binding<CoAlarms> kCoAlarmsKeys[]{
    numberLevel<&S::lowAlarm, &CoAlarms::indicatorOn, &CoAlarms::level, 0, co_alarms::kLevelLength>(key::kLowAlarm),
    checkBox<&S::lowHold, &CoAlarms::hold>(key::kLowHold),
    checkBox<&S::sounder, &CoAlarms::sounder>(key::kSounder),
};
constexpr BoundPage<CoAlarms> kCoAlarmsRules{{fromRecord<co_alarms::load>, stepping<co_alarms::next>}, kCoAlarmsKeys};

namespace consecutive = setup_consecutive_alarms;
using Consecutive = consecutive::Values;
constexpr Binding<Consecutive> kConsecutiveKeys[]{
    count<&S::consecutiveHigh, &Consecutive::high>(key::kConsecutiveHigh, "the high alarm"),
    count<&S::consecutiveLow, &Consecutive::low>(key::kConsecutiveLow, "the low alarm"),
};
// The counts a box remembers belong to the form; the settings start from none.
Consecutive loadConsecutive(WizardCore& core)
{
    consecutive::Remembered remembered;
    return consecutive::load(core.logger, remembered);
}
constexpr BoundPage<Consecutive> kConsecutiveRules{{loadConsecutive, stepping<consecutive::next>}, kConsecutiveKeys};

// ---- the finish pages ----

constexpr const char* kNoButton = "the {} has no start button";
constexpr Binding<setup_start::Values> kStartKeys[]{
    start<setup_start::Values, &S::start, setup_start::choice, setup_start::choose, false>(key::kStart, kNoButton),
};
constexpr BoundPage<setup_start::Values> kStartRules{
    {setup_start::load, stepping<setup_start::finish>, setup_start::choice}, kStartKeys};

namespace push = setup_push_to_start;
constexpr Binding<push::Values> kPushKeys[]{
    start<push::Values, &S::start, push::choice, push::choose, true>(key::kStart, kNoButton),
};
constexpr BoundPage<push::Values> kPushRules{{push::load, stepping<push::finish>, push::choice}, kPushKeys};

// ---- the rows ----

// By number. The form number is also the page's help topic.
constexpr PageDescriptor kPages[]{
    {.id = kName, .helpTopic = 102, .rules = &kNameRules},
    {.id = kAlarms, .helpTopic = 103, .rules = &kAlarmsRules},
    {.id = kStart, .helpTopic = 104, .onArrival = setup_start::arrive, .rules = &kStartRules},
    {.id = kSummary, .helpTopic = 105},
    {.id = kRhAlarms, .helpTopic = 154, .rules = &kRhAlarmsRules},
    {.id = kVoltageName, .helpTopic = 155, .rules = &kVoltageNameRules},
    {.id = kVoltageCal, .helpTopic = 156, .shownFor = setup_voltage_cal::shownFor, .rules = &kVoltageCalRules},
    {.id = kVoltageAlarms, .helpTopic = 157, .rules = &kTypedAlarmsRules},
    {.id = kLiteName, .helpTopic = 158, .rules = &kLiteNameRules},
    {.id = kLiteAlarms, .helpTopic = 159, .rules = &kLiteAlarmsRules},
    {.id = kCoName, .helpTopic = 160, .rules = &kCoNameRules},
    {.id = kCoAgreement, .helpTopic = 163, .rules = &kCoAgreementRules},
    {.id = kCoAlarms, .helpTopic = 161, .rules = &kCoAlarmsRules},
    {.id = kTcName, .helpTopic = 165, .rules = &kTcNameRules},
    {.id = kLcd, .helpTopic = 167, .rules = &kLcdRules},
    {.id = kPushToStart, .helpTopic = 166, .onArrival = push::arrive, .rules = &kPushRules},
    {.id = kStorageMode, .helpTopic = 168, .rules = &kStorageRules},
    {.id = kHtAgreement, .helpTopic = 169, .rules = &kHtAgreementRules},
    {.id = kConsecutiveAlarms, .helpTopic = 174, .shownFor = consecutive::shownFor, .rules = &kConsecutiveRules},
};

// The pages of each compatible type in order; every such type is in exactly one row.
// Unused slots hold 0: no logger has type 0 and no row holds the main menu.
struct PagesOfType {
    std::array<LoggerType, 4> types;
    std::array<int, 7> pages;
};
constexpr PagesOfType kTypeRows[]{
    {{1, 2}, {kName, kAlarms, kStart, kSummary}},
    {{3}, {kName, kAlarms, kRhAlarms, kStart, kSummary}},
    {{4, 5, 6, 7}, {kVoltageName, kVoltageCal, kVoltageAlarms, kStart, kSummary}},
    {{8}, {kLiteName, kLiteAlarms, kStart, kSummary}},
    {{9, 11}, {kCoAgreement, kCoName, kCoAlarms, kStart, kSummary}},
    {{10}, {kTcName, kVoltageAlarms, kStart, kSummary}},
    {{12, 16}, {kName, kLcd, kAlarms, kRhAlarms, kPushToStart, kSummary}},
    {{13}, {kName, kStorageMode, kAlarms, kRhAlarms, kStart, kSummary}},
    {{14}, {kHtAgreement, kName, kStorageMode, kVoltageAlarms, kStart, kSummary}},
    {{15}, {kTcName, kLcd, kVoltageAlarms, kPushToStart, kSummary}},
    {{19}, {kName, kLcd, kVoltageAlarms, kPushToStart, kSummary}},
    {{21}, {kName, kLcd, kVoltageAlarms, kConsecutiveAlarms, kPushToStart, kSummary}},
};

} // namespace

std::span<const PageDescriptor> pageDescriptors() { return kPages; }

const PageDescriptor* pageDescriptor(int id)
{
    for (const PageDescriptor& d : kPages)
        if (d.id == id)
            return &d;
    return nullptr;
}

std::span<const int> pageRow(LoggerType type)
{
    if (type == 0)
        return {};
    for (const PagesOfType& r : kTypeRows)
        if (std::find(r.types.begin(), r.types.end(), type) != r.types.end())
            return {r.pages.data(),
                    static_cast<std::size_t>(std::find(r.pages.begin(), r.pages.end(), 0) - r.pages.begin())};
    return {};
}

} // namespace velmora
