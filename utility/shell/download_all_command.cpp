#include "download_all_command.h"

#include <algorithm>

#include "file_dialogs.h"
#include "fleet_download_job.h"
#include "placeholders.h"
#include "process_launcher.h"
#include "prompts.h"
#include "settings.h"
#include "start_folder.h"
#include "utility_strings.h"

namespace velmora {

std::vector<FleetOutcome> downloadAllLoggers(const DownloadAllSeams& s, DownloadAllDisplay& display)
{
    std::vector<FleetLogger> loggers = listFleet(s.bridge, s.clock);
    if (loggers.empty()) {
        s.prompts.warn(std::string(utilitytext::kNoLogger));
        return {};
    }

    FileDialogRequest request;
    request.title = utilitytext::kDownloadAllTitle;
    const std::string remembered = s.settings.value(kSettingsSection, kSavedDirectoryKey);
    request.initialFolder = startFolder({remembered, s.documentsFolder, s.homeFolder});
    const std::optional<std::string> folder = s.dialogs.chooseFolder(request);
    if (!folder || folder->empty())
        return {};
    // Remembered at once, as a single download's folder is.
    s.settings.setValue(kSettingsSection, kSavedDirectoryKey, *folder);

    DownloadPlan plan;
    plan.folder = *folder;
    const auto logging = std::count_if(loggers.begin(), loggers.end(),
                                       [](const FleetLogger& l) { return l.readable && l.config.isLogging(); });
    if (logging > 0) {
        // A stray Return must not end anybody's log.
        const PromptAnswer answer = s.prompts.ask(
            fillPlaceholders(utilitytext::kLoggersLogging, {std::to_string(logging), std::to_string(loggers.size())}),
            PromptIcon::Question, PromptButtons::YesNoCancel, PromptAnswer::No);
        if (answer == PromptAnswer::Cancel)
            return {};
        plan.stopFirst = answer == PromptAnswer::Yes;
    }

    FleetDownloadJob job(s.bridge, s.clock, std::move(loggers), std::move(plan));
    display.run(job, *folder);
    std::vector<FleetOutcome> outcomes = job.wait();
    if (std::any_of(outcomes.begin(), outcomes.end(), savedAFile) && !s.launcher.openFolder(*folder))
        s.prompts.warn(fillPlaceholders(utilitytext::kFolderNotShown, {*folder}));
    return outcomes;
}

} // namespace velmora
