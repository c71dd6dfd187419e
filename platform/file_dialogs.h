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
};

} // namespace velmora
