#pragma once
#include "../process_launcher.h"

namespace velmora {

// QProcess::startDetached with an argument list: no shell ever sees the path.
class QtProcessLauncher : public ProcessLauncher {
public:
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingFolder) override;
};

} // namespace velmora
