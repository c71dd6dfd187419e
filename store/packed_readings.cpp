#include "packed_readings.h"

#include "big_endian.h"

namespace velmora {

void packReading(const StoredReading& r, std::string& out)
{
    unsigned nulls = r.nulls;
    for (int c = 0; c < kReadingColumns; ++c)
        if (r.values[c] == kNoReading)
            nulls |= 1u << c;
    appendBig64(out, static_cast<std::uint64_t>(r.timeUtc));
    appendBig32(out, nulls);
    for (int c = 0; c < kReadingColumns; ++c)
        appendBig64(out, nulls & (1u << c) ? 0 : doubleBits(r.values[c]));
}

void unpackReading(const char* bytes, std::int64_t deployment, StoredReading& r)
{
    r.deployment = deployment;
    r.timeUtc = static_cast<std::int64_t>(readBig64(bytes));
    r.nulls = readBig32(bytes + 8);
    const char* value = bytes + 12;
    for (int c = 0; c < kReadingColumns; ++c, value += 8)
        r.values[c] = r.nulls & (1u << c) ? kNoReading : bitsDouble(readBig64(value));
}

} // namespace velmora
