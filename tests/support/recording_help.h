#pragma once
// Help requests, recorded instead of opening a window.
#include <vector>

#include "help.h"

namespace velmora::test {

class RecordingHelp final : public Help {
public:
    static constexpr int kContents = -1;
    void showContents() override { requests.push_back(kContents); }
    void showContext(int contextId) override { requests.push_back(contextId); }
    std::vector<int> requests;
};

} // namespace velmora::test
