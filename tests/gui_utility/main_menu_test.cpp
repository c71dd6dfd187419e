// The main menu page: its buttons and menu commands reach the commands and show the
// page they lead to, a command that ends on the menu switches nothing, every page is
// created once at start-up, and help follows the page on show. What each command asks
// and does to the logger is proven without a display in tests/shell.
#include <QAction>
#include <QDir>
#include <QTemporaryDir>

#include "help_topics.h"
#include "main_frame.h"
#include "utility_fixture.h"
#include "utility_strings.h"

namespace velmora::test {
namespace {

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

TEST_F(UtilityTest, MenuCommandsDoWhatTheButtonsDo)
{
    plugIn(quiet(1));
    startApp();
    app->mainFrame().command(1101)->trigger();
    EXPECT_EQ(shownPage(), 1);
    // Away from the main menu its commands are off.
    for (int id : {1101, 1102, 1103, 32775, 32776})
        EXPECT_FALSE(app->mainFrame().command(id)->isEnabled()) << id;
    click(1, 2); // the name page's Cancel
    EXPECT_EQ(shownPage(), 0);
    for (int id : {1101, 1102, 1103, 32775, 32776})
        EXPECT_TRUE(app->mainFrame().command(id)->isEnabled()) << id;
    app->mainFrame().command(1102)->trigger();
    EXPECT_EQ(shownPage(), 5);
    click(5, 2);
    click(0, 1101);
    EXPECT_EQ(shownPage(), 1);
}

TEST_F(UtilityTest, ACommandThatEndsOnTheMenuSwitchesNothing)
{
    startApp(); // no logger plugged in
    for (int id : {1101, 1102, 32775}) {
        SCOPED_TRACE(id);
        prompts.expectMsg(utilitytext::kNoLogger, PromptAnswer::Ok, PromptIcon::Warning);
        if (id == 32775)
            app->mainFrame().command(id)->trigger();
        else
            click(0, id);
        prompts.expectAllShown();
        EXPECT_EQ(shownPage(), 0);
    }
}

TEST_F(UtilityTest, ViewPreviousGraphButtonAndMenuCommandOpenTheViewer)
{
    startApp();
    const std::string path = "/home/tester/log.txt";
    dialogs.answer(path);
    click(0, 1103);
    EXPECT_EQ(launcher.starts,
              (std::vector<RecordingLauncher::Start>{{kProgramFolder + "/velmora-graph", {path}, kProgramFolder}}));
    EXPECT_EQ(shownPage(), 0);

    dialogs.answer(std::nullopt);
    app->mainFrame().command(1103)->trigger();
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(launcher.starts.size(), 1u);
}

TEST_F(UtilityTest, ViewPreviousGraphStartsWhereTheLastDownloadWasSaved)
{
    // Never the program's working folder: the folder downloads go to, else the
    // documents folder, else home.
    const QTemporaryDir dir;
    const std::string home = dir.path().toStdString();
    const std::string readings = home + "/Readings", documents = home + "/Documents";
    QDir(dir.path()).mkpath(QStringLiteral("Readings"));
    QDir(dir.path()).mkpath(QStringLiteral("Documents"));
    const struct {
        const char* what;
        std::string saved, documents, expected;
    } cases[] = {
        {"the folder of the last download", readings, documents, readings},
        {"nothing saved yet", "", documents, documents},
        {"a saved folder since removed", home + "/Gone", documents, documents},
        {"no documents folder either", home + "/Gone", home + "/No Documents", home},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings.setValue("Settings", "Saved Directory", c.saved);
        documentsFolder = c.documents;
        homeFolder = home;
        startApp();
        dialogs.calls.clear();
        dialogs.answer(std::nullopt);
        click(0, 1103);
        ASSERT_EQ(dialogs.calls.size(), 1u);
        EXPECT_EQ(dialogs.calls[0].request.initialFolder, c.expected);
    }
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
    // The window fits its pages and cannot be resized.
    EXPECT_EQ(app->mainFrame().minimumSize(), app->mainFrame().maximumSize());
    for (CPageView* view : app->document().views())
        EXPECT_LE(view->minimumSizeHint().width(), app->mainFrame().pane()->width())
            << view->objectName().toStdString();
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

TEST_F(UtilityTest, F1OnEachSetUpPageOpensTheTopicOfItsForm)
{
    startApp();
    // Page index and form number.
    const std::pair<int, int> pages[] = {{1, 102},  {2, 103},  {3, 104},  {4, 105},  {7, 154},  {8, 155},  {9, 156},
                                         {10, 157}, {11, 158}, {12, 159}, {13, 160}, {14, 163}, {15, 161}, {16, 165},
                                         {17, 167}, {18, 166}, {19, 168}, {20, 169}, {25, 174}};
    std::vector<int> forms;
    for (const auto& [index, form] : pages) {
        app->SwitchPage(index);
        app->mainFrame().helpAction()->trigger();
        forms.push_back(form);
        EXPECT_NE(helpPageFor(form), kHelpContentsPage) << form;
    }
    EXPECT_EQ(help.requests, forms);
}

} // namespace
} // namespace velmora::test
