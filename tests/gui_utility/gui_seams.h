#pragma once
// Scripted stand-ins for the seams the utility's windows use: file dialogs that
// answer from a script, a launcher that records what it was asked to start,
// settings in memory and a fixed date format.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "file_dialogs.h"
#include "locale_format.h"
#include "process_launcher.h"
#include "settings.h"

namespace velmora::test {

class ScriptedFileDialogs final : public FileDialogs {
public:
    // The next dialog returns `path`, or is cancelled when nullopt.
    void answer(std::optional<std::string> path) { script_.push_back(std::move(path)); }

    std::optional<std::string> openFile(const FileDialogRequest& request) override { return next("open", request); }
    std::optional<std::string> saveFile(const FileDialogRequest& request) override { return next("save", request); }

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

class RecordingLauncher final : public ProcessLauncher {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingFolder;
        bool operator==(const Start&) const = default;
    };
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingFolder) override
    {
        starts.push_back(Start{program, arguments, workingFolder});
        return succeeds;
    }
    bool succeeds = true;
    std::vector<Start> starts;
};

class MemorySettings final : public Settings {
public:
    std::string value(const std::string& section, const std::string& key, const std::string& fallback) const override
    {
        const auto it = values.find(section + "/" + key);
        return it == values.end() ? fallback : it->second;
    }
    void setValue(const std::string& section, const std::string& key, const std::string& value) override
    {
        values[section + "/" + key] = value;
    }
    std::map<std::string, std::string> values;
};

// Day/month/year and a 24-hour clock, whatever the machine's locale.
class FixedLocale final : public LocaleFormat {
public:
    std::string shortDate(const CivilTime& t) const override { return format("%02d/%02d/%04d", t.day, t.month, t.year); }
    std::string shortTime(const CivilTime& t) const override
    {
        return format("%02d:%02d:%02d", t.hour, t.minute, t.second);
    }

private:
    static std::string format(const char* pattern, int a, int b, int c)
    {
        char text[32];
        std::snprintf(text, sizeof text, pattern, a, b, c);
        return text;
    }
};

} // namespace velmora::test
