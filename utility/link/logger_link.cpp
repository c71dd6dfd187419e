#include "logger_link.h"

#include <algorithm>
#include <array>
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

// Saves the port's time-outs and puts them back when the transfer is over, so a
// transfer leaves the port as it found it.
class TimeoutGuard {
public:
    explicit TimeoutGuard(UsbPort& port) : port_(port), saved_(port.timeouts()) {}
    ~TimeoutGuard() { port_.setTimeouts(saved_); }
    TimeoutGuard(const TimeoutGuard&) = delete;
    TimeoutGuard& operator=(const TimeoutGuard&) = delete;

private:
    UsbPort& port_;
    PortTimeouts saved_;
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

std::uint32_t littleEndian16(const std::uint8_t* bytes)
{
    return bytes[0] | (static_cast<std::uint32_t>(bytes[1]) << 8);
}

} // namespace

LoggerLink::LoggerLink(UsbBridge& bridge, Clock& clock, Prompts& prompts, std::string location)
    : bridge_(bridge), clock_(clock), prompts_(prompts), location_(std::move(location))
{
}

void LoggerLink::listDevices()
{
    devices_.clear();
    std::vector<UsbDevice> listed;
    if (bridge_.listDevices(listed) != PortStatus::Ok)
        return;
    // A device whose product string cannot be read is skipped.
    for (UsbDevice& device : listed)
        if (device.productStatus == PortStatus::Ok)
            devices_.push_back(std::move(device));
}

bool LoggerLink::requireDevice()
{
    const bool listed = location_.empty() ? !devices_.empty()
                                          : std::any_of(devices_.begin(), devices_.end(),
                                                        [&](const UsbDevice& d) { return d.location == location_; });
    if (listed)
        return true;
    prompts_.warn(std::string(utilitytext::kNoLogger));
    return false;
}

bool LoggerLink::writeBytes(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeoutMs,
                            std::uint32_t* written)
{
    if (!port_)
        return false;
    TimeoutGuard guard(*port_);
    port_->setTimeouts({0, timeoutMs});
    std::uint32_t done = 0;
    const PortStatus status = port_->write(buffer, count, done);
    if (written)
        *written = done;
    return status == PortStatus::Ok;
}

bool LoggerLink::readBytes(std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeoutMs)
{
    if (!port_)
        return false;
    TimeoutGuard guard(*port_);
    if (timeoutMs != 0) {
        port_->setTimeouts({timeoutMs, 0});
    } else {
        // No time-out: wait for the port to report data, sleeping between polls. A
        // failing poll (device gone) ends the transfer.
        for (;;) {
            std::uint32_t waiting = 0;
            if (port_->waiting(waiting) != PortStatus::Ok)
                return false;
            if (waiting > 0)
                break;
            clock_.waitMs(1);
        }
    }
    std::uint32_t got = 0;
    const PortStatus status = port_->read(buffer, count, got);
    // A read that reports success but delivers fewer bytes would leave stale zeros
    // posing as data, so it counts as a failure too.
    return status == PortStatus::Ok && got == count;
}

LoggerLink::Step LoggerLink::exchange(const std::function<Step()>& steps)
{
    if (bridge_.open(location_, port_) != PortStatus::Ok || !port_) {
        port_.reset();
        return Step::Failed;
    }
    port_->purge();
    const Step result = steps();
    if (result == Step::Cancelled)
        port_->purge();
    port_->close();
    port_.reset();
    return result;
}

LoggerLink::Step LoggerLink::readRecord(LoggerConfig& out)
{
    const std::uint8_t frame[3] = {kReadConfigCommand, 0xFF, 0xFF};
    if (!writeBytes(frame, 3, kTransferTimeoutMs))
        return Step::Failed;
    std::array<std::uint8_t, LoggerConfig::kSize> buffer{};
    clock_.waitMs(kPauseMs);
    if (!readBytes(buffer.data(), 3, kTransferTimeoutMs))
        return Step::Failed;
    const std::uint32_t length = littleEndian16(&buffer[1]);
    buffer.fill(0);
    clock_.waitMs(kPauseMs);
    // A length the record cannot hold is a garbled reply, not a bigger record; one
    // shorter than its type's record is no record at all.
    if (length > LoggerConfig::kSize || !readBytes(buffer.data(), length, kTransferTimeoutMs) ||
        length < shortestRecord(buffer[cfg::kType]))
        return Step::Failed;
    out.bytes = buffer;
    return Step::Done;
}

bool LoggerLink::readConfigBlock(LoggerConfig& out)
{
    for (int attempt = 1; attempt <= kConfigReadAttempts; ++attempt)
        if (exchange([&] { return readRecord(out); }) == Step::Done)
            return true;
    prompts_.warn(std::string(utilitytext::kCommsError));
    return false;
}

LoggerLink::Step LoggerLink::awaitAcknowledgement()
{
    // Other bytes before the acknowledgement are skipped.
    for (int skipped = 0; skipped <= kMaxBytesBeforeAck; ++skipped) {
        std::uint8_t byte = 0;
        if (!readBytes(&byte, 1, kTransferTimeoutMs))
            return Step::Failed;
        if (byte == kAck)
            return Step::Done;
    }
    return Step::Failed;
}

LoggerLink::Step LoggerLink::sendRecord(const LoggerConfig& record, std::size_t length)
{
    const std::uint8_t frame[3] = {kWriteConfigCommand, static_cast<std::uint8_t>(length & 0xFF),
                                   static_cast<std::uint8_t>(length >> 8)};
    std::uint32_t written = 0;
    if (!writeBytes(frame, 3, kTransferTimeoutMs, &written) || written != 3)
        return Step::Failed;
    clock_.waitMs(kPauseMs);
    std::array<std::uint8_t, LoggerConfig::kSize> buffer{};
    std::memcpy(buffer.data(), record.bytes.data(), length);
    const auto count = static_cast<std::uint32_t>(length);
    if (!writeBytes(buffer.data(), count, kTransferTimeoutMs, &written) || written != count)
        return Step::Failed;
    clock_.waitMs(kPauseMs);
    return awaitAcknowledgement();
}

bool LoggerLink::writeConfigBlock(const LoggerConfig& record, std::size_t length, bool reportFailure)
{
    const bool ok = length <= LoggerConfig::kSize && exchange([&] { return sendRecord(record, length); }) == Step::Done;
    if (!ok && reportFailure)
        prompts_.warn(std::string(utilitytext::kCommsError));
    return ok;
}

LoggerLink::Step LoggerLink::receiveReadings(LoggerType type, std::vector<float>& readings, const Progress& progress)
{
    const std::uint8_t frame[3] = {kReadReadingsCommand, 0xFF, 0xFF};
    if (!writeBytes(frame, 3, kTransferTimeoutMs))
        return Step::Failed;
    clock_.waitMs(kPauseMs);
    const auto headerLength = static_cast<std::uint32_t>(readingHeaderLength(type));
    std::uint8_t header[4] = {0, 0, 0, 0};
    if (!readBytes(header, headerLength, kTransferTimeoutMs))
        return Step::Failed;
    std::uint32_t total = littleEndian16(&header[1]);
    if (headerLength == 4)
        total |= static_cast<std::uint32_t>(header[3]) << 16;
    if (total > kMaxReadingBytes)
        return Step::Failed;

    const std::size_t blockSize = readingBlockSize(type);
    const std::size_t blocks = total / blockSize + (total % blockSize != 0 ? 1 : 0);
    const bool wide = !isNarrow(type);
    // The array grows block by block, so a garbled header fails at the first missing
    // block instead of costing a huge allocation up front.
    readings.reserve(std::min<std::size_t>(wide ? total / 2 : total, 65536));
    std::vector<std::uint8_t> buffer(blockSize, 0);
    for (std::size_t b = 0; b < blocks; ++b) {
        std::fill(buffer.begin(), buffer.end(), 0);
        if (!readBytes(buffer.data(), static_cast<std::uint32_t>(blockSize), kTransferTimeoutMs))
            return Step::Failed;
        const std::size_t used = std::min(total - b * blockSize, blockSize);
        if (wide) {
            // Two bytes per reading, most significant first; an odd last byte holds
            // no whole reading.
            for (std::size_t i = 0; i + 1 < used; i += 2)
                readings.push_back(static_cast<float>((buffer[i] << 8) | buffer[i + 1]));
        } else {
            for (std::size_t i = 0; i < used; ++i)
                readings.push_back(static_cast<float>(buffer[i]));
        }
        // Cancelled with the last block in, the download is complete: the logger has
        // sent all it holds and counts itself downloaded.
        if (progress && !progress(b + 1, blocks) && b + 1 < blocks)
            return Step::Cancelled;
    }
    return Step::Done;
}

bool LoggerLink::readReadings(LoggerType type, std::vector<float>& readings, const Progress& progress)
{
    readings.clear();
    const Step result = exchange([&] { return receiveReadings(type, readings, progress); });
    if (result == Step::Failed)
        prompts_.warn(std::string(utilitytext::kCommsError));
    return result == Step::Done;
}

} // namespace velmora
