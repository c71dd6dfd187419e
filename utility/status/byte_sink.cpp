#include "byte_sink.h"

#include <cerrno>
#include <unistd.h>

namespace velmora {

bool FdSink::write(const char* data, std::size_t size)
{
    if (error_ != 0)
        return false;
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
            return false;
        }
        if (n == 0) { // no progress and no error: treat as a full device
            error_ = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace velmora
