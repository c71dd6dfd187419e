// Stop and download end to end: a virtual logger is stopped, its readings are
// downloaded and saved, the folder is remembered and the viewer (or, for an event
// logger, the text editor) is started on the file. Then the ways it can fail, as the
// page shows them: back on the main menu, nothing started.
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

#include "download_progress.h"
#include "utility_fixture.h"
#include "utility_strings.h"
#include "viewer_launch.h"

namespace velmora::test {
namespace {

// What the Fridge logger's three readings make, worked out from the file rules.
const QByteArray kFridgeFile = "Fridge,Time,Celsius(\260C),High Alarm,Low Alarm,Serial Number\r\n"
                               "1,07/12/2026 14:00:00,4.5,8.0,2.0,000012345\r\n"
                               "2,07/12/2026 14:00:10,5.0,8.0,2.0\r\n"
                               "3,07/12/2026 14:00:20,5.5,8.0,2.0\r\n";

const std::string kViewer = kProgramFolder + "/velmora-graph";

QByteArray contents(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

LoggerImage loggingFridge()
{
    LoggerImage image = fridgeImage();
    image.record.setFlag(flag::kLogging, true);
    return image;
}

class StopPageTest : public UtilityTest {
protected:
    StopPageTest() { documentsFolder = dir.path().toStdString() + "/Documents"; }

    // Main menu -> stop the logging logger -> the stop page.
    void reachStopPage()
    {
        startApp();
        prompts.expectMsg(utilitytext::kStopConfirm, PromptAnswer::Yes, PromptIcon::Question);
        click(0, 1102);
        ASSERT_EQ(shownPage(), 5);
    }
    std::string inDir(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    std::string savedDirectory() const { return settings.value("Settings", "Saved Directory", "<unset>"); }

    QTemporaryDir dir;
};

TEST_F(StopPageTest, DownloadsSavesRemembersTheFolderAndStartsTheViewer)
{
    VirtualLogger& logger = plugIn(loggingFridge());
    reachStopPage();
    EXPECT_EQ(text(5, 1039), "Fridge");
    EXPECT_EQ(text(5, 1042), "Readings:");
    EXPECT_EQ(text(5, 1040), "3");
    EXPECT_TRUE(control(5, 1)->isEnabled());
    EXPECT_FALSE(logger.record().isLogging());

    const std::string path = inDir("Fridge.txt");
    dialogs.answer(path);
    click(5, 1);

    // What the save dialog is asked, each answer to it and the folder it opens in are
    // proven without a display (tests/status/stop_download_flow_test.cpp).
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, "save");

    EXPECT_EQ(contents(path), kFridgeFile);
    EXPECT_EQ(savedDirectory(), dir.path().toStdString());
    EXPECT_EQ(shownPage(), 0);
    EXPECT_EQ(launcher.starts, (std::vector<RecordingLauncher::Start>{{kViewer, {path}, kProgramFolder}}));
    // The download leaves the logger stopped; nothing more was written to it.
    EXPECT_EQ(logger.recordsTaken(), 1);
}

TEST_F(StopPageTest, CancelledSaveDialogWarnsAndSavesNothing)
{
    plugIn(loggingFridge());
    reachStopPage();
    dialogs.answer(std::nullopt);
    prompts.expectMsg(utilitytext::kDataMayNotBeSaved, PromptAnswer::Ok, PromptIcon::Warning);
    click(5, 1);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_TRUE(launcher.starts.empty());
    EXPECT_EQ(savedDirectory(), "<unset>");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(StopPageTest, AFailedSaveOverAnExistingFileLeavesItIntact)
{
    plugIn(loggingFridge());
    reachStopPage();
    const std::string path = inDir("Fridge.txt");
    {
        QFile old(QString::fromStdString(path));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an earlier download\r\n");
    }
    dialogs.answer(path);
    prompts.expect("Failed writing file:\n" + path + "\n(File too large)");

    // The file system refuses anything past 32 bytes while the file is written
    // (this holds for root too, unlike permissions).
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 32;
    setrlimit(RLIMIT_FSIZE, &small);
    click(5, 1);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(contents(path), "an earlier download\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Fridge.txt"}) << "no half-written file is left";
    EXPECT_TRUE(launcher.starts.empty());
    EXPECT_EQ(shownPage(), 0);
}

TEST_F(StopPageTest, AFailedDownloadSavesNothing)
{
    VirtualLogger& logger = plugIn(loggingFridge());
    reachStopPage();
    // The logger is pulled out part way through sending its readings.
    logger.faults().vanishAfterBytes = 64 + 3 + 1;
    prompts.expectMsg(utilitytext::kCommsError);
    click(5, 1);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(shownPage(), 0);
    EXPECT_TRUE(launcher.starts.empty());
}

TEST_F(StopPageTest, TheViewerNotStartingIsReportedAndTheFileKept)
{
    plugIn(loggingFridge());
    reachStopPage();
    launcher.succeeds = false;
    const std::string path = inDir("Fridge.txt");
    dialogs.answer(path);
    prompts.expectMsg(utilitytext::kViewerNotFound, PromptAnswer::Ok, PromptIcon::Warning);
    click(5, 1);
    EXPECT_EQ(contents(path), kFridgeFile);
    EXPECT_EQ(launcher.starts.size(), 1u);
}

class EventFileTest : public StopPageTest, public ::testing::WithParamInterface<bool> {};

TEST_P(EventFileTest, AnEventLoggersFileGoesToTheTextEditorOnlyIfTheUserSaysSo)
{
    const bool yes = GetParam();
    plugIn(fridgeImage());
    startApp();
    click(0, 1102);
    ASSERT_EQ(shownPage(), 5);
    // The download reads whatever logger is attached when OK is pressed.
    bridge.detach(0);
    LoggerImage event = presetImage(17);
    event.record.setName("Door");
    plugIn(std::move(event));

    const std::string path = inDir("Door.txt");
    dialogs.answer(path);
    prompts.expect(kEventFileQuestion, yes ? PromptAnswer::Yes : PromptAnswer::No, PromptIcon::Question);
    click(5, 1);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(static_cast<int>(prompts.shown()[0].buttons), static_cast<int>(PromptButtons::YesNo));
    EXPECT_TRUE(contents(path).startsWith("Door,Time,Event"));
    if (yes)
        EXPECT_EQ(launcher.starts, (std::vector<RecordingLauncher::Start>{{"xdg-open", {path}, kProgramFolder}}));
    else
        EXPECT_TRUE(launcher.starts.empty());
}

INSTANTIATE_TEST_SUITE_P(Answers, EventFileTest, ::testing::Bool());

TEST_F(StopPageTest, ALoggerWithoutReadingsCanOnlyBeCancelled)
{
    LoggerImage empty = fridgeImage();
    empty.record.setReadingCount(0);
    empty.memory.clear();
    VirtualLogger& logger = plugIn(std::move(empty));
    startApp();
    click(0, 1102);
    ASSERT_EQ(shownPage(), 5);
    EXPECT_EQ(text(5, 1040), "0");
    EXPECT_FALSE(control(5, 1)->isEnabled());
    click(5, 1);
    EXPECT_EQ(shownPage(), 5);
    click(5, 2);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_EQ(logger.recordsTaken(), 0);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(StopPageTest, CancelLeavesTheReadingsInTheLogger)
{
    VirtualLogger& logger = plugIn(loggingFridge());
    reachStopPage();
    click(5, 2);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_TRUE(logger.record().hasUndownloadedData());
    // A second stop-and-download finds it stopped, asks nothing and offers it again.
    click(0, 1102);
    EXPECT_EQ(shownPage(), 5);
    EXPECT_EQ(text(5, 1040), "3");
}

TEST(DownloadProgressTest, CountsBlocksInAWindowModalDialog)
{
    QWidget window;
    window.show();
    DownloadProgress progress(&window, 0);
    EXPECT_EQ(progress.dialog(), nullptr);
    const LoggerLink::Progress callback = progress.callback();
    callback(1, 8);
    ASSERT_NE(progress.dialog(), nullptr);
    EXPECT_EQ(progress.dialog()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(progress.dialog()->maximum(), 8);
    EXPECT_EQ(progress.dialog()->value(), 1);
    EXPECT_TRUE(callback(8, 8));
    EXPECT_EQ(progress.dialog()->value(), 8);
    EXPECT_EQ(progress.dialog()->labelText(), "Downloading the readings from the logger...");
}

TEST(DownloadProgressTest, CancelStopsTheDownloadAtTheNextBlock)
{
    QWidget window;
    window.show();
    DownloadProgress progress(&window, 0);
    const LoggerLink::Progress callback = progress.callback();
    EXPECT_TRUE(callback(1, 8)) << "go on";
    auto* cancel = progress.dialog()->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Cancel");
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(progress.cancelled());
    EXPECT_FALSE(callback(2, 8)) << "stop after the block under way";
    EXPECT_FALSE(callback(3, 8));
}

} // namespace
} // namespace velmora::test
