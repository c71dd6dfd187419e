// velmora-cli: the logger model, link and file code without a window. Its commands,
// options and exit codes are in help.txt, which is both `velmora-cli --help` and the
// manual page's source.
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive_command.h"
#include "cli_bridge.h"
#include "clock.h"
#include "export_command.h"
#include "fleet_commands.h"
#include "fleet_commands_archive.h"
#include "help_text.h"
#include "image_command.h"
#include "inspect_command.h"
#include "locale_format.h"
#include "logger_commands.h"
#include "one_logger_bridge.h"
#include "setup_command.h"
#include "simulation_setup.h"
#include "store_location.h"
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

bool isFolder(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
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

    // Options before the command: each --simulate SPEC attaches loggers after those
    // of the one before; --serial S picks one of several (or, before archive, the
    // logger whose deployments are read); --store URL is the archive that archive,
    // fetch --archive and watch --archive use.
    std::string simulate, serial, store;
    bool simulateGiven = false, serialGiven = false, storeGiven = false;
    while (!args.empty() && (args[0] == "--simulate" || args[0] == "--serial" || args[0] == "--store")) {
        if (args.size() < 2)
            return usage(args[0] + (args[0] == "--serial"  ? " needs a serial number S"
                                    : args[0] == "--store" ? " needs a URL"
                                                           : " needs a SPEC"));
        if (args[0] == "--simulate") {
            simulate += (simulateGiven ? "," : "") + args[1];
            simulateGiven = true;
        } else if (args[0] == "--serial") {
            serial = args[1];
            serialGiven = true;
        } else {
            store = args[1];
            storeGiven = true;
        }
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        return usage("no command given");

    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "archive") // the archive of download files
        return runArchive(storeGiven ? std::optional(store) : std::nullopt, args, std::cout, std::cerr,
                          serialGiven ? std::optional(serial) : std::nullopt);
    // Nothing given before a command is left unused without a word.
    if (storeGiven && command != "fetch" && command != "watch")
        return usage("--store goes with archive and with fetch or watch --archive");
    if (serialGiven && (command == "inspect" || command == "export" || command == "report"))
        return usage("--serial is for status, download, settings, setup and archive list and readings");
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

    const auto is = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (command == n)
                return true;
        return false;
    };
    if (!is({"list", "status", "download", "settings", "setup", "image", "fetch", "watch"}))
        return usage("unknown command " + command);
    bool json = false, stop = false, yes = false, all = false, restart = false, archive = false;
    std::string folder, nameTemplate;
    bool folderGiven = false, nameGiven = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue =
            (a == "--dir" && is({"fetch", "watch"})) || (a == "--name" && is({"download", "fetch", "watch"}));
        if (takesValue) {
            if (i + 1 >= args.size())
                return usage(a + " needs a value");
            (a == "--dir" ? folder : nameTemplate) = args[++i];
            (a == "--dir" ? folderGiven : nameGiven) = true;
        } else if (a == "--json" && is({"list", "status", "settings", "download", "setup", "fetch", "watch"}))
            json = true;
        else if (a == "--stop" && command == "download")
            stop = true;
        else if (a == "--yes" && command == "setup")
            yes = true;
        else if (a == "--all" && is({"status", "download", "setup"}))
            all = true;
        else if (a == "--restart" && is({"fetch", "watch"}))
            restart = true;
        else if (a == "--archive" && is({"fetch", "watch"}))
            archive = true;
        else if (!a.empty() && a[0] == '-' && a != "-")
            return usage("unknown option " + a + " for " + command);
        else
            positional.push_back(a);
    }
    if (json && (command == "download" || command == "setup") && !all)
        return usage("--json with " + command + " needs --all");
    if (nameGiven && command == "download" && !all)
        return usage("--name with download needs --all");
    if (storeGiven && !archive)
        return usage("--store with " + command + " needs --archive");
    if (storeGiven && locationHasPassword(store))
        return usage("--store carries a password: put it in ~/.pgpass or PGPASSWORD instead");
    if (serialGiven && (all || !is({"status", "download", "settings", "setup"})))
        return usage(all ? "--serial and --all exclude each other"
                         : "--serial is for status, download, settings, setup and archive list and readings");
    const bool takesFile = is({"download", "setup", "image"});
    if (takesFile ? positional.size() != 1 : !positional.empty())
        return usage(takesFile ? command + (command == "download" && all ? " --all needs exactly one DIR"
                                                                         : " needs exactly one FILE")
                               : "unexpected argument " + positional[0]);
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
    SystemWallClock wall;
    if (command == "list")
        return runList(context, json);

    DownloadPlan plan;
    plan.restart = restart;
    if (nameGiven)
        plan.nameTemplate = nameTemplate;
    if (command == "fetch" || command == "watch") {
        plan.folder = folderGiven ? folder : defaultFetchFolder();
        if (!isFolder(plan.folder)) {
            std::cerr << "velmora-cli: the folder \"" << plan.folder << "\" does not exist\n";
            return 1;
        }
        std::optional<FetchArchive> archiving;
        if (archive)
            plan.afterSave = archiving.emplace(store).step();
        return command == "fetch" ? runFetch(context, plan, json) : runWatch(context, plan, json);
    }
    if (all) {
        if (command == "status")
            return runStatusAll(context, json);
        if (command == "setup")
            return runSetupAll(context, wall, positional[0], yes, std::cin, json);
        plan.folder = positional[0];
        plan.stopFirst = stop;
        if (!isFolder(plan.folder)) {
            std::cerr << "velmora-cli: download --all needs a folder: \"" << plan.folder << "\" is none\n";
            return 1;
        }
        return runDownloadAll(context, plan, json);
    }

    // One logger: the one given by --serial, or the only one attached.
    std::unique_ptr<OneLoggerBridge> chosen;
    if (const int refusal = chooseOneLogger(context, serialGiven ? &serial : nullptr, chosen); refusal != 0)
        return refusal;
    LoggerCommandContext one{chosen ? *chosen : *bridge, clock, format, std::cout, std::cerr};
    if (command == "status")
        return runStatus(one, json);
    if (command == "settings")
        return runSettings(one, wall, json);
    if (command == "setup")
        return runSetup(one, wall, positional[0], yes, std::cin);
    return runDownload(one, positional[0], stop,
                       simulateGiven ? simulatedImagePaths(simulate) : std::vector<std::string>{});
}
