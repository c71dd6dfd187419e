#pragma once
// Prompts for tests: every message is recorded, and each one must have been announced
// with expect() beforehand, in order. An unexpected message, or one with another text
// or icon, fails the test at once; an announced message that never came fails it when
// the prompts go out of scope. A test can also act while a box is up (pull the logger
// out, say) through afterAnswer.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "prompts.h"

namespace velmora::test {

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        std::string text;
        PromptIcon icon;
        PromptButtons buttons;
        PromptAnswer defaultButton; // the button Return presses
    };

    ~ScriptedPrompts() override { expectAllShown(); }

    // The next message is `text` (with `icon` when given); the user answers `answer`.
    ScriptedPrompts& expect(std::string text, PromptAnswer answer = PromptAnswer::Ok,
                            std::optional<PromptIcon> icon = std::nullopt)
    {
        script_.push_back(Step{std::move(text), answer, icon});
        return *this;
    }
    // The same, for a text of the string tables.
    ScriptedPrompts& expectMsg(std::string_view text, PromptAnswer answer = PromptAnswer::Ok,
                               std::optional<PromptIcon> icon = std::nullopt)
    {
        return expect(std::string(text), answer, icon);
    }

    PromptAnswer ask(const std::string& text, PromptIcon icon, PromptButtons buttons,
                     PromptAnswer defaultButton) override
    {
        shown_.push_back(Shown{text, icon, buttons, defaultButton});
        const PromptAnswer answer = next(text, icon, buttons);
        if (afterAnswer) {
            const std::function<void(const std::string&)> hook = afterAnswer; // the hook may clear itself
            hook(text);
        }
        return answer;
    }

    // Runs after each answer, as if the user did something while the box was up.
    std::function<void(const std::string&)> afterAnswer;

    const std::vector<Shown>& shown() const { return shown_; }
    std::size_t pending() const { return script_.size(); }

    void expectAllShown()
    {
        for (const Step& s : script_)
            ADD_FAILURE() << "expected message never shown: \"" << s.text << "\"";
        script_.clear();
    }

private:
    struct Step {
        std::string text;
        PromptAnswer answer;
        std::optional<PromptIcon> icon;
    };

    PromptAnswer next(const std::string& text, PromptIcon icon, PromptButtons buttons)
    {
        if (script_.empty()) {
            ADD_FAILURE() << "unexpected message: \"" << text << "\"";
            return fallback(buttons);
        }
        const Step step = script_.front();
        script_.pop_front();
        EXPECT_EQ(text, step.text) << "a different message was shown";
        if (step.icon) {
            EXPECT_EQ(static_cast<int>(icon), static_cast<int>(*step.icon)) << "wrong icon for \"" << text << "\"";
        }
        return step.answer;
    }

    static PromptAnswer fallback(PromptButtons buttons)
    {
        switch (buttons) {
        case PromptButtons::Ok: return PromptAnswer::Ok;
        case PromptButtons::YesNo: return PromptAnswer::No;
        default: return PromptAnswer::Cancel;
        }
    }

    std::deque<Step> script_;
    std::vector<Shown> shown_;
};

} // namespace velmora::test
