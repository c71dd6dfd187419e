#pragma once
// The readings memory of a virtual logger, kept as the bytes the readings download
// delivers after its header. A memory taken from a logger image or a preset holds
// exactly those bytes; once the logger is started it becomes a ring of
// `memoryCapacity` readings that fills (and, in overwrite mode, wraps) as readings
// are stored.
#include <cstdint>
#include <span>
#include <vector>

#include "logger_config.h"

namespace velmora {

class LoggerMemory {
public:
    LoggerMemory() = default;
    explicit LoggerMemory(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // Empties the memory for a new log.
    void restart(LoggerType type, std::uint16_t capacity);
    // Stores one reading (one or two values) at the ring position.
    void store(std::span<const std::uint16_t> values);
    // Skips `count` readings without storing them (their slots keep older contents);
    // used when far more readings fell due than the ring holds.
    void skip(std::uint64_t count) { stored_ += count; }

    std::uint64_t readingsStored() const { return stored_; }
    std::uint16_t capacity() const { return capacity_; }

    // The bytes a download announces and sends: the used part of the memory, or the
    // whole ring once it has wrapped; never more than `maxTotal`.
    std::vector<std::uint8_t> downloadBytes(std::size_t maxTotal) const;

private:
    std::vector<std::uint8_t> bytes_;
    bool ring_ = false;
    std::uint16_t capacity_ = 0;
    int valuesPerReading_ = 1;
    int bytesPerValue_ = 1;
    std::uint64_t stored_ = 0;
};

} // namespace velmora
