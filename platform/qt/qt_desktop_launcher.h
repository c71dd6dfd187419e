#pragma once
#include "qt_process_launcher.h"

namespace velmora {

// The launcher of a program with windows: folders are shown through QDesktopServices,
// the desktop's own way (a portal, the file manager the user chose).
class QtDesktopLauncher final : public QtProcessLauncher {
public:
    bool openFolder(const std::string& folder) override;
};

} // namespace velmora
