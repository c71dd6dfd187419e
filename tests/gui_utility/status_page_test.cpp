// The status page: every row's label and value for loggers of several types, the
// labels put back on each fill, Refresh, and OK.
#include <map>

#include "main_frame.h"
#include "utility_fixture.h"
#include "utility_strings.h"

namespace velmora::test {
namespace {

using Texts = std::map<int, QString>; // control id -> text

// Labels as the page starts; cases list only what differs.
const Texts kDefaultLabels = {
    {1106, "Logger Name :"},   {1107, "Status :"},           {1108, "Start Time :"},
    {1109, "Start Date :"},    {1110, "Readings :"},         {1111, "Sample Rate :"},
    {1112, "Scale :"},         {1113, "High Alarm :"},       {1114, "Low Alarm :"},
    {1115, "Serial Number :"}, {1116, "Firmware Version :"},
};

LoggerImage humidityStore()
{
    LoggerImage image = fridgeImage();
    LoggerConfig& c = image.record;
    c.setType(3);
    c.setName("Store");
    c.setFlags(flag::kHighEnabled | flag::kHighLatched | flag::kLowEnabled | flag::kRhHighEnabled | flag::kLogging);
    c.setHighAlarmRaw(100); // 30.0
    c.setLowAlarmRaw(50);   // 5.0
    c.setRhHighAlarm(160);  // 80.0 %rh
    c.setRhLowAlarm(40);
    image.memory = {49, 100, 50, 100, 51, 100};
    return image;
}

LoggerImage coLogger(bool calibrationStored)
{
    LoggerImage image = presetImage(9);
    LoggerConfig& c = image.record;
    c.setName("Boiler Room");
    c.setFlags(flag::kLowEnabled | flag::kLowLatched);
    c.setMode(mode::kSounder, true);
    c.setCalGain(0.5f);
    c.setCalOffset(0.0f);
    c.setLowAlarmRaw(70); // 35.0 ppm
    c.setReadingCount(0);
    c.setSensorLife({1, 1, 126, 24});                                                  // expires 31/12/2027
    c.setCalibrationDue(calibrationStored ? DatePeriod{1, 6, 126, 12} : DatePeriod{}); // 31/05/2027
    c.setSerialNumber(7);
    image.memory.clear();
    return image;
}

LoggerImage eventLogger(std::uint8_t inputOptions, std::uint16_t readings)
{
    LoggerImage image = presetImage(17);
    LoggerConfig& c = image.record;
    c.setName("Door");
    c.setInputOptions(inputOptions);
    c.setReadingCount(readings);
    c.setMemoryCapacity(16382);
    c.setCountPeriod(1234);
    c.setFlags(0);
    return image;
}

struct StatusCase {
    const char* name;
    std::function<LoggerImage()> image;
    bool refused; // reached through Refresh, as the menu refuses the type
    Texts expected;
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }

const StatusCase kStatusCases[] = {
    {"stopped temperature logger holding readings",
     fridgeImage,
     false,
     {{1075, "Current Status of the KV-USB-1 Data Logger:-"},
      {1029, "Fridge"},
      {1041, "Stopped"},
      {1048, "14:00:00"},
      {1049, "07/12/2026"},
      {1042, "3"},
      {1047, "10 Seconds"},
      {1043, "Celsius"},
      {1044, "8.0 \u00b0C"},
      {1045, "2.0 \u00b0C"},
      {1052, "000012345"},
      {1046, "2.10"}}},
    {"stopped with no readings",
     [] {
         LoggerImage image = fridgeImage();
         image.record.setReadingCount(0);
         image.record.setFlags(0);
         image.memory.clear();
         return image;
     },
     false,
     {{1041, "Stopped"}, {1048, "--:--:--"}, {1049, "--/--/--"}, {1042, "0"}, {1044, "Disabled"}, {1045, "Disabled"}}},
    {"humidity logger with one humidity alarm",
     humidityStore,
     false,
     {{1075, "Current Status of the KV-USB-2 Data Logger:-"},
      {1041, "Logging"},
      {1043, "Celsius, %rh"},
      {1044, "30.0 \u00b0C (Hold), 80.0 %rh"},
      {1045, "5.0 \u00b0C, Disabled"}}},
    {"carbon monoxide logger with a calibration date",
     [] { return coLogger(true); },
     false,
     {{1075, "Current Status of the KV-USB-5 Data Logger:-"},
      {1029, "Boiler Room"},
      {1112, "Sensor Expiry Date :"},
      {1043, "31/12/2027"},
      {1113, "Calibration Expiry Date :"},
      {1044, "31/05/2027"},
      {1114, "Warning Level :"},
      {1045, "35.0 ppm (Hold) (Sounder)"},
      {1052, "000000007"}}},
    {"carbon monoxide logger without a calibration date",
     [] { return coLogger(false); },
     false,
     {{1112, "Sensor Expiry Date :"},
      {1113, "Warning Level :"},
      {1044, "35.0 ppm (Hold) (Sounder)"},
      {1114, ""},
      {1045, ""}}},
    {"event logger counting in total",
     [] { return eventLogger(0x20, 5); },
     true,
     {{1075, "Current Status of the QX-USB-5 Data Logger:-"},
      {1110, "Count Total :"},
      {1042, "1234"},
      {1111, "Sample Mode :"},
      {1047, "Count Total"},
      {1043, "0-3V"},
      {1044, "N/A"},
      {1045, "N/A"}}},
    {"event logger on rising edges, one reading",
     [] { return eventLogger(0x08 | 0x04, 1); },
     true,
     {{1110, "Memory Usage :"}, {1042, "0.1%"}, {1111, "Sample Mode :"}, {1047, "Rising Edge"}, {1043, "Volt free"}}},
    {"event logger counting per period",
     [] { return eventLogger(0x30 | 0x02, 3); },
     true,
     {{1110, "Readings :"}, {1042, "3"}, {1111, "Sample Mode :"}, {1047, "Count Per (00:20:34)"}, {1043, "0-12V"}}},
};

class StatusPageTest : public UtilityTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusPageTest, ShowsEveryRow)
{
    const StatusCase& c = GetParam();
    if (c.refused) {
        // Open the page for a supported logger, then plug the other one in and refresh.
        plugIn(fridgeImage());
        startApp();
        app->mainFrame().command(32775)->trigger();
        ASSERT_EQ(shownPage(), 6);
        bridge.detach(0);
        plugIn(c.image());
        click(6, 1062);
    } else {
        plugIn(c.image());
        startApp();
        app->mainFrame().command(32775)->trigger();
    }
    ASSERT_EQ(shownPage(), 6);
    Texts expected = kDefaultLabels;
    for (const auto& [id, t] : c.expected)
        expected[id] = t;
    for (const auto& [id, t] : expected)
        EXPECT_EQ(text(6, id), t) << "control " << id;
}

INSTANTIATE_TEST_SUITE_P(Types, StatusPageTest, ::testing::ValuesIn(kStatusCases),
                         [](const ::testing::TestParamInfo<StatusCase>& info) {
                             std::string name = std::to_string(info.index);
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST_F(UtilityTest, StatusLabelsArePutBackOnEachFill)
{
    plugIn(fridgeImage());
    startApp();
    app->mainFrame().command(32775)->trigger();
    ASSERT_EQ(shownPage(), 6);
    bridge.detach(0);
    plugIn(eventLogger(0x20, 5));
    click(6, 1062);
    EXPECT_EQ(text(6, 1110), "Count Total :");
    EXPECT_EQ(text(6, 1111), "Sample Mode :");
    bridge.detach(0);
    plugIn(fridgeImage());
    click(6, 1062);
    EXPECT_EQ(text(6, 1110), "Readings :");
    EXPECT_EQ(text(6, 1111), "Sample Rate :");
    EXPECT_EQ(text(6, 1042), "3");
    EXPECT_EQ(text(6, 1047), "10 Seconds");
}

TEST_F(UtilityTest, FailedRefreshKeepsThePageAsItWas)
{
    plugIn(fridgeImage());
    startApp();
    app->mainFrame().command(32775)->trigger();
    ASSERT_EQ(text(6, 1029), "Fridge");
    bridge.detach(0);
    prompts.expectMsg(utilitytext::kNoLogger);
    click(6, 1062);
    EXPECT_EQ(text(6, 1029), "Fridge");
    EXPECT_EQ(text(6, 1042), "3");
    EXPECT_EQ(shownPage(), 6);
}

TEST_F(UtilityTest, StatusOkGoesBackWithoutWritingToTheLogger)
{
    VirtualLogger& logger = plugIn(fridgeImage());
    startApp();
    app->mainFrame().command(32775)->trigger();
    click(6, 1);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_EQ(logger.recordsTaken(), 0);
}

} // namespace
} // namespace velmora::test
