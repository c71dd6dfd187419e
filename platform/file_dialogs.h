#pragma once
// The common file dialogs. An empty optional means the user cancelled.
#include <optional>
#include <string>

namespace velmora {

struct FileDialogRequest {
    std::string title;
    std::string initialFolder; // UTF-8 path; empty = the dialog's own choice
    std::string suggestedName; // file name only
    std::string filter;        // "Description (*.txt)|*.txt|All Files (*.*)| *.*||" style
    std::string defaultSuffix; // "txt"
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Open: only an existing file can be chosen.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // Save as: asks before overwriting an existing file.
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    // A folder: only an existing one can be chosen; the filter and names are not used.
    // Programs without windows never ask for one, so their seams need not answer: by
    // default the dialog is cancelled.
    virtual std::optional<std::string> chooseFolder(const FileDialogRequest& /*request*/) { return std::nullopt; }
};

} // namespace velmora
