#include "status_rows.h"

#include "conversions.h"
#include "logger_dates.h"
#include "number_format.h"
#include "type_catalogue.h"
#include "utility_strings.h"

namespace velmora {

namespace {

// Windows-1252: the degree sign is the byte B0.
const std::string kDegreesC = "\260C";
const std::string kDegreesF = "\260F";

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

// The rows of one fill, each starting from its default label: the labels below change
// with the type, so every fill starts again from them.
struct Rows {
    StatusRow name{1106, 1029, "Logger Name :", ""};
    StatusRow status{1107, 1041, "Status :", ""};
    StatusRow startTime{1108, 1048, "Start Time :", ""};
    StatusRow startDate{1109, 1049, "Start Date :", ""};
    StatusRow readings{1110, 1042, "Readings :", ""};
    StatusRow sampleRate{1111, 1047, "Sample Rate :", ""};
    StatusRow scale{1112, 1043, "Scale :", ""};
    StatusRow high{1113, 1044, "High Alarm :", ""};
    StatusRow low{1114, 1045, "Low Alarm :", ""};
};

// The model name in place of "USB" (unknown types keep "USB").
std::string headingText(LoggerType t)
{
    std::string heading = std::string(utilitytext::kStatusHeading);
    if (const auto at = heading.find("USB"); at != std::string::npos)
        heading.replace(at, 3, modelName(t));
    return heading;
}

// The start of the oldest reading and the logger's state.
void fillState(const LoggerConfig& c, const LocaleFormat& format, Rows& rows)
{
    const CivilTime first = firstReadingTime(c);
    rows.startTime.value = format.shortTime(first);
    rows.startDate.value = format.shortDate(first);
    const auto noStartTime = [&] {
        rows.startTime.value = "--:--:--";
        rows.startDate.value = "--/--/--";
    };

    if (!c.isLogging()) {
        rows.status.value = "Stopped";
        if (c.readingCount() == 0)
            noStartTime();
    } else if (c.isDelayedStartPending()) {
        rows.status.value = "Delayed Start";
    } else if (c.isWaitingForButton()) {
        rows.status.value = "Push Button To Start";
        noStartTime();
    } else {
        rows.status.value = "Logging";
    }
}

// The readings held and the sample rate, or the event logger's count, memory use
// and sample mode.
void fillReadings(const LoggerConfig& c, Rows& rows)
{
    const LoggerType t = c.type();
    const bool events = isEventLogger(t);
    if (hasRollOverDownload(t) && c.isOverwriteMode() && c.wrapCount() >= 1) {
        rows.readings.value = intText(c.memoryCapacity() > 0 ? c.memoryCapacity() - 1 : 0);
    } else if (!events || c.sampleMode() == 3) {
        rows.readings.value = intText(c.readingCount());
    } else if (c.sampleMode() == 2) {
        rows.readings.label = "Count Total :";
        char b[32];
        rows.readings.value = std::string(b, writeUnsigned(b, c.countPeriod()));
    } else {
        rows.readings.label = "Memory Usage :";
        rows.readings.value = memoryUsage(c);
    }

    if (events) {
        rows.sampleRate.label = "Sample Mode :";
        rows.sampleRate.value = sampleModeText(c);
    } else {
        rows.sampleRate.value = std::string(intervalName(c.sampleInterval()));
    }
}

// The alarm level texts, each followed by a space and then its unit.
struct AlarmTexts {
    std::string high, low;
};

// The scale row, and the unit each alarm text is shown in.
AlarmTexts fillScale(const LoggerRecord& record, const LocaleFormat& format, Rows& rows)
{
    const LoggerConfig& c = record.config;
    const TypeInfo& row = typeRow(c.type());
    AlarmTexts texts{highAlarmText(record) + " ", lowAlarmText(record) + " "};
    const auto celsiusOrFahrenheit = [&](bool fahrenheit) {
        rows.scale.value = fahrenheit ? "Fahrenheit" : "Celsius";
        texts.high += fahrenheit ? kDegreesF : kDegreesC;
        texts.low += fahrenheit ? kDegreesF : kDegreesC;
    };
    switch (row.unit) {
    case UnitOption::WholeByte:
        if (c.inputOptions() <= 1)
            celsiusOrFahrenheit(c.inputOptions() == 1);
        else
            rows.scale.value = "Error";
        return texts;
    case UnitOption::Bit0:
        celsiusOrFahrenheit((c.inputOptions() & 0x01) != 0);
        rows.scale.value += thermocoupleKind(c);
        return texts;
    case UnitOption::NoUnit: break;
    }
    switch (row.measures) {
    case Measures::Voltage:
    case Measures::Current:
        rows.scale.value = row.measures == Measures::Current ? "Current" : "Voltage";
        if (const std::string units = c.units(); !units.empty()) {
            rows.scale.value += " (" + units + ")";
            texts.high += units;
            texts.low += units;
        }
        break;
    case Measures::CarbonMonoxide:
        texts.low += "ppm";
        rows.scale.label = "Sensor Expiry Date :";
        rows.scale.value = expiryText(c.sensorLife(), format);
        break;
    case Measures::Events: rows.scale.value = inputRangeText(c); break;
    default: rows.scale.value = "Error"; break;
    }
    return texts;
}

// The alarm rows: an alarm pair, the CO logger's calibration expiry and warning level,
// or nothing for the event logger.
void fillAlarms(const LoggerConfig& c, const LocaleFormat& format, const AlarmTexts& texts, Rows& rows)
{
    const auto alarmRow = [&](StatusRow& row, std::uint16_t enabled, std::uint16_t latched, const std::string& text) {
        row.value = c.hasFlag(enabled) ? text + (c.hasFlag(latched) ? " (Hold)" : "") : "Disabled";
    };
    const auto warningLevel = [&](StatusRow& row) {
        row.label = "Warning Level :";
        row.value = "Disabled";
        if (c.hasFlag(flag::kLowEnabled)) {
            row.value = texts.low;
            if (c.hasFlag(flag::kLowLatched))
                row.value += " (Hold)";
            if (c.hasMode(mode::kSounder))
                row.value += " (Sounder)";
        }
    };
    switch (typeRow(c.type()).measures) {
    case Measures::CarbonMonoxide:
        if (c.calibrationDue().months != 0) {
            rows.high.label = "Calibration Expiry Date :";
            rows.high.value = expiryText(c.calibrationDue(), format);
            warningLevel(rows.low);
        } else {
            warningLevel(rows.high);
            rows.low.label.clear();
            rows.low.value.clear();
        }
        break;
    case Measures::Events:
        rows.high.value = "N/A";
        rows.low.value = "N/A";
        break;
    case Measures::Nothing: break; // type 0 and codes above 21 have no known alarms: their values stay empty
    default:
        alarmRow(rows.high, flag::kHighEnabled, flag::kHighLatched, texts.high);
        alarmRow(rows.low, flag::kLowEnabled, flag::kLowLatched, texts.low);
        break;
    }
}

void fillHumidity(const LoggerConfig& c, Rows& rows)
{
    rows.scale.value += ", %rh";
    rows.high.value += humidityAlarm(c.hasFlag(flag::kRhHighEnabled), c.hasFlag(flag::kRhHighLatched), c.rhHighAlarm());
    rows.low.value += humidityAlarm(c.hasFlag(flag::kRhLowEnabled), c.hasFlag(flag::kRhLowLatched), c.rhLowAlarm());
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
    Rows rows;
    rows.name.value = c.name();
    fillState(c, format, rows);
    fillReadings(c, rows);
    const AlarmTexts texts = fillScale(record, format, rows);
    fillAlarms(c, format, texts, rows);
    if (isHumidity(c.type()))
        fillHumidity(c, rows);

    char serial[32];
    const StatusRow serialRow{1115, 1052,
                              "Serial Number :", std::string(serial, writeZeroPadded(serial, c.serialNumber(), 9))};
    const StatusRow firmware{1116, 1046, "Firmware Version :", c.firmwareText()};
    return {StatusRow{1075, 0, headingText(c.type()), ""},
            rows.name,
            rows.status,
            rows.startTime,
            rows.startDate,
            rows.readings,
            rows.sampleRate,
            rows.scale,
            rows.high,
            rows.low,
            serialRow,
            firmware};
}

} // namespace velmora
