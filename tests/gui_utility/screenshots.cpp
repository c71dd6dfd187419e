// Developer tool: pictures of the utility's pages against simulated loggers, to
// look at the layout as a user would. Usage: utility_screenshots OUTDIR TYPE...
// Works offscreen (QT_QPA_PLATFORM=offscreen) or under Xvfb. Questions are answered
// Yes, dialogs are cancelled and nothing is started.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <iostream>

#include "about_dlg.h"
#include "clock.h"
#include "file_dialogs.h"
#include "locale_format.h"
#include "main_frame.h"
#include "memory_settings.h"
#include "page_set.h"
#include "qt/qt_help.h"
#include "prompts.h"
#include "recording_help.h"
#include "recording_launcher.h"
#include "simulation_setup.h"
#include "velmora_usb_app.h"
#include "wall_clock.h"

using namespace velmora;

namespace {

class YesPrompts final : public Prompts {
public:
    PromptAnswer ask(const std::string& text, PromptIcon, PromptButtons buttons) override
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
        const std::string spec = argv[i];
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
        CVelmoraUSBApp app(UtilityServices{*bridge, clock, wallClock, prompts, dialogs, launcher, settings, locale, help,
                                           "/usr/bin", "/tmp"});
        app.InitInstance();
        CMainFrame& frame = app.mainFrame();
        const QString prefix = out + "/type" + QString::fromStdString(spec) + "-";
        QApplication::processEvents();
        if (i == 2) {
            ok &= save(frame, out + "/main-menu.png");
            CAboutDlg about(&frame);
            about.show();
            QApplication::processEvents();
            ok &= save(about, out + "/about.png");
            openHelp(1002, &frame);
            QApplication::processEvents();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* help = qobject_cast<HelpWindow*>(w)) {
                    ok &= save(*help, out + "/help.png");
                    help->close();
                }
        }
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
    }
    return ok ? 0 : 1;
}
