#include "logger_link.h"

#include <algorithm>
#include <cstring>

#include "clock.h"
#include "prompts.h"
#include "type_catalogue.h"
#include "utility_strings.h"

namespace velmora {

namespace {

constexpr std::uint8_t kReadConfigCommand = 0x00;
constexpr std::uint8_t kWriteConfigCommand = 0x01;
constexpr std::uint8_t kReadReadingsCommand = 0x03;
constexpr std::uint8_t kAck = 0xFF;
constexpr int kConfigReadAttempts = 2;
// A logger answers a record write with 0xFF, possibly after a few other bytes. One
// that never stops sending other bytes would otherwise hold the exchange forever.
constexpr int kMaxBytesBeforeAck = 1024;

// Saves the bridge's time-outs and puts them back when the transfer is over, so an
// exchange leaves the library as it found it.
class TimeoutGuard {
public:
    explicit TimeoutGuard(UsbBridge& bridge) : bridge_(bridge)
    {
        saved_ = bridge_.getTimeouts(readMs_, writeMs_) == bridge::kSuccess;
    }
    ~TimeoutGuard()
    {
        if (saved_)
            bridge_.setTimeouts(readMs_, writeMs_);
    }
    TimeoutGuard(const TimeoutGuard&) = delete;
    TimeoutGuard& operator=(const TimeoutGuard&) = delete;

private:
    UsbBridge& bridge_;
    std::uint32_t readMs_ = 0;
    std::uint32_t writeMs_ = 0;
    bool saved_ = false;
};

// The fewest bytes a configuration reply of a logger of `type` may carry: its
// record's length. Zeros in place of the missing bytes would read as a stopped
// logger holding nothing, so a shorter reply fails the attempt. A type we do not
// know may have either record length; the narrow one is enough for the type code
// and the caller's compatibility check.
std::size_t shortestRecord(LoggerType type)
{
    return isKnownType(type) ? configLength(type) : LoggerConfig::kNarrowSize;
}

} // namespace

LoggerLink::LoggerLink(UsbBridge& bridge, Clock& clock, Prompts& prompts)
    : bridge_(bridge), clock_(clock), prompts_(prompts)
{
}

void LoggerLink::listDevices()
{
    deviceCount_ = 0;
    std::uint32_t reported = 0;
    if (bridge_.getNumDevices(reported) != bridge::kSuccess)
        return;
    // Only the first kMaxDevices are recorded; the link always uses index 0 anyway.
    const std::uint32_t n = std::min<std::uint32_t>(reported, kMaxDevices);
    for (std::uint32_t i = 0; i < n; ++i) {
        std::string product;
        if (bridge_.getProductString(i, product) == bridge::kSuccess) {
            productStrings_[i] = product;
            ++deviceCount_;
        }
    }
}

bool LoggerLink::requireDevice()
{
    if (deviceCount_ > 0)
        return true;
    prompts_.warn(std::string(utilitytext::kNoLogger));
    return false;
}

bool LoggerLink::writeBytes(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeoutMs,
                            std::uint32_t* written)
{
    TimeoutGuard guard(bridge_);
    bridge_.setTimeouts(0, timeoutMs);
    std::uint32_t done = 0;
    const int status = bridge_.write(handle_, buffer, count, done);
    if (written)
        *written = done;
    return status == bridge::kSuccess;
}

bool LoggerLink::readBytes(std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeoutMs)
{
    TimeoutGuard guard(bridge_);
    if (timeoutMs != 0) {
        bridge_.setTimeouts(timeoutMs, 0);
    } else {
        // No time-out: wait for the receive queue to report data, sleeping between
        // polls. A failing poll (device gone) ends the transfer.
        for (;;) {
            std::uint32_t queued = 0;
            std::uint32_t status = 0;
            if (bridge_.checkRxQueue(handle_, queued, status) != bridge::kSuccess)
                return false;
            if (status & kRxQueueDataReady)
                break;
            clock_.waitMs(1);
        }
    }
    std::uint32_t got = 0;
    const int status = bridge_.read(handle_, buffer, count, got);
    // A read that reports success but delivers fewer bytes would leave stale zeros
    // posing as data, so it counts as a failure too.
    return status == bridge::kSuccess && got == count;
}

void LoggerLink::closeHandle()
{
    if (handle_ != kInvalidHandle)
        bridge_.close(handle_);
    handle_ = kInvalidHandle;
}

bool LoggerLink::readConfigAttempt(int index, LoggerConfig& out)
{
    BridgeHandle handle = kInvalidHandle;
    if (bridge_.open(static_cast<std::uint32_t>(index), handle) != bridge::kSuccess)
        return false;
    handle_ = handle;
    bridge_.flushBuffers(handle_, true, true);

    std::array<std::uint8_t, LoggerConfig::kSize> buffer{};
    bool ok = false;
    const std::uint8_t frame[3] = {kReadConfigCommand, 0xFF, 0xFF};
    if (writeBytes(frame, 3, kTransferTimeoutMs)) {
        buffer.fill(0);
        clock_.waitMs(kPauseMs);
        if (readBytes(buffer.data(), 3, kTransferTimeoutMs)) {
            const std::uint32_t length = buffer[1] | (static_cast<std::uint32_t>(buffer[2]) << 8);
            buffer.fill(0);
            clock_.waitMs(kPauseMs);
            // A length the record cannot hold is a garbled reply, not a bigger record;
            // one shorter than its type's record is no record at all.
            if (length <= LoggerConfig::kSize && readBytes(buffer.data(), length, kTransferTimeoutMs) &&
                length >= shortestRecord(buffer[cfg::kType])) {
                out.bytes = buffer;
                ok = true;
            }
        }
    }
    closeHandle();
    return ok;
}

bool LoggerLink::readConfigBlock(int index, LoggerConfig& out)
{
    for (int attempt = 1; attempt <= kConfigReadAttempts; ++attempt)
        if (readConfigAttempt(index, out))
            return true;
    prompts_.warn(std::string(utilitytext::kCommsError));
    return false;
}

bool LoggerLink::writeConfigBlock(int index, const LoggerConfig& record, std::size_t length, bool reportFailure)
{
    bool ok = false;
    BridgeHandle handle = kInvalidHandle;
    if (length <= LoggerConfig::kSize && bridge_.open(static_cast<std::uint32_t>(index), handle) == bridge::kSuccess) {
        handle_ = handle;
        bridge_.flushBuffers(handle_, true, true);
        const std::uint8_t frame[3] = {kWriteConfigCommand, static_cast<std::uint8_t>(length & 0xFF),
                                       static_cast<std::uint8_t>(length >> 8)};
        std::uint32_t written = 0;
        if (writeBytes(frame, 3, kTransferTimeoutMs, &written) && written == 3) {
            clock_.waitMs(kPauseMs);
            std::array<std::uint8_t, LoggerConfig::kSize> buffer{};
            std::memcpy(buffer.data(), record.bytes.data(), length);
            const auto count = static_cast<std::uint32_t>(length);
            if (writeBytes(buffer.data(), count, kTransferTimeoutMs, &written) && written == count) {
                buffer.fill(0);
                clock_.waitMs(kPauseMs);
                // Other bytes before the acknowledgement are skipped.
                for (int skipped = 0; skipped <= kMaxBytesBeforeAck; ++skipped) {
                    std::uint8_t byte = 0;
                    if (!readBytes(&byte, 1, kTransferTimeoutMs))
                        break;
                    if (byte == kAck) {
                        ok = true;
                        break;
                    }
                }
            }
        }
        closeHandle();
    }
    if (!ok && reportFailure)
        prompts_.warn(std::string(utilitytext::kCommsError));
    return ok;
}

bool LoggerLink::readReadings(int index, LoggerType type, std::vector<float>& readings, const Progress& progress)
{
    readings.clear();
    BridgeHandle handle = kInvalidHandle;
    if (bridge_.open(static_cast<std::uint32_t>(index), handle) != bridge::kSuccess) {
        prompts_.warn(std::string(utilitytext::kCommsError));
        return false;
    }
    handle_ = handle;
    bridge_.flushBuffers(handle_, true, true);

    const std::size_t blockSize = readingBlockSize(type);
    const bool wide = !isNarrow(type);
    bool ok = false;
    bool cancelled = false;
    const std::uint8_t frame[3] = {kReadReadingsCommand, 0xFF, 0xFF};
    std::vector<std::uint8_t> buffer(blockSize, 0);
    if (writeBytes(frame, 3, kTransferTimeoutMs)) {
        clock_.waitMs(kPauseMs);
        const auto headerLength = static_cast<std::uint32_t>(readingHeaderLength(type));
        std::uint8_t header[4] = {0, 0, 0, 0};
        if (readBytes(header, headerLength, kTransferTimeoutMs)) {
            std::uint32_t total = header[1] | (static_cast<std::uint32_t>(header[2]) << 8);
            if (headerLength == 4)
                total |= static_cast<std::uint32_t>(header[3]) << 16;
            const std::size_t blocks = total / blockSize + (total % blockSize != 0 ? 1 : 0);
            const std::size_t values = wide ? total / 2 : total;
            // The array grows block by block, so a garbled header fails at the first
            // missing block instead of costing a huge allocation up front.
            if (total <= kMaxReadingBytes) {
                readings.reserve(std::min<std::size_t>(values, 65536));
                ok = true;
                for (std::size_t b = 0; b < blocks && ok && !cancelled; ++b) {
                    std::fill(buffer.begin(), buffer.end(), 0);
                    if (!readBytes(buffer.data(), static_cast<std::uint32_t>(blockSize), kTransferTimeoutMs)) {
                        ok = false;
                        break;
                    }
                    const std::size_t remaining = total - b * blockSize;
                    const std::size_t used = std::min(remaining, blockSize);
                    if (wide) {
                        // Two bytes per reading, most significant first; an odd last
                        // byte holds no whole reading.
                        for (std::size_t i = 0; i + 1 < used; i += 2)
                            readings.push_back(static_cast<float>((buffer[i] << 8) | buffer[i + 1]));
                    } else {
                        for (std::size_t i = 0; i < used; ++i)
                            readings.push_back(static_cast<float>(buffer[i]));
                    }
                    // Cancelled with the last block in, the download is complete: the
                    // logger has sent all it holds and counts itself downloaded.
                    cancelled = progress && !progress(b + 1, blocks) && b + 1 < blocks;
                }
            }
        }
    }
    if (cancelled) {
        // The logger goes on sending the blocks nobody reads; what has arrived of them
        // is dropped now, and every exchange starts with a flush of whatever follows.
        bridge_.flushBuffers(handle_, true, true);
        closeHandle();
        return false;
    }
    closeHandle();
    if (!ok)
        prompts_.warn(std::string(utilitytext::kCommsError));
    return ok;
}

} // namespace velmora
