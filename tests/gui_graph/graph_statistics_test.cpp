// View > Statistics... and File > Save Report as PDF... in the viewer: the panel follows
// the zoom, "Whole file" holds it, the activation energy is kept; the report covers
// what is on show and is refused when the file changed after it was opened.
#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "chart_widget.h"
#include "graph_main_frame.h"
#include "memory_settings.h"
#include "recording_help.h"
#include "recording_launcher.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompts.h"
#include "statistics_panel.h"
#include "velmora_graph_app.h"
#include "velmora_graph_view.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// fridge_excursions: 5 9 9.5 5 1 8.5 8 1.5 1.5 5, one a minute from 14:00:00.
const std::string kFridge = std::string(VELMORA_TEST_DATA_DIR) + "/stats/fridge_excursions.txt";

fs::path scratch(const std::string& name)
{
    const fs::path dir = fs::path(std::getenv("VELMORA_TEST_TMP")) / "statistics";
    fs::create_directories(dir);
    return dir / name;
}

struct StatisticsTest : ::testing::Test {
    test::ScriptedPrompts prompts;
    test::ScriptedFileDialogs dialogs;
    test::RecordingLauncher launcher;
    test::MemorySettings settings;
    test::RecordingHelp help;
    std::unique_ptr<CVelmoraGraphApp> app;

    void start(const std::string& file)
    {
        app = std::make_unique<CVelmoraGraphApp>(
            GraphServices{prompts, dialogs, launcher, settings, help, "/opt/velmora/bin"});
        ASSERT_TRUE(app->InitInstance({QString::fromStdString(file)}));
        app->mainFrame().resize(1200, 700);
        app->mainFrame().statisticsAction()->trigger();
    }
    StatisticsPanel& panel() { return app->statisticsPanel(); }
    // The cell of the row labelled `row`, first series.
    QString cell(const QString& row)
    {
        QTableWidget* t = panel().table();
        for (int r = 0; r < t->rowCount(); ++r)
            if (t->verticalHeaderItem(r)->text() == row)
                return t->item(r, 0)->text();
        return QStringLiteral("(no row)");
    }
    bool waitForReadings(const QString& count)
    {
        return QTest::qWaitFor([&] { return cell(QStringLiteral("Readings")) == count; }, 2000);
    }
    // Drags a zoom box over readings `first` to `last` (X = 60 s a reading).
    void zoomTo(int first, int last)
    {
        ChartWidget* w = app->view().chartWidget();
        const QRect plot = app->view().chart().plotRect();
        auto px = [&](int reading) { return plot.left() + reading * (plot.right() - plot.left()) / 9; };
        auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
            QApplication::sendEvent(w, &e);
        };
        send(QEvent::MouseButtonPress, {px(first), plot.top() + 5}, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, {px(last), plot.bottom() - 5}, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, {px(last), plot.bottom() - 5}, Qt::LeftButton, Qt::NoButton);
    }
};

TEST_F(StatisticsTest, ThePanelFollowsTheVisibleRangeUnlessHeldOnTheWholeFile)
{
    start(kFridge);
    ASSERT_TRUE(panel().isVisible());
    EXPECT_EQ(panel().rangeText(), "07/12/2026 14:00:00 to 07/12/2026 14:09:00");
    EXPECT_EQ(cell("Readings"), "10");
    EXPECT_EQ(cell("Mean"), "5.40°C");
    EXPECT_EQ(cell("Time above high alarm"), "3 min");

    // Readings 2..5 (9.5 5 1 8.5): mean 6.00, one run above 8.0 of one reading each side.
    zoomTo(2, 5);
    ASSERT_EQ(app->view().zoomLevel(), 1);
    ASSERT_TRUE(waitForReadings("4"));
    EXPECT_EQ(panel().rangeText(), "07/12/2026 14:02:00 to 07/12/2026 14:05:00");
    EXPECT_EQ(cell("Mean"), "6.00°C");
    EXPECT_EQ(cell("Excursions above high alarm"), "2");

    panel().wholeFileBox()->setChecked(true);
    ASSERT_TRUE(waitForReadings("10"));
    panel().wholeFileBox()->setChecked(false);
    ASSERT_TRUE(waitForReadings("4"));
    app->view().zoomOut();
    ASSERT_TRUE(waitForReadings("10"));
}

TEST_F(StatisticsTest, TheActivationEnergyIsKeptForNextTime)
{
    start(kFridge);
    EXPECT_EQ(panel().activationEnergyBox()->value(), 83.144);
    EXPECT_EQ(cell("Mean kinetic temperature"), "5.97°C");
    panel().activationEnergyBox()->setValue(60.0); // MKT 5.805 °C
    EXPECT_EQ(settings.values["Statistics/Activation Energy"], "60");
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell("Mean kinetic temperature") == "5.80°C"; }, 2000));

    app.reset();
    start(kFridge);
    EXPECT_EQ(panel().activationEnergyBox()->value(), 60.0);
}

TEST_F(StatisticsTest, TheReportCoversWhatIsOnShow)
{
    start(kFridge);
    zoomTo(2, 5);
    const fs::path pdf = scratch("zoomed.pdf");
    fs::remove(pdf);
    dialogs.answer(pdf.string());
    app->mainFrame().saveReportAction()->trigger();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].request.suggestedName, "fridge_excursions.pdf");
    EXPECT_EQ(dialogs.calls[0].request.initialFolder, fs::path(kFridge).parent_path().string());
    ASSERT_TRUE(fs::exists(pdf));
    std::ifstream in(pdf, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    if (std::system("command -v pdftotext >/dev/null") == 0) {
        const fs::path text = scratch("zoomed.txt");
        ASSERT_EQ(std::system(("pdftotext '" + pdf.string() + "' '" + text.string() + "'").c_str()), 0);
        std::ifstream t(text);
        const std::string words((std::istreambuf_iterator<char>(t)), {});
        EXPECT_NE(words.find("Readings: 4 of 10 in the file"), std::string::npos) << words;
        EXPECT_NE(words.find("First reading: 07/12/2026 14:02:00"), std::string::npos) << words;
    }
}

TEST_F(StatisticsTest, NoReportOverTheFileOfAFileThatChangedOrOfNothing)
{
    const fs::path copy = scratch("changing.txt");
    fs::copy_file(kFridge, copy, fs::copy_options::overwrite_existing);
    start(copy.string());
    // "All Files" lets the user pick the download file itself: it is kept.
    dialogs.answer(copy.string());
    prompts.expect("The report cannot be saved as:\n" + copy.string() +
                   "\nThat is the download file it reports on: choose another name.");
    app->mainFrame().saveReportAction()->trigger();
    EXPECT_EQ(fs::file_size(copy), fs::file_size(kFridge));
    {
        // One value changed on disk after the file was opened.
        std::ifstream in(copy, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        bytes.replace(bytes.find(",9.5,"), 5, ",9.6,");
        std::ofstream(copy, std::ios::binary | std::ios::trunc) << bytes;
    }
    const fs::path pdf = scratch("changed.pdf");
    fs::remove(pdf);
    dialogs.answer(pdf.string());
    prompts.expect("The data file has changed since it was opened. Open it again before saving a report.");
    app->mainFrame().saveReportAction()->trigger();
    EXPECT_FALSE(fs::exists(pdf));

    app->OnFileNew();
    prompts.expect("Open the data file before saving a report.");
    app->mainFrame().saveReportAction()->trigger();
    EXPECT_EQ(dialogs.calls.size(), 2u);
}

} // namespace
} // namespace velmora
