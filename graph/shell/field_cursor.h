#pragma once
// Walks the comma-separated fields of one line the way the download file has always
// been read: a run of commas is one separator and leading commas are skipped, so an
// empty field never appears; spaces stay part of their field. Once the fields are
// used up, every further request yields an empty text and reports the end.
#include <cstring>
#include <string_view>

namespace velmora {

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
        std::string_view ignored;
        return next(ignored);
    }

    // What follows the separator after the last field taken.
    std::string_view rest() const { return std::string_view(p_, static_cast<std::size_t>(end_ - p_)); }

private:
    const char* p_;
    const char* end_;
};

} // namespace velmora
