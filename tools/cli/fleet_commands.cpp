#include "fleet_commands.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <istream>
#include <iterator>
#include <optional>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "fetch_ledger.h"
#include "fleet_listing.h"
#include "json_text.h"
#include "logger_command_context.h"
#include "logger_commands.h"
#include "one_logger_bridge.h"
#include "setup_command.h"
#include "text_encoding.h"
#include "type_catalogue.h"
#include "usb_bridge.h"
#include "utility_strings.h"

namespace velmora {

namespace {

// Many loggers on one bus share it; this many at once keeps each one's replies
// within their time-outs.
constexpr FleetPace kDownloadPace = FleetPace::AllAtOnce;
constexpr std::uint32_t kWatchPollMs = 500;
// A logger is announced before the system has finished with its device node (udev
// still applying the rule's group and mode): one that cannot be opened yet is tried
// again for a while. Nothing has been asked of it then, so trying again is safe.
constexpr int kPlugOpenTries = 10;
constexpr std::chrono::milliseconds kPlugOpenPause{300};

std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\t' || c == '\r')
            c = ' ';
    return text;
}

void printOutcome(std::ostream& out, const FleetOutcome& o, bool json)
{
    if (json) {
        out << "{\"serial\": " << jsonString(o.serial) << ", \"ok\": " << (o.ok ? "true" : "false")
            << ", \"message\": " << jsonString(o.message)
            << ", \"file\": " << (o.file.empty() ? std::string("null") : jsonString(o.file)) << "}\n";
    } else {
        out << (o.serial.empty() ? o.location : o.serial) << '\t' << (o.ok ? "ok" : "failed") << '\t'
            << oneLine(o.message);
        if (!o.file.empty())
            out << '\t' << o.file;
        out << '\n';
    }
    out.flush();
}

// A logger whose record could not be read has this outcome whatever was asked.
FleetOutcome unreadable(const FleetLogger& logger)
{
    FleetOutcome o;
    o.message = logger.problem;
    return o;
}

int finish(const std::vector<FleetOutcome>& outcomes) { return allSucceeded(outcomes) ? 0 : 1; }

// Prints each outcome as soon as those of the loggers listed before it are printed,
// so the lines come in list order while the work runs side by side.
class InOrder {
public:
    InOrder(std::ostream& out, bool json, std::size_t count) : out_(out), json_(json), done_(count) {}
    void operator()(std::size_t index, const FleetOutcome& outcome)
    {
        done_[index] = outcome;
        for (; next_ < done_.size() && done_[next_]; ++next_)
            printOutcome(out_, *done_[next_], json_);
    }

private:
    std::ostream& out_;
    bool json_;
    std::vector<std::optional<FleetOutcome>> done_;
    std::size_t next_ = 0;
};

std::vector<FleetLogger> attachedOrSay(LoggerCommandContext& context)
{
    std::vector<FleetLogger> loggers = listFleet(context.bridge, context.clock);
    if (loggers.empty())
        context.err << utilitytext::kNoLogger << '\n';
    return loggers;
}

} // namespace

int chooseOneLogger(LoggerCommandContext& context, const std::string* serial, std::unique_ptr<OneLoggerBridge>& chosen)
{
    chosen.reset();
    if (!serial) {
        // One logger or none: exactly as before, without reading anyone's record.
        std::vector<UsbDevice> devices;
        context.bridge.listDevices(devices);
        if (devices.size() <= 1)
            return 0;
    }
    const std::vector<FleetLogger> loggers = listFleet(context.bridge, context.clock);
    const LoggerChoice choice = chooseLogger(loggers, serial ? *serial : std::string());
    switch (choice.result) {
    case LoggerChoice::Result::Chosen:
        chosen = std::make_unique<OneLoggerBridge>(context.bridge, choice.logger->location);
        return 0;
    case LoggerChoice::Result::None: context.err << utilitytext::kNoLogger << '\n'; return 1;
    case LoggerChoice::Result::Several:
        context.err << "Several loggers are attached. Choose one with --serial S; their serial numbers: "
                    << serialList(loggers) << '\n';
        return 2;
    case LoggerChoice::Result::NoSuchOne:
        context.err << "No attached logger has the serial number " << *serial
                    << ". The serial numbers attached: " << serialList(loggers) << '\n';
        return 1;
    }
    return 1;
}

int runList(LoggerCommandContext& context, bool json)
{
    const std::vector<FleetLogger> loggers = attachedOrSay(context);
    if (loggers.empty())
        return 1;
    if (json)
        context.out << '[';
    for (std::size_t i = 0; i < loggers.size(); ++i) {
        const FleetLogger& l = loggers[i];
        const int type = l.readable ? l.config.type() : 0;
        const std::string model = l.readable ? modelName(l.config.type()) : "";
        const std::string name = l.readable ? cp1252ToUtf8(l.config.name()) : "";
        const std::string state = l.readable ? stateName(l.config) : "not readable: " + oneLine(l.problem);
        const std::size_t readings = l.readable ? readingsHeld(l.config) : 0;
        if (json) {
            context.out << (i ? ",\n " : "") << "{\"serial\": " << jsonString(l.serial()) << ", \"type\": " << type
                        << ", \"model\": " << jsonString(model) << ", \"name\": " << jsonString(name)
                        << ", \"state\": " << jsonString(state) << ", \"readings\": " << readings << '}';
        } else {
            context.out << (l.readable ? l.serial() : l.location) << '\t' << type << '\t' << model << '\t' << name
                        << '\t' << state << '\t' << readings << '\n';
        }
    }
    if (json)
        context.out << "]\n";
    return 0;
}

int runStatusAll(LoggerCommandContext& context, bool json)
{
    const std::vector<FleetLogger> loggers = attachedOrSay(context);
    if (loggers.empty())
        return 1;
    bool allOk = true;
    if (json)
        context.out << '[';
    for (std::size_t i = 0; i < loggers.size(); ++i) {
        OneLoggerBridge one(context.bridge, loggers[i].location);
        std::ostringstream rows;
        LoggerCommandContext single{one, context.clock, context.format, rows, context.err};
        const bool ok = runStatus(single, json) == 0;
        allOk = allOk && ok;
        std::string text = rows.str();
        if (json) {
            // {"rows": [...]} becomes {"serial": "S", "rows": [...]}; a logger that
            // could not be read has no rows.
            while (!text.empty() && text.back() == '\n')
                text.pop_back();
            context.out << (i ? ",\n " : "") << "{\"serial\": " << jsonString(loggers[i].serial())
                        << ", \"ok\": " << (ok ? "true" : "false");
            if (ok && text.size() > 1)
                context.out << ", " << text.substr(1);
            else
                context.out << '}';
        } else {
            std::istringstream lines(text);
            for (std::string line; std::getline(lines, line);)
                context.out << loggers[i].serial() << '\t' << line << '\n';
        }
    }
    if (json)
        context.out << "]\n";
    return allOk ? 0 : 1;
}

int runDownloadAll(LoggerCommandContext& context, const DownloadPlan& plan, bool json)
{
    const std::vector<FleetLogger> loggers = attachedOrSay(context);
    if (loggers.empty())
        return 1;
    const auto outcomes = runOnEach(
        loggers,
        [&](const FleetLogger& logger, std::size_t) {
            return logger.readable ? downloadLogger(context.bridge, context.clock, logger.location, plan)
                                   : unreadable(logger);
        },
        kDownloadPace, InOrder(context.out, json, loggers.size()));
    return finish(outcomes);
}

namespace {

// The settings text with {serial} and {n} filled in within the value of "name".
std::string personalised(const std::string& settings, const std::string& serial, int n)
{
    static const std::regex nameValue(R"(("name"\s*:\s*")((?:[^"\\]|\\.)*)("))");
    std::string result;
    auto last = settings.cbegin();
    for (std::sregex_iterator it(settings.begin(), settings.end(), nameValue), end; it != end; ++it) {
        const std::smatch& m = *it;
        result.append(last, m[2].first);
        result += fillSerialAndNumber(m[2].str(), serial, n);
        last = m[2].second;
    }
    result.append(last, settings.cend());
    return result;
}

} // namespace

int runSetupAll(LoggerCommandContext& context, WallClock& clock, const std::string& file, bool yes, std::istream& in,
                bool json)
{
    std::string settings;
    if (file == "-") {
        settings.assign(std::istreambuf_iterator<char>(in), {});
    } else {
        std::ifstream stream(file, std::ios::binary);
        if (!stream) {
            context.err << "Cannot read the settings file \"" << file << "\".\n";
            return 1;
        }
        settings.assign(std::istreambuf_iterator<char>(stream), {});
    }
    const std::vector<FleetLogger> loggers = attachedOrSay(context);
    if (loggers.empty())
        return 1;
    // One logger after another: a set-up's questions and messages belong to one.
    const auto outcomes = runOnEach(
        loggers,
        [&](const FleetLogger& logger, std::size_t index) {
            if (!logger.readable)
                return unreadable(logger);
            OneLoggerBridge one(context.bridge, logger.location);
            std::ostringstream said;
            LoggerCommandContext single{one, context.clock, context.format, said, said};
            std::istringstream text(personalised(settings, logger.serial(), static_cast<int>(index) + 1));
            FleetOutcome o;
            o.ok = runSetup(single, clock, "-", yes, text) == 0;
            o.message = said.str();
            while (!o.message.empty() && o.message.back() == '\n')
                o.message.pop_back();
            return o;
        },
        FleetPace::OneAtATime, [&](std::size_t, const FleetOutcome& o) { printOutcome(context.out, o, json); });
    return finish(outcomes);
}

int runFetch(LoggerCommandContext& context, const DownloadPlan& plan, bool json)
{
    const std::vector<FleetLogger> loggers = attachedOrSay(context);
    if (loggers.empty())
        return 1;
    FetchLedger ledger(defaultFetchLedgerPath());
    DownloadPlan fetch = plan;
    fetch.stopFirst = true;
    fetch.onlyNew = true;
    fetch.ledger = &ledger;
    const auto outcomes = runOnEach(
        loggers,
        [&](const FleetLogger& logger, std::size_t) {
            return logger.readable ? downloadLogger(context.bridge, context.clock, logger.location, fetch)
                                   : unreadable(logger);
        },
        kDownloadPace, InOrder(context.out, json, loggers.size()));
    return finish(outcomes);
}

namespace {

std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) { stopRequested = true; }

} // namespace

int runWatch(LoggerCommandContext& context, const DownloadPlan& plan, bool json)
{
    stopRequested = false;
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    FetchLedger ledger(defaultFetchLedgerPath());
    DownloadPlan fetch = plan;
    fetch.stopFirst = true;
    fetch.onlyNew = true;
    fetch.ledger = &ledger;

    const auto event = [&](const std::string& what, const std::string& location) {
        if (json)
            context.out << "{\"event\": " << jsonString(what) << ", \"location\": " << jsonString(location) << "}\n";
        else
            context.out << what << (location.empty() ? "" : "\t" + location) << '\n';
        context.out.flush();
    };
    event("watching", "");
    std::set<std::string> seen;
    for (bool changed = true; !stopRequested; changed = context.bridge.waitForChange(kWatchPollMs)) {
        if (!changed)
            continue;
        std::vector<UsbDevice> devices;
        context.bridge.listDevices(devices);
        std::set<std::string> now;
        for (const UsbDevice& d : devices)
            now.insert(d.location);
        for (const std::string& gone : seen)
            if (!now.count(gone))
                event("unplugged", gone);
        // Each new logger is fetched whole before a stop request is looked at, so
        // no file is ever left half written.
        for (const UsbDevice& d : devices) {
            if (seen.count(d.location) || stopRequested)
                continue;
            event("plugged in", d.location);
            FleetOutcome o = downloadLogger(context.bridge, context.clock, d.location, fetch);
            for (int tries = 1; !o.ok && o.serial.empty() && tries < kPlugOpenTries && !stopRequested; ++tries) {
                std::this_thread::sleep_for(kPlugOpenPause);
                o = downloadLogger(context.bridge, context.clock, d.location, fetch);
            }
            o.location = d.location;
            printOutcome(context.out, o, json);
            seen.insert(d.location);
        }
        std::erase_if(seen, [&](const std::string& l) { return !now.count(l); });
    }
    event("stopped", "");
    return 0;
}

} // namespace velmora
