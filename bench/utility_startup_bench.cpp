// How long velmora-usb takes from process start to its window on show, against the
// one-second target and against the least any Qt program needs: a bare QMainWindow
// (at most three times as long).
// Each run is a fresh process (fork), so fonts, styles and plugins load as they do
// for a user; the parent times fork to exit. Offscreen unless a display is given.
//
//   utility_startup_bench [RUNS]
#include <QApplication>
#include <QMainWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "clock.h"
#include "file_dialogs.h"
#include "help.h"
#include "locale_format.h"
#include "process_launcher.h"
#include "prompts.h"
#include "qt/qt_settings.h"
#include "simulation_setup.h"
#include "velmora_usb_app.h"
#include "wall_clock.h"

using namespace velmora;

namespace {

// The window should cost little more than Qt's own start-up: pages nobody has
// opened yet are built when first shown.
constexpr double kMostTimesBare = 3.0;

class NoPrompts final : public Prompts {
public:
    PromptAnswer ask(const std::string&, PromptIcon, PromptButtons, PromptAnswer) override { return PromptAnswer::Ok; }
};
class NoDialogs final : public FileDialogs {
public:
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
};
class NoLauncher final : public ProcessLauncher {
public:
    bool startDetached(const std::string&, const std::vector<std::string>&, const std::string&) override
    {
        return false;
    }
};
class NoHelp final : public Help {
public:
    void showContents() override {}
    void showContext(int) override {}
};

// The start-up of main(): the application, the settings, the bridge, every page,
// the window shown and painted once.
int utilityStartup(int argc, char** argv)
{
    QApplication application(argc, argv);
    SteadyClock clock;
    QtSettings settings(QString::fromLatin1(kUtilitySettingsName));
    std::string error;
    auto bridge = makeSimulatedBridge("1", clock, error);
    NoPrompts prompts;
    NoDialogs dialogs;
    NoLauncher launcher;
    SystemLocaleFormat locale;
    NoHelp help;
    SystemWallClock wallClock;
    CVelmoraUSBApp app(UtilityServices{*bridge, clock, wallClock, prompts, dialogs, launcher, settings, locale, help,
                                       "/usr/bin", "/tmp", "/tmp"});
    app.InitInstance();
    QApplication::processEvents();
    return 0;
}

int bareWindow(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.show();
    QApplication::processEvents();
    return 0;
}

double timedRun(const std::function<int(int, char**)>& body, int argc, char** argv)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0)
        _exit(body(argc, argv));
    int status = 0;
    waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "a run failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    int qtArgc = 1;
    std::vector<double> utility, bare;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(timedRun(bareWindow, qtArgc, argv));
        utility.push_back(timedRun(utilityStartup, qtArgc, argv));
    }
    const double ratio = median(utility) / median(bare);
    const bool met = median(utility) < 1000.0 && ratio <= kMostTimesBare;
    std::printf("velmora-usb start-up to window shown: median %.1f ms over %d runs (target < 1000 ms)\n",
                median(utility), runs);
    std::printf("anchor, a bare Qt main window:        median %.1f ms\n", median(bare));
    std::printf("ratio %.2fx the anchor (target at most %.0fx): %s\n", ratio, kMostTimesBare, met ? "met" : "NOT met");
    return met ? 0 : 1;
}
