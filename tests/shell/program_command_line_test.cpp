// velmora-usb and velmora-graph answer --help and --version on the terminal where there
// is no display at all: no window system is started for them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct ProgramRun {
    int exitCode; // -1: ended by a signal (an abort)
    std::string out;
};

// The program with no display to reach: the X11 platform and no DISPLAY or
// WAYLAND_DISPLAY, so a QApplication made before the answer would abort.
ProgramRun runWithoutDisplay(const std::string& program, const std::string& arguments)
{
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" + program + "' " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ProgramRun run{-1, {}};
    if (!pipe)
        return run;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;)
        run.out.append(buf, n);
    const int status = ::pclose(pipe);
    // The shell reports a child killed by a signal as 128 + its number.
    if (WIFEXITED(status) && WEXITSTATUS(status) < 128)
        run.exitCode = WEXITSTATUS(status);
    return run;
}

TEST(ProgramCommandLine, HelpAndVersionNeedNoDisplay)
{
    const struct {
        const char* program;
        const char* arguments;
        const char* expected; // a line the answer holds
    } cases[] = {
        {VELMORA_USB, "--help", "Sets up, stops and downloads Velmora USB data loggers."},
        {VELMORA_USB, "-h", "--simulate <SPEC>"},
        {VELMORA_USB, "--version", "Velmora USB 5.53"},
        {VELMORA_USB, "--simulate 1 -v", "Velmora USB 5.53"},
        {VELMORA_GRAPH, "--help", "Shows a Velmora USB data logger download file as a chart."},
        {VELMORA_GRAPH, "-h somefile.txt", "[file]"},
        {VELMORA_GRAPH, "--version", "VelmoraGraph 5.53"},
        {VELMORA_GRAPH, "-v", "VelmoraGraph 5.53"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runWithoutDisplay(c.program, c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.program << " " << c.arguments;
        EXPECT_NE(run.out.find(c.expected), std::string::npos) << c.program << " " << c.arguments << ":\n" << run.out;
    }
}

} // namespace
