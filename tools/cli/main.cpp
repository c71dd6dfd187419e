// velmora-cli: the logger model, link and file code without a window. Its commands,
// options and exit codes are in help.txt, which is both `velmora-cli --help` and the
// manual page's source.
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive_command.h"
#include "cli_bridge.h"
#include "clock.h"
#include "export_command.h"
#include "help_text.h"
#include "image_command.h"
#include "inspect_command.h"
#include "locale_format.h"
#include "logger_commands.h"
#include "setup_command.h"
#include "simulation_setup.h"
#include "velmora_version.h"
#include "wall_clock.h"
#ifdef VELMORA_CLI_REPORT
#include "report_command.h"
#endif

namespace {

int usage(const std::string& problem)
{
    if (!problem.empty())
        std::cerr << "velmora-cli: " << problem << '\n';
    std::cerr << velmora::kUsageText << "Run 'velmora-cli --help' for the commands and options.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace velmora;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage({});
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kHelpText;
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "velmora-cli " VELMORA_VERSION "\n";
        return 0;
    }

    // --store URL: the archive the archive commands use.
    std::optional<std::string> store;
    if (args[0] == "--store") {
        if (args.size() < 2)
            return usage("--store needs a URL");
        store = args[1];
        args.erase(args.begin(), args.begin() + 2);
        if (args.empty() || args[0] != "archive")
            return usage("--store goes with the archive commands");
        return runArchive(store, std::vector<std::string>(args.begin() + 1, args.end()), std::cout, std::cerr);
    }

    std::string simulate;
    bool simulateGiven = false;
    if (args[0] == "--simulate") {
        if (args.size() < 2)
            return usage("--simulate needs a SPEC");
        simulate = args[1];
        simulateGiven = true;
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        return usage("no command given");

    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "archive") // the archive of download files
        return runArchive(std::nullopt, args, std::cout, std::cerr);
    if (command == "inspect") // reads a download file: no logger involved
        return runInspect(args, std::cout, std::cerr);
    if (command == "export") // writes a workbook from a download file
        return runExport(args, std::cerr);
    if (command == "report") { // writes a one-page PDF report of a download file
#ifdef VELMORA_CLI_REPORT
        return runReport(args, std::cerr);
#else
        std::cerr << "velmora-cli: report needs the build with the display libraries (VELMORA_GUI=ON)\n";
        return 1;
#endif
    }

    bool json = false, stop = false, yes = false;
    std::vector<std::string> positional;
    for (const std::string& a : args) {
        if (a == "--json" && (command == "status" || command == "settings"))
            json = true;
        else if (a == "--stop" && command == "download")
            stop = true;
        else if (a == "--yes" && command == "setup")
            yes = true;
        else if (!a.empty() && a[0] == '-' && a != "-")
            return usage("unknown option " + a + " for " + command);
        else
            positional.push_back(a);
    }
    if (command != "list" && command != "status" && command != "download" && command != "settings" &&
        command != "setup" && command != "image")
        return usage("unknown command " + command);
    const bool takesFile = command == "download" || command == "setup" || command == "image";
    if (takesFile ? positional.size() != 1 : !positional.empty())
        return usage(takesFile ? command + " needs exactly one FILE" : "unexpected argument " + positional[0]);
    if (command == "image") {
        if (!simulateGiven)
            return usage("image saves a simulated logger: give --simulate SPEC");
        SteadyClock clock;
        return runSaveImage(simulate, positional[0], clock, std::cerr);
    }

    SteadyClock clock;
    std::string error;
    std::unique_ptr<UsbBridge> bridge = makeCliBridge(simulateGiven, simulate, clock, error);
    if (!bridge) {
        std::cerr << error << '\n';
        return simulateGiven ? 2 : 1;
    }
    SystemLocaleFormat format;
    LoggerCommandContext context{*bridge, clock, format, std::cout, std::cerr};
    if (command == "list")
        return runList(context);
    if (command == "status")
        return runStatus(context, json);
    SystemWallClock wall;
    if (command == "settings")
        return runSettings(context, wall, json);
    if (command == "setup")
        return runSetup(context, wall, positional[0], yes, std::cin);
    return runDownload(context, positional[0], stop,
                       simulateGiven ? simulatedImagePaths(simulate) : std::vector<std::string>{});
}
