#pragma once
// A file that replaces its target only when it is complete: bytes go to a temporary
// file in the target's folder, which is flushed to disk and renamed over the target
// on commit. Until then, and after any failure, an earlier file at the target is
// untouched and the temporary file is removed.
//
// The temporary file is named ".velmora-NAME.xxxxxxxx.part" (NAME the target's name,
// eight random hexadecimal digits) and locked (flock) from its creation until it is
// renamed or removed. A save that was killed leaves its file unlocked; a later save
// in the folder removes such files of this user once they are five minutes old. What
// it removes carries our marker and no one's lock, so a file of another program and a
// file a long save is still using (an export writes its file only at the end) stay.
// Files that versions before the marker left (".NAME.xxxxxxxx.part") cannot be told
// from other programs' files, and are left alone.
#include <cstddef>
#include <string>

namespace velmora {

// Writes all `size` bytes to `fd`, going on after partial and interrupted writes.
// Returns 0, or the errno of the failure (ENOSPC when the device takes nothing).
int writeAll(int fd, const void* data, std::size_t size);

// Replaces `path` with the `size` bytes at `data` through an AtomicFile. Returns 0, or
// the errno of the failure; an earlier file at `path` is then untouched.
int writeFileAtomically(const std::string& path, const void* data, std::size_t size);

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

    // The file a commit replaces: the path given, or the file a symbolic link there
    // names.
    const std::string& target() const { return target_; }
    // The temporary file, for a writer that needs a path rather than fd() (it may
    // open and truncate it). It stays locked and is removed as any other until commit.
    const std::string& temporaryPath() const { return temp_; }

private:
    bool fail(int error);
    bool flush(); // false with error() set, and the temporary file removed, on failure
    void closeCommitted();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    int error_ = 0;
};

} // namespace velmora
