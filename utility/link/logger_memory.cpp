#include "logger_memory.h"

#include <algorithm>

#include "type_catalogue.h"

namespace velmora {

void LoggerMemory::restart(LoggerType type, std::uint16_t capacity)
{
    ring_ = true;
    capacity_ = capacity;
    valuesPerReading_ = valuesPerReading(type);
    bytesPerValue_ = bytesPerValue(type);
    stored_ = 0;
    bytes_.assign(static_cast<std::size_t>(capacity) * static_cast<std::size_t>(valuesPerReading_ * bytesPerValue_), 0);
}

void LoggerMemory::store(std::span<const std::uint16_t> values)
{
    if (!ring_ || capacity_ == 0)
        return;
    const std::size_t perReading = static_cast<std::size_t>(valuesPerReading_ * bytesPerValue_);
    std::size_t at = static_cast<std::size_t>(stored_ % capacity_) * perReading;
    for (int v = 0; v < valuesPerReading_; ++v) {
        const std::uint16_t value = v < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(v)] : 0;
        if (bytesPerValue_ == 2) {
            // Most significant byte first, as the download sends it.
            bytes_[at++] = static_cast<std::uint8_t>(value >> 8);
            bytes_[at++] = static_cast<std::uint8_t>(value & 0xFF);
        } else {
            bytes_[at++] = static_cast<std::uint8_t>(std::min<std::uint16_t>(value, 255));
        }
    }
    ++stored_;
}

std::vector<std::uint8_t> LoggerMemory::downloadBytes(std::size_t maxTotal) const
{
    std::size_t used = bytes_.size();
    if (ring_ && stored_ < capacity_)
        used = static_cast<std::size_t>(stored_) * static_cast<std::size_t>(valuesPerReading_ * bytesPerValue_);
    if (used > maxTotal) {
        // Keep whole readings only.
        const std::size_t perReading = static_cast<std::size_t>(valuesPerReading_ * bytesPerValue_);
        used = ring_ ? maxTotal / perReading * perReading : maxTotal;
    }
    return std::vector<std::uint8_t>(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(used));
}

} // namespace velmora
