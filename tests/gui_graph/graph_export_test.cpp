// "Export to Excel" as a user meets it: the Save dialog's suggestion and the folder
// it remembers, the workbook written, opened in the desktop's spreadsheet program and
// where it was saved said, and the progress dialog of a long export, closed before
// any message.
#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "export_progress_dialog.h"
#include "graph_main_frame.h"
#include "memory_settings.h"
#include "recording_help.h"
#include "recording_launcher.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompts.h"
#include "velmora_graph_app.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct GraphExportTest : ::testing::Test {
    test::ScriptedPrompts prompts;
    test::ScriptedFileDialogs dialogs;
    test::RecordingLauncher launcher;
    test::MemorySettings settings;
    test::RecordingHelp help;
    std::unique_ptr<CVelmoraGraphApp> app;
    fs::path dir = fs::temp_directory_path() / ("velmora-graph-export-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string file; // a copy of the Fridge file, in a folder of its own

    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir / "logs");
        fs::create_directories(dir / "sheets");
        file = (dir / "logs" / "fridge.txt").string();
        fs::copy_file(std::string(VELMORA_TEST_DATA_DIR) + "/reader/temperature_alarms.txt", file);
        app = std::make_unique<CVelmoraGraphApp>(
            GraphServices{prompts, dialogs, launcher, settings, help, "/opt/velmora/bin", nullptr, {}, {}});
        ASSERT_TRUE(app->InitInstance({QString::fromStdString(file)}));
    }
    void TearDown() override
    {
        app.reset();
        fs::remove_all(dir);
    }
    void exportNow() { app->mainFrame().exportAction()->trigger(); }
};

TEST_F(GraphExportTest, SavesBesideTheFileThenOpensTheWorkbook)
{
    const std::string chosen = (dir / "logs" / "fridge.xlsx").string();
    dialogs.answer(chosen);
    prompts.expect("The workbook was saved as:\n" + chosen, PromptAnswer::Ok, PromptIcon::Information);
    exportNow();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    const FileDialogRequest& request = dialogs.calls[0].request;
    EXPECT_EQ(dialogs.calls[0].kind, "save");
    EXPECT_EQ(request.title, "Export to Excel");
    EXPECT_EQ(request.initialFolder, (dir / "logs").string());
    EXPECT_EQ(request.suggestedName, "fridge.xlsx");
    EXPECT_EQ(request.defaultSuffix, "xlsx");
    EXPECT_EQ(request.filter, "Excel Workbook (*.xlsx)|*.xlsx|All Files (*.*)|*.*||");
    EXPECT_TRUE(fs::is_regular_file(chosen));
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0], (test::RecordingLauncher::Start{"xdg-open", {chosen}, (dir / "logs").string()}));
    EXPECT_EQ(settings.values["Settings/Export Directory"], (dir / "logs").string());
}

TEST_F(GraphExportTest, TheFolderLastExportedToIsOfferedNext)
{
    dialogs.answer((dir / "sheets" / "first.xlsx").string());
    prompts.expect("The workbook was saved as:\n" + (dir / "sheets" / "first.xlsx").string());
    exportNow();
    dialogs.answer(std::nullopt); // cancelled: nothing written, nothing opened, nothing said
    exportNow();
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].request.initialFolder, (dir / "sheets").string());
    EXPECT_EQ(launcher.starts.size(), 1u);

    // A remembered folder that has gone: the file's own folder again.
    fs::remove_all(dir / "sheets");
    dialogs.answer(std::nullopt);
    exportNow();
    EXPECT_EQ(dialogs.calls[2].request.initialFolder, (dir / "logs").string());
}

TEST_F(GraphExportTest, NoSpreadsheetProgramIsToldAfterTheWorkbookIsSaved)
{
    const std::string chosen = (dir / "sheets" / "fridge.xlsx").string();
    launcher.succeeds = false;
    dialogs.answer(chosen);
    prompts.expect("The workbook was saved as:\n" + chosen +
                       "\nNo program could be started to open it: open it with a spreadsheet program.",
                   PromptAnswer::Ok, PromptIcon::Warning);
    exportNow();
    EXPECT_TRUE(fs::is_regular_file(chosen));
}

TEST_F(GraphExportTest, AWorkbookThatCannotBeWrittenIsToldAndNotOpened)
{
    const std::string chosen = (dir / "gone" / "fridge.xlsx").string();
    dialogs.answer(chosen);
    prompts.expect("Failed opening file:\n" + chosen + "\n(No such file or directory)");
    exportNow();
    EXPECT_TRUE(launcher.starts.empty());
}

struct ExportProgressDialogTest : ::testing::Test {
    QWidget window;
    test::ScriptedPrompts prompts;
    ExportProgressDialog progress{&window, prompts, 0};
    const ExportProgress callback = progress.callback();

    void SetUp() override { window.show(); }
};

TEST_F(ExportProgressDialogTest, ShowsTheProgressAndCancels)
{
    EXPECT_TRUE(callback(0, 4 << 20));
    ASSERT_NE(progress.dialog(), nullptr);
    EXPECT_EQ(progress.dialog()->labelText(), "Now processing File..");
    EXPECT_EQ(progress.dialog()->windowTitle(), "VelmoraGraph");
    EXPECT_TRUE(callback(1 << 20, 4 << 20));
    EXPECT_TRUE(progress.dialog()->isVisible()); // shown once it has moved on
    EXPECT_EQ(progress.dialog()->value(), 1024);
    EXPECT_EQ(progress.dialog()->maximum(), 4096);

    QPushButton* cancel = progress.dialog()->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    EXPECT_FALSE(callback(2 << 20, 4 << 20));
}

TEST_F(ExportProgressDialogTest, AMessageClosesTheProgressFirstAndTheExportGoesOn)
{
    ASSERT_TRUE(callback(0, 4 << 20));
    ASSERT_TRUE(callback(1 << 20, 4 << 20));
    ASSERT_TRUE(progress.dialog() && progress.dialog()->isVisible());

    // While the box is up, no progress box sits over it.
    bool progressShown = true;
    prompts.afterAnswer = [&](const std::string&) {
        progressShown = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            progressShown = progressShown || (qobject_cast<QProgressDialog*>(w) && w->isVisible());
    };
    prompts.expect("Warning: many charts");
    progress.prompts().warn("Warning: many charts");
    EXPECT_FALSE(progressShown);

    EXPECT_TRUE(callback(2 << 20, 4 << 20)); // the export goes on, shown again
    ASSERT_NE(progress.dialog(), nullptr);
    EXPECT_TRUE(progress.dialog()->isVisible());
    EXPECT_EQ(progress.dialog()->value(), 2048);
}

} // namespace
} // namespace velmora
