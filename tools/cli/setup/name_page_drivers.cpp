// The name pages (1, 8, 11, 13, 16), the scaling page (9), the safety agreements (14,
// 20) and the display and storage pages (17, 19) as velmora-cli drives them.
#include <array>

#include "connected_logger.h"
#include "numeric_entry.h"
#include "page_driver.h"
#include "page_sequence.h"
#include "page_values.h"
#include "sample_rate_choice.h"
#include "setup_co_name_rules.h"
#include "setup_disclaimer_rules.h"
#include "setup_lcd_rules.h"
#include "setup_lite_name_rules.h"
#include "setup_name_rules.h"
#include "setup_storage_mode_rules.h"
#include "setup_tc_name_rules.h"
#include "setup_voltage_cal_rules.h"
#include "setup_voltage_name_rules.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora {

namespace {

// Texts of our own, for what only a file can ask of the pages.
constexpr const char* kAgreementNeeded =
    "agree_safety: this logger is set up only after its safety agreement is accepted (\"agree_safety\": true).";

int scaleRadio(TemperatureUnit unit) { return unit == TemperatureUnit::Fahrenheit ? kFahrenheit : kCelsius; }
TemperatureUnit unitShown(int scale)
{
    return scale == kFahrenheit ? TemperatureUnit::Fahrenheit : TemperatureUnit::Celsius;
}

// What "Next >" stores for the rate shown.
std::int64_t intervalShown(const WizardCore& core, int rate) { return rateSecondsAt(core.logger.type(), rate); }

// The file's interval as an entry of the rate list, when it gives one.
bool takeRate(const WizardCore& core, const LoggerSettings& s, int& rate, std::string& problem)
{
    if (!s.interval)
        return true;
    rate = rateEntryFor(core.logger.type(), *s.interval, problem);
    return rate >= 0;
}

int thermocoupleEntry(Thermocouple kind)
{
    const char letter = kind == Thermocouple::J ? 'J' : kind == Thermocouple::T ? 'T' : 'K';
    for (std::size_t i = 0; i < kThermocoupleEntries.size(); ++i)
        if (kThermocoupleEntries[i].front() == letter)
            return static_cast<int>(i);
    return -1;
}

Thermocouple thermocoupleShown(int entry)
{
    const char letter = entry >= 0 ? kThermocoupleEntries[static_cast<std::size_t>(entry)].front() : 'K';
    return letter == 'J' ? Thermocouple::J : letter == 'T' ? Thermocouple::T : Thermocouple::K;
}

// ---- page 1: name, scale, rate ----

constexpr std::array kNameKeys{key::kName, key::kUnit, key::kInterval};

void readName(WizardCore& core, LoggerSettings& s)
{
    const setup_name::Values v = setup_name::load(core.logger);
    s.name = v.name;
    s.unit = unitShown(v.scale);
    s.interval = intervalShown(core, v.rate);
}

PageTurn applyName(WizardCore& core, const LoggerSettings& s)
{
    setup_name::Values v = setup_name::load(core.logger);
    std::string problem;
    if (!takeRate(core, s, v.rate, problem))
        return PageTurn::refused(problem);
    v.name = s.name.value_or(v.name);
    if (s.unit)
        v.scale = scaleRadio(*s.unit);
    return PageTurn{setup_name::next(core, v), {}};
}

// ---- page 8: name, rate, standard or custom scaling ----

constexpr std::array kVoltageNameKeys{key::kName, key::kInterval, key::kScaling};

void readVoltageName(WizardCore& core, LoggerSettings& s)
{
    const setup_voltage_name::Values v = setup_voltage_name::load(core.logger);
    s.name = v.name;
    s.interval = intervalShown(core, v.rate);
    ScalingSetting scaling;
    scaling.custom = v.scaling == setup_voltage_name::kCustom;
    s.scaling = scaling; // page 9 adds the unit and points of a custom scaling
}

PageTurn applyVoltageName(WizardCore& core, const LoggerSettings& s)
{
    setup_voltage_name::Values v = setup_voltage_name::load(core.logger);
    std::string problem;
    if (!takeRate(core, s, v.rate, problem))
        return PageTurn::refused(problem);
    v.name = s.name.value_or(v.name);
    if (s.scaling)
        v.scaling = s.scaling->custom ? setup_voltage_name::kCustom : setup_voltage_name::kStandard;
    return PageTurn{setup_voltage_name::next(core, v), {}};
}

// ---- page 9: the unit and the two points of a custom scaling ----

constexpr std::array kVoltageCalKeys{key::kScaling};

void readVoltageCal(WizardCore& core, LoggerSettings& s)
{
    if (!pageShown(core.logger.config, page::kVoltageCal))
        return;
    const setup_voltage_cal::Values v = setup_voltage_cal::load(core.logger);
    ScalingSetting scaling;
    scaling.custom = true;
    scaling.unit = v.unit;
    scaling.in1 = numericTextValue(v.in1);
    scaling.out1 = numericTextValue(v.out1);
    scaling.in2 = numericTextValue(v.in2);
    scaling.out2 = numericTextValue(v.out2);
    s.scaling = scaling;
}

// A point box's text for the file's number. A number the box already shows keeps the
// box's text ("0.00" stays "0.00"); another is typed as briefly as it can be written.
bool takePoint(std::string& box, const std::optional<double>& value, std::string_view name, std::string& problem)
{
    if (!value || numericTextValue(box) == *value)
        return true;
    const auto typed = [](double v) {
        std::string text = numericText(v == 0 ? 0.0 : v, setup_voltage_cal::kPointDecimals);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
        return text;
    };
    const std::string key = std::string(key::kScaling) + "." + std::string(name);
    box =
        editText(*value, setup_voltage_cal::kPointDecimals, setup_voltage_cal::kPointTypingLimit, typed, key, problem);
    return !box.empty();
}

PageTurn applyVoltageCal(WizardCore& core, const LoggerSettings& s)
{
    setup_voltage_cal::Values v = setup_voltage_cal::load(core.logger);
    if (s.scaling) {
        const ScalingSetting& scaling = *s.scaling;
        if (scaling.unit) {
            if (scaling.unit->size() > static_cast<std::size_t>(setup_voltage_cal::kUnitTypingLimit))
                return PageTurn::refused("scaling.unit: the page takes a unit of at most " +
                                         std::to_string(setup_voltage_cal::kUnitTypingLimit) + " characters.");
            v.unit = *scaling.unit;
        }
        std::string problem;
        if (!takePoint(v.in1, scaling.in1, "in1", problem) || !takePoint(v.out1, scaling.out1, "out1", problem) ||
            !takePoint(v.in2, scaling.in2, "in2", problem) || !takePoint(v.out2, scaling.out2, "out2", problem))
            return PageTurn::refused(problem);
    }
    return PageTurn{setup_voltage_cal::next(core, v), {}};
}

// ---- page 11: name and scale; the rate is fixed ----

constexpr std::array kLiteNameKeys{key::kName, key::kUnit, key::kInterval};

void readLiteName(WizardCore& core, LoggerSettings& s)
{
    const setup_lite_name::Values v = setup_lite_name::load(core.logger);
    s.name = v.name;
    s.unit = unitShown(v.scale);
    s.interval = intervalShown(core, 0);
}

PageTurn applyLiteName(WizardCore& core, const LoggerSettings& s)
{
    setup_lite_name::Values v = setup_lite_name::load(core.logger);
    // The page shows no rate: the one rate of the type is the only interval a file may give.
    int rate = 0;
    std::string problem;
    if (!takeRate(core, s, rate, problem))
        return PageTurn::refused(problem);
    v.name = s.name.value_or(v.name);
    if (s.unit)
        v.scale = scaleRadio(*s.unit);
    return PageTurn{setup_lite_name::next(core, v), {}};
}

// ---- page 13: name and rate of the carbon monoxide loggers ----

constexpr std::array kCoNameKeys{key::kName, key::kInterval};

void readCoName(WizardCore& core, LoggerSettings& s)
{
    const setup_co_name::Values v = setup_co_name::load(core.logger);
    s.name = v.name;
    s.interval = intervalShown(core, v.rate);
}

PageTurn applyCoName(WizardCore& core, const LoggerSettings& s)
{
    setup_co_name::Values v = setup_co_name::load(core.logger);
    std::string problem;
    if (!takeRate(core, s, v.rate, problem))
        return PageTurn::refused(problem);
    v.name = s.name.value_or(v.name);
    return PageTurn{setup_co_name::next(core, v), {}};
}

// ---- page 16: name, thermocouple kind, scale, rate ----

constexpr std::array kTcNameKeys{key::kName, key::kThermocouple, key::kUnit, key::kInterval};

void readTcName(WizardCore& core, LoggerSettings& s)
{
    const setup_tc_name::Values v = setup_tc_name::load(core.logger);
    s.name = v.name;
    s.thermocouple = thermocoupleShown(v.thermocouple);
    s.unit = unitShown(v.scale);
    s.interval = intervalShown(core, v.rate);
}

PageTurn applyTcName(WizardCore& core, const LoggerSettings& s)
{
    setup_tc_name::Values v = setup_tc_name::load(core.logger);
    std::string problem;
    if (!takeRate(core, s, v.rate, problem))
        return PageTurn::refused(problem);
    v.name = s.name.value_or(v.name);
    if (s.thermocouple)
        v.thermocouple = thermocoupleEntry(*s.thermocouple);
    if (s.unit)
        v.scale = scaleRadio(*s.unit);
    return PageTurn{setup_tc_name::next(core, v), {}};
}

// ---- pages 14 and 20: the safety agreements ----

constexpr std::array kAgreementKeys{key::kAgreeSafety};

template <int Page> void readAgreement(WizardCore&, LoggerSettings& s)
{
    s.agreeSafety = setup_disclaimer::load(Page).choice == setup_disclaimer::Choice::Agree;
}

template <int Page> PageTurn applyAgreement(WizardCore& core, const LoggerSettings& s)
{
    setup_disclaimer::Values v = setup_disclaimer::load(Page);
    if (s.agreeSafety.value_or(false))
        v.choice = setup_disclaimer::Choice::Agree;
    const WizardStep step = setup_disclaimer::next(core, Page, v);
    return PageTurn{step, step.moves() ? std::string() : kAgreementNeeded};
}

// ---- pages 17 and 19: display and full memory ----

constexpr std::array kLcdKeys{key::kDisplay, key::kStorage};
constexpr std::array kStorageKeys{key::kStorage};

// The radios' values: "LCD Off", "... 30 seconds after button press", "LCD Always On";
// "Logger stops", "... overwriting the oldest data".
int displayRadio(DisplayMode mode)
{
    return mode == DisplayMode::Off ? 0 : mode == DisplayMode::OnFor30Seconds ? 1 : 2;
}
DisplayMode displayShown(int radio)
{
    return radio == 1 ? DisplayMode::OnFor30Seconds : radio == 2 ? DisplayMode::AlwaysOn : DisplayMode::Off;
}
int storageRadio(FullMemory full) { return full == FullMemory::Overwrite ? 1 : 0; }
FullMemory storageShown(int radio) { return radio == 1 ? FullMemory::Overwrite : FullMemory::Stop; }

void readLcd(WizardCore& core, LoggerSettings& s)
{
    const setup_lcd::Values v = setup_lcd::load(core.logger);
    s.display = displayShown(v.display);
    s.storage = storageShown(v.storage);
}

PageTurn applyLcd(WizardCore& core, const LoggerSettings& s)
{
    setup_lcd::Values v = setup_lcd::load(core.logger);
    if (s.display)
        v.display = displayRadio(*s.display);
    if (s.storage)
        v.storage = storageRadio(*s.storage);
    return PageTurn{setup_lcd::next(core, v), {}};
}

void readStorage(WizardCore& core, LoggerSettings& s)
{
    s.storage = storageShown(setup_storage_mode::load(core.logger).storage);
}

PageTurn applyStorage(WizardCore& core, const LoggerSettings& s)
{
    setup_storage_mode::Values v = setup_storage_mode::load(core.logger);
    if (s.storage)
        v.storage = storageRadio(*s.storage);
    return PageTurn{setup_storage_mode::next(core, v), {}};
}

const std::array<PageDriver, 10> kDrivers{{
    {page::kName, kNameKeys, readName, applyName},
    {page::kVoltageName, kVoltageNameKeys, readVoltageName, applyVoltageName},
    {page::kVoltageCal, kVoltageCalKeys, readVoltageCal, applyVoltageCal},
    {page::kLiteName, kLiteNameKeys, readLiteName, applyLiteName},
    {page::kCoName, kCoNameKeys, readCoName, applyCoName},
    {page::kTcName, kTcNameKeys, readTcName, applyTcName},
    {page::kCoAgreement, kAgreementKeys, readAgreement<page::kCoAgreement>, applyAgreement<page::kCoAgreement>},
    {page::kHtAgreement, kAgreementKeys, readAgreement<page::kHtAgreement>, applyAgreement<page::kHtAgreement>},
    {page::kLcd, kLcdKeys, readLcd, applyLcd},
    {page::kStorageMode, kStorageKeys, readStorage, applyStorage},
}};

} // namespace

std::span<const PageDriver> namePageDrivers() { return kDrivers; }

} // namespace velmora
