#include "stop_download_flow.h"

#include "connected_logger.h"
#include "download_task.h"
#include "file_dialogs.h"
#include "prompts.h"
#include "settings.h"
#include "start_folder.h"
#include "text_encoding.h"
#include "utility_strings.h"

namespace velmora {

StopDownloadFlow::StopDownloadFlow(ConnectedLogger& logger, std::vector<float>& readings, Prompts& prompts,
                                   FileDialogs& dialogs, Settings& settings, std::string documentsFolder,
                                   std::string homeFolder)
    : logger_(logger), readings_(readings), prompts_(prompts), dialogs_(dialogs), settings_(settings),
      documentsFolder_(std::move(documentsFolder)), homeFolder_(std::move(homeFolder))
{
}

bool StopDownloadFlow::download(const LoggerLink::Progress& progress)
{
    bool cancelled = false;
    const LoggerLink::Progress watched = [&](std::size_t done, std::size_t total) {
        cancelled = progress && !progress(done, total);
        return !cancelled;
    };
    if (logger_.downloadReadings(readings_, watched))
        return true;
    if (cancelled) {
        readings_.clear();
        prompts_.ask(std::string(utilitytext::kDownloadCancelled), PromptIcon::Information, PromptButtons::Ok,
                     PromptAnswer::Ok);
    }
    return false;
}

std::string StopDownloadFlow::initialFolder() const
{
    const std::string folder =
        startFolder({settings_.value(kSettingsSection, kSavedDirectoryKey), documentsFolder_, homeFolder_});
    // With none of them there, the documents folder as before: the dialog shows its own.
    return folder.empty() ? documentsFolder_ : folder;
}

std::optional<std::string> StopDownloadFlow::save(const std::function<void(bool)>& busy)
{
    FileDialogRequest request;
    request.title = "Save As";
    request.initialFolder = initialFolder();
    // Logger names are Windows-1252; the dialog and the file system take UTF-8.
    request.suggestedName = cp1252ToUtf8(suggestedFileName(logger_.config.name()));
    request.filter = kDownloadFilter;
    request.defaultSuffix = "txt";
    const std::optional<std::string> chosen = dialogs_.saveFile(request);
    if (!chosen) {
        prompts_.warn(std::string(utilitytext::kDataMayNotBeSaved));
        return std::nullopt;
    }

    // Remembered at once: the next download opens here even if this one fails.
    settings_.setValue(kSettingsSection, kSavedDirectoryKey, folderOf(*chosen));
    if (chosen->empty()) {
        prompts_.warn(kNoFileSelected);
        return std::nullopt;
    }

    if (busy)
        busy(true);
    const SaveOutcome outcome = saveDownloadFile(*chosen, logger_, readings_);
    if (busy)
        busy(false);
    if (!outcome.message.empty())
        prompts_.warn(outcome.message);
    if (!outcome.fileWritten())
        return std::nullopt;
    return chosen;
}

} // namespace velmora
