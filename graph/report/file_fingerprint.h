#pragma once
// The download file's fingerprint for the report: its name, its size and the SHA-256
// of its bytes (Qt's QCryptographicHash), taken while the reader reads those very
// bytes, so the figures and the fingerprint cannot come from two different versions
// of the file. Anyone can check a report against a file with sha256sum.
#include <cstdint>
#include <string>

#include "graph_data_reader.h"

namespace velmora {

struct FileFingerprint {
    std::string name; // the file's name without its folder (UTF-8 as on disk)
    std::uint64_t size = 0;
    std::string sha256; // 64 lower-case hexadecimal digits
};

// Reads `path` into `data` as readDataFile does and fingerprints the bytes read.
ReadResult readFingerprinted(const std::string& path, GraphData& data, FileFingerprint& fingerprint);

// True when two documents hold the same readings, names and times: the file read for
// a report is still the one on show.
bool sameDocument(const GraphData& a, const GraphData& b);

} // namespace velmora
