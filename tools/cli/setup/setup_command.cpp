#include "setup_command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <istream>
#include <optional>
#include <sstream>

#include "connected_logger.h"
#include "logger_command_context.h"
#include "main_menu_commands.h"
#include "settings_json.h"
#include "settings_walk.h"
#include "stream_prompts.h"
#include "text_encoding.h"
#include "type_catalogue.h"
#include "windowless_seams.h"
#include "wizard_core.h"
#include "wizard_flags.h"

namespace velmora {

namespace {

// A settings file is a few hundred bytes; anything near this is something else.
constexpr std::size_t kMaxSettingsBytes = std::size_t{1} << 20;
constexpr const char* kTooLarge = "larger than 1 MB: not a settings file";

// At most kMaxSettingsBytes + 1 bytes of `in`, so that an endless input ends.
bool readCapped(std::istream& in, std::string& text)
{
    text.resize(kMaxSettingsBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

// The settings file's text. Only a regular file is read (a folder, a device such as
// /dev/zero or a pipe is refused before anything is read, and a FIFO without a writer
// is not waited for), and no more than kMaxSettingsBytes of it.
bool readFile(const std::string& file, std::istream& in, std::string& text, std::string& error)
{
    if (file == "-") {
        if (!readCapped(in, text))
            error = "cannot read the standard input";
        else if (text.size() > kMaxSettingsBytes)
            error = std::string("standard input: ") + kTooLarge;
        return error.empty();
    }
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = "cannot read " + file + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        error = "cannot read " + file + ": not a regular file";
    else if (static_cast<std::uintmax_t>(st.st_size) > kMaxSettingsBytes)
        error = file + ": " + kTooLarge;
    text.clear();
    char buffer[65536];
    while (error.empty()) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = "cannot read " + file + ": " + std::strerror(errno);
        else if (n == 0)
            break;
        else if (text.size() + static_cast<std::size_t>(n) > kMaxSettingsBytes)
            error = file + ": " + kTooLarge; // it grew while it was read
        else
            text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return error.empty();
}

// The file, or exit code 2 with the reason on the error stream.
std::optional<LoggerSettings> settingsFile(LoggerCommandContext& context, const std::string& file, std::istream& in)
{
    std::string text, error;
    if (!readFile(file, in, text, error)) {
        context.err << "velmora-cli: " << error << '\n';
        return std::nullopt;
    }
    SettingsProblem problem;
    std::optional<LoggerSettings> settings = readSettings(text, problem);
    if (!settings)
        context.err << "velmora-cli: " << (file == "-" ? std::string("standard input") : file) << ", "
                    << problem.message << '\n';
    return settings;
}

void tell(LoggerCommandContext& context, const std::string& problem)
{
    if (!problem.empty())
        context.err << problem << '\n';
}

// The pages run once on a copy of what the logger holds, their messages held back:
// a refusal ends the set-up before anything reaches the logger, the stop of a logging
// logger included. Returns 0 when the file gets through to the start.
int rehearse(LoggerCommandContext& context, WallClock& clock, const ConnectedLogger& logger,
             const LoggerSettings& settings, bool yes)
{
    std::ostringstream held;
    StreamPrompts prompts(held, yes ? StreamPrompts::Questions::AnswerYes : StreamPrompts::Questions::AnswerNo);
    ConnectedLogger copy(context.bridge, context.clock, prompts);
    static_cast<LoggerRecord&>(copy) = logger;
    WizardFlags flags;
    WizardCore core{copy, prompts, flags, clock};
    const WalkEnd end = walkToFinish(core, settings, setupEntryPage(copy.type()));
    std::string refusal = end.atFinish ? startRefusal(core, end.page, settings) : end.problem;
    if (end.atFinish && refusal.empty())
        return 0;
    context.err << held.str();
    tell(context, refusal);
    if (prompts.declined() > 0)
        context.err << kAnsweredNo << '\n';
    return 1;
}

} // namespace

int runSettings(LoggerCommandContext& context, WallClock& clock, bool json)
{
    StreamPrompts prompts(context.err);
    ConnectedLogger logger(context.bridge, context.clock, prompts);
    if (!logger.readConfiguration() || !logger.isCompatible())
        return 1;
    WizardFlags flags;
    WizardCore core{logger, prompts, flags, clock};
    const LoggerSettings settings = shownSettings(core);
    context.out << (json ? settingsJson(settings) : settingsText(settings));
    return 0;
}

int runSetup(LoggerCommandContext& context, WallClock& clock, const std::string& file, bool yes, std::istream& in)
{
    const std::optional<LoggerSettings> settings = settingsFile(context, file, in);
    if (!settings)
        return 2;

    StreamPrompts prompts(context.err, yes ? StreamPrompts::Questions::AnswerYes : StreamPrompts::Questions::AnswerNo);
    ConnectedLogger logger(context.bridge, context.clock, prompts);
    if (!logger.readConfiguration() || !logger.isCompatible())
        return 1;
    std::string why;
    if (const std::string key = keyNotForType(*settings, logger.type(), why); !key.empty()) {
        context.err << "velmora-cli: \"" << key << "\": " << why << '\n';
        return 2;
    }
    if (const int refused = rehearse(context, clock, logger, *settings, yes))
        return refused;

    // As the main menu opens the set-up: the checks and warnings, the stop question
    // for a logging logger and its stop, the question about readings not downloaded.
    NoFileDialogs dialogs;
    NoProcessLauncher launcher;
    MainMenuCommands menu(logger, prompts, dialogs, launcher, {});
    const std::optional<int> entry = menu.OnSetUp();
    if (!entry) {
        if (prompts.declined() > 0)
            context.err << kAnsweredNo << '\n';
        return 1;
    }
    WizardFlags flags;
    WizardCore core{logger, prompts, flags, clock};
    const WalkEnd end = walkToFinish(core, *settings, *entry);
    if (!end.atFinish) {
        tell(context, end.problem);
        return 1;
    }
    if (!finishWithStart(core, end.page, *settings))
        return 1;
    context.out << "The Velmora USB Data Logger: " << cp1252ToUtf8(logger.config.name()) << kConfigured << '\n';
    return 0;
}

} // namespace velmora
