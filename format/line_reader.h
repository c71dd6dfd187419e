#pragma once
// Lines of a download file without copying them: bytes are read in large blocks and
// each line is handed out as a view into the block. Line ends are "\n" or "\r\n"
// (removed); a last line without a line end still counts.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Where the bytes come from: a file, or memory in tests and the fuzz target.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `buffer`; 0 at the end; -1 on a read error.
    virtual long read(char* buffer, std::size_t size) = 0;
    // True when the end came sooner than the source had promised (a file cut short
    // while it was being read).
    virtual bool endedEarly() const { return false; }
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    long read(char* buffer, std::size_t size) override;

private:
    std::string_view bytes_;
};

class LineReader {
public:
    // The longest line handed out, its line end not counted. The writer's lines are
    // under 2 KB; without a cap one endless line (a device, a damaged file) would
    // take all memory.
    static constexpr std::size_t kMaxLineLength = std::size_t{1} << 20;

    explicit LineReader(ByteSource& source, std::size_t blockSize = 1 << 20,
                        std::size_t maxLineLength = kMaxLineLength);

    // TooLong: a line passed the cap; nothing more is read after it.
    enum class Status { Line, End, ReadError, TooLong };
    // The next line; the view stays valid until the next call.
    Status next(std::string_view& line);

    // Bytes handed out so far, line ends included.
    std::size_t consumed() const { return consumed_; }
    // The line handed out last ended at the end of the bytes without a line feed.
    bool lastLineUnterminated() const { return unterminated_; }

private:
    bool fill(); // false at the end of the source or on an error

    ByteSource& source_;
    std::size_t maxLine_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0; // first byte not yet handed out
    std::size_t end_ = 0;   // end of the bytes read
    std::size_t consumed_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
    bool unterminated_ = false;
};

} // namespace velmora
