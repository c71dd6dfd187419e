#pragma once
// Walks the comma-separated fields of one line the way the download file has always
// been read: a run of commas is one separator and leading commas are skipped, so an
// empty field never appears; spaces stay part of their field. Once the fields are
// used up, every further request yields an empty text and reports the end.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "number_text.h"

namespace velmora {

// Whether the `length` (8 or more) bytes at `p` hold a comma: a word at a time at
// fixed places, the last word overlapping the one before.
inline bool holdsComma(const char* p, std::size_t length)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kCommas = kOnes * ',';
    const auto zeroByte = [](const char* at) {
        std::uint64_t w;
        std::memcpy(&w, at, sizeof w);
        const std::uint64_t x = w ^ kCommas; // a zero byte where a comma is
        return (x - kOnes) & ~x & (kOnes << 7);
    };
    std::uint64_t found = zeroByte(p + length - 8);
    for (std::size_t i = 0; i + 8 < length; i += 8)
        found |= zeroByte(p + i);
    return found != 0;
}

class FieldCursor {
public:
    explicit FieldCursor(std::string_view line) : p_(line.data()), end_(line.data() + line.size()) {}

    // The next field, or false (and an empty text) when none is left.
    bool next(std::string_view& field)
    {
        while (p_ != end_ && *p_ == ',')
            ++p_;
        if (p_ == end_) {
            field = {};
            return false;
        }
        const char* start = p_;
        const void* comma = std::memchr(p_, ',', static_cast<std::size_t>(end_ - p_));
        p_ = comma ? static_cast<const char*>(comma) : end_;
        field = std::string_view(start, static_cast<std::size_t>(p_ - start));
        if (p_ != end_)
            ++p_; // past the comma that ended the field
        return true;
    }

    // Skips one field; false when none was left.
    bool skip()
    {
        while (p_ != end_ && *p_ == ',')
            ++p_;
        if (p_ == end_)
            return false;
        while (p_ != end_ && *p_ != ',')
            ++p_;
        if (p_ != end_)
            ++p_;
        return true;
    }

    // Skips one field, without a scan when it is `length` bytes (8 or more) followed
    // by a comma, as a reading line's time stamp is; false when no field was left.
    bool skip(std::size_t length)
    {
        if (length >= 8 && static_cast<std::size_t>(end_ - p_) > length && p_[length] == ',' &&
            !holdsComma(p_, length)) {
            p_ += length + 1;
            return true;
        }
        return skip();
    }

    // Moves past `n` bytes known to be whole fields, each with its comma.
    void advance(std::size_t n) { p_ += n; }

    // The next field read as a number (textToDouble) with its decimals (decimalsOf),
    // in one pass for the common plain form; false when no field was left. `isNumber`
    // tells whether the field starts with a number at all.
    bool nextNumber(double& value, int& decimals, bool& isNumber)
    {
        while (p_ != end_ && *p_ == ',')
            ++p_;
        if (p_ == end_)
            return false;
        if (const char* stop = scanPlainDecimal(p_, end_, value, decimals)) {
            p_ = stop == end_ ? stop : stop + 1;
            isNumber = true;
            return true;
        }
        std::string_view field;
        next(field);
        value = textToDouble(field, isNumber);
        decimals = decimalsOf(field);
        return true;
    }

    // What follows the separator after the last field taken.
    std::string_view rest() const { return std::string_view(p_, static_cast<std::size_t>(end_ - p_)); }

private:
    const char* p_;
    const char* end_;
};

} // namespace velmora
