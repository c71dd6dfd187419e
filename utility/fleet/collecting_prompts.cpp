#include "collecting_prompts.h"

namespace velmora {

PromptAnswer CollectingPrompts::ask(const std::string& text, PromptIcon, PromptButtons buttons, PromptAnswer)
{
    if (!text_.empty())
        text_ += '\n';
    text_ += text;
    switch (buttons) {
    case PromptButtons::Ok: return PromptAnswer::Ok;
    case PromptButtons::OkCancel: return PromptAnswer::Cancel;
    default: return PromptAnswer::No;
    }
}

} // namespace velmora
