#include "fetch_ledger.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

#include "atomic_file.h"

namespace velmora {

namespace {

constexpr const char* kUnsaved = "unsaved";
constexpr const char* kRestarted = "restarted";

std::string line(const char* kind, const std::string& serial, const std::string& start)
{
    return std::string(kind) + ' ' + serial + ' ' + start;
}

bool startsWith(const std::string& text, const std::string& head)
{
    return text.size() >= head.size() && text.compare(0, head.size(), head) == 0;
}

// Held for one read-change-write of the file, so two fetches at once do not write
// over each other's notes.
class FileLock {
public:
    explicit FileLock(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // closing lets go of the lock
    }
    bool held() const { return fd_ >= 0; }

private:
    int fd_;
};

} // namespace

std::vector<std::string> FetchLedger::read()
{
    if (path_.empty())
        return memory_;
    std::vector<std::string> lines;
    std::ifstream in(path_);
    for (std::string text; std::getline(in, text);)
        if (!text.empty())
            lines.push_back(text);
    return lines;
}

bool FetchLedger::change(const std::function<void(std::vector<std::string>&)>& edit, std::string& error)
{
    std::lock_guard guard(mutex_);
    if (path_.empty()) {
        edit(memory_);
        return true;
    }
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    std::error_code made;
    if (!folder.empty())
        std::filesystem::create_directories(folder, made);
    FileLock lock(path_ + ".lock");
    if (!lock.held()) {
        error = std::strerror(errno);
        return false;
    }
    std::vector<std::string> lines = read();
    edit(lines);
    std::string text;
    for (const std::string& l : lines)
        text += l + '\n';
    if (const int failure = writeFileAtomically(path_, text.data(), text.size()); failure != 0) {
        error = std::strerror(failure);
        return false;
    }
    return true;
}

bool FetchLedger::noteUnsaved(const std::string& serial, const std::string& start, std::string& error)
{
    const std::string entry = line(kUnsaved, serial, start);
    return change(
        [&](std::vector<std::string>& lines) {
            if (std::find(lines.begin(), lines.end(), entry) == lines.end())
                lines.push_back(entry);
        },
        error);
}

bool FetchLedger::noteSaved(const std::string& serial, const std::string& start, std::string& error)
{
    const std::string entry = line(kUnsaved, serial, start);
    return change([&](std::vector<std::string>& lines) { std::erase(lines, entry); }, error);
}

bool FetchLedger::noteRestarted(const std::string& serial, const std::string& start, std::int64_t atSeconds,
                                std::string& error)
{
    // Only a logger's latest log can come back, so its earlier notes go.
    const std::string own = std::string(kRestarted) + ' ' + serial + ' ';
    return change(
        [&](std::vector<std::string>& lines) {
            std::erase_if(lines, [&](const std::string& l) { return startsWith(l, own); });
            lines.push_back(line(kRestarted, serial, start) + ' ' + std::to_string(atSeconds));
        },
        error);
}

bool FetchLedger::isUnsaved(const std::string& serial, const std::string& start)
{
    std::lock_guard guard(mutex_);
    const std::vector<std::string> lines = read();
    return std::find(lines.begin(), lines.end(), line(kUnsaved, serial, start)) != lines.end();
}

std::optional<std::int64_t> FetchLedger::restartedAt(const std::string& serial, const std::string& start)
{
    std::lock_guard guard(mutex_);
    const std::string head = line(kRestarted, serial, start) + ' ';
    for (const std::string& l : read()) {
        if (!startsWith(l, head))
            continue;
        std::istringstream at(l.substr(head.size()));
        std::int64_t seconds = 0;
        if (at >> seconds)
            return seconds;
    }
    return std::nullopt;
}

std::string defaultFetchLedgerPath()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return std::string(state) + "/velmora/fetch-ledger";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/state/velmora/fetch-ledger";
}

} // namespace velmora
