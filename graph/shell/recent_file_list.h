#pragma once
// The viewer's recent-file list: the last four files opened, newest first, kept in
// the settings ("Recent File List", File1..File4) so it survives the program.
#include <cstddef>
#include <string>
#include <vector>

#include "settings.h"

namespace velmora {

class RecentFileList {
public:
    static constexpr std::size_t kSize = 4;

    explicit RecentFileList(Settings& settings);

    const std::vector<std::string>& entries() const { return entries_; }

    // `path` becomes the first entry (moved up if already listed); the oldest falls off.
    void add(const std::string& path);
    // A listed file that could not be opened leaves the list.
    void remove(const std::string& path);

private:
    void save();

    Settings& settings_;
    std::vector<std::string> entries_;
};

// The text of menu entry `index` (0-based): "&1 " and the path, shortened in the
// middle when long so the file name always shows.
std::string recentFileMenuText(std::size_t index, const std::string& path);

} // namespace velmora
