#pragma once
// Prompts for a program without a window: every message goes to an error stream as
// the same text a message box would show. A question is printed too and answered No
// (or Cancel), so nothing is done unasked; only a command told so up front (setup
// --yes) has its questions answered Yes (or OK), and says so under each one.
#include <ostream>

#include "prompts.h"

namespace velmora {

class StreamPrompts final : public Prompts {
public:
    enum class Questions { AnswerNo, AnswerYes };

    explicit StreamPrompts(std::ostream& err, Questions questions = Questions::AnswerNo)
        : err_(err), yes_(questions == Questions::AnswerYes)
    {
    }

    PromptAnswer ask(const std::string& text, PromptIcon, PromptButtons buttons, PromptAnswer) override
    {
        err_ << text << '\n';
        ++shown_;
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        if (yes_) {
            const bool ok = buttons == PromptButtons::OkCancel;
            err_ << (ok ? "--yes answers OK.\n" : "--yes answers Yes.\n");
            return ok ? PromptAnswer::Ok : PromptAnswer::Yes;
        }
        ++declined_;
        return buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel : PromptAnswer::No;
    }

    int shown() const { return shown_; }
    // Questions answered No or Cancel.
    int declined() const { return declined_; }

private:
    std::ostream& err_;
    bool yes_;
    int shown_ = 0;
    int declined_ = 0;
};

} // namespace velmora
