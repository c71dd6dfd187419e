// The set-up wizard from end to end, as a user goes through it: a logger of each
// compatible type is plugged in, "Set Up" is pressed on the main menu, every page of
// the type's row is filled through its own controls and left with "Next >", the
// logger is started from the finish page and the summary's "OK" returns to the main
// menu. The logger then holds the record described by hand below: its factory record
// with the fields the pages set. On the way, "&Cancel" from a page in the middle of
// the row writes nothing, and "< Back" from the finish page retraces the row.
#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <sstream>

#include "setup_pages_fixture.h"
#include "wizard_pages.h"

namespace velmora::test {
namespace {

enum class Start { Now, Delayed, Button };

// What the user enters, page by page, and the record the logger then holds.
struct Entry {
    LoggerType type;
    std::vector<int> pages; // the row as it shows for these entries, up to the finish page
    const char* name;
    const char* rate = nullptr; // the rate entry picked; none on the fixed-rate logger
    // The high and low alarm: on or off, the level (a list entry or a typed number)
    // and "Hold".
    bool highOn = true, lowOn = true;
    const char* high = nullptr;
    const char* low = nullptr;
    bool highHold = false, lowHold = false;
    bool fahrenheit = false;
    bool customScaling = false;
    const char* thermocouple = nullptr;
    Start start = Start::Now;
    // The fields the pages set, written over the factory record (the logging bit and
    // the start fields are added by the test from `start`).
    std::function<void(LoggerConfig&)> expect;
};

void PrintTo(const Entry& e, std::ostream* os) { *os << "type " << int(e.type); }

// The entries every row of a page shares.
const QString kRhHigh = QStringLiteral("80.0 %"), kRhLow = QStringLiteral("20.0 %"); // raw 160 and 40, low held
constexpr std::uint16_t kRhFlags = flag::kRhHighEnabled | flag::kRhLowEnabled | flag::kRhLowLatched;
constexpr std::uint8_t kLcd30sOverwrite = mode::kLcdBit5 | mode::kLcdBit6 | mode::kOverwrite; // 1150, 1153
constexpr std::uint16_t kBoth = flag::kHighEnabled | flag::kLowEnabled;
// The start the fixed clock gives: now, or ten minutes on for a delayed start.
const CivilTime kLater{2026, 12, 7, 15, 10, 0};

void setHumidity(LoggerConfig& c)
{
    c.setRhHighAlarm(160);
    c.setRhLowAlarm(40);
}

void setLevelTexts(LoggerConfig& c, const char* high, const char* low)
{
    c.setText(TextSlot::HighAlarmText, high);
    c.setText(TextSlot::LowAlarmText, low);
}

// Raw levels: narrow temperature types (v + 40) / 0.5; in Fahrenheit after the change
// of scale (v + 40) / 1; the fixed encoding (v * 1.8 + 32 + 328) * 10; the scaled types
// v / scale gain / 10 / calGain with calGain 3/65472 (volts) or 2.5/65472 (mA); the lite
// logger (1.8639 - 0.01177 v) / (2.5/65472); CO v / 0.02 or v / 0.005; the
// high-temperature logger (v + 40) / 0.01; each plus 0.5 and truncated.
// clang-format off
const std::vector<Entry> kEntries = {
    {.type = 1, .pages = {1, 2, 3}, .name = "Dairy Cabinet", .rate = "1 Min (11 Days)",
     .high = "20.0 \u00B0C", .low = "5.0 \u00B0C", .highHold = true,
     .expect = [](LoggerConfig& c) {
         c.setName("Dairy Cabinet");
         c.setSampleInterval(60);
         c.setFlags(kBoth | flag::kHighLatched);
         c.setHighAlarmRaw(120);
         c.setLowAlarmRaw(90);
     }},
    {.type = 2, .pages = {1, 2, 3}, .name = "Ice Store", .rate = "30 Min (11 Mths)", .lowOn = false,
     .high = "-10.0 \u00B0C", .low = "-30.0 \u00B0C",
     .expect = [](LoggerConfig& c) {
         c.setName("Ice Store");
         c.setSampleInterval(1800);
         c.setFlags(flag::kHighEnabled);
         c.setHighAlarmRaw(60);
         c.setLowAlarmRaw(20);
     }},
    {.type = 3, .pages = {1, 2, 7, 3}, .name = "Greenhouse", .rate = "1 Hour (1.8 Yrs)", .high = "25.5 \u00B0C",
     .low = "15.0 \u00B0C", .start = Start::Delayed,
     .expect = [](LoggerConfig& c) {
         c.setName("Greenhouse");
         c.setSampleInterval(3600);
         c.setFlags(kBoth | kRhFlags);
         c.setHighAlarmRaw(131);
         c.setLowAlarmRaw(110);
         setHumidity(c);
     }},
    {.type = 4, .pages = {8, 9, 10, 3}, .name = "Tank Pressure", .rate = "1 Sec (9 Hrs)", .high = "100",
     .low = "20", .customScaling = true,
     .expect = [](LoggerConfig& c) {
         c.setName("Tank Pressure");
         c.setSampleInterval(1);
         c.setFlags(kBoth);
         c.setInputOptions(1);
         // PSI from 0 V = 0 to 30 V = 150: gain 5, shown to 0.2, so one decimal.
         c.setText(TextSlot::Units, "PSI");
         c.setText(TextSlot::ScaleIn1, "0");
         c.setText(TextSlot::ScaleOut1, "0");
         c.setText(TextSlot::ScaleIn2, "30");
         c.setText(TextSlot::ScaleOut2, "150");
         c.setHighAlarmRaw(43648);
         c.setLowAlarmRaw(8730);
         setLevelTexts(c, "100.0", "20.0");
         c.setModeFlags(mode::kLedsDisabled);
     }},
    {.type = 5, .pages = {8, 10, 3}, .name = "Pump Motor", .rate = "5 Min (3 Mths)", .high = "20", .low = "4",
     .expect = [](LoggerConfig& c) {
         c.setName("Pump Motor");
         c.setSampleInterval(300);
         c.setFlags(kBoth);
         c.setHighAlarmRaw(52378); // 0 - 25 mA shown to 0.025: three decimals
         c.setLowAlarmRaw(10476);
         setLevelTexts(c, "20.000", "4.000");
         c.setModeFlags(mode::kLedsDisabled);
     }},
    {.type = 6, .pages = {8, 10, 3}, .name = "Solar Array", .rate = "30 Min (1.8 Yrs)", .high = "25", .low = "10",
     .expect = [](LoggerConfig& c) {
         c.setName("Solar Array");
         c.setSampleInterval(1800);
         c.setFlags(kBoth);
         c.setHighAlarmRaw(54560); // 0 - 30 V shown to 0.05: two decimals
         c.setLowAlarmRaw(21824);
         setLevelTexts(c, "25.00", "10.00");
         c.setModeFlags(mode::kLedsDisabled);
     }},
    {.type = 7, .pages = {8, 10, 3}, .name = "Flow Meter", .rate = "1 Hour (>2 Yrs)", .high = "15", .low = "5",
     .highHold = true, .lowHold = true,
     .expect = [](LoggerConfig& c) {
         c.setName("Flow Meter");
         c.setSampleInterval(3600);
         c.setFlags(kBoth | flag::kHighLatched | flag::kLowLatched);
         c.setHighAlarmRaw(39283);
         c.setLowAlarmRaw(13094);
         setLevelTexts(c, "15.000", "5.000");
         c.setModeFlags(mode::kLedsDisabled);
     }},
    {.type = 8, .pages = {11, 12, 3}, .name = "Office", .high = "30 \u00B0C", .low = "5 \u00B0C", .lowHold = true,
     .expect = [](LoggerConfig& c) {
         c.setName("Office");
         c.setFlags(kBoth | flag::kLowLatched);
         c.setHighAlarmRaw(39566);
         c.setLowAlarmRaw(47272);
     }},
    {.type = 9, .pages = {14, 13, 15, 3}, .name = "Plant Room", .rate = "5 Min (3 Mths)", .low = "40",
     .lowHold = true,
     .expect = [](LoggerConfig& c) {
         c.setName("Plant Room");
         c.setSampleInterval(300);
         c.setFlags(flag::kLowEnabled | flag::kLowLatched);
         c.setHighAlarmRaw(50050); // 1001 ppm, the alarm off
         c.setLowAlarmRaw(2000);
     }},
    {.type = 10, .pages = {16, 10, 3}, .name = "Kiln Probe", .rate = "30 Sec (11 Days)", .high = "250",
     .low = "100", .thermocouple = "T-Type",
     .expect = [](LoggerConfig& c) {
         c.setName("Kiln Probe");
         c.setSampleInterval(30);
         c.setFlags(kBoth);
         c.setInputOptions(0x40);
         c.setHighAlarmRaw(8100);
         c.setLowAlarmRaw(5400);
         setLevelTexts(c, "250.0", "100.0");
         c.setModeFlags(mode::kLedsDisabled);
     }},
    {.type = 11, .pages = {14, 13, 15, 3}, .name = "Garage", .rate = "30 Sec (11 Days)", .low = "40",
     .lowHold = true,
     .expect = [](LoggerConfig& c) {
         c.setName("Garage");
         c.setSampleInterval(30);
         c.setFlags(flag::kLowEnabled | flag::kLowLatched);
         c.setHighAlarmRaw(60200); // 301 ppm, the alarm off
         c.setLowAlarmRaw(8000);
     }},
    {.type = 12, .pages = {1, 17, 2, 7, 18}, .name = "Display Case", .rate = "10 Sec (45 Hrs)",
     .high = "30.0 \u00B0C", .low = "10.0 \u00B0C", .start = Start::Button,
     .expect = [](LoggerConfig& c) {
         c.setName("Display Case");
         c.setSampleInterval(10);
         c.setFlags(kBoth | kRhFlags);
         c.setHighAlarmRaw(140);
         c.setLowAlarmRaw(100);
         setHumidity(c);
         c.setModeFlags(kLcd30sOverwrite);
     }},
    {.type = 13, .pages = {1, 19, 2, 7, 3}, .name = "Archive", .rate = "6 Hours (>2 Yrs)", .high = "90 \u00B0F",
     .low = "40 \u00B0F", .fahrenheit = true,
     .expect = [](LoggerConfig& c) {
         c.setName("Archive");
         c.setSampleInterval(21600);
         c.setFlags(kBoth | kRhFlags);
         c.setInputOptions(1);
         c.setCalGain(1.0f);
         c.setCalOffset(-40.0f);
         c.setHighAlarmRaw(130);
         c.setLowAlarmRaw(80);
         setHumidity(c);
         c.setModeFlags(mode::kOverwrite);
     }},
    {.type = 14, .pages = {20, 1, 19, 10, 3}, .name = "Autoclave", .rate = "1 Sec (9 Hrs)", .high = "100",
     .low = "0",
     .expect = [](LoggerConfig& c) {
         c.setName("Autoclave");
         c.setSampleInterval(1);
         c.setFlags(kBoth);
         c.setHighAlarmRaw(14000);
         c.setLowAlarmRaw(4000);
         setLevelTexts(c, "100.0", "0.0");
         c.setModeFlags(mode::kOverwrite); // its LEDs cannot be switched off
     }},
    {.type = 15, .pages = {16, 17, 10, 18}, .name = "Smoker", .rate = "1 Min (22 Days)", .high = "300",
     .low = "50", .thermocouple = "K-Type",
     .expect = [](LoggerConfig& c) {
         c.setName("Smoker");
         c.setSampleInterval(60);
         c.setFlags(kBoth);
         c.setInputOptions(0x20);
         c.setHighAlarmRaw(9000);
         c.setLowAlarmRaw(4500);
         setLevelTexts(c, "300.0", "50.0");
         c.setModeFlags(kLcd30sOverwrite | mode::kLedsDisabled);
     }},
    {.type = 16, .pages = {1, 17, 2, 7, 18}, .name = "Lab Bench", .rate = "12 Hours (>2 Yrs)",
     .high = "22.0 \u00B0C", .low = "18.0 \u00B0C",
     .expect = [](LoggerConfig& c) {
         c.setName("Lab Bench");
         c.setSampleInterval(43200);
         c.setFlags(kBoth | kRhFlags);
         c.setHighAlarmRaw(124);
         c.setLowAlarmRaw(116);
         setHumidity(c);
         c.setModeFlags(kLcd30sOverwrite);
     }},
    {.type = 19, .pages = {1, 17, 10, 18}, .name = "Server Room", .rate = "1 Hour (1.8 Yrs)", .high = "30",
     .low = "-10", .start = Start::Delayed,
     .expect = [](LoggerConfig& c) {
         c.setName("Server Room");
         c.setSampleInterval(3600);
         c.setFlags(kBoth);
         c.setHighAlarmRaw(4140);
         c.setLowAlarmRaw(3420);
         setLevelTexts(c, "30.0", "-10.0");
         c.setModeFlags(kLcd30sOverwrite | mode::kLedsDisabled);
     }},
    {.type = 21, .pages = {1, 17, 10, 25, 18}, .name = "Vaccine Fridge", .rate = "10 Sec (45 Hrs)", .high = "5",
     .low = "-20",
     .expect = [](LoggerConfig& c) {
         c.setName("Vaccine Fridge");
         c.setSampleInterval(10);
         c.setFlags(kBoth);
         c.setHighAlarmRaw(3690);
         c.setLowAlarmRaw(3240);
         setLevelTexts(c, "5.0", "-20.0");
         c.setModeFlags(kLcd30sOverwrite | mode::kLedsDisabled);
         c.setConsecutiveHigh(5); // 1183 ticked with 5, 1184 left clear
     }},
};
// clang-format on

// The bytes in which two records differ, as "[offset] got != want".
std::string differences(const LoggerConfig& got, const LoggerConfig& want)
{
    std::ostringstream out;
    for (std::size_t i = 0; i < LoggerConfig::kSize; ++i)
        if (got.bytes[i] != want.bytes[i])
            out << " [" << i << "] " << int(got.bytes[i]) << " != " << int(want.bytes[i]);
    return out.str();
}

class SetupWizardTest : public SetupPagesTest, public ::testing::WithParamInterface<Entry> {
protected:
    // Typing replaces what the box (or the edit field of a list) holds; the box has
    // the focus, as under the user's hand.
    void type(int pageIndex, int id, const QString& text)
    {
        QLineEdit* box = page(pageIndex)->control<QLineEdit>(id);
        if (auto* list = page(pageIndex)->control<QComboBox>(id))
            box = list->lineEdit();
        ASSERT_NE(box, nullptr) << "page " << pageIndex << " has no box " << id;
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        EXPECT_EQ(box->text(), text) << "page " << pageIndex << " box " << id;
    }
    void pick(int pageIndex, int id, const QString& entry)
    {
        auto* box = control<QComboBox>(pageIndex, id);
        const int index = box ? box->findText(entry) : -1;
        ASSERT_GE(index, 0) << "page " << pageIndex << " list " << id << " has no \"" << entry.toStdString() << '"';
        box->setCurrentIndex(index);
    }
    void setTicked(int pageIndex, int id, bool on)
    {
        if (checked(pageIndex, id) != on)
            click(pageIndex, id);
    }
    // A mouse click: the focus leaves the box that had it, as it does for the user.
    void press(int pageIndex, int id)
    {
        auto* button = control<QAbstractButton>(pageIndex, id);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled()) << "page " << pageIndex << " button " << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void fill(int pageIndex, const Entry& e);
    void fillAlarms(int pageIndex, const Entry& e, int highLevel, int lowLevel);
};

// The levels and "Hold" are entered while their alarm is on; then each switch is
// left as the entry says.
void SetupWizardTest::fillAlarms(int pageIndex, const Entry& e, int highLevel, int lowLevel)
{
    setTicked(pageIndex, 1035, true);
    setTicked(pageIndex, 1036, true);
    const bool typed = pageIndex == page::kVoltageAlarms;
    for (const auto& [level, text] : {std::pair{highLevel, e.high}, std::pair{lowLevel, e.low}})
        typed ? type(pageIndex, level, QString::fromUtf8(text)) : pick(pageIndex, level, QString::fromUtf8(text));
    setTicked(pageIndex, 1020, e.highHold);
    setTicked(pageIndex, 1022, e.lowHold);
    setTicked(pageIndex, 1035, e.highOn);
    setTicked(pageIndex, 1036, e.lowOn);
}

void SetupWizardTest::fill(int pageIndex, const Entry& e)
{
    switch (pageIndex) {
    case page::kName:
    case page::kVoltageName:
    case page::kLiteName:
    case page::kCoName:
    case page::kTcName:
        type(pageIndex, 1012, QString::fromUtf8(e.name));
        if (e.rate)
            pick(pageIndex, 1028, QString::fromUtf8(e.rate));
        if (pageIndex == page::kVoltageName)
            click(pageIndex, e.customScaling ? 1077 : 1076);
        else if (pageIndex != page::kCoName)
            click(pageIndex, e.fahrenheit ? 1026 : 1004);
        if (e.thermocouple)
            pick(pageIndex, 1142, QString::fromUtf8(e.thermocouple));
        break;
    case page::kVoltageCal:
        type(pageIndex, 1078, QStringLiteral("PSI"));
        type(pageIndex, 1080, QStringLiteral("0"));
        type(pageIndex, 1079, QStringLiteral("0"));
        type(pageIndex, 1082, QStringLiteral("30")); // the top of the 0.00 - 30.00 V range
        type(pageIndex, 1081, QStringLiteral("150"));
        break;
    case page::kAlarms:
    case page::kLiteAlarms: fillAlarms(pageIndex, e, 1019, 1021); break;
    case page::kVoltageAlarms:
        fillAlarms(pageIndex, e, 1083, 1084);
        if (control(pageIndex, 1093)->isVisible())
            setTicked(pageIndex, 1093, true); // "Disable LEDs"
        break;
    case page::kRhAlarms:
        setTicked(pageIndex, 1069, true);
        setTicked(pageIndex, 1070, true);
        pick(pageIndex, 1071, kRhHigh);
        pick(pageIndex, 1073, kRhLow);
        setTicked(pageIndex, 1072, false);
        setTicked(pageIndex, 1074, true);
        break;
    case page::kCoAlarms:
        setTicked(pageIndex, 1036, true);
        type(pageIndex, 1084, QString::fromUtf8(e.low));
        setTicked(pageIndex, 1022, e.lowHold);
        setTicked(pageIndex, 1105, true); // the sounder stays on: no question
        break;
    case page::kConsecutiveAlarms:
        setTicked(pageIndex, 1035, true);
        type(pageIndex, 1183, QStringLiteral("5"));
        setTicked(pageIndex, 1036, false);
        break;
    case page::kCoAgreement:
    case page::kHtAgreement:
        click(pageIndex, 1134); // "I Agree"
        break;
    case page::kLcd:
        click(pageIndex, 1150); // "LCD On for 30 seconds after button press"
        click(pageIndex, 1153); // overwrite when full
        break;
    case page::kStorageMode: click(pageIndex, 1153); break;
    default: ADD_FAILURE() << "no entries for page " << pageIndex;
    }
}

TEST_P(SetupWizardTest, SetsUpAndStartsTheLoggerThroughEveryPageOfItsRow)
{
    const Entry& e = GetParam();
    setUp(e.type);
    const LoggerConfig factory = device->record();
    const std::vector<int>& row = e.pages;
    const std::size_t finish = row.size() - 1;

    // Half-way along, "&Cancel": back to the main menu with the logger untouched.
    const std::size_t middle = row.size() / 2;
    for (std::size_t i = 0; i < middle; ++i) {
        ASSERT_EQ(shownPage(), row[i]);
        fill(row[i], e);
        press(row[i], ctl::kNext);
    }
    ASSERT_EQ(shownPage(), row[middle]);
    press(row[middle], ctl::kCancel);
    EXPECT_EQ(shownPage(), page::kMainMenu);
    EXPECT_EQ(device->recordsTaken(), 0);
    EXPECT_EQ(differences(device->record(), factory), "");

    // Through the row to the finish page, "< Back" to its first page, and on again:
    // a page shows what the record holds, so the second pass enters the same.
    click(page::kMainMenu, 1101);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < finish; ++i) {
            ASSERT_EQ(shownPage(), row[i]) << "pass " << pass;
            fill(row[i], e);
            press(row[i], ctl::kNext);
        }
        ASSERT_EQ(shownPage(), row[finish]);
        for (std::size_t i = finish; pass == 0 && i > 0; --i) {
            press(row[i], ctl::kBack);
            ASSERT_EQ(shownPage(), row[i - 1]);
        }
    }
    // The first page of a row has no way back.
    const QWidget* firstBack = page(row.front())->control<QWidget>(ctl::kBack);
    EXPECT_FALSE(firstBack && firstBack->isEnabled());

    LoggerConfig expected = factory;
    e.expect(expected);
    expected.setFlag(flag::kLogging, true);
    const int finishPage = row[finish];
    switch (e.start) {
    case Start::Now:
        if (finishPage == page::kPushToStart)
            click(finishPage, 1146); // "Immediate start."
        expected.setStart(2026, 12, 7, 15, 0, 0);
        break;
    case Start::Delayed: // a user's edit of the time chooses the delayed start on page 18
        picker(finishPage, 1024)->setTime(QTime(kLater.hour, kLater.minute, kLater.second));
        expected.setStart(kLater.year, kLater.month, kLater.day, kLater.hour, kLater.minute, kLater.second);
        expected.setStartDelay(600);
        break;
    case Start::Button:
        click(finishPage, 1147);
        expected.setStart(2026, 12, 7, 15, 0, 0);
        expected.setMode(mode::kPushButton, true);
        break;
    }
    press(finishPage, ctl::kNext);
    ASSERT_EQ(shownPage(), page::kSummary);
    press(page::kSummary, ctl::kOk);
    EXPECT_EQ(shownPage(), page::kMainMenu);

    // A started logger begins its memory afresh; started at once, it has taken its
    // first reading, not yet downloaded.
    expected.setReadingCount(e.start == Start::Now ? 1 : 0);
    expected.setFlag(flag::kUndownloaded, e.start == Start::Now);
    EXPECT_EQ(differences(device->record(), expected), "");
    EXPECT_EQ(device->recordsTaken(), 1);
}

INSTANTIATE_TEST_SUITE_P(CompatibleTypes, SetupWizardTest, ::testing::ValuesIn(kEntries),
                         [](const ::testing::TestParamInfo<Entry>& info) {
                             return "type" + std::to_string(info.param.type);
                         });

} // namespace
} // namespace velmora::test
