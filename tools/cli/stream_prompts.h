#pragma once
// Prompts for a program without a window: every message goes to an error stream as
// the same text a message box would show. Questions are never asked from here; if
// one is, it is printed and answered No (or Cancel), so nothing is done unasked.
#include <ostream>

#include "prompts.h"

namespace velmora {

class StreamPrompts final : public Prompts {
public:
    explicit StreamPrompts(std::ostream& err) : err_(err) {}
    PromptAnswer ask(const std::string& text, PromptIcon, PromptButtons buttons) override
    {
        err_ << text << '\n';
        ++shown_;
        switch (buttons) {
        case PromptButtons::Ok: return PromptAnswer::Ok;
        case PromptButtons::OkCancel: return PromptAnswer::Cancel;
        default: return PromptAnswer::No;
        }
    }
    int shown() const { return shown_; }

private:
    std::ostream& err_;
    int shown_ = 0;
};

} // namespace velmora
