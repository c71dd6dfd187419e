// Developer tool: pictures of the utility's pages against simulated loggers, to
// look at the layout as a user would. Usage: utility_screenshots OUTDIR TYPE...
// A TYPE of a voltage or current logger may end in ":custom" for its set-up pages
// with a scaling of the user's own (PSI, 0 V = 0, 30 V = 150). A TYPE may also be a
// comma list of several loggers: the choice among them is pictured and its first row
// taken, and so is Download All Loggers over them (the second logger not answering).
// Works offscreen (QT_QPA_PLATFORM=offscreen) or under Xvfb. Questions are answered
// Yes, dialogs are cancelled and nothing is started.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <iostream>

#include "about_dlg.h"
#include "choose_logger_dlg.h"
#include "clock.h"
#include "connected_logger.h"
#include "conversions.h"
#include "download_all_dlg.h"
#include "file_dialogs.h"
#include "fleet_download_job.h"
#include "locale_format.h"
#include "main_frame.h"
#include "memory_settings.h"
#include "page_sequence.h"
#include "page_set.h"
#include "prompts.h"
#include "qt/qt_help.h"
#include "recording_help.h"
#include "recording_launcher.h"
#include "simulation_setup.h"
#include "velmora_usb_app.h"
#include "wall_clock.h"

using namespace velmora;

namespace {

class YesPrompts final : public Prompts {
public:
    PromptAnswer ask(const std::string& text, PromptIcon, PromptButtons buttons, PromptAnswer) override
    {
        std::cout << "  [message] " << text << '\n';
        return buttons == PromptButtons::YesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
    }
};

class CancelDialogs final : public FileDialogs {
public:
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
};

bool save(QWidget& widget, const QString& path)
{
    const bool ok = widget.grab().save(path);
    std::cout << (ok ? "wrote " : "FAILED ") << path.toStdString() << '\n';
    return ok;
}

// Active, so that the focus shows on the pages as the user sees it.
void activate(QWidget& window)
{
    window.activateWindow();
    QElapsedTimer waited;
    waited.start();
    while (!window.isActiveWindow() && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The chooser, whenever a task asks: pictured, then its first row taken.
class ChooserHand {
public:
    explicit ChooserHand(std::function<void(QDialog&)> picture)
    {
        QObject::connect(&timer_, &QTimer::timeout, [picture] {
            if (auto* chooser = qobject_cast<CChooseLoggerDlg*>(QApplication::activeModalWidget())) {
                picture(*chooser);
                chooser->accept();
            }
        });
        timer_.start(20);
    }

private:
    QTimer timer_;
};

// Download All Loggers over the loggers of `spec`, the second one not answering, as
// the list shows it at the end.
bool pictureDownloadAll(const std::string& spec, const QString& path)
{
    SteadyClock clock; // the downloads run on threads of their own
    std::string error;
    std::unique_ptr<SimulatedBridge> bridge = makeSimulatedBridge(spec, clock, error);
    if (!bridge || bridge->attachedCount() < 2)
        return false;
    const QTemporaryDir folder;
    DownloadPlan plan;
    plan.folder = folder.path().toStdString();
    plan.stopFirst = true;
    std::vector<FleetLogger> loggers = listFleet(*bridge, clock);
    bridge->logger(1).faults().failedOpens = LoggerFaults::kEvery;
    FleetDownloadJob job(*bridge, clock, std::move(loggers), plan);
    CDownloadAllDlg dialog(job, folder.path());
    dialog.show();
    QElapsedTimer waited;
    waited.start();
    while (dialog.running() && waited.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
    return save(dialog, path);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: utility_screenshots OUTDIR TYPE...\n";
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        std::string spec = argv[i];
        const std::string customSuffix = ":custom";
        const bool custom = spec.ends_with(customSuffix);
        if (custom)
            spec.resize(spec.size() - customSuffix.size());
        VirtualClock clock(CivilTime{2026, 12, 7, 15, 0, 0});
        std::string error;
        std::unique_ptr<SimulatedBridge> bridge = makeSimulatedBridge(spec, clock, error);
        if (!bridge) {
            std::cerr << spec << ": " << error << '\n';
            return 2;
        }
        YesPrompts prompts;
        CancelDialogs dialogs;
        test::RecordingLauncher launcher;
        test::MemorySettings settings;
        SystemLocaleFormat locale;
        test::RecordingHelp help;
        SystemWallClock wallClock;
        CVelmoraUSBApp app(UtilityServices{*bridge, clock, wallClock, prompts, dialogs, launcher, settings, locale,
                                           help, "/usr/bin", "/tmp", "/tmp"});
        app.InitInstance();
        CMainFrame& frame = app.mainFrame();
        const QString prefix = out + "/type" + QString::fromStdString(spec) + (custom ? "custom-" : "-");
        QApplication::processEvents();
        if (i == 2) {
            ok &= save(frame, out + "/main-menu.png");
            CAboutDlg about(&frame);
            about.show();
            QApplication::processEvents();
            ok &= save(about, out + "/about.png");
            about.close();
            openHelp(1002, &frame);
            QApplication::processEvents();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* help = qobject_cast<HelpWindow*>(w)) {
                    ok &= save(*help, out + "/help.png");
                    help->close();
                }
        }
        activate(frame);
        std::cout << "type " << spec << ":\n";
        ChooserHand chooser([&](QDialog& dialog) {
            static int shown = 0;
            if (shown++ == 0)
                ok &= save(dialog, prefix + "chooser.png");
        });
        if (spec.find(',') != std::string::npos)
            ok &= pictureDownloadAll(spec, prefix + "download-all.png");
        frame.command(cmd::kCurrentStatus)->trigger();
        QApplication::processEvents();
        ok &= save(frame, prefix + "status.png");
        app.SwitchPage(0);
        frame.command(cmd::kStopAndDownload)->trigger();
        QApplication::processEvents();
        ok &= save(frame, prefix + "stop.png");
        app.SwitchPage(0);
        frame.command(cmd::kSetUp)->trigger();
        QApplication::processEvents();
        ok &= save(frame, prefix + "setup.png");
        if (custom) {
            LoggerConfig& c = app.logger().config;
            c.setInputOptions(1);
            c.setText(TextSlot::Units, "PSI");
            for (const auto& [slot, text] : {std::pair{TextSlot::ScaleIn1, "0"},
                                             {TextSlot::ScaleOut1, "0"},
                                             {TextSlot::ScaleIn2, "30"},
                                             {TextSlot::ScaleOut2, "150"}})
                c.setText(slot, text);
            computeScaling(app.logger());
        }
        // Every page of the type's set-up row as it shows the record.
        for (int index : pageRow(app.logger().type())) {
            app.SwitchPage(index);
            QApplication::processEvents();
            ok &= save(frame, prefix + "page" + QString::number(index) + ".png");
        }
        app.SwitchPage(0);
    }
    return ok ? 0 : 1;
}
