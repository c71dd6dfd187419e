#pragma once
// Where written bytes go: a file descriptor, or memory for tests and previews.
#include <cstddef>
#include <string>

namespace velmora {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Stores all `size` bytes or reports false; after a false nothing more is stored.
    virtual bool write(const char* data, std::size_t size) = 0;
};

class StringSink final : public ByteSink {
public:
    bool write(const char* data, std::size_t size) override
    {
        bytes.append(data, size);
        return true;
    }
    std::string bytes;
};

// Writes to an open file descriptor, which it does not own; retries partial and
// interrupted writes and keeps the errno of a failure.
class FdSink final : public ByteSink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    bool write(const char* data, std::size_t size) override;
    int error() const { return error_; }

private:
    int fd_;
    int error_ = 0;
};

} // namespace velmora
