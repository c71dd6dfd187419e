#pragma once
// The file dialogs and the process start of a program without a window, for the
// main menu's commands velmora-cli reuses. None of those it runs opens a dialog or
// starts a program; if one ever did, it would get a cancelled dialog and a start that
// failed, never a silent success.
#include "file_dialogs.h"
#include "process_launcher.h"

namespace velmora {

class NoFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
};

class NoProcessLauncher final : public ProcessLauncher {
public:
    bool startDetached(const std::string&, const std::vector<std::string>&, const std::string&) override
    {
        return false;
    }
};

} // namespace velmora
