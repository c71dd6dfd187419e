#include "file_byte_source.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

FileByteSource::~FileByteSource() { close(); }

bool FileByteSource::open(const std::string& path)
{
    close();
    // Without waiting: a FIFO with no writer would hold a blocking open for ever.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        return false;
    // A download file is a regular file. A pipe, a socket or a device (/dev/zero is
    // endless) is refused before anything is read.
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        close();
        return false;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    size_ = static_cast<std::size_t>(st.st_size);
    total_ = 0;
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    return true;
}

void FileByteSource::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

long FileByteSource::read(char* buffer, std::size_t size)
{
    if (fd_ < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n > 0)
            total_ += static_cast<std::size_t>(n);
        return static_cast<long>(n);
    }
}

} // namespace velmora
