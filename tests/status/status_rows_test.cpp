#include <gtest/gtest.h>

#include <map>

#include "number_format.h"
#include "status_rows.h"

using namespace velmora;

namespace {

// Short forms that show which formatter made a text.
class DottedFormat final : public LocaleFormat {
public:
    std::string shortDate(const CivilTime& t) const override { return join(t.day, t.month, t.year, '.'); }
    std::string shortTime(const CivilTime& t) const override { return join(t.hour, t.minute, t.second, ':'); }

private:
    static std::string join(int a, int b, int c, char sep)
    {
        char buf[64];
        char* p = writeZeroPadded(buf, a, 2);
        *p++ = sep;
        p = writeZeroPadded(p, b, 2);
        *p++ = sep;
        p = writeZeroPadded(p, c, 2);
        return std::string(buf, p);
    }
};

// Label control -> row.
std::map<int, StatusRow> fill(const LoggerRecord& r)
{
    std::map<int, StatusRow> rows;
    for (const StatusRow& row : statusRows(r, DottedFormat()))
        rows[row.labelControl] = row;
    return rows;
}

enum Row {
    kHeading = 1075,
    kName = 1106,
    kStatus,
    kTime,
    kDate,
    kReadings,
    kRate,
    kScale,
    kHigh,
    kLow,
    kSerial,
    kFirmware
};

// A Celsius narrow temperature logger started 07/12/2026 14:00:00, 10 s interval.
LoggerRecord logger(LoggerType type)
{
    LoggerRecord r;
    LoggerConfig& c = r.config;
    c.setType(type);
    c.setName("Fridge");
    c.setCalGain(0.5f);
    c.setCalOffset(-40.0f);
    c.setStart(2026, 12, 7, 14, 0, 0);
    c.setSampleInterval(10);
    c.setSerialNumber(12345);
    c.setMemoryCapacity(16382);
    for (int i = 0; i < 4; ++i)
        c.bytes[48 + i] = static_cast<std::uint8_t>("V1.2"[i]);
    return r;
}

} // namespace

TEST(StatusRows, StoppedLoggerWithoutReadingsFillsEveryRowInOrder)
{
    LoggerRecord r = logger(1);
    r.config.setU8(34, 96); // 8.0 °C
    r.config.setHighAlarmEnabled(true);
    const std::vector<StatusRow> rows = statusRows(r, DottedFormat());
    const std::vector<StatusRow> expected = {
        {1075, 0, "Current Status of the KV-USB-1 Data Logger:-", ""},
        {1106, 1029, "Logger Name :", "Fridge"},
        {1107, 1041, "Status :", "Stopped"},
        {1108, 1048, "Start Time :", "--:--:--"},
        {1109, 1049, "Start Date :", "--/--/--"},
        {1110, 1042, "Readings :", "0"},
        {1111, 1047, "Sample Rate :", "10 Seconds"},
        {1112, 1043, "Scale :", "Celsius"},
        {1113, 1044, "High Alarm :", "8.0 \260C"},
        {1114, 1045, "Low Alarm :", "Disabled"},
        {1115, 1052, "Serial Number :", "000012345"},
        {1116, 1046, "Firmware Version :", "V1.2"},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].labelControl, expected[i].labelControl) << i;
        EXPECT_EQ(rows[i].valueControl, expected[i].valueControl) << i;
        EXPECT_EQ(rows[i].label, expected[i].label) << i;
        EXPECT_EQ(rows[i].value, expected[i].value) << i;
    }
}

TEST(StatusRows, StateAndStartTime)
{
    struct Case {
        const char* what;
        LoggerType type;
        bool logging;
        std::uint32_t delay;
        std::uint8_t modeFlags;
        std::uint16_t readings;
        const char* status;
        const char* time;
        const char* date;
    };
    const Case cases[] = {
        {"stopped with readings", 1, false, 0, 0, 5, "Stopped", "14:00:00", "07.12.2026"},
        {"delayed start", 1, true, 600, 0, 0, "Delayed Start", "14:00:00", "07.12.2026"},
        {"delayed type 12 with readings is logging", 12, true, 600, 0, 5, "Logging", "14:00:00", "07.12.2026"},
        {"push button not pressed", 12, true, 0, mode::kPushButton, 0, "Push Button To Start", "--:--:--", "--/--/--"},
        {"pressed push button starts after the kept delay", 16, true, 90, mode::kPushButton, 3, "Logging", "14:01:30",
         "07.12.2026"},
        {"logging", 2, true, 0, 0, 0, "Logging", "14:00:00", "07.12.2026"},
    };
    for (const Case& c : cases) {
        LoggerRecord r = logger(c.type);
        r.config.setFlag(flag::kLogging, c.logging);
        r.config.setStartDelay(c.delay);
        r.config.setModeFlags(c.modeFlags);
        r.config.setReadingCount(c.readings);
        auto rows = fill(r);
        EXPECT_EQ(rows[kStatus].value, c.status) << c.what;
        EXPECT_EQ(rows[kTime].value, c.time) << c.what;
        EXPECT_EQ(rows[kDate].value, c.date) << c.what;
    }
}

TEST(StatusRows, HumidityAlarmsFollowTheTemperatureAlarms)
{
    LoggerRecord r = logger(3);
    r.config.setU8(34, 140); // 30.0 °C
    r.config.setHighAlarmEnabled(true);
    r.config.setHighAlarmLatched(true);
    r.config.setRhHighAlarm(160); // 80.0 %rh
    r.config.setRhHighEnabled(true);
    auto rows = fill(r);
    EXPECT_EQ(rows[kHeading].label, "Current Status of the KV-USB-2 Data Logger:-");
    EXPECT_EQ(rows[kScale].value, "Celsius, %rh");
    EXPECT_EQ(rows[kHigh].value, "30.0 \260C (Hold), 80.0 %rh");
    EXPECT_EQ(rows[kLow].value, "Disabled, Disabled");

    r.config.setRhHighEnabled(false);
    r.config.setRhLowEnabled(true);
    r.config.setRhLowLatched(true);
    r.config.setRhLowAlarm(41); // 20.5 %rh
    r.config.setLowAlarmEnabled(true);
    r.config.setInputOptions(1); // Fahrenheit: -40 + 1 °F per count
    r.config.setCalGain(1.0f);
    r.config.setU8(35, 72); // 32 °F
    rows = fill(r);
    EXPECT_EQ(rows[kScale].value, "Fahrenheit, %rh");
    EXPECT_EQ(rows[kHigh].value, "100.0 \260F (Hold), Disabled");
    EXPECT_EQ(rows[kLow].value, "32.0 \260F, 20.5 %rh (Hold)");
}

TEST(StatusRows, EventLoggerRowsBySampleMode)
{
    struct Case {
        const char* what;
        std::uint8_t inputOptions;
        std::uint16_t readings;
        std::uint32_t period;
        const char* readingsLabel;
        const char* readingsValue;
        const char* mode;
        const char* scale;
    };
    const Case cases[] = {
        {"edge, one reading", 0x08, 1, 0, "Memory Usage :", "0.1%", "Rising Edge", "0-3V"},
        {"edge, falling, volt free", 0x05, 0, 0, "Memory Usage :", "0.0%", "Falling Edge", "Volt free"},
        {"state, half full", 0x11, 8191, 0, "Memory Usage :", "50.0%", "State Change", "0-5V"},
        {"state, over capacity", 0x13, 20000, 0, "Memory Usage :", "100.0%", "State Change", "0-24V"},
        {"count total", 0x22, 3, 4000000000u, "Count Total :", "4000000000", "Count Total", "0-12V"},
        {"count per period", 0x30, 96, 900, "Readings :", "96", "Count Per (00:15:00)", "0-3V"},
        {"count per long period", 0x30, 2, 90061, "Readings :", "2", "Count Per (25:01:01)", "0-3V"},
    };
    for (const Case& c : cases) {
        LoggerRecord r = logger(17);
        r.config.setInputOptions(c.inputOptions);
        r.config.setReadingCount(c.readings);
        r.config.setCountPeriod(c.period);
        auto rows = fill(r);
        EXPECT_EQ(rows[kHeading].label, "Current Status of the QX-USB-5 Data Logger:-") << c.what;
        EXPECT_EQ(rows[kReadings].label, c.readingsLabel) << c.what;
        EXPECT_EQ(rows[kReadings].value, c.readingsValue) << c.what;
        EXPECT_EQ(rows[kRate].label, "Sample Mode :") << c.what;
        EXPECT_EQ(rows[kRate].value, c.mode) << c.what;
        EXPECT_EQ(rows[kScale].value, c.scale) << c.what;
        EXPECT_EQ(rows[kHigh].value, "N/A") << c.what;
        EXPECT_EQ(rows[kLow].value, "N/A") << c.what;
    }
}

TEST(StatusRows, CarbonMonoxideDatesAndWarningLevel)
{
    LoggerRecord r = logger(9);
    r.config.setCalGain(1.0f);
    r.config.setCalOffset(0.0f);
    r.config.setU16(56, 35); // warning level 35 ppm
    r.config.setLowAlarmEnabled(true);
    r.config.setLowAlarmLatched(true);
    r.config.setSounder(true);
    r.config.setSensorLife(DatePeriod{31, 1, 126, 12});    // expires 30/01/2027
    r.config.setCalibrationDue(DatePeriod{1, 3, 125, 12}); // expires 28/02/2026
    auto rows = fill(r);
    EXPECT_EQ(rows[kScale].label, "Sensor Expiry Date :");
    EXPECT_EQ(rows[kScale].value, "30.01.2027");
    EXPECT_EQ(rows[kHigh].label, "Calibration Expiry Date :");
    EXPECT_EQ(rows[kHigh].value, "28.02.2026");
    EXPECT_EQ(rows[kLow].label, "Warning Level :");
    EXPECT_EQ(rows[kLow].value, "35.0 ppm (Hold) (Sounder)");

    // Without a calibration period the warning level moves up and the low row empties.
    r.config.setCalibrationDue(DatePeriod{});
    r.config.setSensorLife(DatePeriod{1, 13, 126, 12}); // month 13: invalid
    r.config.setLowAlarmEnabled(false);
    r.config.setType(11);
    rows = fill(r);
    EXPECT_EQ(rows[kHeading].label, "Current Status of the KV-USB-5-LR Data Logger:-");
    EXPECT_EQ(rows[kScale].value, "Error");
    EXPECT_EQ(rows[kHigh].label, "Warning Level :");
    EXPECT_EQ(rows[kHigh].value, "Disabled");
    EXPECT_EQ(rows[kLow].label, "");
    EXPECT_EQ(rows[kLow].value, "");

    r.config.setSensorLife(DatePeriod{});
    EXPECT_EQ(fill(r)[kScale].value, "No Date Set");
}

TEST(StatusRows, ScaleRowByType)
{
    struct Case {
        const char* what;
        LoggerType type;
        std::uint8_t inputOptions;
        const char* units;
        const char* scale;
        const char* high;
    };
    const Case cases[] = {
        {"Fahrenheit", 2, 1, "", "Fahrenheit", "-40.0 \260F"},
        {"any other byte is an error", 1, 3, "", "Error", "-40.0 "},
        {"voltage with units", 4, 1, "V", "Voltage (V)", "10.00 V"},
        {"current without units", 5, 1, "", "Current", "10.00 "},
        {"OEM voltage", 20, 1, "mV", "Voltage (mV)", " mV"}, // alarm from its (empty) stored text
        {"thermocouple K in Fahrenheit", 10, 0x21, "", "Fahrenheit, K-Type", "-328.0 \260F"},
        {"thermocouple J in Celsius", 15, 0x10, "", "Celsius, J-Type", "-200.0 \260C"},
        {"thermocouple of no known kind", 10, 0x00, "", "Celsius", "-200.0 \260C"},
        {"no logger", 0, 0, "", "Error", ""},
        {"unknown code", 22, 0, "", "Error", ""},
    };
    for (const Case& c : cases) {
        LoggerRecord r = logger(c.type);
        r.config.setInputOptions(c.inputOptions);
        r.config.setText(TextSlot::Units, c.units);
        r.config.setHighAlarmEnabled(true);
        if (c.type == 4 || c.type == 5) {
            r.config.setCalGain(1.0f / 2048.0f);
            r.config.setCalOffset(0.0f);
            r.config.setInputScalar(1.0f);
            r.config.setU16(34, 20480); // 10 V
            r.displayDecimals = 2;
        }
        auto rows = fill(r);
        EXPECT_EQ(rows[kScale].value, c.scale) << c.what;
        EXPECT_EQ(rows[kHigh].value, c.high) << c.what;
    }
    LoggerRecord unknown = logger(0);
    unknown.config.setSampleInterval(7);
    auto rows = fill(unknown);
    EXPECT_EQ(rows[kHeading].label, "Current Status of the USB Data Logger:-");
    EXPECT_EQ(rows[kRate].value, "UnKnown");
}

TEST(StatusRows, WrappedRollOverMemoryShowsItsCapacity)
{
    LoggerRecord r = logger(14);
    r.config.setOverwriteMode(true);
    r.config.setWrapCount(2);
    r.config.setReadingCount(100);
    EXPECT_EQ(fill(r)[kReadings].value, "16381");
    r.config.setType(1); // no roll-over download for this type
    EXPECT_EQ(fill(r)[kReadings].value, "100");
}
