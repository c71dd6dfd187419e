#pragma once
// A file that replaces its target only when it is complete: bytes go to a temporary
// file in the target's folder, which is flushed to disk and renamed over the target
// on commit. Until then, and after any failure, an earlier file at the target is
// untouched and the temporary file is removed. Temporary files that a killed save
// left in the folder are removed when a later save starts there.
#include <cstddef>
#include <string>

namespace velmora {

// Writes all `size` bytes to `fd`, going on after partial and interrupted writes.
// Returns 0, or the errno of the failure (ENOSPC when the device takes nothing).
int writeAll(int fd, const void* data, std::size_t size);

class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() { discard(); }

    // Creates the temporary file for `path`. False, with error() set, when the target
    // could not be written: a missing or unwritable folder, an existing target that
    // is a folder or a device, or one we may not write.
    bool create(const std::string& path);
    int fd() const { return fd_; }
    // Flushes, closes and renames over the target. False, with error() set and the
    // temporary file removed, when any of that fails.
    bool commit();
    // Flushes, closes and gives the finished file the name `path` (on the target's
    // file system) instead of the target's, only while nothing has that name: nothing
    // is ever replaced. False with error() EEXIST when something has it; the file is then
    // kept, so another name can be tried. Any other failure removes it.
    bool commitNew(const std::string& path);
    // Drops the temporary file; the target stays as it was.
    void discard();
    int error() const { return error_; }

private:
    bool fail(int error);
    bool close(); // flushes and closes once; false with error() set on failure

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    int error_ = 0;
};

} // namespace velmora
