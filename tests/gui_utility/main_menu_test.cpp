// The main menu's logger commands: the common opening, the warnings, the stop
// questions with their buttons and icons, the stop itself, and the page shown next.
// What reaches the logger is read back from the virtual logger's own record.
#include <QAction>
#include <functional>

#include "main_frame.h"
#include "pending_page_form.h"
#include "utility_fixture.h"
#include "utility_strings.h"

namespace velmora::test {
namespace {

enum class Command { SetUp, StopAndDownload, CurrentStatus };

struct Step {
    int message;
    PromptIcon icon;
    PromptButtons buttons;
    PromptAnswer answer;
};

Step ok(int message, PromptIcon icon = PromptIcon::Warning)
{
    return {message, icon, PromptButtons::Ok, PromptAnswer::Ok};
}
Step yesNo(int message, PromptAnswer answer, PromptIcon icon = PromptIcon::Question)
{
    return {message, icon, PromptButtons::YesNo, answer};
}

// A logger with nothing to warn about: no battery, sensor or date flags, not logging,
// memory downloaded.
LoggerImage quiet(LoggerType type)
{
    LoggerImage image = presetImage(type);
    LoggerConfig& c = image.record;
    c.setFlag(flag::kUndownloaded, false);
    c.setFlag(flag::kBatteryLow, false);
    c.setFlag(flag::kBatteryCritical, false);
    c.setFlag(flag::kSensorFault, false);
    c.setFlag(flag::kLogging, false);
    c.setSensorLife({});
    c.setCalibrationDue({});
    return image;
}

LoggerImage with(LoggerImage image, const std::function<void(LoggerConfig&)>& change)
{
    change(image.record);
    return image;
}

void logging(LoggerConfig& c)
{
    c.setFlag(flag::kLogging, true);
}
void delayed(LoggerConfig& c)
{
    c.setFlag(flag::kLogging, true);
    c.setStartDelay(3600);
    c.setReadingCount(0);
}
void waitingForButton(LoggerConfig& c)
{
    c.setFlag(flag::kLogging, true);
    c.setPushButtonStart(true);
    c.setReadingCount(0);
}
void undownloaded(LoggerConfig& c)
{
    c.setFlag(flag::kUndownloaded, true);
}

// Sensor life and calibration periods relative to 07/12/2026: valid until 2027,
// expired in 2025, or with a month that does not exist.
constexpr DatePeriod kValid{1, 1, 126, 24};
constexpr DatePeriod kExpired{1, 1, 124, 12};
constexpr DatePeriod kInvalid{1, 13, 124, 12};

struct EntryCase {
    const char* name;
    std::function<LoggerImage()> image; // empty: no logger plugged in
    Command command;
    std::vector<Step> steps;
    int endPage;
    bool stopped; // the logger was sent a record that stops it
};

void PrintTo(const EntryCase& c, std::ostream* os)
{
    *os << c.name;
}

const EntryCase kEntryCases[] = {
    {"no logger", nullptr, Command::SetUp, {ok(msgid::kNoLogger)}, 0, false},
    {"no logger on stop", nullptr, Command::StopAndDownload, {ok(msgid::kNoLogger)}, 0, false},
    {"no logger on status", nullptr, Command::CurrentStatus, {ok(msgid::kNoLogger)}, 0, false},

    {"critical battery shows only 140", [] { return with(quiet(1), [](LoggerConfig& c) {
         c.setFlag(flag::kBatteryCritical, true);
         c.setFlag(flag::kBatteryLow, true);
     }); }, Command::SetUp, {ok(msgid::kBatteryCritical)}, 1, false},
    {"low battery", [] { return with(quiet(2), [](LoggerConfig& c) { c.setFlag(flag::kBatteryLow, true); }); },
     Command::StopAndDownload, {ok(msgid::kBatteryLow)}, 5, false},
    {"humidity sensor fault", [] { return with(quiet(3), [](LoggerConfig& c) { c.setFlag(flag::kSensorFault, true); }); },
     Command::SetUp, {ok(msgid::kHumiditySensorFault, PromptIcon::Stop)}, 1, false},
    {"CO over-exposure on stop", [] { return with(quiet(9), [](LoggerConfig& c) { c.setFlag(flag::kSensorFault, true); }); },
     Command::StopAndDownload, {ok(msgid::kCoOverExposure, PromptIcon::Stop)}, 5, false},
    {"invalid sensor life skips the calibration check", [] { return with(quiet(9), [](LoggerConfig& c) {
         c.setSensorLife(kInvalid);
         c.setCalibrationDue(kExpired);
     }); }, Command::SetUp, {ok(msgid::kSensorLifeInvalid, PromptIcon::Stop)}, 14, false},
    {"expired sensor life skips the calibration check", [] { return with(quiet(11), [](LoggerConfig& c) {
         c.setSensorLife(kExpired);
         c.setCalibrationDue(kInvalid);
     }); }, Command::StopAndDownload, {ok(msgid::kSensorLifeExceeded, PromptIcon::Stop)}, 5, false},
    {"calibration expired", [] { return with(quiet(9), [](LoggerConfig& c) {
         c.setSensorLife(kValid);
         c.setCalibrationDue(kExpired);
     }); }, Command::SetUp, {ok(msgid::kCalibrationExceeded, PromptIcon::Stop)}, 14, false},
    {"calibration invalid", [] { return with(quiet(11), [](LoggerConfig& c) {
         c.setSensorLife(kValid);
         c.setCalibrationDue(kInvalid);
     }); }, Command::SetUp, {ok(msgid::kCalibrationInvalid, PromptIcon::Stop)}, 14, false},
    {"warnings come in order", [] { return with(quiet(9), [](LoggerConfig& c) {
         c.setFlag(flag::kBatteryLow, true);
         c.setFlag(flag::kSensorFault, true);
         c.setSensorLife(kValid);
         c.setCalibrationDue(kExpired);
         logging(c);
     }); }, Command::SetUp,
     {ok(msgid::kBatteryLow), ok(msgid::kCoOverExposure, PromptIcon::Stop),
      ok(msgid::kCalibrationExceeded, PromptIcon::Stop), yesNo(msgid::kStopQuestionLogging, PromptAnswer::Yes)},
     14, true},

    {"set-up of a logging logger, Yes", [] { return with(quiet(1), logging); }, Command::SetUp,
     {yesNo(msgid::kStopQuestionLogging, PromptAnswer::Yes)}, 1, true},
    {"set-up of a logging logger, No", [] { return with(quiet(1), logging); }, Command::SetUp,
     {yesNo(msgid::kStopQuestionLogging, PromptAnswer::No)}, 0, false},
    {"set-up in delayed start", [] { return with(quiet(2), delayed); }, Command::SetUp,
     {yesNo(msgid::kStopQuestionDelayed, PromptAnswer::Yes)}, 1, true},
    {"set-up of a push-button logger waiting", [] { return with(quiet(12), waitingForButton); }, Command::SetUp,
     {yesNo(msgid::kPushButtonQuestion, PromptAnswer::Yes)}, 1, true},
    {"set-up of a delayed LCD logger that already holds readings", [] { return with(quiet(12), [](LoggerConfig& c) {
         logging(c);
         c.setStartDelay(600);
     }); }, Command::SetUp, {yesNo(msgid::kStopQuestionLogging, PromptAnswer::No)}, 0, false},
    {"undownloaded data asks 133 on set-up, Cancel", [] { return with(quiet(1), undownloaded); }, Command::SetUp,
     {{msgid::kUndownloadedData, PromptIcon::Warning, PromptButtons::OkCancel, PromptAnswer::Cancel}}, 0, false},
    {"undownloaded data asks 133 on set-up, OK", [] { return with(quiet(1), undownloaded); }, Command::SetUp,
     {{msgid::kUndownloadedData, PromptIcon::Warning, PromptButtons::OkCancel, PromptAnswer::Ok}}, 1, false},
    {"undownloaded data asks nothing on stop", [] { return with(quiet(1), undownloaded); }, Command::StopAndDownload,
     {}, 5, false},
    {"a logging logger is not asked 133", [] { return with(quiet(1), [](LoggerConfig& c) {
         logging(c);
         undownloaded(c);
     }); }, Command::SetUp, {yesNo(msgid::kStopQuestionLogging, PromptAnswer::Yes)}, 1, true},

    {"stop of a logging logger, Yes", [] { return with(quiet(1), logging); }, Command::StopAndDownload,
     {yesNo(msgid::kStopConfirm, PromptAnswer::Yes)}, 5, true},
    {"stop of a logging logger, No", [] { return with(quiet(10), logging); }, Command::StopAndDownload,
     {yesNo(msgid::kStopConfirm, PromptAnswer::No)}, 0, false},
    {"stop in delayed start", [] { return with(quiet(4), delayed); }, Command::StopAndDownload,
     {yesNo(msgid::kStopDelayedConfirm, PromptAnswer::Yes)}, 5, true},
    {"stop in delayed start, No", [] { return with(quiet(4), delayed); }, Command::StopAndDownload,
     {yesNo(msgid::kStopDelayedConfirm, PromptAnswer::No)}, 0, false},
    {"stop of a push-button logger waiting asks 176 without an icon",
     [] { return with(quiet(19), waitingForButton); }, Command::StopAndDownload,
     {yesNo(msgid::kPushButtonQuestion, PromptAnswer::Yes, PromptIcon::None)}, 5, true},
    {"stop of a push-button logger waiting, No", [] { return with(quiet(21), waitingForButton); },
     Command::StopAndDownload, {yesNo(msgid::kPushButtonQuestion, PromptAnswer::No, PromptIcon::None)}, 0, false},

    {"status shows no warnings and asks nothing", [] { return with(quiet(3), [](LoggerConfig& c) {
         c.setFlag(flag::kBatteryCritical, true);
         c.setFlag(flag::kSensorFault, true);
         logging(c);
     }); }, Command::CurrentStatus, {}, 6, false},

    // The first page of each type's set-up.
    {"type 4 starts at 8", [] { return quiet(4); }, Command::SetUp, {}, 8, false},
    {"type 7 starts at 8", [] { return quiet(7); }, Command::SetUp, {}, 8, false},
    {"type 8 starts at 11", [] { return quiet(8); }, Command::SetUp, {}, 11, false},
    {"type 10 starts at 16", [] { return quiet(10); }, Command::SetUp, {}, 16, false},
    {"type 15 starts at 16", [] { return quiet(15); }, Command::SetUp, {}, 16, false},
    {"type 14 starts at 20", [] { return quiet(14); }, Command::SetUp, {}, 20, false},
    {"type 13 starts at 1", [] { return quiet(13); }, Command::SetUp, {}, 1, false},
    {"type 21 starts at 1", [] { return quiet(21); }, Command::SetUp, {}, 1, false},
};

class MainMenuTest : public UtilityTest, public ::testing::WithParamInterface<EntryCase> {
protected:
    void run(Command command)
    {
        switch (command) {
        case Command::SetUp: click(0, 1101); break;
        case Command::StopAndDownload: click(0, 1102); break;
        case Command::CurrentStatus: app->mainFrame().command(32775)->trigger(); break;
        }
    }
};

TEST_P(MainMenuTest, EntryChecks)
{
    const EntryCase& c = GetParam();
    LoggerConfig before;
    if (c.image)
        before = plugIn(c.image()).record();
    startApp();
    for (const Step& s : c.steps)
        prompts.expectMsg(s.message, s.answer, s.icon);

    run(c.command);

    prompts.expectAllShown();
    ASSERT_EQ(prompts.shown().size(), c.steps.size());
    for (std::size_t i = 0; i < c.steps.size(); ++i)
        EXPECT_EQ(static_cast<int>(prompts.shown()[i].buttons), static_cast<int>(c.steps[i].buttons)) << i;
    EXPECT_EQ(shownPage(), c.endPage);
    if (!c.image)
        return;
    VirtualLogger& logger = bridge.logger(0);
    if (c.stopped) {
        EXPECT_EQ(logger.recordsTaken(), 1);
        EXPECT_FALSE(logger.record().isLogging());
        EXPECT_FALSE(app->logger().config.isLogging());
    } else {
        EXPECT_EQ(logger.recordsTaken(), 0);
        EXPECT_EQ(logger.record().bytes, before.bytes) << "the logger must be left untouched";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MainMenuTest, ::testing::ValuesIn(kEntryCases),
                         [](const ::testing::TestParamInfo<EntryCase>& info) {
                             std::string name = std::to_string(info.index) + "_" + info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

class RefusedTypeTest : public UtilityTest, public ::testing::WithParamInterface<int> {};

TEST_P(RefusedTypeTest, EveryLoggerCommandShows139AndNothingElse)
{
    LoggerImage image = presetImage(static_cast<LoggerType>(GetParam()));
    image.record.setFlag(flag::kLogging, true);
    image.record.setFlag(flag::kBatteryCritical, true);
    const LoggerConfig before = plugIn(image).record();
    startApp();
    for (int id : {1101, 1102, 32775}) {
        SCOPED_TRACE(id);
        prompts.expectMsg(msgid::kIncompatible, PromptAnswer::Ok, PromptIcon::Warning);
        if (id == 32775)
            app->mainFrame().command(id)->trigger();
        else
            click(0, id);
        prompts.expectAllShown();
        EXPECT_EQ(shownPage(), 0);
    }
    EXPECT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(bridge.logger(0).recordsTaken(), 0);
    EXPECT_EQ(bridge.logger(0).record().bytes, before.bytes);
}

INSTANTIATE_TEST_SUITE_P(Types, RefusedTypeTest, ::testing::Values(17, 18, 20));

TEST_F(UtilityTest, MenuCommandsDoWhatTheButtonsDo)
{
    plugIn(quiet(1));
    startApp();
    app->mainFrame().command(1101)->trigger();
    EXPECT_EQ(shownPage(), 1);
    // Away from the main menu its commands are off.
    for (int id : {1101, 1102, 1103, 32775})
        EXPECT_FALSE(app->mainFrame().command(id)->isEnabled()) << id;
    click(1, 2); // the placeholder's Cancel
    EXPECT_EQ(shownPage(), 0);
    for (int id : {1101, 1102, 1103, 32775})
        EXPECT_TRUE(app->mainFrame().command(id)->isEnabled()) << id;
    app->mainFrame().command(1102)->trigger();
    EXPECT_EQ(shownPage(), 5);
}

TEST_F(UtilityTest, AnotherLoggerPluggedInBeforeTheStopIsLeftAlone)
{
    plugIn(with(quiet(1), logging));
    startApp();
    LoggerImage other = with(quiet(1), logging);
    other.record.setSerialNumber(99999);
    const LoggerConfig otherBefore = other.record;
    // While the question is up, the logger is swapped for another of the same type.
    hooked.afterAnswer = [&](const std::string&) {
        bridge.detach(0);
        bridge.attach(other);
        hooked.afterAnswer = nullptr;
    };
    prompts.expectMsg(msgid::kStopConfirm, PromptAnswer::Yes, PromptIcon::Question)
        .expectMsg(msgid::kLoggerReplaced, PromptAnswer::Ok, PromptIcon::Warning);
    click(0, 1102);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_EQ(bridge.logger(0).recordsTaken(), 0);
    EXPECT_EQ(bridge.logger(0).record().bytes, otherBefore.bytes);
}

TEST_F(UtilityTest, AStopThatCannotBeVerifiedEndsOnTheMainMenu)
{
    plugIn(with(quiet(1), logging)).faults().firmwareChangesOnWrite = true;
    startApp();
    prompts.expectMsg(msgid::kStopQuestionLogging, PromptAnswer::Yes, PromptIcon::Question)
        .expectMsg(msgid::kConfigureError, PromptAnswer::Ok, PromptIcon::Warning);
    click(0, 1101);
    EXPECT_EQ(shownPage(), 0);
}

TEST_F(UtilityTest, ViewPreviousGraphStartsTheViewerFromTheUtilitysFolder)
{
    startApp();
    // Spaces and quotes reach the viewer intact: the path is one argument, no shell.
    const std::string path = "/home/tester/My Data/\"Cold\" room's log.txt";
    dialogs.answer(path);
    click(0, 1103);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, "open");
    EXPECT_EQ(dialogs.calls[0].request.filter, "VelmoraUSB Download File (*.txt)|*.txt|All Files (*.*)| *.*||");
    EXPECT_EQ(dialogs.calls[0].request.defaultSuffix, "txt");
    EXPECT_EQ(launcher.starts,
              (std::vector<RecordingLauncher::Start>{{kProgramFolder + "/velmora-graph", {path}, kProgramFolder}}));
    EXPECT_EQ(shownPage(), 0);

    // Cancel starts nothing; the menu command does what the button does.
    dialogs.answer(std::nullopt);
    app->mainFrame().command(1103)->trigger();
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(launcher.starts.size(), 1u);
}

TEST_F(UtilityTest, ViewPreviousGraphReportsAViewerThatCannotStart)
{
    startApp();
    launcher.succeeds = false;
    dialogs.answer("/home/tester/log.txt");
    prompts.expectMsg(msgid::kViewerNotFound, PromptAnswer::Ok, PromptIcon::Warning);
    click(0, 1103);
    EXPECT_EQ(shownPage(), 0);
}

TEST_F(UtilityTest, StartUpCreatesEveryPageOnceWithPlaceholdersForMissingSetUpPages)
{
    startApp();
    EXPECT_EQ(app->readings().size(), 65536u);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_EQ(app->document().views().size(), 22u);
    for (int index = 0; index < 26; ++index) {
        SCOPED_TRACE(index);
        CPageView* p = page(index);
        if (index >= 21 && index <= 24) {
            EXPECT_EQ(p, nullptr);
            continue;
        }
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->isVisible(), index == 0);
    }
    EXPECT_EQ(page(0)->objectName(), "CVelmoraUSBView");
    EXPECT_EQ(page(5)->objectName(), "CStopInfoForm");
    EXPECT_EQ(page(6)->objectName(), "CStatusInfoForm");
    EXPECT_EQ(page(25)->objectName(), "CSetupConsecutiveAlarmsForm");
    EXPECT_EQ(page(14)->dialogId(), 163);
    // A set-up page that is not built yet says so and leads back to the menu.
    if (page(1)->property("pending").toBool()) {
        app->SwitchPage(1);
        auto* note = page(1)->findChild<QLabel*>("pendingText");
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->text(), QString::fromLatin1(kPendingPageText));
        click(1, 2);
        EXPECT_EQ(shownPage(), 0);
    }
    // The window fits its pages and cannot be resized.
    EXPECT_EQ(app->mainFrame().minimumSize(), app->mainFrame().maximumSize());
    for (CPageView* view : app->document().views())
        EXPECT_LE(view->minimumSizeHint().width(), app->mainFrame().pane()->width()) << view->objectName().toStdString();
}

TEST_F(UtilityTest, F1OpensHelpForThePageOnShow)
{
    plugIn(fridgeImage());
    startApp();
    app->mainFrame().helpAction()->trigger();
    app->mainFrame().command(32775)->trigger();
    app->mainFrame().helpAction()->trigger();
    EXPECT_EQ(help.requests, (std::vector<int>{101, 142}));
}

} // namespace
} // namespace velmora::test
