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

// A temporary file of ours: "." + the target's name + "." + eight lower-case hex
// digits + ".part".
bool isOurTemporaryName(std::string_view name)
{
    constexpr std::string_view kEnd = ".part";
    constexpr std::size_t kTail = 1 + 8 + kEnd.size(); // ".xxxxxxxx.part"
    if (name.size() < 1 + 1 + kTail || name.front() != '.' || !name.ends_with(kEnd))
        return false;
    const std::string_view tail = name.substr(name.size() - kTail);
    return tail[0] == '.' && std::all_of(tail.begin() + 1, tail.begin() + 9,
                                         [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A save that was killed leaves its temporary file behind, and they would pile up:
// remove those of our own naming in `folder` that belong to this user and that no
// save has written to for a while (a save in progress keeps its file's time fresh).
// Best effort: whatever cannot be removed stays.
void removeStaleTemporaries(const std::string& folder)
{
    constexpr time_t kStaleAfterSeconds = 5 * 60;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    const uid_t me = ::geteuid();
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isOurTemporaryName(entry->d_name))
            continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(st.st_mode) && st.st_uid == me && now - st.st_mtime > kStaleAfterSeconds)
            ::unlinkat(dirFd, entry->d_name, 0);
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
    if (name.size() > 200) // leave room for the suffix within the name limit
        name = "velmora-download";
    std::random_device random;
    for (int attempt = 0; attempt < 32; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.part", static_cast<unsigned>(random()));
        temp_ = folder + "/." + name + suffix;
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
    if (exists) // the replacement keeps the permissions the file had
        ::fchmod(fd_, existing.st_mode & 07777);
    return true;
}

bool AtomicFile::close()
{
    if (fd_ < 0)
        return !temp_.empty() || fail(EBADF); // closed by an earlier commitNew
    if (::fsync(fd_) != 0)
        return fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    return closed == 0 || fail(errno);
}

bool AtomicFile::commit()
{
    if (!close())
        return false;
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temp_.clear();
    syncFolder(folderPart(target_));
    return true;
}

bool AtomicFile::commitNew(const std::string& path)
{
    if (!close())
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
    temp_.clear();
    syncFolder(folderPart(path));
    return true;
}

void AtomicFile::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

} // namespace velmora
