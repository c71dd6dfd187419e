#pragma once
// Whether two paths name one file, by what the file system says rather than by their
// spelling: "x.txt", "./x.txt", an absolute path, a symbolic link to it and a hard link
// all name the same file. A program whose output could name its own input asks this
// before it replaces anything.
#include <string>

namespace velmora {

// True when both paths (UTF-8) name an existing file, links followed, and it is the
// same file: the same device and inode. False when either does not exist.
bool sameExistingFile(const std::string& a, const std::string& b);

} // namespace velmora
