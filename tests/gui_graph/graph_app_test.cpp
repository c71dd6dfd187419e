// The viewer as a user meets it: start-up with and without a file, the menus and
// toolbar, opening, dropping and recent files, export checks and help.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "graph_about_dlg.h"
#include "graph_main_frame.h"
#include "memory_settings.h"
#include "qt/qt_file_dialogs.h"
#include "recording_help.h"
#include "recording_launcher.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompts.h"
#include "velmora_graph_app.h"
#include "velmora_graph_view.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string data(const std::string& name) { return std::string(VELMORA_TEST_DATA_DIR) + "/" + name; }

const char kMissing[] = "\nCannot find this file.\nPlease verify that the correct path and file name are given.";

struct GraphAppTest : ::testing::Test {
    test::ScriptedPrompts prompts;
    test::ScriptedFileDialogs dialogs;
    test::RecordingLauncher launcher;
    test::MemorySettings settings;
    test::RecordingHelp help;
    test::MemorySettings utilitySettings; // velmora-usb's, read for the folder downloads go to
    std::string documentsFolder = "/home/tester/Documents";
    std::string homeFolder = "/home/tester";
    std::unique_ptr<CVelmoraGraphApp> app;

    CVelmoraGraphApp& start(const QStringList& arguments, bool expectStarted = true)
    {
        app = std::make_unique<CVelmoraGraphApp>(GraphServices{prompts, dialogs, launcher, settings, help,
                                                               "/opt/velmora/bin", &utilitySettings, documentsFolder,
                                                               homeFolder});
        EXPECT_EQ(app->InitInstance(arguments), expectStarted);
        return *app;
    }
    CGraphMainFrame& frame() { return app->mainFrame(); }
    QString footer() { return app->view().footerText(); }
};

// The texts of a menu's items, "-" for a separator, "> name" for a submenu.
QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* a : menu->actions()) {
        if (!a->isVisible())
            continue;
        if (a->isSeparator())
            items << QStringLiteral("-");
        else
            items << (a->menu() ? QStringLiteral("> ") : QString()) + a->text() +
                         (a->shortcut().isEmpty() ? QString() : QLatin1Char('\t') + a->shortcut().toString());
    }
    return items;
}

QMenu* topMenu(CGraphMainFrame& frame, int index) { return frame.menuBar()->actions().at(index)->menu(); }

TEST_F(GraphAppTest, StartsWithTheFileNamedOnTheCommandLine)
{
    const std::string file = data("reader/humidity_alarms.txt");
    start({QString::fromStdString(file)});
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(app->document().filePath(), file);
    EXPECT_EQ(app->document().data().readingCount, 3);
    EXPECT_EQ(frame().windowTitle(), "humidity_alarms.txt - VelmoraGraph");
    EXPECT_EQ(footer(), "From:-  07 December 2026 14:00:00     To:-  07 December 2026 14:02:00");
    EXPECT_EQ(app->recentFiles().entries(), std::vector<std::string>{file});
    EXPECT_EQ(settings.values["Recent File List/File1"], file);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(app->view().printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(GraphAppTest, ALastLineWithoutItsLineEndIsShownAndSaid)
{
    start({QString::fromStdString(data("reader/no_final_line_end.txt"))});
    EXPECT_EQ(app->document().data().readingCount, 3);
    const QLabel* warning = frame().fileWarningLabel();
    EXPECT_TRUE(warning->isVisible());
    EXPECT_EQ(warning->text(), "The last line of the file has no line end: it may have been cut short.");
    EXPECT_EQ(warning->parentWidget(), frame().statusBar());
    // The next file is whole: the warning goes.
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(data("reader/temperature_alarms.txt"))));
    EXPECT_FALSE(warning->isVisible());
}

TEST_F(GraphAppTest, AMissingFileOnTheCommandLineEndsTheProgram)
{
    const std::string file = data("reader/not_there.txt");
    prompts.expect(file + kMissing, PromptAnswer::Ok, PromptIcon::Warning);
    start({QString::fromStdString(file)}, false);
    EXPECT_FALSE(frame().isVisible());
    EXPECT_TRUE(app->recentFiles().entries().empty());
}

TEST_F(GraphAppTest, WithoutAFileTheOpenDialogComesAtOnce)
{
    dialogs.answer(std::nullopt); // cancelled: the empty chart stays
    start({});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.calls.empty(); }, 2000));
    EXPECT_EQ(dialogs.calls[0].kind, "open");
    EXPECT_EQ(dialogs.calls[0].request.filter, "VelmoraGraph Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(app->document().data().readingCount, 0);
    EXPECT_EQ(footer(), " ");
    EXPECT_EQ(frame().windowTitle(), "VelmoraGraph");

    dialogs.answer(data("reader/temperature_alarms.txt"));
    frame().openAction()->trigger();
    EXPECT_EQ(app->document().data().loggerName, "Fridge");
}

TEST_F(GraphAppTest, FileOpenStartsWhereTheDownloadsAre)
{
    // Never the program's working folder: the folder velmora-usb last saved a download
    // to, else the open file's, else the documents folder, else home.
    const fs::path home = fs::path(std::getenv("VELMORA_TEST_TMP")) / "open-folders";
    for (const char* folder : {"Readings", "Documents", "logs"})
        fs::create_directories(home / folder);
    const std::string file = (home / "logs" / "cold room.txt").string();
    fs::copy_file(data("reader/temperature_alarms.txt"), file, fs::copy_options::overwrite_existing);
    const struct {
        const char* what;
        std::string saved;
        bool fileOpen;
        std::string documents;
        fs::path expected;
    } cases[] = {
        {"the folder of the last download", (home / "Readings").string(), true, (home / "Documents").string(),
         home / "Readings"},
        {"a saved folder since removed: the open file's", (home / "Gone").string(), true, (home / "Documents").string(),
         home / "logs"},
        {"nothing saved, no file open", "", false, (home / "Documents").string(), home / "Documents"},
        {"no documents folder either", "", false, (home / "No Documents").string(), home},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        utilitySettings.setValue("Settings", "Saved Directory", c.saved);
        documentsFolder = c.documents;
        homeFolder = home.string();
        dialogs.calls.clear();
        if (!c.fileOpen)
            dialogs.answer(std::nullopt); // the dialog of a start without a file
        start(c.fileOpen ? QStringList{QString::fromStdString(file)} : QStringList{});
        if (!c.fileOpen) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.calls.empty(); }, 2000));
        }
        dialogs.answer(std::nullopt);
        frame().openAction()->trigger();
        ASSERT_FALSE(dialogs.calls.empty());
        EXPECT_EQ(dialogs.calls.back().request.initialFolder, c.expected.string());
    }
    // Printed to a file, the chart takes the data file's name.
    EXPECT_EQ(app->view().printer().docName(), "");
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(file)));
    EXPECT_EQ(app->view().printer().docName(), "cold room.txt");
}

TEST_F(GraphAppTest, MenusToolbarAndPromptsInTheirPlaces)
{
    dialogs.answer(std::nullopt);
    start({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.calls.empty(); }, 2000));
    EXPECT_EQ(itemsOf(topMenu(frame(), 0)),
              (QStringList{"&Open...\tCtrl+O", "Open from Arc&hive...", "&Add File to Chart...",
                           "> Re&move File from Chart", "-", "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...",
                           "-", "Export to Excel", "Save Report as PDF...", "-", "Recent File", "-", "&Close Graph"}));
    EXPECT_EQ(
        itemsOf(topMenu(frame(), 1)),
        (QStringList{"&Toolbar", "&Status Bar", "-", "Zoom In", "Zoom Out", "-", "Mark Points", "> Show traces...",
                     "> Grid Lines...", "-", "&Join Deployments", "Spread &Between Files", "-", "Statistics..."}));
    EXPECT_EQ(itemsOf(topMenu(frame(), 1)->actions().at(8)->menu()), (QStringList{"X Axis", "Y Axis"}));
    EXPECT_EQ(itemsOf(topMenu(frame(), 2)), (QStringList{"&Help Topics", "-", "&About VelmoraGraph..."}));

    QStringList tools;
    for (const QAction* a : frame().toolBar()->actions())
        tools << (a->isSeparator() ? QStringLiteral("-") : a->toolTip());
    EXPECT_EQ(tools, (QStringList{"Open", "-", "Zoom In", "Zoom out", "-", "Export to Excel", "-", "Print", "-",
                                  "About", "Help Topics", "-", "Close Graph"}));

    const CVelmoraGraphView& view = frame().view();
    EXPECT_EQ(view.zoomInAction()->statusTip(), "Zoom In; Left click and drag box to select zoom area.");
    EXPECT_EQ(view.zoomOutAction()->statusTip(), "Zoom out one level");
    EXPECT_EQ(frame().exportAction()->statusTip(), "Export to Excel");
    EXPECT_EQ(frame().closeGraphAction()->statusTip(), "Close the graph application");
    EXPECT_EQ(frame().statusBar()->currentMessage(), "Ready");

    frame().toolBarAction()->trigger();
    EXPECT_FALSE(frame().toolBar()->isVisible());
    frame().statusBarAction()->trigger();
    EXPECT_FALSE(frame().statusBar()->isVisible());
}

TEST(GraphAboutBox, NamesTheProgramItsVersionAndTheSupplier)
{
    CGraphAboutDlg about;
    QStringList lines;
    for (const QLabel* label : about.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            lines << label->text();
    EXPECT_EQ(about.windowTitle(), "About VelmoraGraph") << "the program it is about, not the utility";
    EXPECT_EQ(lines,
              (QStringList{"VelmoraGraph", "Version 5.53", "Graph viewer for Velmora USB Data Logger download files.",
                           QString::fromUtf8("Copyright \xC2\xA9 Oskenby Electronics Ltd.")}));
}

TEST_F(GraphAppTest, RecentFilesOpenAgainAndAMissingOneLeavesTheList)
{
    const fs::path dir = fs::path(std::getenv("VELMORA_TEST_TMP")) / "recent";
    fs::create_directories(dir);
    const std::string kept = (dir / "kept.txt").string(), gone = (dir / "gone.txt").string();
    fs::copy_file(data("reader/temperature_alarms.txt"), kept, fs::copy_options::overwrite_existing);
    fs::copy_file(data("reader/humidity_alarms.txt"), gone, fs::copy_options::overwrite_existing);

    start({QString::fromStdString(kept)});
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(gone)));
    ASSERT_EQ(frame().recentFileActions().size(), 2u);
    EXPECT_EQ(frame().recentFileActions()[0]->text().toStdString(), "&1 " + gone);
    EXPECT_EQ(frame().recentFileActions()[1]->text().toStdString(), "&2 " + kept);

    frame().recentFileActions()[1]->trigger();
    EXPECT_EQ(app->document().filePath(), kept);
    EXPECT_EQ(frame().recentFileActions()[0]->text().toStdString(), "&1 " + kept);

    fs::remove(gone);
    prompts.expect(gone + kMissing);
    frame().recentFileActions()[1]->trigger();
    EXPECT_EQ(app->document().filePath(), kept); // the graph on show stays
    EXPECT_EQ(app->recentFiles().entries(), std::vector<std::string>{kept});
    EXPECT_EQ(frame().recentFileActions().size(), 1u);
}

TEST_F(GraphAppTest, ADroppedFileOpensAsIfChosen)
{
    dialogs.answer(std::nullopt);
    start({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.calls.empty(); }, 2000));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(data("reader/co_logger.txt")))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame(), &drop);
    EXPECT_EQ(app->document().data().loggerName, "Garage");
}

TEST_F(GraphAppTest, ExportNeedsALoadedFile)
{
    dialogs.answer(std::nullopt);
    start({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.calls.empty(); }, 2000));
    prompts.expect("Open the data file before exporting data to Excel.", PromptAnswer::Ok, PromptIcon::Warning);
    frame().exportAction()->trigger();

    // A file that opens but cannot be read leaves nothing to export.
    prompts.expect("The File contains invalid data (line 2).");
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(data("reader/stamp_month_13.txt"))));
    EXPECT_EQ(footer(), " ");
    prompts.expect("Open the data file before exporting data to Excel.");
    frame().exportAction()->trigger();
    EXPECT_EQ(dialogs.calls.size(), 1u); // only the Open dialog of the start
}

TEST_F(GraphAppTest, HelpOpensTheTopicOfTheChannelsOnShow)
{
    start({QString::fromStdString(data("reader/voltage_logger.txt"))});
    frame().helpTopicsAction()->trigger();
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(data("reader/humidity_plain.txt"))));
    QApplication::setActiveWindow(&frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    QTest::keyClick(&frame().view(), Qt::Key_F1);
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(data("reader/co_logger.txt"))));
    frame().helpAction()->trigger();
    EXPECT_EQ(help.requests, (std::vector<int>{1003, 1002, 1006}));
}

TEST_F(GraphAppTest, AnEventFileOffersTheTextEditorAndShowsNothing)
{
    start({QString::fromStdString(data("reader/temperature_alarms.txt"))});
    const std::string file = data("reader/event_rising.txt");
    prompts.expect("The file you are trying to open is an event log which cannot be displayed in Velmora USB "
                   "Graph. Clicking 'Yes' will open the data in a text editor.\n\nNote: To import QX-USB-5 data "
                   "into LibreOffice Calc, use the following method:\n\n1. In LibreOffice Calc, select 'File > "
                   "Open...'.\n2. Locate data file (*.txt) ensuring 'Text CSV (*.csv *.txt)' is selected as the "
                   "file type; click 'Open'.\n3. In 'Text Import', ensure 'Comma' is checked under 'Separator "
                   "Options'; click 'OK'.\n\nFor further information consult the QX-USB-5 help file section "
                   "'Importing the Measurements into Other Applications'.\n\nDo you wish to open the file in a "
                   "text editor?",
                   PromptAnswer::Yes, PromptIcon::Question);
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(file)));
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0], (test::RecordingLauncher::Start{"xdg-open", {file}, "/opt/velmora/bin"}));
    EXPECT_EQ(app->document().data().readingCount, 0);
    EXPECT_EQ(footer(), " ");
    EXPECT_EQ(frame().windowTitle(), "VelmoraGraph");
}

TEST(FileDialogFilter, PatternsAppearOnceInQtsForm)
{
    EXPECT_EQ(toQtFilter("VelmoraGraph Files (*.txt)|*.txt|All Files (*.*)|*.*||"),
              "VelmoraGraph Files (*.txt);;All Files (*)");
    EXPECT_EQ(toQtFilter("Velmora USB Download File (*.txt)|*.txt|All Files (*.*)| *.*||"),
              "Velmora USB Download File (*.txt);;All Files (*)");
    EXPECT_EQ(toQtFilter("Text|*.txt;*.csv|All|*.*||"), "Text (*.txt *.csv);;All (*)");
}

TEST_F(GraphAppTest, CloseGraphEndsTheProgram)
{
    start({QString::fromStdString(data("reader/temperature_alarms.txt"))});
    frame().closeGraphAction()->trigger();
    EXPECT_FALSE(frame().isVisible());
}

} // namespace
} // namespace velmora
