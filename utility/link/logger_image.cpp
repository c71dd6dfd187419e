#include "logger_image.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "atomic_file.h"
#include "type_catalogue.h"

namespace velmora {

std::size_t maxDownloadBytes(LoggerType type) { return readingHeaderLength(type) == 4 ? 0xFFFFFF : 0xFFFF; }

std::vector<std::uint8_t> encodeLoggerImage(const LoggerImage& image)
{
    const std::size_t recordLength = configLength(image.record.type());
    std::vector<std::uint8_t> out(image.record.bytes.begin(),
                                  image.record.bytes.begin() + static_cast<std::ptrdiff_t>(recordLength));
    out.insert(out.end(), image.memory.begin(), image.memory.end());
    return out;
}

bool decodeLoggerImage(std::span<const std::uint8_t> bytes, LoggerImage& image, std::string& error)
{
    if (bytes.empty()) {
        error = "the file is empty";
        return false;
    }
    const LoggerType type = bytes[0];
    if (!isKnownType(type)) {
        error = "unknown logger type " + std::to_string(type) + " in byte 0";
        return false;
    }
    const std::size_t recordLength = configLength(type);
    if (bytes.size() < recordLength) {
        error = "the record of a type " + std::to_string(type) + " logger needs " + std::to_string(recordLength) +
                " bytes, the file has " + std::to_string(bytes.size());
        return false;
    }
    const std::size_t memoryLength = bytes.size() - recordLength;
    if (memoryLength > maxDownloadBytes(type)) {
        error = "the readings (" + std::to_string(memoryLength) + " bytes) are more than a type " +
                std::to_string(type) + " logger can send (" + std::to_string(maxDownloadBytes(type)) + ")";
        return false;
    }
    LoggerImage result;
    std::copy_n(bytes.begin(), recordLength, result.record.bytes.begin());
    result.memory.assign(bytes.begin() + static_cast<std::ptrdiff_t>(recordLength), bytes.end());
    image = std::move(result);
    return true;
}

bool loadLoggerImage(const std::string& path, LoggerImage& image, std::string& error)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = "cannot read logger image " + path + ": " + ec.message();
        return false;
    }
    // Nothing bigger than a record and a full 24-bit memory is an image; don't read it.
    if (size > LoggerConfig::kSize + 0xFFFFFF) {
        error = "logger image " + path + ": the file is too large to be a logger image";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        error = "cannot read logger image " + path;
        return false;
    }
    std::string why;
    if (!decodeLoggerImage(bytes, image, why)) {
        error = "logger image " + path + ": " + why;
        return false;
    }
    return true;
}

bool saveLoggerImage(const std::string& path, const LoggerImage& image, std::string& error)
{
    // Through the atomic file, as download files are written: a temporary name no one
    // can guess or plant a link at, synced, and renamed over the image only when whole.
    const std::vector<std::uint8_t> bytes = encodeLoggerImage(image);
    if (const int failure = writeFileAtomically(path, bytes.data(), bytes.size()); failure != 0) {
        error = "cannot write logger image " + path + ": " + std::strerror(failure);
        return false;
    }
    return true;
}

} // namespace velmora
