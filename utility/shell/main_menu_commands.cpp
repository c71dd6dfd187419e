#include "main_menu_commands.h"

#include "connected_logger.h"
#include "file_dialogs.h"
#include "logger_picker.h"
#include "page_switcher.h"
#include "placeholders.h"
#include "prompts.h"
#include "settings.h"
#include "start_folder.h"
#include "type_catalogue.h"
#include "utility_strings.h"
#include "viewer_launch.h"

namespace velmora {

MainMenuCommands::MainMenuCommands(ConnectedLogger& logger, Prompts& prompts, FileDialogs& dialogs,
                                   ProcessLauncher& launcher, std::string programFolder, OpenFolders openFolders,
                                   LoggerPicker* picker)
    : logger_(logger), prompts_(prompts), dialogs_(dialogs), launcher_(launcher),
      programFolder_(std::move(programFolder)), openFolders_(std::move(openFolders)), picker_(picker)
{
}

bool MainMenuCommands::pickLogger()
{
    if (!picker_)
        return true;
    chosenSerial_.reset();
    logger_.link.useDevice({}); // one logger or none: the first listed, as always
    logger_.link.listDevices();
    if (logger_.link.deviceCount() < 2)
        return true;
    const std::vector<FleetLogger> loggers = listFleet(logger_.link.bridge(), logger_.link.clock());
    if (loggers.size() < 2)
        return true;
    const std::optional<std::size_t> chosen = picker_->pick(loggers);
    if (!chosen || *chosen >= loggers.size())
        return false;
    const FleetLogger& logger = loggers[*chosen];
    logger_.link.useDevice(logger.location);
    if (logger.readable)
        chosenSerial_ = logger.config.serialNumber();
    return true;
}

bool MainMenuCommands::chosenLoggerAttached()
{
    if (!chosenSerial_)
        return true;
    logger_.link.listDevices();
    bool listed = false;
    for (int i = 0; i < logger_.link.deviceCount(); ++i)
        listed = listed || logger_.link.location(i) == logger_.link.location();
    return listed;
}

bool MainMenuCommands::commonOpening()
{
    if (!pickLogger())
        return false;
    // The logger chosen may have been pulled out while the choice was on show, or
    // another put in its place: the task stops before it has written anything.
    const auto gone = [this] {
        prompts_.warn(fillPlaceholders(utilitytext::kChosenLoggerGone, {std::to_string(*chosenSerial_)}));
        return false;
    };
    if (!chosenLoggerAttached())
        return gone();
    // Both steps show their own messages (134, 135, 139).
    if (!logger_.readConfiguration())
        return false;
    if (chosenSerial_ && logger_.config.serialNumber() != *chosenSerial_)
        return gone();
    return logger_.isCompatible();
}

void MainMenuCommands::entryWarnings()
{
    // Informational: the command goes on whatever they say.
    logger_.checkBattery();
    logger_.hasSensorFault(true);
    if (isCo(logger_.type()) && logger_.sensorLifeCheck(true).passes())
        logger_.calibrationDueCheck(true);
}

std::optional<int> MainMenuCommands::OnCurrentStatus()
{
    if (!commonOpening())
        return std::nullopt;
    return page::kStatus;
}

std::optional<int> MainMenuCommands::OnSetUp()
{
    if (!commonOpening())
        return std::nullopt;
    entryWarnings();
    const LoggerConfig& c = logger_.config;
    if (c.isLogging()) {
        const std::string_view question = c.isDelayedStartPending() ? utilitytext::kStopQuestionDelayed
                                          : c.isWaitingForButton()  ? utilitytext::kPushButtonQuestion
                                                                    : utilitytext::kStopQuestionLogging;
        if (!prompts_.askYesNo(std::string(question), PromptIcon::Question) || !logger_.stopAndWrite())
            return std::nullopt;
    } else if (c.hasUndownloadedData()) {
        if (prompts_.ask(std::string(utilitytext::kUndownloadedData), PromptIcon::Warning, PromptButtons::OkCancel,
                         PromptAnswer::Ok) != PromptAnswer::Ok)
            return std::nullopt;
    }
    return setupEntryPage(logger_.type());
}

std::optional<int> MainMenuCommands::OnStopAndDownload()
{
    if (!commonOpening())
        return std::nullopt;
    entryWarnings();
    const LoggerConfig& c = logger_.config;
    if (c.isLogging()) {
        // The push-button question keeps its set-up wording and has no icon here.
        const bool yes = c.isDelayedStartPending() ? prompts_.askYesNo(std::string(utilitytext::kStopDelayedConfirm))
                         : c.isWaitingForButton()
                             ? prompts_.askYesNo(std::string(utilitytext::kPushButtonQuestion), PromptIcon::None)
                             : prompts_.askYesNo(std::string(utilitytext::kStopConfirm));
        if (!yes || !logger_.stopAndWrite())
            return std::nullopt;
    }
    return page::kStopAndDownload;
}

void MainMenuCommands::OnViewPreviousGraph()
{
    FileDialogRequest request;
    request.title = "Open";
    request.filter = kOpenDownloadFilter;
    request.defaultSuffix = "txt";
    const OpenFolders& f = openFolders_;
    request.initialFolder = startFolder(
        {f.settings ? f.settings->value(kSettingsSection, kSavedDirectoryKey) : std::string(), f.documents, f.home});
    const std::optional<std::string> path = dialogs_.openFile(request);
    if (!path)
        return;
    launchViewer(launcher_, prompts_, programFolder_, *path);
}

} // namespace velmora
