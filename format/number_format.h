#pragma once
// Number printing for the texts the utility writes: the download file, the status
// page and the alarm texts. Each function writes into a caller's buffer and returns
// the end, byte for byte what printf would write for the same format in the C locale:
// a full stop before the decimals whatever locale the process runs in. They are much
// faster than printf, which matters when a file of 65,535 readings is written on the
// user's thread.
#include <cstdint>
#include <string>

namespace velmora {

// Room every function below needs at most, and may use past the text it writes:
// "%.*f" of any double with up to 9 decimals falls back to std::to_chars past 2^53
// and can reach 309 digits before the point.
inline constexpr std::size_t kNumberBufferSize = 330;

// "%.*f" of `value` with `decimals` (0..9). Rounds the exact binary value half to
// even, as printf does, and keeps the sign of negative zero ("-0.0").
char* writeFixed(char* out, double value, int decimals);
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
} // namespace detail

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
