#pragma once
// "OK" on the stop page without its window: download the readings, ask where to
// save them, remember that folder, write the download file. The page wraps it in a
// wait cursor and a progress dialog and then starts the viewer or the editor.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "logger_link.h"
#include "settings.h"

namespace velmora {

class ConnectedLogger;
class FileDialogs;
class Prompts;

inline constexpr const char* kDownloadFilter = "Velmora USB Download File (*.txt)|*.txt|All Files (*.*)| *.*||";
inline constexpr const char* kNoFileSelected = "Error:  No file selected.";

class StopDownloadFlow {
public:
    StopDownloadFlow(ConnectedLogger& logger, std::vector<float>& readings, Prompts& prompts, FileDialogs& dialogs,
                     Settings& settings, std::string documentsFolder, std::string homeFolder = {});

    // Re-reads the record and every reading. The link has shown its message when
    // this fails. When `progress` answers false (the user's Cancel) the download stops
    // after that block, the readings are dropped and the user is told that nothing
    // was saved; the logger is left as it is, stopped.
    bool download(const LoggerLink::Progress& progress = {});

    // The folder the save dialog opens in: the remembered one while it exists, else
    // the documents folder, else (a desktop without one) the home folder.
    std::string initialFolder() const;

    // Asks for the file and writes it. `busy(true)` and `busy(false)` bracket the
    // write, so the page can show its wait cursor. Returns the path of a written
    // file (also one that came out empty), nothing when no file was written; every
    // failure has shown its message.
    std::optional<std::string> save(const std::function<void(bool)>& busy = {});

private:
    ConnectedLogger& logger_;
    std::vector<float>& readings_;
    Prompts& prompts_;
    FileDialogs& dialogs_;
    Settings& settings_;
    std::string documentsFolder_;
    std::string homeFolder_;
};

} // namespace velmora
