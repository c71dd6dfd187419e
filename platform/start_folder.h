#pragma once
// The folder a file dialog opens in. Left to itself a dialog opens in the process's
// working folder, which means nothing to a user who started the program from a menu;
// each dialog names the folders it would rather open in, best first.
#include <string>
#include <vector>

namespace velmora {

// The first of `candidates` (UTF-8 paths) that names an existing folder; empty when
// none does.
std::string startFolder(const std::vector<std::string>& candidates);

} // namespace velmora
