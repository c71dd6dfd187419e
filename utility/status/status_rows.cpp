#include "status_rows.h"

#include <initializer_list>

#include "conversions.h"
#include "logger_dates.h"
#include "number_format.h"
#include "type_catalogue.h"
#include "utility_strings.h"

namespace velmora {

namespace {

// Windows-1252: the degree sign is the byte B0.
const std::string kDegreesC = "\xB0" "C";
const std::string kDegreesF = "\xB0" "F";

bool oneOf(LoggerType t, std::initializer_list<int> codes)
{
    for (int c : codes)
        if (t == c)
            return true;
    return false;
}
bool between(LoggerType t, int first, int last) { return t >= first && t <= last; }

std::string intText(std::int64_t v)
{
    char b[32];
    return std::string(b, writeInt(b, v));
}

std::string twoDigits(std::int64_t v)
{
    char b[32];
    return std::string(b, writeZeroPadded(b, v, 2));
}

// Types that keep an alarm pair of their own on the status page.
bool hasPlainAlarms(LoggerType t) { return between(t, 1, 8) || t == 10 || between(t, 12, 16) || between(t, 18, 21); }

std::string memoryUsage(const LoggerConfig& c)
{
    const unsigned count = c.readingCount();
    const unsigned capacity = c.memoryCapacity();
    double percent = capacity > 0 ? count * 100.0 / capacity : (count > 0 ? 100.0 : 0.0);
    if (percent > 100.0)
        percent = 100.0;
    if (count != 0 && percent < 0.1)
        percent = 0.1; // a memory with readings never shows as empty
    return fixedText(percent, 1) + "%";
}

std::string sampleModeText(const LoggerConfig& c)
{
    switch (c.sampleMode()) {
    case 0: return (c.inputOptions() & 0x08) ? "Rising Edge" : "Falling Edge";
    case 1: return "State Change";
    case 2: return "Count Total";
    default: {
        const std::uint32_t p = c.countPeriod();
        return "Count Per (" + twoDigits(p / 3600) + ":" + twoDigits(p / 60 % 60) + ":" + twoDigits(p % 60) + ")";
    }
    }
}

std::string inputRangeText(const LoggerConfig& c)
{
    if (c.inputOptions() & 0x04)
        return "Volt free";
    static const char* const kRanges[] = {"0-3V", "0-5V", "0-12V", "0-24V"};
    return kRanges[c.inputRange()];
}

std::string thermocoupleKind(const LoggerConfig& c)
{
    switch (c.inputOptions() & 0x70) {
    case 0x10: return ", J-Type";
    case 0x20: return ", K-Type";
    case 0x40: return ", T-Type";
    default: return "";
    }
}

std::string humidityAlarm(bool enabled, bool latched, double value)
{
    std::string text = enabled ? ", " + fixedText(value, 1) + " %rh" : ", Disabled";
    if (latched)
        text += " (Hold)";
    return text;
}

} // namespace

std::string expiryText(const DatePeriod& period, const LocaleFormat& format)
{
    if (period.months == 0)
        return "No Date Set";
    if (!isValidPeriod(period))
        return "Error";
    return format.shortDate(expiryDate(period));
}

std::vector<StatusRow> statusRows(const LoggerRecord& record, const LocaleFormat& format)
{
    const LoggerConfig& c = record.config;
    const LoggerType t = c.type();

    // 1. Heading: the model name in place of "USB" (unknown types keep "USB").
    std::string heading = msg(msgid::kStatusHeading);
    if (const auto at = heading.find("USB"); at != std::string::npos)
        heading.replace(at, 3, modelName(t));

    StatusRow name{1106, 1029, "Logger Name :", c.name()};
    StatusRow status{1107, 1041, "Status :", ""};
    // The labels below change with the type, so every fill starts from the defaults.
    StatusRow startTime{1108, 1048, "Start Time :", ""};
    StatusRow startDate{1109, 1049, "Start Date :", ""};
    StatusRow readings{1110, 1042, "Readings :", ""};
    StatusRow sampleRate{1111, 1047, "Sample Rate :", ""};
    StatusRow scale{1112, 1043, "Scale :", ""};
    StatusRow high{1113, 1044, "High Alarm :", ""};
    StatusRow low{1114, 1045, "Low Alarm :", ""};

    // 3. Start date and time of the oldest reading.
    const CivilTime first = firstReadingTime(c);
    startTime.value = format.shortTime(first);
    startDate.value = format.shortDate(first);
    const auto noStartTime = [&] {
        startTime.value = "--:--:--";
        startDate.value = "--/--/--";
    };

    // 4. State.
    if (!c.isLogging()) {
        status.value = "Stopped";
        if (c.readingCount() == 0)
            noStartTime();
    } else if (c.isDelayedStartPending()) {
        status.value = "Delayed Start";
    } else if (c.isWaitingForButton()) {
        status.value = "Push Button To Start";
        noStartTime();
    } else {
        status.value = "Logging";
    }

    // 5. Readings held.
    if (hasRollOverDownload(t) && c.isOverwriteMode() && c.wrapCount() >= 1) {
        readings.value = intText(c.memoryCapacity() > 0 ? c.memoryCapacity() - 1 : 0);
    } else if (t != 17) {
        readings.value = intText(c.readingCount());
    } else if (c.sampleMode() == 3) {
        readings.value = intText(c.readingCount());
    } else if (c.sampleMode() == 2) {
        readings.label = "Count Total :";
        char b[32];
        readings.value = std::string(b, writeUnsigned(b, c.countPeriod()));
    } else {
        readings.label = "Memory Usage :";
        readings.value = memoryUsage(c);
    }

    // 6. Sample rate, or the event logger's sample mode.
    if (t == 17) {
        sampleRate.label = "Sample Mode :";
        sampleRate.value = sampleModeText(c);
    } else {
        sampleRate.value = std::string(intervalName(c.sampleInterval()));
    }

    // 7, 8. Alarm texts with their unit, and the scale.
    std::string highText = highAlarmText(record) + " ";
    std::string lowText = lowAlarmText(record) + " ";
    const auto celsiusOrFahrenheit = [&](bool fahrenheit) {
        scale.value = fahrenheit ? "Fahrenheit" : "Celsius";
        highText += fahrenheit ? kDegreesF : kDegreesC;
        lowText += fahrenheit ? kDegreesF : kDegreesC;
    };
    if (oneOf(t, {1, 2, 3, 8, 12, 13, 14, 16, 18, 19, 21})) {
        if (c.inputOptions() <= 1)
            celsiusOrFahrenheit(c.inputOptions() == 1);
        else
            scale.value = "Error";
    } else if (isScaled(t)) {
        scale.value = (t == 5 || t == 7) ? "Current" : "Voltage";
        if (const std::string units = c.units(); !units.empty()) {
            scale.value += " (" + units + ")";
            highText += units;
            lowText += units;
        }
    } else if (isCo(t)) {
        lowText += "ppm";
        scale.label = "Sensor Expiry Date :";
        scale.value = expiryText(c.sensorLife(), format);
    } else if (isThermocouple(t)) {
        celsiusOrFahrenheit((c.inputOptions() & 0x01) != 0);
        scale.value += thermocoupleKind(c);
    } else if (t == 17) {
        scale.value = inputRangeText(c);
    } else {
        scale.value = "Error";
    }

    // 9, 10. Alarm rows.
    const auto alarmRow = [&](StatusRow& row, std::uint16_t enabled, std::uint16_t latched, const std::string& text) {
        row.value = c.hasFlag(enabled) ? text + (c.hasFlag(latched) ? " (Hold)" : "") : "Disabled";
    };
    const auto warningLevel = [&](StatusRow& row) {
        row.label = "Warning Level :";
        row.value = "Disabled";
        if (c.hasFlag(flag::kLowEnabled)) {
            row.value = lowText;
            if (c.hasFlag(flag::kLowLatched))
                row.value += " (Hold)";
            if (c.hasMode(mode::kSounder))
                row.value += " (Sounder)";
        }
    };
    if (hasPlainAlarms(t)) {
        alarmRow(high, flag::kHighEnabled, flag::kHighLatched, highText);
        alarmRow(low, flag::kLowEnabled, flag::kLowLatched, lowText);
    } else if (isCo(t)) {
        if (c.calibrationDue().months != 0) {
            high.label = "Calibration Expiry Date :";
            high.value = expiryText(c.calibrationDue(), format);
            warningLevel(low);
        } else {
            warningLevel(high);
            low.label.clear();
            low.value.clear();
        }
    } else if (t == 17) {
        high.value = "N/A";
        low.value = "N/A";
    }
    // Type 0 and codes above 21 have no known alarms: their values stay empty.

    // 11. Humidity.
    if (isHumidity(t)) {
        scale.value += ", %rh";
        high.value += humidityAlarm(c.hasFlag(flag::kRhHighEnabled), c.hasFlag(flag::kRhHighLatched), c.rhHighAlarm());
        low.value += humidityAlarm(c.hasFlag(flag::kRhLowEnabled), c.hasFlag(flag::kRhLowLatched), c.rhLowAlarm());
    }

    // 12, 13. Serial number and firmware.
    char serial[32];
    StatusRow serialRow{1115, 1052, "Serial Number :", std::string(serial, writeZeroPadded(serial, c.serialNumber(), 9))};
    StatusRow firmware{1116, 1046, "Firmware Version :", c.firmwareText()};

    return {StatusRow{1075, 0, heading, ""}, name, status, startTime, startDate, readings, sampleRate, scale,
            high, low, serialRow, firmware};
}

} // namespace velmora
