#include "archive_command.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

#include "archive_add.h"
#include "archive_output.h"
#include "archive_query.h"
#ifdef VELMORA_CLI_REPORT
#include "archive_report.h"
#include "stats_args.h"
#endif
#include "archive_strings.h"
#include "archive_time.h"
#include "atomic_file.h"
#include "help_text.h"
#include "store_location.h"
#include "time_zone.h"

namespace velmora {

namespace {

struct ArchiveArgs {
    std::string action;
    std::vector<std::string> positional;
    std::optional<std::string> zone, serial, from, to, activationEnergy;
    std::string format = "csv";
    bool json = false;
};

int usage(std::ostream& err, const std::string& problem)
{
    err << "velmora-cli: " << problem << '\n'
        << kUsageText << "Run 'velmora-cli --help' for the commands and options.\n";
    return 2;
}

// Takes the options each action knows; a problem for usage() otherwise.
std::optional<std::string> parse(const std::vector<std::string>& args, ArchiveArgs& a)
{
    if (args.empty())
        return "archive needs add, list, readings, report, file or verify";
    a.action = args[0];
    auto allowed = [&](const std::string& option) {
        const bool ranged = a.action == "readings" || a.action == "report";
        if (option == "--zone")
            return a.action == "add" || ranged;
        if (option == "--serial")
            return a.action == "list" || ranged;
        if (option == "--json")
            return a.action == "list";
        if (option == "--from" || option == "--to")
            return ranged;
        if (option == "--activation-energy")
            return a.action == "report";
        return a.action == "readings" && option == "--format";
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& o = args[i];
        if (o.size() < 2 || o[0] != '-' || o[1] != '-') {
            a.positional.push_back(o);
            continue;
        }
        if (!allowed(o))
            return "unknown option " + o + " for archive " + a.action;
        if (o == "--json") {
            a.json = true;
            continue;
        }
        if (i + 1 >= args.size())
            return o + " needs a value";
        const std::string& v = args[++i];
        if (o == "--zone")
            a.zone = v;
        else if (o == "--serial")
            a.serial = v;
        else if (o == "--from")
            a.from = v;
        else if (o == "--to")
            a.to = v;
        else if (o == "--activation-energy")
            a.activationEnergy = v;
        else if (v == "csv" || v == "json")
            a.format = v;
        else
            return "--format takes csv or json";
    }
    const std::string& act = a.action;
    if (act != "add" && act != "list" && act != "readings" && act != "report" && act != "file" && act != "verify")
        return "unknown archive command " + act;
    if (act == "add" && a.positional.empty())
        return "archive add needs a FILE";
    if (act == "file" && a.positional.size() != 2)
        return "archive file needs an ID and OUT.txt";
    if ((act == "list" || act == "readings" || act == "verify") && !a.positional.empty())
        return "unexpected argument " + a.positional[0];
    if ((act == "readings" || act == "report") && !a.serial)
        return "archive " + act + " needs --serial S";
    if (act == "report" && a.positional.size() != 1)
        return "archive report needs one OUT.pdf";
    return std::nullopt;
}

int add(ArchiveStore& store, const ArchiveArgs& a, const std::string& zone, std::ostream& out, std::ostream& err)
{
    AddRequest request;
    request.zone = zone;
    request.addedBy = archiveUserName();
    request.addedHost = archiveHostName();
    int status = 0;
    for (const std::string& path : a.positional) {
        request.path = path;
        request.now = static_cast<std::int64_t>(std::time(nullptr));
        AddOutcome outcome;
        try {
            outcome = addDownloadFile(store, request);
        } catch (const StoreError& e) {
            // The store rolled this file back; the next file is its own add.
            outcome.status = AddStatus::Refused;
            outcome.message = e.what();
        }
        if (!outcome.warning.empty())
            err << path << ": warning: " << outcome.warning << '\n';
        switch (outcome.status) {
        case AddStatus::Added:
            out << path << ": " << archivetext::fill(archivetext::kAdded, {std::to_string(outcome.readings)}) << '\n';
            break;
        case AddStatus::AlreadyArchived: out << path << ": " << archivetext::kAlreadyArchived << '\n'; break;
        case AddStatus::Refused:
            err << path << ": " << outcome.message << '\n';
            status = 1;
            break;
        }
    }
    return status;
}

// A serial number as the file writes it: nine digits, so "12345" finds "000012345".
std::string fileSerial(const std::string& serial)
{
    if (serial.empty() || serial.size() >= 9 || serial.find_first_not_of("0123456789") != std::string::npos)
        return serial;
    return std::string(9 - serial.size(), '0') + serial;
}

// --from and --to as instants; nothing given leaves that end open. A status to return
// when they cannot be read or are the wrong way round.
struct InstantRange {
    std::optional<std::int64_t> from, to;
    int failed = 0;
};

InstantRange instantRange(const ArchiveArgs& a, const std::string& zone, std::ostream& err)
{
    InstantRange range;
    for (auto [text, bound] : {std::pair{&a.from, &range.from}, std::pair{&a.to, &range.to}}) {
        if (!*text)
            continue;
        *bound = parseArchiveTime(**text, zone);
        if (!*bound) {
            range.failed = usage(err, "cannot read the time " + **text +
                                          ": write \"DD/MM/YYYY HH:MM:SS\" or ISO 8601 with an offset "
                                          "(2026-03-29T01:00:00Z)");
            return range;
        }
    }
    if (range.from && range.to && *range.from > *range.to) {
        err << "velmora-cli: --from comes after --to\n";
        range.failed = 1;
    }
    return range;
}

int readings(ArchiveStore& store, const ArchiveArgs& a, const std::string& zone, std::ostream& out, std::ostream& err)
{
    const InstantRange range = instantRange(a, zone, err);
    if (range.failed)
        return range.failed;
    const std::vector<Deployment> deployments = store.deployments(fileSerial(*a.serial));
    writeReadings(store, deployments, range.from.value_or(std::numeric_limits<std::int64_t>::min() / 2),
                  range.to.value_or(std::numeric_limits<std::int64_t>::max() / 2), a.format == "json", out);
    return 0;
}

int report(ArchiveStore& store, const ArchiveArgs& a, const std::string& zone, std::ostream& err)
{
#ifdef VELMORA_CLI_REPORT
    const InstantRange range = instantRange(a, zone, err);
    if (range.failed)
        return range.failed;
    ArchiveReportRequest request;
    request.serial = fileSerial(*a.serial);
    request.fromUtc = range.from;
    request.toUtc = range.to;
    request.out = a.positional[0];
    if (a.activationEnergy) {
        // The same check as inspect's and report's --activation-energy.
        const std::vector<std::string> option = {"--activation-energy", *a.activationEnergy};
        std::size_t i = 0;
        StatsArgs stats;
        if (takeStatsArg(option, i, stats, err, "velmora-cli: ") != ArgOutcome::Taken)
            return 2;
        request.options = stats.options;
    }
    return writeArchiveReport(store, request, err);
#else
    (void)store, (void)a, (void)zone;
    err << "velmora-cli: archive report needs the build with the display libraries (VELMORA_GUI=ON)\n";
    return 1;
#endif
}

int fileBack(ArchiveStore& store, const ArchiveArgs& a, std::ostream& err)
{
    const std::string& id = a.positional[0];
    const std::string& target = a.positional[1];
    char* end = nullptr;
    errno = 0;
    const long long deployment = std::strtoll(id.c_str(), &end, 10);
    if (id.empty() || *end != '\0' || errno != 0)
        return usage(err, "archive file needs a deployment number, not " + id);
    const std::optional<std::string> bytes = storedFile(store, deployment);
    if (!bytes) {
        err << archivetext::fill(archivetext::kNoDeployment, {id}) << '\n';
        return 1;
    }
    // Never over another file: the target could be another download, or the archive itself.
    if (access(target.c_str(), F_OK) == 0 || errno != ENOENT) {
        err << archivetext::fill(archivetext::kTargetExists, {target}) << '\n';
        return 1;
    }
    AtomicFile file;
    const bool written =
        file.create(target) && writeAll(file.fd(), bytes->data(), bytes->size()) == 0 && file.commitNew(target);
    if (!written) {
        const int error = file.error() ? file.error() : errno;
        err << archivetext::fill(error == EEXIST ? archivetext::kTargetExists : archivetext::kCannotWrite,
                                 {target, std::strerror(error)})
            << '\n';
        return 1;
    }
    return 0;
}

int verify(ArchiveStore& store, std::ostream& out, std::ostream& err)
{
    const std::vector<Deployment> tampered = tamperedFiles(store);
    for (const Deployment& d : tampered)
        err << archivetext::fill(archivetext::kFileDiffers, {std::to_string(d.id), d.fileName}) << '\n';
    if (!tampered.empty())
        return 1;
    out << archivetext::fill(archivetext::kVerified, {std::to_string(store.deployments(std::nullopt).size())}) << '\n';
    return 0;
}

} // namespace

std::string archiveUserName()
{
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return pw->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

std::string archiveHostName()
{
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    return host;
}

int runArchive(const std::optional<std::string>& storeOption, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err, const std::optional<std::string>& serialOption)
{
    ArchiveArgs a;
    if (serialOption) {
        // "--serial S archive list" means what "archive list --serial S" does, as
        // --serial before a command picks the logger for every other command.
        std::vector<std::string> withSerial = args;
        const bool takesSerial = !args.empty() && (args[0] == "list" || args[0] == "readings" || args[0] == "report");
        if (!takesSerial)
            return usage(err, "--serial before archive goes with archive list, readings and report");
        for (std::size_t i = 1; i + 1 < args.size(); ++i)
            if (args[i] == "--serial" && args[i + 1] != *serialOption)
                return usage(err, "two serial numbers given: " + *serialOption + " and " + args[i + 1]);
        withSerial.insert(withSerial.begin() + 1, {"--serial", *serialOption});
        if (const std::optional<std::string> problem = parse(withSerial, a))
            return usage(err, *problem);
    } else if (const std::optional<std::string> problem = parse(args, a)) {
        return usage(err, *problem);
    }
    if (storeOption && locationHasPassword(*storeOption))
        return usage(err, "--store carries a password: put it in ~/.pgpass or PGPASSWORD instead");
    std::string location = storeOption.value_or("");
    if (location.empty())
        location = defaultStoreLocation();
    const std::string zone = a.zone.value_or(systemZoneName());
    if (!zoneExists(zone)) {
        err << archivetext::fill(archivetext::kUnknownZone, {zone}) << '\n';
        return 2;
    }
    try {
        std::unique_ptr<ArchiveStore> store = openStore(location);
        if (a.action == "add")
            return add(*store, a, zone, out, err);
        if (a.action == "list") {
            writeDeployments(store->deployments(a.serial ? std::optional(fileSerial(*a.serial)) : std::nullopt), a.json,
                             out);
            return 0;
        }
        if (a.action == "readings")
            return readings(*store, a, zone, out, err);
        if (a.action == "report")
            return report(*store, a, zone, err);
        if (a.action == "file")
            return fileBack(*store, a, err);
        return verify(*store, out, err);
    } catch (const StoreError& e) {
        err << e.what() << '\n';
        return 1;
    }
}

} // namespace velmora
