#include "recent_file_list.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr const char* kSection = "Recent File List";

std::string keyOf(std::size_t index) { return "File" + std::to_string(index + 1); }

} // namespace

RecentFileList::RecentFileList(Settings& settings) : settings_(settings)
{
    for (std::size_t i = 0; i < kSize; ++i) {
        const std::string path = settings_.value(kSection, keyOf(i));
        if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end())
            entries_.push_back(path);
    }
}

void RecentFileList::add(const std::string& path)
{
    if (path.empty())
        return;
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kSize)
        entries_.resize(kSize);
    save();
}

void RecentFileList::remove(const std::string& path)
{
    const auto before = entries_.size();
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
    if (entries_.size() != before)
        save();
}

void RecentFileList::save()
{
    for (std::size_t i = 0; i < kSize; ++i)
        settings_.setValue(kSection, keyOf(i), i < entries_.size() ? entries_[i] : std::string());
}

std::string recentFileMenuText(std::size_t index, const std::string& path)
{
    constexpr std::size_t kLongest = 60;
    std::string shown = path;
    if (shown.size() > kLongest) {
        const std::size_t slash = path.find_last_of('/');
        const std::string name = slash == std::string::npos ? path : path.substr(slash);
        const std::size_t head = name.size() + 3 < kLongest ? kLongest - name.size() - 3 : 0;
        shown = path.substr(0, head) + "..." + name;
    }
    // A '&' in a path would otherwise underline the next letter.
    std::string escaped;
    for (char c : shown) {
        if (c == '&')
            escaped += '&';
        escaped += c;
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}

} // namespace velmora
