#pragma once
// The archive's schema version, the same for every engine. A store carries its version
// in schema_version; opening one brings it forward through each engine's migrations,
// which go from version n to n + 1, the first from an empty store to version 1. A store
// of a version beyond this one is left alone.
#include <string>

namespace velmora {

inline constexpr int kSchemaVersion = 2;

// The names of the value columns, in ReadingColumn order (the file's order).
inline constexpr const char* kValueColumns[] = {"first_value", "first_high", "first_low",  "second_value",
                                                "second_high", "second_low", "third_value"};

// StoreError's text for a store whose version is newer than this program's.
std::string newerSchemaMessage(const std::string& where, long long version);

} // namespace velmora
