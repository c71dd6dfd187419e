#pragma once
// Starting another program (the graph viewer, the desktop's text editor) without
// waiting for it. Arguments are passed as a list, never through a shell, so any
// path arrives intact.
#include <string>
#include <vector>

namespace velmora {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Returns false when the program could not be started.
    virtual bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                               const std::string& workingFolder) = 0;
    // Shows `folder` in the desktop's file manager; false when nothing could show it.
    // By default through the desktop's opener, xdg-open.
    virtual bool openFolder(const std::string& folder) { return startDetached("xdg-open", {folder}, folder); }
};

} // namespace velmora
