#include "byte_sink.h"

#include "atomic_file.h"

namespace velmora {

bool FdSink::write(const char* data, std::size_t size)
{
    if (error_ != 0)
        return false;
    error_ = writeAll(fd_, data, size);
    return error_ == 0;
}

} // namespace velmora
