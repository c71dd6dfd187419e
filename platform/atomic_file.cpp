#include "atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

// The folder and name parts of a local path ('/' separates; nothing else does here).
std::string folderPart(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string namePart(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link is followed, so the file it names is replaced and the link kept.
std::string resolvedTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string target(real);
            std::free(real);
            return target;
        }
    }
    return path;
}

// The marker that makes a temporary file ours: no other program names its files so.
constexpr std::string_view kTemporaryPrefix = ".velmora-";
constexpr std::string_view kTemporaryEnd = ".part";
// A target's name longer than this is not repeated in the temporary file's name,
// which must stay within the file system's limit of 255 bytes.
constexpr std::size_t kLongestNameKept = 200;
constexpr time_t kStaleAfterSeconds = 5 * 60;

// ".velmora-" + a name + "." + eight lower-case hex digits + ".part".
bool isOurTemporaryName(std::string_view name)
{
    constexpr std::size_t kTail = 1 + 8 + kTemporaryEnd.size(); // ".xxxxxxxx.part"
    if (name.size() < kTemporaryPrefix.size() + 1 + kTail || !name.starts_with(kTemporaryPrefix) ||
        !name.ends_with(kTemporaryEnd))
        return false;
    const std::string_view tail = name.substr(name.size() - kTail);
    return tail[0] == '.' && std::all_of(tail.begin() + 1, tail.begin() + 9,
                                         [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Removes `name` when a killed save left it: this user's regular file, untouched for
// a while (a save that has only just created its file may not hold the lock yet),
// and locked by no one (a save in progress holds the lock however long it leaves the
// file untouched). A file whose lock cannot be tested stays.
void removeIfStale(int dirFd, const char* name, uid_t me, time_t now)
{
    struct stat seen {};
    if (::fstatat(dirFd, name, &seen, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (!S_ISREG(seen.st_mode) || seen.st_uid != me || now - seen.st_mtime <= kStaleAfterSeconds)
        return;
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened {};
    // Still the file looked at, and ours to remove: the lock is held while it goes.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && opened.st_dev == seen.st_dev &&
        opened.st_ino == seen.st_ino)
        ::unlinkat(dirFd, name, 0);
    ::close(fd);
}

// A save that was killed leaves its temporary file behind, and they would pile up:
// remove those in `folder` that no save is using any more. Best effort: whatever
// cannot be removed stays.
void removeStaleTemporaries(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    const uid_t me = ::geteuid();
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (isOurTemporaryName(entry->d_name))
            removeIfStale(dirFd, entry->d_name, me, now);
    }
    ::closedir(dir);
}

void syncFolder(const std::string& folder)
{
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir); // best effort: the rename itself has already happened
        ::close(dir);
    }
}

} // namespace

int writeAll(int fd, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0) // no progress and no error: treat as a full device
            return ENOSPC;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int writeFileAtomically(const std::string& path, const void* data, std::size_t size)
{
    AtomicFile file;
    if (!file.create(path))
        return file.error();
    if (const int failure = writeAll(file.fd(), data, size); failure != 0)
        return failure; // the file's destructor removes the temporary file
    return file.commit() ? 0 : file.error();
}

bool AtomicFile::fail(int error)
{
    error_ = error != 0 ? error : EIO;
    discard();
    return false;
}

bool AtomicFile::create(const std::string& path)
{
    discard();
    error_ = 0;
    if (path.empty())
        return fail(ENOENT);
    target_ = resolvedTarget(path);

    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(existing.st_mode))
            return fail(EINVAL); // never rename over a device, a pipe or a socket
        if (::access(target_.c_str(), W_OK) != 0)
            return fail(errno); // a read-only file stays read-only
    }

    const std::string folder = folderPart(target_);
    removeStaleTemporaries(folder);
    std::string name = namePart(target_);
    if (name.size() > kLongestNameKept)
        name = "download";
    std::random_device random;
    for (int attempt = 0; attempt < 32; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
        temp_ = folder + "/" + std::string(kTemporaryPrefix) + name + suffix + std::string(kTemporaryEnd);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            break;
        if (errno != EEXIST) {
            const int error = errno;
            temp_.clear();
            return fail(error);
        }
    }
    if (fd_ < 0) {
        temp_.clear();
        return fail(EEXIST);
    }
    // Held until the file is renamed or removed, to tell the clean-up of other saves
    // that this one is running. On a file system without locks only its age keeps it
    // from them.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    if (exists) // the replacement keeps the permissions the file had
        ::fchmod(fd_, existing.st_mode & 07777);
    return true;
}

bool AtomicFile::flush()
{
    if (fd_ < 0)
        return fail(EBADF);
    return ::fsync(fd_) == 0 || fail(errno);
}

// The temporary file has its final name: closing it (and its lock) is all that is
// left. Its bytes are on the disk already, so a failing close loses nothing.
void AtomicFile::closeCommitted()
{
    temp_.clear();
    ::close(fd_);
    fd_ = -1;
}

bool AtomicFile::commit()
{
    // Renamed while still open, so the lock covers the temporary file until its name
    // is gone.
    if (!flush())
        return false;
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    closeCommitted();
    syncFolder(folderPart(target_));
    return true;
}

bool AtomicFile::commitNew(const std::string& path)
{
    if (!flush())
        return false;
    int result = ::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without the no-replace rename: a hard link never replaces either.
        result = ::link(temp_.c_str(), path.c_str());
        if (result == 0)
            ::unlink(temp_.c_str());
    }
    if (result != 0) {
        if (errno != EEXIST)
            return fail(errno);
        error_ = EEXIST;
        return false;
    }
    closeCommitted();
    syncFolder(folderPart(path));
    return true;
}

void AtomicFile::discard()
{
    // Removed before it is closed, while the lock still says it is in use.
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace velmora
