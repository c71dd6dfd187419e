// Developer tool: pictures of the utility's pages against simulated loggers, to
// look at the layout as a user would. Usage: utility_screenshots OUTDIR TYPE...
// A TYPE of a voltage or current logger may end in ":custom" for its set-up pages
// with a scaling of the user's own (PSI, 0 V = 0, 30 V = 150). Works offscreen
// (QT_QPA_PLATFORM=offscreen) or under Xvfb. Questions are answered Yes, dialogs
// are cancelled and nothing is started.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <iostream>

#include "about_dlg.h"
#include "clock.h"
#include "connected_logger.h"
#include "conversions.h"
#include "file_dialogs.h"
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
