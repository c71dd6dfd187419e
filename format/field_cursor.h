#pragma once
// Walks the comma-separated fields of one line the way the download file has always
// been read: a run of commas is one separator and leading commas are skipped, so an
// empty field never appears; spaces stay part of their field. Once the fields are
// used up, every further request yields an empty text and reports the end.
#include <cstring>
#include <string_view>

#include "number_text.h"

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
