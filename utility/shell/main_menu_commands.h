#pragma once
// The main menu's four commands without their window: the common opening (read the
// logger, refuse unsupported types), the warnings, the stop questions and the stop,
// and the start of the viewer on a saved file. Each logger command answers with the
// page to show next, or nothing to stay on the main menu.
#include <optional>
#include <string>

namespace velmora {

class ConnectedLogger;
class FileDialogs;
class ProcessLauncher;
class Prompts;
class Settings;

inline constexpr const char* kOpenDownloadFilter = "VelmoraUSB Download File (*.txt)|*.txt|All Files (*.*)| *.*||";

// Where View Previous Graph's dialog opens: the folder the last download was saved
// to, else the documents folder, else home. Without settings, only the last two.
struct OpenFolders {
    const Settings* settings = nullptr;
    std::string documents;
    std::string home;
};

class MainMenuCommands {
public:
    MainMenuCommands(ConnectedLogger& logger, Prompts& prompts, FileDialogs& dialogs, ProcessLauncher& launcher,
                     std::string programFolder, OpenFolders openFolders = {});

    std::optional<int> OnSetUp();
    std::optional<int> OnStopAndDownload();
    std::optional<int> OnCurrentStatus();
    void OnViewPreviousGraph();

private:
    bool commonOpening();
    void entryWarnings();

    ConnectedLogger& logger_;
    Prompts& prompts_;
    FileDialogs& dialogs_;
    ProcessLauncher& launcher_;
    std::string programFolder_;
    OpenFolders openFolders_;
};

} // namespace velmora
