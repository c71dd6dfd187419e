#pragma once
// The main menu's four commands without their window: the common opening (read the
// logger, refuse unsupported types), the warnings, the stop questions and the stop,
// and the start of the viewer on a saved file. Each logger command answers with the
// page to show next, or nothing to stay on the main menu.
//
// Given a picker, each logger command first asks which logger to work on when several
// are plugged in, and the connected logger talks to that one until the next command.
// With one plugged in, or without a picker (velmora-cli, which is given its logger),
// nothing is asked and nothing changes.
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class ConnectedLogger;
class FileDialogs;
class LoggerPicker;
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
                     std::string programFolder, OpenFolders openFolders = {}, LoggerPicker* picker = nullptr);

    std::optional<int> OnSetUp();
    std::optional<int> OnStopAndDownload();
    std::optional<int> OnCurrentStatus();
    void OnViewPreviousGraph();

private:
    bool pickLogger();
    bool chosenLoggerAttached();
    bool commonOpening();
    void entryWarnings();

    ConnectedLogger& logger_;
    Prompts& prompts_;
    FileDialogs& dialogs_;
    ProcessLauncher& launcher_;
    std::string programFolder_;
    OpenFolders openFolders_;
    LoggerPicker* picker_;
    // The serial number of the logger chosen among several, while a task works on it.
    std::optional<std::uint32_t> chosenSerial_;
};

} // namespace velmora
