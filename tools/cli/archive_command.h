#pragma once
// velmora-cli archive: add download files to the archive, list its deployments, read a
// logger's readings back across them, give a file back byte for byte, and verify every
// stored file against its SHA-256.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// `storeOption` is --store's value when given, `serialOption` --serial's when it came
// before `archive`: list and readings take it as their own --serial (the two must
// agree), the other actions refuse it. 0 done, 1 a failure, 2 a usage error.
int runArchive(const std::optional<std::string>& storeOption, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err, const std::optional<std::string>& serialOption = std::nullopt);

// Who adds a file to the archive, and from which computer: the user's name and the
// host's, as every add records them.
std::string archiveUserName();
std::string archiveHostName();

} // namespace velmora
