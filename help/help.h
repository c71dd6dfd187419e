#pragma once
// Opening the programs' help. Pages and the viewer ask for a help context number;
// the real implementation shows the help window, tests record the request.
namespace velmora {

class Help {
public:
    virtual ~Help() = default;
    virtual void showContents() = 0;
    // Opens the topic of `contextId` (see help_topics.h); an unknown number opens
    // the contents.
    virtual void showContext(int contextId) = 0;
};

} // namespace velmora
