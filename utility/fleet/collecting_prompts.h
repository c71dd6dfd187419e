#pragma once
// Prompts for one logger among many: nobody is there to answer, so every message is
// kept as that logger's outcome text and every question is answered No (or Cancel),
// so nothing is done unasked. Safe to use from the thread working on that logger.
#include <string>

#include "prompts.h"

namespace velmora {

class CollectingPrompts final : public Prompts {
public:
    PromptAnswer ask(const std::string& text, PromptIcon, PromptButtons buttons, PromptAnswer) override;

    // The messages shown so far, one per line.
    const std::string& text() const { return text_; }
    bool empty() const { return text_.empty(); }

private:
    std::string text_;
};

} // namespace velmora
