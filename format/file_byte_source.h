#pragma once
// A download file opened for reading with sharing allowed: another program may hold
// it open, even for writing, while the viewer reads it.
#include <cstddef>
#include <string>

#include "line_reader.h"

namespace velmora {

class FileByteSource final : public ByteSource {
public:
    FileByteSource() = default;
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    // False when the file cannot be opened for reading (missing, no permission) or is
    // not a regular file (a folder, a pipe, a device). Never waits.
    bool open(const std::string& path);
    void close();

    long read(char* buffer, std::size_t size) override;

    // The size found when the file was opened.
    std::size_t sizeAtOpen() const { return size_; }
    // True when the end came before the size found at open: the file was cut short
    // while it was being read.
    bool endedEarly() const override { return total_ < size_; }

private:
    int fd_ = -1;
    std::size_t size_ = 0;
    std::size_t total_ = 0;
};

} // namespace velmora
