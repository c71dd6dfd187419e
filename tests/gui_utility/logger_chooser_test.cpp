// Several loggers plugged in, through the real pages and dialogs: the choice asked
// before a logger task and the task then working on the logger chosen, Cancel doing
// nothing, no question with one logger, the chosen logger pulled out before the task;
// and Download All Loggers with one logger failing while the others are saved.
#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "choose_logger_dlg.h"
#include "download_all_dlg.h"
#include "main_frame.h"
#include "utility_fixture.h"
#include "utility_strings.h"

namespace velmora::test {
namespace {

// Acts on each modal dialog the program puts up, as a user would; the dialog runs its
// own event loop, so this watches from a timer.
class DialogHand {
public:
    explicit DialogHand(std::function<void(QDialog&)> act) : act_(std::move(act))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog != last_) {
                last_ = dialog;
                ++seen_;
                act_(*dialog);
            }
        });
        timer_.start(5);
    }
    int seen() const { return seen_; }

private:
    std::function<void(QDialog&)> act_;
    QTimer timer_;
    QPointer<QDialog> last_;
    int seen_ = 0;
};

QStringList rowTexts(QTreeWidget* list, int row)
{
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

// The Fridge logger again, as a second logger of its own: another serial and name.
LoggerImage freezerImage()
{
    LoggerImage image = fridgeImage();
    image.record.setName("Freezer");
    image.record.setSerialNumber(777);
    return image;
}

const int kSerialValue = 1052, kNameValue = 1029; // the status page's value rows

TEST_F(UtilityTest, TheChosenLoggerIsTheOneTheTaskWorksOn)
{
    plugIn(fridgeImage());
    plugIn(freezerImage());
    startApp();
    QStringList first, second;
    int selectedAtFirst = -1;
    DialogHand hand([&](QDialog& dialog) {
        auto* chooser = qobject_cast<CChooseLoggerDlg*>(&dialog);
        ASSERT_NE(chooser, nullptr);
        ASSERT_EQ(chooser->list()->topLevelItemCount(), 2);
        first = rowTexts(chooser->list(), 0);
        second = rowTexts(chooser->list(), 1);
        selectedAtFirst = chooser->list()->indexOfTopLevelItem(chooser->list()->currentItem());
        chooser->list()->setCurrentItem(chooser->list()->topLevelItem(1));
        dialog.accept();
    });
    app->mainFrame().command(cmd::kCurrentStatus)->trigger();

    EXPECT_EQ(hand.seen(), 1);
    EXPECT_EQ(selectedAtFirst, 0);
    ASSERT_EQ(first.size(), 4);
    EXPECT_EQ(first[0], "12345");
    EXPECT_EQ(first[1], "Fridge");
    EXPECT_TRUE(first[2].startsWith("1 (")) << first[2].toStdString(); // the type code, then its model
    EXPECT_EQ(first[3], "Stopped");
    EXPECT_EQ(second[0], "777");
    EXPECT_EQ(second[1], "Freezer");
    ASSERT_EQ(shownPage(), 6);
    EXPECT_EQ(text(6, kSerialValue), "000000777");
    EXPECT_EQ(text(6, kNameValue), "Freezer");
    // Refresh on the status page reads the same logger again.
    click(6, 1062);
    EXPECT_EQ(text(6, kNameValue), "Freezer");
}

TEST_F(UtilityTest, TheChosenLoggerIsStoppedAndDownloaded)
{
    VirtualLogger& fridge = plugIn(fridgeImage());
    LoggerImage logging = freezerImage();
    logging.record.setFlag(flag::kLogging, true);
    VirtualLogger& freezer = plugIn(logging);
    startApp();
    DialogHand hand([](QDialog& dialog) {
        auto* chooser = qobject_cast<CChooseLoggerDlg*>(&dialog);
        chooser->list()->setCurrentItem(chooser->list()->topLevelItem(1));
        dialog.accept();
    });
    prompts.expectMsg(utilitytext::kStopConfirm, PromptAnswer::Yes, PromptIcon::Question);
    click(0, 1102);
    ASSERT_EQ(shownPage(), 5);
    EXPECT_FALSE(freezer.record().isLogging());

    const QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/Freezer.txt";
    dialogs.answer(path);
    click(5, 1);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].request.suggestedName, "Freezer");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readLine().startsWith("Freezer,"));
    EXPECT_EQ(fridge.recordsTaken(), 0) << "the other logger is not touched";
    EXPECT_EQ(hand.seen(), 1) << "the stop page works on the logger chosen without asking again";
}

TEST_F(UtilityTest, CancelOnTheChoiceDoesNothing)
{
    LoggerImage logging = fridgeImage();
    logging.record.setFlag(flag::kLogging, true);
    VirtualLogger& first = plugIn(logging);
    VirtualLogger& second = plugIn(freezerImage());
    startApp();
    DialogHand hand([](QDialog& dialog) { dialog.reject(); });
    // Set-up would ask to stop the first logger: nothing is asked and nothing written.
    click(0, 1101);
    app->mainFrame().command(cmd::kCurrentStatus)->trigger();
    EXPECT_EQ(hand.seen(), 2);
    EXPECT_EQ(shownPage(), 0);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(first.record().isLogging());
    EXPECT_EQ(first.recordsTaken() + second.recordsTaken(), 0);
}

TEST_F(UtilityTest, OneLoggerIsNeverAskedAbout)
{
    plugIn(freezerImage());
    startApp();
    DialogHand hand([](QDialog& dialog) { dialog.reject(); });
    app->mainFrame().command(cmd::kCurrentStatus)->trigger();
    EXPECT_EQ(hand.seen(), 0);
    ASSERT_EQ(shownPage(), 6);
    EXPECT_EQ(text(6, kNameValue), "Freezer");
}

TEST_F(UtilityTest, AChosenLoggerPulledOutBeforeTheTaskStopsIt)
{
    plugIn(fridgeImage());
    LoggerImage logging = freezerImage();
    logging.record.setFlag(flag::kLogging, true);
    plugIn(logging);
    plugIn(fridgeImage()); // a third one, so that two stay plugged in
    startApp();
    DialogHand hand([this](QDialog& dialog) {
        auto* chooser = qobject_cast<CChooseLoggerDlg*>(&dialog);
        chooser->list()->setCurrentItem(chooser->list()->topLevelItem(1));
        bridge.detach(1); // while the choice is on show
        dialog.accept();
    });
    prompts.expect("The Data Logger you chose (serial number 777) is no longer plugged in.\n"
                   "Nothing has been done. Plug it in and choose the task again.",
                   PromptAnswer::Ok, PromptIcon::Warning);
    click(0, 1101);
    EXPECT_EQ(shownPage(), 0);
}

// Download All runs its loggers on threads of their own: the loggers' clock is the
// steady one, which threads may share.
class DownloadAllTest : public UtilityTest {
protected:
    void startWithSteadyClock()
    {
        app = std::make_unique<CVelmoraUSBApp>(UtilityServices{steadyBridge, steady, wallClock, prompts, dialogs,
                                                               launcher, settings, locale, help, kProgramFolder,
                                                               documentsFolder, homeFolder});
        app->InitInstance();
    }

    SteadyClock steady;
    SimulatedBridge steadyBridge{steady};
    QTemporaryDir dir;
};

TEST_F(DownloadAllTest, OneLoggerFailingLeavesTheOthersSavedAndShowsWhy)
{
    steadyBridge.attach(fridgeImage());
    LoggerImage second = freezerImage();
    VirtualLogger& failing = steadyBridge.attach(second);
    LoggerImage third = fridgeImage();
    third.record.setName("Dairy");
    third.record.setSerialNumber(9);
    steadyBridge.attach(third);
    // Pulled out during its readings: its record goes out three times (listed, read
    // before the download, read again as the download starts), 3 + 64 bytes each,
    // then the 3 bytes that announce the readings and one reading.
    failing.faults().vanishAfterBytes = 3 * 67 + 3 + 1;
    const std::string folder = dir.path().toStdString();
    dialogs.answer(folder);
    startWithSteadyClock();

    QStringList outcomes;
    bool finishedBeforeClose = false;
    DialogHand hand([&](QDialog& dialog) {
        auto* progress = qobject_cast<CDownloadAllDlg*>(&dialog);
        ASSERT_NE(progress, nullptr);
        // The window keeps answering while the loggers are downloaded.
        QObject::connect(progress, &CDownloadAllDlg::allDone, progress, [&, progress] {
            finishedBeforeClose = !progress->running();
            for (int row = 0; row < progress->list()->topLevelItemCount(); ++row)
                outcomes << progress->list()->topLevelItem(row)->text(3);
            progress->button()->click();
        });
    });
    app->mainFrame().command(cmd::kDownloadAll)->trigger();

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, "folder");
    EXPECT_TRUE(finishedBeforeClose);
    ASSERT_EQ(outcomes.size(), 3);
    EXPECT_TRUE(outcomes[0].startsWith("Saved as Fridge_12345_20261207-140000.txt")) << outcomes[0].toStdString();
    EXPECT_EQ(outcomes[1], QString::fromUtf8(utilitytext::kCommsError.data()));
    EXPECT_TRUE(outcomes[2].startsWith("Saved as Dairy_9_20261207-140000.txt")) << outcomes[2].toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{"Dairy_9_20261207-140000.txt", "Fridge_12345_20261207-140000.txt"}));
    EXPECT_EQ(launcher.openedFolders, std::vector<std::string>{folder});
    EXPECT_EQ(settings.value("Settings", "Saved Directory", ""), folder);
}

TEST_F(DownloadAllTest, ClosingMidwayWaitsForTheFileUnderWay)
{
    VirtualLogger& slow = steadyBridge.attach(fridgeImage());
    slow.faults().replyDelayMs = 100; // the download takes a moment
    dialogs.answer(dir.path().toStdString());
    startWithSteadyClock();
    bool stayed = false;
    QString buttonText, outcome;
    DialogHand hand([&](QDialog& dialog) {
        auto* progress = qobject_cast<CDownloadAllDlg*>(&dialog);
        ASSERT_NE(progress, nullptr);
        ASSERT_TRUE(progress->running());
        progress->close(); // the window's close, mid-way
        stayed = progress->isVisible();
        buttonText = progress->button()->text();
        QObject::connect(progress, &CDownloadAllDlg::allDone, progress, [&, progress] {
            outcome = progress->list()->topLevelItem(0)->text(3);
            progress->button()->click();
        });
    });
    app->mainFrame().command(cmd::kDownloadAll)->trigger();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(buttonText, "Stopping...");
    // The logger's one block had been asked for: the file is finished, not dropped.
    EXPECT_EQ(outcome, "Saved as Fridge_12345_20261207-140000.txt");
    QFile file(dir.path() + "/Fridge_12345_20261207-140000.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count('\n'), 4) << "the header and the three readings";
}

TEST_F(DownloadAllTest, NothingSavedOpensNoFolder)
{
    // Answered No to stopping the one logger that logs: it keeps logging, no file.
    LoggerImage logging = fridgeImage();
    logging.record.setFlag(flag::kLogging, true);
    VirtualLogger& logger = steadyBridge.attach(logging);
    dialogs.answer(dir.path().toStdString());
    prompts.expect("Some of the USB Data Loggers are logging (1 of 1).\nStop them and download their readings too?\n\n"
                   "No: only the loggers that are stopped are downloaded.",
                   PromptAnswer::No, PromptIcon::Question);
    startWithSteadyClock();
    QString outcome;
    DialogHand hand([&](QDialog& dialog) {
        auto* progress = qobject_cast<CDownloadAllDlg*>(&dialog);
        QObject::connect(progress, &CDownloadAllDlg::allDone, progress, [&, progress] {
            outcome = progress->list()->topLevelItem(0)->text(3);
            progress->button()->click();
        });
    });
    app->mainFrame().command(cmd::kDownloadAll)->trigger();
    EXPECT_FALSE(outcome.isEmpty());
    EXPECT_TRUE(logger.record().isLogging());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(launcher.openedFolders.empty());
}

} // namespace
} // namespace velmora::test
