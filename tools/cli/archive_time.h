#pragma once
// The times of velmora-cli's archive commands: instants written as ISO 8601 in UTC
// ("2026-03-29T01:00:00Z"), local times as the download file writes them, and the
// --from and --to arguments, which take either form of ours: "DD/MM/YYYY HH:MM:SS" in
// a zone, or ISO 8601 with its offset.
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

std::string isoUtc(std::int64_t utc);

// The instant `text` names; nothing when it is neither form, or a local time the
// zone skips. A local time the zone repeats is its first occurrence.
std::optional<std::int64_t> parseArchiveTime(const std::string& text, const std::string& zone);

} // namespace velmora
