// The main menu's commands without their window: the common opening, the warnings,
// the stop questions with their buttons and icons, the stop itself, the page each
// command leads to, and the start of the viewer on a saved file. What reaches the
// logger is read back from the virtual logger's own record.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "clock.h"
#include "connected_logger.h"
#include "logger_presets.h"
#include "main_menu_commands.h"
#include "recording_launcher.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompts.h"
#include "simulated_bridge.h"
#include "utility_strings.h"

namespace velmora::test {
namespace {

const CivilTime kNow{2026, 12, 7, 15, 0, 0};
const std::string kProgramFolder = "/opt/velmora/bin";

enum class Command { SetUp, StopAndDownload, CurrentStatus };

struct Step {
    std::string_view message;
    PromptIcon icon;
    PromptButtons buttons;
    PromptAnswer answer;
};

Step ok(std::string_view message, PromptIcon icon = PromptIcon::Warning)
{
    return {message, icon, PromptButtons::Ok, PromptAnswer::Ok};
}
Step yesNo(std::string_view message, PromptAnswer answer, PromptIcon icon = PromptIcon::Question)
{
    return {message, icon, PromptButtons::YesNo, answer};
}

// A logger with nothing to warn about: no battery, sensor or date flags, not logging,
// memory downloaded.
LoggerImage quiet(LoggerType type)
{
    LoggerImage image = makePresetImage(type, kNow);
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

void logging(LoggerConfig& c) { c.setFlag(flag::kLogging, true); }
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
void undownloaded(LoggerConfig& c) { c.setFlag(flag::kUndownloaded, true); }

// Sensor life and calibration periods relative to 07/12/2026: valid until 2027,
// expired in 2025, or with a month that does not exist.
constexpr DatePeriod kValid{1, 1, 126, 24};
constexpr DatePeriod kExpired{1, 1, 124, 12};
constexpr DatePeriod kInvalid{1, 13, 124, 12};

// The command ends where it began, on the main menu.
constexpr std::nullopt_t kStays = std::nullopt;

struct EntryCase {
    const char* name;
    std::function<LoggerImage()> image; // empty: no logger plugged in
    Command command;
    std::vector<Step> steps;
    std::optional<int> next; // the page the command leads to
    bool stopped;            // the logger was sent a record that stops it
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const EntryCase kEntryCases[] = {
    {"no logger", nullptr, Command::SetUp, {ok(utilitytext::kNoLogger)}, kStays, false},
    {"no logger on stop", nullptr, Command::StopAndDownload, {ok(utilitytext::kNoLogger)}, kStays, false},
    {"no logger on status", nullptr, Command::CurrentStatus, {ok(utilitytext::kNoLogger)}, kStays, false},

    {"critical battery shows only 140", [] { return with(quiet(1), [](LoggerConfig& c) {
         c.setFlag(flag::kBatteryCritical, true);
         c.setFlag(flag::kBatteryLow, true);
     }); }, Command::SetUp, {ok(utilitytext::kBatteryCritical)}, 1, false},
    {"low battery", [] { return with(quiet(2), [](LoggerConfig& c) { c.setFlag(flag::kBatteryLow, true); }); },
     Command::StopAndDownload, {ok(utilitytext::kBatteryLow)}, 5, false},
    {"humidity sensor fault",
     [] { return with(quiet(3), [](LoggerConfig& c) { c.setFlag(flag::kSensorFault, true); }); }, Command::SetUp, {ok(utilitytext::kHumiditySensorFault, PromptIcon::Stop)}, 1, false},
    {"CO over-exposure on stop",
     [] { return with(quiet(9), [](LoggerConfig& c) { c.setFlag(flag::kSensorFault, true); }); },
     Command::StopAndDownload, {ok(utilitytext::kCoOverExposure, PromptIcon::Stop)}, 5, false},
    {"invalid sensor life skips the calibration check", [] { return with(quiet(9), [](LoggerConfig& c) {
         c.setSensorLife(kInvalid);
         c.setCalibrationDue(kExpired);
     }); }, Command::SetUp, {ok(utilitytext::kSensorLifeInvalid, PromptIcon::Stop)}, 14, false},
    {"expired sensor life skips the calibration check", [] { return with(quiet(11), [](LoggerConfig& c) {
         c.setSensorLife(kExpired);
         c.setCalibrationDue(kInvalid);
     }); }, Command::StopAndDownload, {ok(utilitytext::kSensorLifeExceeded, PromptIcon::Stop)}, 5, false},
    {"calibration expired", [] { return with(quiet(9), [](LoggerConfig& c) {
         c.setSensorLife(kValid);
         c.setCalibrationDue(kExpired);
     }); }, Command::SetUp, {ok(utilitytext::kCalibrationExceeded, PromptIcon::Stop)}, 14, false},
    {"calibration invalid", [] { return with(quiet(11), [](LoggerConfig& c) {
         c.setSensorLife(kValid);
         c.setCalibrationDue(kInvalid);
     }); }, Command::SetUp, {ok(utilitytext::kCalibrationInvalid, PromptIcon::Stop)}, 14, false},
    {"warnings come in order", [] { return with(quiet(9), [](LoggerConfig& c) {
         c.setFlag(flag::kBatteryLow, true);
         c.setFlag(flag::kSensorFault, true);
         c.setSensorLife(kValid);
         c.setCalibrationDue(kExpired);
         logging(c);
     }); }, Command::SetUp,
     {ok(utilitytext::kBatteryLow), ok(utilitytext::kCoOverExposure, PromptIcon::Stop),
      ok(utilitytext::kCalibrationExceeded, PromptIcon::Stop), yesNo(utilitytext::kStopQuestionLogging, PromptAnswer::Yes)},
     14, true},

    {"set-up of a logging logger, Yes", [] { return with(quiet(1), logging); }, Command::SetUp,
     {yesNo(utilitytext::kStopQuestionLogging, PromptAnswer::Yes)}, 1, true},
    {"set-up of a logging logger, No", [] { return with(quiet(1), logging); }, Command::SetUp,
     {yesNo(utilitytext::kStopQuestionLogging, PromptAnswer::No)}, kStays, false},
    {"set-up in delayed start", [] { return with(quiet(2), delayed); }, Command::SetUp,
     {yesNo(utilitytext::kStopQuestionDelayed, PromptAnswer::Yes)}, 1, true},
    {"set-up of a push-button logger waiting", [] { return with(quiet(12), waitingForButton); }, Command::SetUp,
     {yesNo(utilitytext::kPushButtonQuestion, PromptAnswer::Yes)}, 1, true},
    {"set-up of a delayed LCD logger that already holds readings", [] { return with(quiet(12), [](LoggerConfig& c) {
         logging(c);
         c.setStartDelay(600);
     }); }, Command::SetUp, {yesNo(utilitytext::kStopQuestionLogging, PromptAnswer::No)}, kStays, false},
    {"undownloaded data asks 133 on set-up, Cancel", [] { return with(quiet(1), undownloaded); }, Command::SetUp,
     {{utilitytext::kUndownloadedData, PromptIcon::Warning, PromptButtons::OkCancel, PromptAnswer::Cancel}}, kStays, false},
    {"undownloaded data asks 133 on set-up, OK", [] { return with(quiet(1), undownloaded); }, Command::SetUp,
     {{utilitytext::kUndownloadedData, PromptIcon::Warning, PromptButtons::OkCancel, PromptAnswer::Ok}}, 1, false},
    {"undownloaded data asks nothing on stop", [] { return with(quiet(1), undownloaded); }, Command::StopAndDownload,
     {}, 5, false},
    {"a logging logger is not asked 133", [] { return with(quiet(1), [](LoggerConfig& c) {
         logging(c);
         undownloaded(c);
     }); }, Command::SetUp, {yesNo(utilitytext::kStopQuestionLogging, PromptAnswer::Yes)}, 1, true},

    {"stop of a logging logger, Yes", [] { return with(quiet(1), logging); }, Command::StopAndDownload,
     {yesNo(utilitytext::kStopConfirm, PromptAnswer::Yes)}, 5, true},
    {"stop of a logging logger, No", [] { return with(quiet(10), logging); }, Command::StopAndDownload,
     {yesNo(utilitytext::kStopConfirm, PromptAnswer::No)}, kStays, false},
    {"stop in delayed start", [] { return with(quiet(4), delayed); }, Command::StopAndDownload,
     {yesNo(utilitytext::kStopDelayedConfirm, PromptAnswer::Yes)}, 5, true},
    {"stop in delayed start, No", [] { return with(quiet(4), delayed); }, Command::StopAndDownload,
     {yesNo(utilitytext::kStopDelayedConfirm, PromptAnswer::No)}, kStays, false},
    {"stop of a push-button logger waiting asks 176 without an icon",
     [] { return with(quiet(19), waitingForButton); }, Command::StopAndDownload,
     {yesNo(utilitytext::kPushButtonQuestion, PromptAnswer::Yes, PromptIcon::None)}, 5, true},
    {"stop of a push-button logger waiting, No", [] { return with(quiet(21), waitingForButton); },
     Command::StopAndDownload, {yesNo(utilitytext::kPushButtonQuestion, PromptAnswer::No, PromptIcon::None)}, kStays,
     false},

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
// clang-format on

class MainMenuCommandsTest : public ::testing::Test {
protected:
    VirtualLogger& plugIn(LoggerImage image) { return bridge.attach(std::move(image)); }

    std::optional<int> run(Command command)
    {
        switch (command) {
        case Command::SetUp: return commands.OnSetUp();
        case Command::StopAndDownload: return commands.OnStopAndDownload();
        case Command::CurrentStatus: return commands.OnCurrentStatus();
        }
        return std::nullopt;
    }

    VirtualClock clock{kNow};
    SimulatedBridge bridge{clock};
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    RecordingLauncher launcher;
    ConnectedLogger logger{bridge, clock, prompts};
    MainMenuCommands commands{logger, prompts, dialogs, launcher, kProgramFolder};
};

class EntryTest : public MainMenuCommandsTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryTest, MessagesStopAndNextPage)
{
    const EntryCase& c = GetParam();
    LoggerConfig before;
    if (c.image)
        before = plugIn(c.image()).record();
    for (const Step& s : c.steps)
        prompts.expectMsg(s.message, s.answer, s.icon);

    EXPECT_EQ(run(c.command), c.next);

    prompts.expectAllShown();
    ASSERT_EQ(prompts.shown().size(), c.steps.size());
    for (std::size_t i = 0; i < c.steps.size(); ++i)
        EXPECT_EQ(static_cast<int>(prompts.shown()[i].buttons), static_cast<int>(c.steps[i].buttons)) << i;
    if (!c.image)
        return;
    VirtualLogger& device = bridge.logger(0);
    if (c.stopped) {
        EXPECT_EQ(device.recordsTaken(), 1);
        EXPECT_FALSE(device.record().isLogging());
        EXPECT_FALSE(logger.config.isLogging());
    } else {
        EXPECT_EQ(device.recordsTaken(), 0);
        EXPECT_EQ(device.record().bytes, before.bytes) << "the logger must be left untouched";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EntryTest, ::testing::ValuesIn(kEntryCases),
                         [](const ::testing::TestParamInfo<EntryCase>& info) {
                             std::string name = std::to_string(info.index) + "_" + info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

class RefusedTypeTest : public MainMenuCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(RefusedTypeTest, EveryLoggerCommandShows139AndNothingElse)
{
    LoggerImage image = makePresetImage(static_cast<LoggerType>(GetParam()), kNow);
    image.record.setFlag(flag::kLogging, true);
    image.record.setFlag(flag::kBatteryCritical, true);
    const LoggerConfig before = plugIn(image).record();
    for (Command command : {Command::SetUp, Command::StopAndDownload, Command::CurrentStatus}) {
        SCOPED_TRACE(static_cast<int>(command));
        prompts.expectMsg(utilitytext::kIncompatible, PromptAnswer::Ok, PromptIcon::Warning);
        EXPECT_EQ(run(command), std::nullopt);
        prompts.expectAllShown();
    }
    EXPECT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(bridge.logger(0).recordsTaken(), 0);
    EXPECT_EQ(bridge.logger(0).record().bytes, before.bytes);
}

INSTANTIATE_TEST_SUITE_P(Types, RefusedTypeTest, ::testing::Values(17, 18, 20));

TEST_F(MainMenuCommandsTest, AnotherLoggerPluggedInBeforeTheStopIsLeftAlone)
{
    plugIn(with(quiet(1), logging));
    LoggerImage other = with(quiet(1), logging);
    other.record.setSerialNumber(99999);
    const LoggerConfig otherBefore = other.record;
    // While the question is up, the logger is swapped for another of the same type.
    prompts.afterAnswer = [&](const std::string&) {
        bridge.detach(0);
        bridge.attach(other);
        prompts.afterAnswer = nullptr;
    };
    prompts.expectMsg(utilitytext::kStopConfirm, PromptAnswer::Yes, PromptIcon::Question)
        .expectMsg(utilitytext::kLoggerReplaced, PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_EQ(commands.OnStopAndDownload(), std::nullopt);
    EXPECT_EQ(bridge.logger(0).recordsTaken(), 0);
    EXPECT_EQ(bridge.logger(0).record().bytes, otherBefore.bytes);
}

TEST_F(MainMenuCommandsTest, AStopThatCannotBeVerifiedEndsOnTheMainMenu)
{
    plugIn(with(quiet(1), logging)).faults().firmwareChangesOnWrite = true;
    prompts.expectMsg(utilitytext::kStopQuestionLogging, PromptAnswer::Yes, PromptIcon::Question)
        .expectMsg(utilitytext::kConfigureError, PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_EQ(commands.OnSetUp(), std::nullopt);
}

TEST_F(MainMenuCommandsTest, ViewPreviousGraph)
{
    // Spaces and quotes reach the viewer intact: the path is one argument, no shell.
    const std::string path = "/home/tester/My Data/\"Cold\" room's log.txt";
    const std::string viewer = kProgramFolder + "/velmora-graph";
    struct Case {
        const char* name;
        std::optional<std::string> chosen; // nullopt: the dialog is cancelled
        bool viewerStarts;
        std::string_view message; // empty: none
        std::vector<RecordingLauncher::Start> starts;
    };
    const Case cases[] = {
        {"a chosen file goes to the viewer from the utility's folder",
         path,
         true,
         {},
         {{viewer, {path}, kProgramFolder}}},
        {"cancel starts nothing", std::nullopt, true, {}, {}},
        {"a viewer that cannot start is reported",
         path,
         false,
         utilitytext::kViewerNotFound,
         {{viewer, {path}, kProgramFolder}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompts p;
        ScriptedFileDialogs d;
        RecordingLauncher l;
        l.succeeds = c.viewerStarts;
        MainMenuCommands m(logger, p, d, l, kProgramFolder);
        d.answer(c.chosen);
        if (!c.message.empty())
            p.expectMsg(c.message, PromptAnswer::Ok, PromptIcon::Warning);
        m.OnViewPreviousGraph();
        ASSERT_EQ(d.calls.size(), 1u);
        EXPECT_EQ(d.calls[0].kind, "open");
        EXPECT_EQ(d.calls[0].request.title, "Open");
        EXPECT_EQ(d.calls[0].request.filter, "VelmoraUSB Download File (*.txt)|*.txt|All Files (*.*)| *.*||");
        EXPECT_EQ(d.calls[0].request.defaultSuffix, "txt");
        EXPECT_EQ(l.starts, c.starts);
    }
}

} // namespace
} // namespace velmora::test
