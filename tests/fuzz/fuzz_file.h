#pragma once
// The fuzz targets' input as a file: one file in memory for the whole run, rewritten
// for every input and read by path, as the programs read a download file.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace velmora::fuzz {

inline void check(bool ok)
{
    if (!ok)
        std::abort();
}

inline const std::string& fileHolding(std::string_view text)
{
    static const int fd = ::memfd_create("velmora-fuzz", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    check(fd >= 0 && ::ftruncate(fd, 0) == 0);
    check(::pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()));
    return path;
}

} // namespace velmora::fuzz
