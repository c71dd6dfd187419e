// File > Open from Archive... with a time range: every deployment of the logger in it
// charted together and the view on the range. What it picks and where the range lies
// are proven without a window (archive_pick_test); this is the dialog and the viewer
// joined.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "archive_add.h"
#include "archive_open_dialog.h"
#include "graph_main_frame.h"
#include "memory_settings.h"
#include "recording_help.h"
#include "recording_launcher.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompts.h"
#include "store_location.h"
#include "velmora_graph_app.h"
#include "velmora_graph_view.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Three deployments of one logger, two days each at ten-minute readings, the clock in UTC.
void fillStore(const fs::path& folder, const std::string& store)
{
    const std::time_t starts[] = {1780300800, 1780477200, 1780653600}; // 1 June 08:00, 3 June 09:00, 5 June 10:00
    std::unique_ptr<ArchiveStore> archive = openStore(store);
    for (int k = 0; k < 3; ++k) {
        const fs::path file = folder / ("fridge" + std::to_string(k + 1) + ".txt");
        std::ofstream out(file, std::ios::binary);
        out << "Fridge 3,Time,Celsius(\260C),Serial Number\r\n";
        for (int i = 0; i < 288; ++i) {
            const std::time_t t = starts[k] + i * 600;
            std::tm tm{};
            gmtime_r(&t, &tm);
            char stamp[32], line[80];
            std::strftime(stamp, sizeof stamp, "%d/%m/%Y %H:%M:%S", &tm);
            std::snprintf(line, sizeof line, "%d,%s,%d.0%s\r\n", i + 1, stamp, 4 + k, i == 0 ? ",000000093" : "");
            out << line;
        }
        out.close();
        AddRequest request;
        request.path = file.string();
        request.zone = "UTC";
        request.now = 1800000000;
        ASSERT_EQ(addDownloadFile(*archive, request).status, AddStatus::Added) << file;
    }
}

TEST(GraphArchive, OpenAllInRangeChartsEachDeploymentAndShowsTheRange)
{
    char pattern[] = "/tmp/velmora-graph-archive.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    const std::string store = (folder / "archive.sqlite").string();
    fillStore(folder, store);
    const QByteArray cacheBefore = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", (folder / "cache").string().c_str());

    test::ScriptedPrompts prompts;
    test::ScriptedFileDialogs dialogs;
    test::RecordingLauncher launcher;
    test::MemorySettings settings;
    test::RecordingHelp help;
    CVelmoraGraphApp app(GraphServices{prompts, dialogs, launcher, settings, help, "/opt/velmora/bin"});
    ASSERT_TRUE(
        app.InitInstance({QString::fromStdString(std::string(VELMORA_TEST_DATA_DIR) + "/reader/humidity_alarms.txt")}));
    // 2 June 00:00 to 5 June 18:00 UTC: the first deployment's end, all of the second,
    // the third's first eight hours.
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ArchiveOpenDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>()->setText(QString::fromStdString(store));
        dialog->look();
        dialog->findChild<QCheckBox*>()->setChecked(true);
        const QList<QDateTimeEdit*> edits = dialog->findChildren<QDateTimeEdit*>();
        edits[0]->setDateTime(QDateTime::fromSecsSinceEpoch(1780358400));
        edits[1]->setDateTime(QDateTime::fromSecsSinceEpoch(1780682400));
        for (QPushButton* button : dialog->findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
            if (button->text().remove('&') == "Open All in Range")
                driven = true, button->click();
    });
    app.OnFileOpenFromArchive();
    ASSERT_TRUE(driven);

    QStringList charted;
    for (const QAction* a : app.mainFrame().menuBar()->actions().at(0)->menu()->actions())
        if (a->menu() && a->menu()->actions().size() == 3)
            for (const QAction* file : a->menu()->actions())
                charted << file->text();
    EXPECT_EQ(charted,
              (QStringList{"fridge1.txt (SN 000000093)", "fridge2.txt (SN 000000093)", "fridge3.txt (SN 000000093)"}));
    // The axis starts at the first file's first reading, 1 June 08:00: the range is
    // 16 h to 4 d 10 h along it.
    EXPECT_EQ(app.view().chart().axisMinimum(Axis::X), 57600.0);
    EXPECT_EQ(app.view().chart().axisMaximum(Axis::X), 381600.0);
    EXPECT_TRUE(app.view().footerText().contains("02 June 2026 00:00:00")) << app.view().footerText().toStdString();
    EXPECT_TRUE(app.view().footerText().contains("05 June 2026 18:00:00")) << app.view().footerText().toStdString();

    qputenv("XDG_CACHE_HOME", cacheBefore);
    fs::remove_all(folder);
}

} // namespace
} // namespace velmora
