#pragma once
// File dialogs that answer from a script: each dialog takes the next path, or is
// cancelled. A dialog nobody scripted fails the test; every request is recorded.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "file_dialogs.h"

namespace velmora::test {

class ScriptedFileDialogs final : public FileDialogs {
public:
    // The next dialog returns `path`, or is cancelled when nullopt.
    void answer(std::optional<std::string> path) { script_.push_back(std::move(path)); }

    std::optional<std::string> openFile(const FileDialogRequest& request) override { return next("open", request); }
    std::optional<std::string> saveFile(const FileDialogRequest& request) override { return next("save", request); }
    std::optional<std::string> chooseFolder(const FileDialogRequest& request) override
    {
        return next("folder", request);
    }

    struct Call {
        std::string kind;
        FileDialogRequest request;
    };
    std::vector<Call> calls;

private:
    std::optional<std::string> next(const char* kind, const FileDialogRequest& request)
    {
        calls.push_back(Call{kind, request});
        if (script_.empty()) {
            ADD_FAILURE() << "unexpected " << kind << " dialog";
            return std::nullopt;
        }
        std::optional<std::string> answer = script_.front();
        script_.pop_front();
        return answer;
    }
    std::deque<std::optional<std::string>> script_;
};

} // namespace velmora::test
