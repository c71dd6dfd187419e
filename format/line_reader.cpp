#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace velmora {

long MemoryByteSource::read(char* buffer, std::size_t size)
{
    const std::size_t n = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return static_cast<long>(n);
}

LineReader::LineReader(ByteSource& source, std::size_t blockSize, std::size_t maxLineLength)
    : source_(source), maxLine_(maxLineLength), buffer_(std::max<std::size_t>(blockSize, 16))
{
}

bool LineReader::fill()
{
    if (atEnd_ || failed_)
        return false;
    // Keep the unfinished line: move it to the front, and grow the block only when a
    // single line fills all of it.
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    const long n = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (n < 0) {
        failed_ = true;
        return false;
    }
    if (n == 0) {
        atEnd_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(n);
    return true;
}

LineReader::Status LineReader::next(std::string_view& line)
{
    std::size_t searched = begin_;
    for (;;) {
        const void* nl = std::memchr(buffer_.data() + searched, '\n', end_ - searched);
        if (nl) {
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(nl) - buffer_.data());
            std::size_t lineEnd = at;
            if (lineEnd > begin_ && buffer_[lineEnd - 1] == '\r')
                --lineEnd;
            if (lineEnd - begin_ > maxLine_)
                return Status::TooLong;
            line = std::string_view(buffer_.data() + begin_, lineEnd - begin_);
            consumed_ += at + 1 - begin_;
            begin_ = at + 1;
            return Status::Line;
        }
        const std::size_t pending = end_ - begin_;
        // Past the cap with no line end in sight (a CR that may end the line counts
        // for nothing yet): stop before the buffer grows again.
        if (pending > maxLine_ + 1 || (pending == maxLine_ + 1 && buffer_[end_ - 1] != '\r'))
            return Status::TooLong;
        if (!fill()) {
            if (failed_)
                return Status::ReadError;
            if (begin_ == end_)
                return Status::End;
            // The last line had no line end.
            std::size_t lineEnd = end_;
            if (buffer_[lineEnd - 1] == '\r')
                --lineEnd;
            if (lineEnd - begin_ > maxLine_)
                return Status::TooLong;
            line = std::string_view(buffer_.data() + begin_, lineEnd - begin_);
            consumed_ += end_ - begin_;
            begin_ = end_;
            unterminated_ = true;
            return Status::Line;
        }
        searched = begin_ + pending; // fill() moved the pending bytes to the front
    }
}

} // namespace velmora
