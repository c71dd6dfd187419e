#pragma once
// PostgreSQL's binary forms (COPY's rows, int8send, float8send) put the most
// significant byte first, whatever the machine does.
#include <cstdint>
#include <cstring>
#include <string>

namespace velmora {

inline void appendBig16(std::string& out, std::uint16_t v)
{
    const char b[2] = {static_cast<char>(v >> 8), static_cast<char>(v)};
    out.append(b, 2);
}

inline void appendBig32(std::string& out, std::uint32_t v)
{
    const char b[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                       static_cast<char>(v)};
    out.append(b, 4);
}

inline void appendBig64(std::string& out, std::uint64_t v)
{
    appendBig32(out, static_cast<std::uint32_t>(v >> 32));
    appendBig32(out, static_cast<std::uint32_t>(v));
}

inline std::uint32_t readBig32(const char* p)
{
    return (std::uint32_t(static_cast<unsigned char>(p[0])) << 24) |
           (std::uint32_t(static_cast<unsigned char>(p[1])) << 16) |
           (std::uint32_t(static_cast<unsigned char>(p[2])) << 8) | std::uint32_t(static_cast<unsigned char>(p[3]));
}

inline std::uint64_t readBig64(const char* p) { return (std::uint64_t(readBig32(p)) << 32) | readBig32(p + 4); }

inline std::uint64_t doubleBits(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

inline double bitsDouble(std::uint64_t bits)
{
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

} // namespace velmora
