#pragma once
// A process launcher that records what it was asked to start and reports success
// or, when told to, failure.
#include <string>
#include <vector>

#include "process_launcher.h"

namespace velmora::test {

class RecordingLauncher final : public ProcessLauncher {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingFolder;
        bool operator==(const Start&) const = default;
    };
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingFolder) override
    {
        starts.push_back(Start{program, arguments, workingFolder});
        return succeeds;
    }
    bool openFolder(const std::string& folder) override
    {
        openedFolders.push_back(folder);
        return succeeds;
    }
    bool succeeds = true;
    std::vector<Start> starts;
    std::vector<std::string> openedFolders;
};

} // namespace velmora::test
