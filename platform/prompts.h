#pragma once
// Every modal message, question and its answer goes through Prompts, so that the
// model and the pages never talk to a window system directly and tests can script
// the answers.
#include <string>

namespace velmora {

// None: a box with no icon at all (one question is asked that way).
enum class PromptIcon { Warning, Question, Stop, Information, None };
enum class PromptButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

// The button Return presses: the first one (OK or Yes), unless a question must not be
// accepted by a reflex key.
inline PromptAnswer firstButton(PromptButtons buttons)
{
    return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel ? PromptAnswer::Ok : PromptAnswer::Yes;
}

class Prompts {
public:
    virtual ~Prompts() = default;
    // text is UTF-8; the implementation adds the program's caption. `defaultButton` is
    // one of `buttons`.
    virtual PromptAnswer ask(const std::string& text, PromptIcon icon, PromptButtons buttons,
                             PromptAnswer defaultButton) = 0;

    // A plain OK box with the warning icon, the default for messages.
    void warn(const std::string& text) { ask(text, PromptIcon::Warning, PromptButtons::Ok, PromptAnswer::Ok); }
    void stop(const std::string& text) { ask(text, PromptIcon::Stop, PromptButtons::Ok, PromptAnswer::Ok); }
    bool askYesNo(const std::string& text, PromptIcon icon = PromptIcon::Question,
                  PromptAnswer defaultButton = PromptAnswer::Yes)
    {
        return ask(text, icon, PromptButtons::YesNo, defaultButton) == PromptAnswer::Yes;
    }
};

} // namespace velmora
