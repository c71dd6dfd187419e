#pragma once
// Numbers in download-file fields, read the way C's atof and atoi read them in the
// "C" locale: leading white space and a sign are accepted, the longest number at the
// start counts, anything after it is ignored, and text with no number gives 0. The
// common plain decimal form is read in place without copying.
#include <cstdint>
#include <string_view>

namespace velmora {

namespace detail {
inline constexpr double kExactPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
} // namespace detail

// The plain form [-]digits[.digits] from `p` up to the first ',' or `end`, with at
// most 15 digits: the mantissa and the power of ten are then both exact, so one
// division gives the correctly rounded value, the same as any full conversion.
// Returns where it stopped (at the ',' or `end`), or nullptr when the text is not of
// that form; `decimals` is the count of digits after the point.
inline const char* scanPlainDecimal(const char* p, const char* end, double& value, int& decimals)
{
    bool negative = false;
    if (p != end && *p == '-') {
        negative = true;
        ++p;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = -1; // -1 until the point
    for (; p != end && *p != ','; ++p) {
        const unsigned d = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
        if (d < 10) {
            if (++digits > 15)
                return nullptr;
            mantissa = mantissa * 10 + d;
            if (fraction >= 0)
                ++fraction;
        } else if (*p == '.' && fraction < 0) {
            fraction = 0;
        } else {
            return nullptr;
        }
    }
    if (digits == 0)
        return nullptr;
    decimals = fraction < 0 ? 0 : fraction;
    const double v = static_cast<double>(mantissa) / detail::kExactPow10[decimals];
    value = negative ? -v : v;
    return p;
}

double textToDouble(std::string_view text);
// The same, and whether the text starts with a number at all: "Error", "-" or an empty
// text give 0 as atof gives it, but hold no reading.
double textToDouble(std::string_view text, bool& isNumber);

// atoi: leading white space, an optional sign, then decimal digits; none gives 0.
// Values beyond the int range are clamped to it.
int textToInt(std::string_view text);

// Digits after the first '.' of a value field: the count of characters after it, or
// 0 when there is no '.'.
int decimalsOf(std::string_view text);

} // namespace velmora
