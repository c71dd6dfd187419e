#pragma once
// Number printing for the texts the utility writes: the download file, the status
// page and the alarm texts. Each function writes into a caller's buffer and returns
// the end, byte for byte what printf would write for the same format in the C locale:
// a full stop before the decimals whatever locale the process runs in. They are much
// faster than printf, which matters when a file of 65,535 readings is written on the
// user's thread.
#include <cmath>
#include <cstdint>
#include <string>

namespace velmora {

// Room every function below needs at most, and may use past the text it writes:
// "%.*f" of any double with up to 9 decimals falls back to std::to_chars past 2^53
// and can reach 309 digits before the point.
inline constexpr std::size_t kNumberBufferSize = 330;

// "%d".
char* writeInt(char* out, std::int64_t value);
// "%u".
char* writeUnsigned(char* out, std::uint64_t value);
// "%0*d": at least `width` digits, zero-padded (the sign counts toward the width, as
// in printf).
char* writeZeroPadded(char* out, std::int64_t value, int width);

namespace detail {
// Two decimal digits per entry, "00" to "99".
inline constexpr char kDigitPairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";
inline constexpr double kScales[] = {1e0, 1e1, 1e2, 1e3, 1e4};
// writeFixed's other cases: more decimals, values past 2^53, NaN and infinities, and
// scaled values within an ulp of a half, where the exact product decides.
char* writeFixedCarefully(char* out, double value, int decimals);

// writeUnsigned, with the common values below 100 written here, not called for.
inline char* writeWhole(char* out, std::uint64_t value)
{
    if (value >= 100)
        return writeUnsigned(out, value);
    // Both digits of the pair, then past one or two: a value below 10 keeps only the
    // second (its room holds the byte after it).
    const bool two = value >= 10;
    const char* pair = kDigitPairs + 2 * value;
    out[0] = pair[two ? 0 : 1];
    out[1] = pair[1];
    return out + (two ? 2 : 1);
}

// The digits of `whole` with the point `Decimals` places from the right; constant
// divisors, so no division instruction per digit group.
template <int Decimals> char* writeWithPoint(char* out, std::uint64_t whole)
{
    constexpr std::uint64_t unit = Decimals == 1 ? 10 : Decimals == 2 ? 100 : Decimals == 3 ? 1000 : 10000;
    out = writeWhole(out, whole / unit);
    *out++ = '.';
    const std::uint64_t fraction = whole % unit;
    if constexpr (Decimals % 2 == 1)
        out[Decimals - 1] = static_cast<char>('0' + fraction % 10);
    std::uint64_t pairs = Decimals % 2 == 1 ? fraction / 10 : fraction;
    for (int at = Decimals - Decimals % 2 - 2; at >= 0; at -= 2, pairs /= 100) {
        out[at] = kDigitPairs[2 * (pairs % 100)];
        out[at + 1] = kDigitPairs[2 * (pairs % 100) + 1];
    }
    return out + Decimals;
}

// The digits of `whole` with the point `decimals` (0..4) places from the right.
inline char* writeScaled(char* out, std::uint64_t whole, int decimals)
{
    switch (decimals) {
    case 1: return writeWithPoint<1>(out, whole);
    case 2: return writeWithPoint<2>(out, whole);
    case 3: return writeWithPoint<3>(out, whole);
    case 4: return writeWithPoint<4>(out, whole);
    default: return writeWhole(out, whole);
    }
}
} // namespace detail

// "%.*f" of `value` with `decimals` (0..9). Rounds the exact binary value half to
// even, as printf does, and keeps the sign of negative zero ("-0.0").
//
// The common case is inline, where a download file's values are printed: up to four
// decimals, a value whose scaled product is well away from a half. The product is
// within half an ulp of the exact one, so rounding it gives the same digits as
// rounding the exact product; the int64 conversions are one instruction each.
inline char* writeFixed(char* out, double value, int decimals)
{
    if (static_cast<unsigned>(decimals) <= 4) {
        const double scaled = std::fabs(value) * detail::kScales[decimals];
        if (scaled < 0x1p53) {
            const auto floor = static_cast<std::int64_t>(scaled);
            const double beyondHalf = (scaled - static_cast<double>(floor)) - 0.5;
            if (std::fabs(beyondHalf) > scaled * 0x1p-52) { // more than an ulp of scaled
                if (std::signbit(value))
                    *out++ = '-';
                // No branch on which side of the half: that varies from value to value.
                const auto whole = static_cast<std::uint64_t>(floor) + (beyondHalf > 0 ? 1u : 0u);
                return detail::writeScaled(out, whole, decimals);
            }
        }
    }
    return detail::writeFixedCarefully(out, value, decimals);
}

// "%02d" of 0..99 by one table lookup: the fields of a time stamp, written on every
// line of a download file.
inline char* writeTwoDigits(char* out, unsigned value)
{
    out[0] = detail::kDigitPairs[2 * value];
    out[1] = detail::kDigitPairs[2 * value + 1];
    return out + 2;
}

std::string fixedText(double value, int decimals);

} // namespace velmora
