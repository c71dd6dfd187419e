#include "setup_voltage_cal_rules.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "connected_logger.h"
#include "control_characters.h"
#include "conversions.h"
#include "prompts.h"
#include "typed_alarm_levels.h"
#include "utility_strings.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_voltage_cal {

namespace {

// In the order they were always added; the box sorts them. "\260" is the degree sign.
constexpr std::array<std::string_view, 26> kUnits{
    "Volts", "kVolts", "Amps", "Watts", "Hz",    "kHz",   "%", "PSI", "mBar", "mm/sec", "RPM",    "kph",    "mph",
    "g",     "kg",     "N",    "Nm",    "\260C", "\260F", "K", "%RH", "pH",   "Lux",    "ppm O2", "ppm CO", "ppm CO2"};

constexpr std::string_view kNoPoint = "0.00";

// Windows-1252 lower case: ASCII, the accented capitals from C0 and the four
// capitals the code page keeps lower down.
unsigned char folded(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    if (c == 0x8A || c == 0x8C || c == 0x8E)
        return static_cast<unsigned char>(c + 16);
    if (c == 0x9F)
        return 0xFF;
    return c;
}

bool isLetter(unsigned char c)
{
    const unsigned char f = folded(c);
    return (f >= 'a' && f <= 'z') || (f >= 0xDF && f != 0xF7) || f == 0x9A || f == 0x9C || f == 0x9E || f == 0x83 ||
           f == 0xAA || f == 0xB5 || f == 0xBA;
}

// Symbols (the degree sign, "%") first, then digits, then letters.
int sortClass(unsigned char c)
{
    if (isLetter(c))
        return 2;
    return c >= '0' && c <= '9' ? 1 : 0;
}

bool beginsWith(std::string_view entry, std::string_view text)
{
    if (text.size() > entry.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (folded(static_cast<unsigned char>(entry[i])) != folded(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

std::string withoutLeadingSpaces(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

Values withPoints(Values v, const LoggerConfig& c)
{
    v.in1 = pointBoxText(c.text(TextSlot::ScaleIn1));
    v.out1 = pointBoxText(c.text(TextSlot::ScaleOut1));
    v.in2 = pointBoxText(c.text(TextSlot::ScaleIn2));
    v.out2 = pointBoxText(c.text(TextSlot::ScaleOut2));
    return v;
}

} // namespace

bool unitSortsBefore(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (sortClass(ca) != sortClass(cb))
            return sortClass(ca) < sortClass(cb);
        if (folded(ca) != folded(cb))
            return folded(ca) < folded(cb);
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b; // the same letters in another case: a fixed order all the same
}

std::vector<std::string> unitEntries()
{
    std::vector<std::string> units(kUnits.begin(), kUnits.end());
    std::sort(units.begin(), units.end(), unitSortsBefore);
    return units;
}

int findUnit(const std::vector<std::string>& units, std::string_view text)
{
    const auto it =
        std::find_if(units.begin(), units.end(), [text](const std::string& e) { return beginsWith(e, text); });
    return it == units.end() ? -1 : static_cast<int>(it - units.begin());
}

int addUnit(std::vector<std::string>& units, const std::string& unit)
{
    const auto at = std::upper_bound(units.begin(), units.end(), unit, unitSortsBefore);
    const auto index = at - units.begin(); // before the insertion moves the entries
    units.insert(at, unit);
    return static_cast<int>(index);
}

std::string pointBoxText(const std::string& stored)
{
    const std::string text = withoutLeadingSpaces(stored);
    if (text.empty() || text.size() > static_cast<std::size_t>(kPointTypingLimit))
        return std::string(kNoPoint);
    const char first = text.front();
    if (!(first >= '0' && first <= '9') && first != '+' && first != '-' && first != '.')
        return std::string(kNoPoint);
    if (std::count(text.begin(), text.end(), '.') > 1)
        return std::string(kNoPoint);
    return text;
}

bool shownFor(const LoggerConfig& config) { return config.inputOptions() != 0; }

Values load(const LoggerRecord& record)
{
    const LoggerConfig& c = record.config;
    Values v;
    v.units = unitEntries();
    // The voltage and current loggers keep their unit text in `units`.
    v.unit = c.units();
    if (!v.unit.empty()) {
        v.unitIndex = findUnit(v.units, v.unit);
        if (v.unitIndex < 0)
            v.unitIndex = addUnit(v.units, v.unit);
    }
    v.inputUnit = c.text(TextSlot::InputUnits);
    v.outputUnit = v.unit;
    return withPoints(std::move(v), c);
}

Values restoreDefaults(WizardCore& core, Values shown)
{
    core.logger.restoreDefaults();
    return withPoints(std::move(shown), core.logger.config);
}

ScalingReply replyTo(int scaleError)
{
    switch (scaleError) {
    case scaleerr::kNone: return {{}, 0};
    case scaleerr::kInputsEqual: return {utilitytext::kInputsEqual, kIn2Box};
    case scaleerr::kOutputsEqual: return {utilitytext::kOutputsEqual, kOut2Box};
    case scaleerr::kRange: return {utilitytext::kCalibrationValuesInvalid, kIn1Box};
    case scaleerr::kEmptyOut1: return {utilitytext::kEnterValidNumber, kOut1Box};
    case scaleerr::kEmptyIn1: return {utilitytext::kEnterValidNumber, kIn1Box};
    case scaleerr::kEmptyOut2: return {utilitytext::kEnterValidNumber, kOut2Box};
    case scaleerr::kEmptyIn2: return {utilitytext::kEnterValidNumber, kIn2Box};
    case scaleerr::kIn1AboveFull:
    case scaleerr::kIn1Negative: return {utilitytext::kOutsideInputRange, kIn1Box};
    case scaleerr::kIn2AboveFull:
    case scaleerr::kIn2Negative: return {utilitytext::kOutsideInputRange, kIn2Box};
    default: return {utilitytext::kEnterValidNumber, 0};
    }
}

WizardStep next(WizardCore& core, const Values& values)
{
    ConnectedLogger& logger = core.logger;
    LoggerConfig& c = logger.config;
    if (firstControlCharacter(values.unit)) {
        core.prompts.warn(std::string(utilitytext::kUnitControlCharacter));
        return WizardStep::stay(kUnitBox);
    }
    c.setText(TextSlot::Units, withoutLeadingSpaces(values.unit)); // an empty unit is allowed
    c.setText(TextSlot::ScaleOut1, values.out1);
    c.setText(TextSlot::ScaleIn1, values.in1);
    c.setText(TextSlot::ScaleOut2, values.out2);
    c.setText(TextSlot::ScaleIn2, values.in2);
    computeScaling(logger);
    const ScalingReply reply = replyTo(logger.scaleError);
    if (!reply.message.empty()) {
        core.prompts.warn(std::string(reply.message));
        return WizardStep::stay(reply.focusControl);
    }
    // The alarm page shows its levels in boxes of a few characters; a scaling whose
    // levels do not fit them could be set but never shown or typed again.
    if (!typed_levels::levelsFitTheEdits(logger)) {
        core.prompts.warn(std::string(utilitytext::kScalingTooWide));
        return WizardStep::stay(kOut1Box);
    }
    return forwardFrom(core, page::kVoltageCal);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kVoltageCal); }

} // namespace velmora::setup_voltage_cal
