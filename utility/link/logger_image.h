#pragma once
// A logger image: a virtual logger kept in a file. The file is the configuration
// record as the logger sends it (64 bytes for narrow types, 256 otherwise) followed by
// the raw memory bytes exactly as the readings download delivers them after its
// header. Nothing else: no magic, no length field, so a capture of a real logger's
// replies is an image too.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "logger_config.h"

namespace velmora {

struct LoggerImage {
    LoggerConfig record;              // bytes beyond the type's record length are zero
    std::vector<std::uint8_t> memory; // the download's data bytes
};

// The most data bytes a readings download of `type` can announce: 24-bit total for
// type 20, 16-bit otherwise.
std::size_t maxDownloadBytes(LoggerType type);

std::vector<std::uint8_t> encodeLoggerImage(const LoggerImage& image);
// Refuses unknown types, a file shorter than its record and more memory than the
// type's download can announce; `error` says which.
bool decodeLoggerImage(std::span<const std::uint8_t> bytes, LoggerImage& image, std::string& error);

bool loadLoggerImage(const std::string& path, LoggerImage& image, std::string& error);
// Replaces the file only once the new one is completely written.
bool saveLoggerImage(const std::string& path, const LoggerImage& image, std::string& error);

} // namespace velmora
