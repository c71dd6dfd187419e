// Developer tool: pictures of the viewer's window as a user meets it. Usage:
//   graph_screenshots OUTDIR [FILE [MORE...]]
// writes empty.png (started without a file, the Open dialog cancelled), and with a
// download FILE: file.png (the file shown), narrow.png (the window at its smallest),
// zoomed.png (the statistics panel open, one Ctrl+wheel notch in at the middle of the
// plot: the axis, the footer and the panel show one range), about.png (the About box)
// and message.png (the event-file question, as a message box lays it out); with MORE
// files, compare.png (FILE and the others on one chart), compare-statistics.png (with
// the panel), compare-joined.png (View > Join Deployments) and compare-spread.png (the
// spread between the files as well).
//   graph_screenshots OUTDIR --archive STORE SERIAL FROM TO
// writes archive-dialog.png (File > Open from Archive... on the logger SERIAL with the
// range FROM..TO, seconds since 1970, set) and archive.png (Open All in Range done).
// Works offscreen (QT_QPA_PLATFORM=offscreen) or under Xvfb.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <iostream>

#include "archive_open_dialog.h"
#include "chart_widget.h"
#include "file_dialogs.h"
#include "graph_about_dlg.h"
#include "graph_main_frame.h"
#include "graph_strings.h"
#include "memory_settings.h"
#include "qt/qt_prompts.h"
#include "recording_help.h"
#include "recording_launcher.h"
#include "velmora_graph_app.h"
#include "velmora_graph_view.h"

using namespace velmora;

namespace {

class CancelDialogs final : public FileDialogs {
public:
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
};

class PrintedPrompts final : public Prompts {
public:
    PromptAnswer ask(const std::string& text, PromptIcon, PromptButtons, PromptAnswer) override
    {
        std::cout << "  [message] " << text << '\n';
        return PromptAnswer::Ok;
    }
};

void settle(int ms = 100)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool save(QWidget& widget, const QString& path)
{
    const bool ok = widget.grab().save(path);
    std::cout << (ok ? "wrote " : "FAILED ") << path.toStdString() << '\n';
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: graph_screenshots OUTDIR [FILE]\n";
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    PrintedPrompts prompts;
    CancelDialogs dialogs;
    test::RecordingLauncher launcher;
    test::MemorySettings settings;
    test::RecordingHelp help;
    CVelmoraGraphApp viewer(GraphServices{prompts, dialogs, launcher, settings, help, "/usr/bin"});
    if (!viewer.InitInstance({}))
        return 1;
    CGraphMainFrame& frame = viewer.mainFrame();
    settle();
    bool ok = save(frame, out + "/empty.png");
    if (argc < 3)
        return ok ? 0 : 1;
    if (QString::fromLocal8Bit(argv[2]) == "--archive" && argc == 7) {
        const QString store = QString::fromLocal8Bit(argv[3]), serial = QString::fromLocal8Bit(argv[4]);
        const qint64 from = QString::fromLocal8Bit(argv[5]).toLongLong(),
                     to = QString::fromLocal8Bit(argv[6]).toLongLong();
        QTimer::singleShot(200, [&] {
            auto* dialog = qobject_cast<ArchiveOpenDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->findChild<QLineEdit*>()->setText(store);
            dialog->look();
            QComboBox* logger = dialog->findChild<QComboBox*>();
            logger->setCurrentIndex(logger->findData(serial));
            dialog->findChild<QCheckBox*>()->setChecked(true);
            const QList<QDateTimeEdit*> edits = dialog->findChildren<QDateTimeEdit*>();
            edits[1]->setDateTime(QDateTime::fromSecsSinceEpoch(to));
            edits[0]->setDateTime(QDateTime::fromSecsSinceEpoch(from));
            settle();
            ok &= save(*dialog, out + "/archive-dialog.png");
            for (QPushButton* button : dialog->findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
                if (button->text().contains("All"))
                    button->click();
        });
        viewer.OnFileOpenFromArchive();
        viewer.OnViewStatistics();
        settle(300);
        ok &= save(frame, out + "/archive.png");
        return ok ? 0 : 1;
    }

    if (!viewer.OpenDocumentFile(QString::fromLocal8Bit(argv[2])))
        return 1;
    settle();
    ok &= save(frame, out + "/file.png");
    const QSize normal = frame.size();
    frame.resize(frame.minimumSizeHint());
    settle();
    ok &= save(frame, out + "/narrow.png");
    frame.resize(normal);

    viewer.OnViewStatistics();
    settle();
    ChartWidget* chart = viewer.view().chartWidget();
    const QPointF middle = viewer.view().chart().plotRect().center();
    QWheelEvent notch(middle, chart->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &notch);
    settle(300);
    ok &= save(frame, out + "/zoomed.png");

    CGraphAboutDlg about(&frame);
    about.show();
    settle();
    ok &= save(about, out + "/about.png");
    about.hide();

    QtPrompts boxes(QString::fromUtf8(graphtext::kAppTitle.data(), static_cast<qsizetype>(graphtext::kAppTitle.size())),
                    &frame);
    const std::unique_ptr<QMessageBox> box =
        boxes.makeBox(std::string(graphtext::kEventFileQuestion), PromptIcon::Question, PromptButtons::YesNo);
    box->show();
    settle();
    ok &= save(*box, out + "/message.png");
    box->hide();

    if (argc > 3) {
        viewer.OpenDocumentFile(QString::fromLocal8Bit(argv[2]));
        for (int i = 3; i < argc; ++i)
            viewer.AddFileToChart(QString::fromLocal8Bit(argv[i]));
        settle();
        ok &= save(frame, out + "/compare.png");
        viewer.OnViewStatistics();
        settle(300);
        ok &= save(frame, out + "/compare-statistics.png");
        frame.joinDeploymentsAction()->trigger();
        settle(300);
        ok &= save(frame, out + "/compare-joined.png");
        frame.spreadAction()->trigger();
        settle(300);
        ok &= save(frame, out + "/compare-spread.png");
    }
    return ok ? 0 : 1;
}
