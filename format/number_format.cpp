#include "number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace velmora {

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
constexpr std::uint64_t kPow10Int[] = {1ull,
                                       10ull,
                                       100ull,
                                       1000ull,
                                       10000ull,
                                       100000ull,
                                       1000000ull,
                                       10000000ull,
                                       100000000ull,
                                       1000000000ull,
                                       10000000000ull,
                                       100000000000ull,
                                       1000000000000ull,
                                       10000000000000ull,
                                       100000000000000ull,
                                       1000000000000000ull,
                                       10000000000000000ull,
                                       100000000000000000ull,
                                       1000000000000000000ull,
                                       10000000000000000000ull};

using detail::kDigitPairs;

// From the bit length, without a loop: 1233 / 4096 is just over log10(2). An even v
// has the digits of v | 1, which keeps 0 at one digit.
int digitCount(std::uint64_t v)
{
    v |= 1;
    const int guess = ((64 - std::countl_zero(v)) * 1233) >> 12; // the digits, or one more
    return guess + (v >= kPow10Int[guess] ? 1 : 0);
}

// Writes exactly `digits` digits of v (v < 10^digits), right to left.
void putDigits(char* out, std::uint64_t v, int digits)
{
    char* p = out + digits;
    while (p - out >= 2) {
        const std::size_t pair = static_cast<std::size_t>(v % 100) * 2;
        v /= 100;
        p -= 2;
        p[0] = kDigitPairs[pair];
        p[1] = kDigitPairs[pair + 1];
    }
    if (p > out)
        *--p = static_cast<char>('0' + v % 10);
}

using detail::writeWhole;

} // namespace

char* writeUnsigned(char* out, std::uint64_t value)
{
    if (value < 100)
        return writeWhole(out, value);
    const int n = digitCount(value);
    putDigits(out, value, n);
    return out + n;
}

char* writeInt(char* out, std::int64_t value)
{
    if (value < 0) {
        *out++ = '-';
        // Negate in unsigned arithmetic so the smallest int64 has a magnitude too.
        return writeUnsigned(out, 0 - static_cast<std::uint64_t>(value));
    }
    return writeUnsigned(out, static_cast<std::uint64_t>(value));
}

char* writeZeroPadded(char* out, std::int64_t value, int width)
{
    std::uint64_t magnitude = static_cast<std::uint64_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0 - magnitude;
        --width; // printf counts the sign in the field width
    }
    const int digits = digitCount(magnitude);
    const int n = digits < width ? width : digits;
    putDigits(out, magnitude, n);
    return out + n;
}

namespace {

// NaN, infinities and numbers whose scaled value has no fraction bits left take the
// library's exact conversion, which prints what printf prints in the C locale. printf
// itself would follow the process locale: a German session (Qt sets it) writes a
// decimal comma, an extra field in a comma-separated file.
[[gnu::noinline]] char* writeFixedExactly(char* out, double value, int decimals)
{
    const std::to_chars_result r =
        std::to_chars(out, out + kNumberBufferSize, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? r.ptr : out;
}

// Whether `scaled`, within one ulp of a half above `whole`, rounds up: the product's
// exact error (an fma gives it without rounding) decides, and an exact half rounds to
// even, as printf does.
[[gnu::noinline]] bool roundsUpNearHalf(double magnitude, double power, double scaled, double beyondHalf,
                                        std::uint64_t whole)
{
    const double error = std::fma(magnitude, power, -scaled);
    const double exact = beyondHalf + error; // the sign of a rounded sum is exact
    return exact > 0 || (exact == 0 && (whole & 1) != 0);
}

} // namespace

namespace detail {

char* writeFixedCarefully(char* out, double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 9)
        decimals = 9;
    const double magnitude = std::fabs(value);
    const double scaled = magnitude * kPow10[decimals];
    if (!(scaled < 0x1p53))
        return writeFixedExactly(out, value, decimals);
    // The product is within half an ulp of the exact one. Unless its fraction lies
    // within one ulp of one half, rounding it gives the same digits as rounding the
    // exact product.
    const auto floor = static_cast<std::int64_t>(scaled);                  // scaled >= 0
    const double beyondHalf = (scaled - static_cast<double>(floor)) - 0.5; // exact near one half
    auto whole = static_cast<std::uint64_t>(floor);
    bool up = beyondHalf > 0;
    if (!(std::fabs(beyondHalf) > scaled * 0x1p-52))
        up = roundsUpNearHalf(magnitude, kPow10[decimals], scaled, beyondHalf, whole);
    whole += up ? 1 : 0;

    if (std::signbit(value))
        *out++ = '-';
    if (decimals <= 4)
        return writeScaled(out, whole, decimals);
    const std::uint64_t unit = kPow10Int[decimals];
    out = writeUnsigned(out, whole / unit);
    *out++ = '.';
    putDigits(out, whole % unit, decimals);
    return out + decimals;
}

} // namespace detail

std::string fixedText(double value, int decimals)
{
    char buffer[kNumberBufferSize];
    return std::string(buffer, writeFixed(buffer, value, decimals));
}

} // namespace velmora
