#pragma once
// A run of one deployment's readings packed into one value, so that PostgreSQL visits
// and sends a few hundred rows for a million readings instead of a million (a row
// costs the server about a microsecond whatever is done with it).
//
// A packed reading is 68 bytes, each number most significant byte first:
//   the instant      int64, seconds since 1970-01-01 00:00:00 UTC
//   the empty fields int32, bit c set when column c has no number ("Error", or no such column)
//   the values       7 float8 in ReadingColumn order, 0 where the bit is set
// The migration from a row a reading packs the old rows in SQL with int8send, int4send
// and float8send, which give exactly these bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "archive_store.h"

namespace velmora {

inline constexpr std::size_t kPackedReadingSize = 8 + 4 + 8 * kReadingColumns;

// At most this many readings to a block, and never two months in one, so that a
// block lies in the month partition of its first reading and a time range finds its
// blocks in the months it covers.
inline constexpr std::size_t kBlockReadings = 4096;

void packReading(const StoredReading& reading, std::string& out);

// The reading packed at `bytes` (kPackedReadingSize of them), as from `deployment`.
void unpackReading(const char* bytes, std::int64_t deployment, StoredReading& reading);

} // namespace velmora
