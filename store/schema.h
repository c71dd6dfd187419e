#pragma once
// Each engine's schema version. A store carries its version in schema_version; opening
// one brings it forward through its engine's migrations, which go from version n to
// n + 1, the first from an empty store to version 1. A store of a version beyond its
// engine's is left alone.
#include <string>

namespace velmora {

inline constexpr int kSqliteSchemaVersion = 1;   // a row a reading
inline constexpr int kPostgresSchemaVersion = 2; // 2: readings packed in blocks

// The names of the value columns, in ReadingColumn order (the file's order).
inline constexpr const char* kValueColumns[] = {"first_value", "first_high", "first_low",  "second_value",
                                                "second_high", "second_low", "third_value"};

// StoreError's text for a store whose version is newer than the `known` one.
std::string newerSchemaMessage(const std::string& where, long long version, int known);
// StoreError's text for a store of an earlier version that may not be written, so
// cannot be brought forward to `known`.
std::string earlierSchemaReadOnlyMessage(const std::string& where, long long version, int known);

} // namespace velmora
