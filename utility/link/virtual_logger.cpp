#include "virtual_logger.h"

#include <algorithm>
#include <tuple>

#include "clock.h"
#include "demo_signal.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

constexpr std::uint8_t kReadConfig = 0x00, kWriteConfig = 0x01, kReadReadings = 0x03, kAck = 0xFF;
constexpr std::uint32_t kSecondsPerDay = 86400;
// The most events worked out in one catch-up; a demo left running at a high speed-up
// for days must not stall the program.
constexpr int kMaxEventsPerUpdate = 1'000'000;

} // namespace

VirtualLogger::VirtualLogger(LoggerImage image, Clock& clock)
    : clock_(clock), record_(image.record), memory_(std::move(image.memory)), baseTick_(clock.tickMs())
{
}

bool VirtualLogger::consume(int& count)
{
    if (count == 0)
        return false;
    if (count > 0)
        --count;
    return true;
}

std::uint64_t VirtualLogger::loggerNowMs() const
{
    const std::uint64_t elapsed = clock_.tickMs() - baseTick_;
    return baseLoggerMs_ + static_cast<std::uint64_t>(static_cast<double>(elapsed) * speedUp_);
}

void VirtualLogger::setSpeedUp(double factor)
{
    update();
    baseLoggerMs_ = loggerNowMs();
    baseTick_ = clock_.tickMs();
    speedUp_ = factor > 0.0 ? factor : 1.0;
}

const LoggerConfig& VirtualLogger::record()
{
    update();
    return record_;
}

LoggerImage VirtualLogger::image()
{
    update();
    return LoggerImage{record_, memory_.downloadBytes(maxDownloadBytes(record_.type()))};
}

bool VirtualLogger::saveImage(const std::string& path, std::string& error)
{
    return saveLoggerImage(path, image(), error);
}

// ---- logging ----

void VirtualLogger::update()
{
    if (!started_ || !record_.isLogging())
        return;
    const std::uint64_t now = loggerNowMs();
    // Loggers that do not keep the start delay they were given count it down to zero
    // as the delayed start approaches.
    if (!keepsStartDelay(record_.type()) && writtenDelay_ > 0) {
        const std::uint64_t elapsed = (now - writeMs_) / 1000;
        record_.setStartDelay(elapsed < writtenDelay_ ? static_cast<std::uint32_t>(writtenDelay_ - elapsed) : 0);
    }
    if (waitingForButton_)
        return;
    sampleUntil(now);
    updateCounts();
}

void VirtualLogger::sampleUntil(std::uint64_t nowMs)
{
    if (nowMs < firstSampleMs_ || memory_.capacity() == 0)
        return;
    const LoggerType type = record_.type();
    const int mode = record_.sampleMode();
    if (isEventLogger(type) && mode != 3) {
        collectEvents(nowMs);
        return;
    }
    std::uint32_t intervalS = record_.sampleInterval();
    if (isEventLogger(type))
        intervalS = record_.countPeriod();
    intervalS = std::max<std::uint32_t>(intervalS, 1);
    const std::uint64_t intervalMs = std::uint64_t{intervalS} * 1000;
    const std::uint64_t capacity = memory_.capacity();
    std::uint64_t due = (nowMs - firstSampleMs_) / intervalMs + 1;
    if (!record_.isOverwriteMode())
        due = std::min(due, capacity);
    std::uint64_t have = memory_.readingsStored();
    if (due <= have)
        return;
    if (due - have > capacity) {
        // Only the last `capacity` readings can still be in the ring.
        memory_.skip(due - capacity - have);
        have = due - capacity;
    }
    const DemoSignal signal(record_);
    std::uint32_t firstSecond = record_.startHour() * 3600u + record_.startMinute() * 60u + record_.startSecond();
    if (record_.isPushButtonStart())
        firstSecond += record_.startDelay() % kSecondsPerDay;
    for (std::uint64_t s = have; s < due; ++s) {
        if (isEventLogger(type)) {
            const std::uint16_t count = signal.periodCount(s);
            memory_.store(std::span<const std::uint16_t>(&count, 1));
        } else {
            const auto secondOfDay = static_cast<std::uint32_t>((firstSecond + s * intervalS) % kSecondsPerDay);
            const DemoReading r = signal.sample(s, secondOfDay);
            memory_.store(std::span<const std::uint16_t>(r.values.data(), static_cast<std::size_t>(r.count)));
        }
    }
}

void VirtualLogger::collectEvents(std::uint64_t nowMs)
{
    const DemoSignal signal(record_);
    const bool countTotal = record_.sampleMode() == 2;
    for (int n = 0; nextEventMs_ <= nowMs; ++n) {
        if (n == kMaxEventsPerUpdate) {
            nextEventMs_ = nowMs + 1; // drop the rest of a very long catch-up
            break;
        }
        if (!countTotal && !record_.isOverwriteMode() && memory_.readingsStored() >= memory_.capacity())
            break;
        const std::uint16_t word = signal.eventWord(events_);
        if (countTotal) {
            if (word & 0x8000)
                record_.setCountPeriod(record_.countPeriod() + 1);
        } else {
            memory_.store(std::span<const std::uint16_t>(&word, 1));
        }
        ++events_;
        nextEventMs_ += std::uint64_t{signal.eventWord(events_) & 0x7FFFu} * 100;
    }
}

void VirtualLogger::updateCounts()
{
    const std::uint64_t stored = memory_.readingsStored();
    const std::uint64_t capacity = memory_.capacity();
    if (record_.isOverwriteMode() && capacity > 0 && stored >= capacity) {
        record_.setReadingCount(static_cast<std::uint16_t>(stored % capacity));
        record_.setWrapCount(static_cast<std::uint8_t>(std::min<std::uint64_t>(stored / capacity, 255)));
    } else {
        record_.setReadingCount(static_cast<std::uint16_t>(std::min(stored, capacity)));
        record_.setWrapCount(0);
        // A logger that stops when full does exactly that.
        if (!record_.isOverwriteMode() && stored >= capacity)
            record_.setFlag(flag::kLogging, false);
    }
    if (stored > 0)
        record_.setFlag(flag::kUndownloaded, true);
}

void VirtualLogger::startLog()
{
    started_ = true;
    memory_.restart(record_.type(), record_.memoryCapacity());
    record_.setReadingCount(0);
    record_.setWrapCount(0);
    record_.setFlag(flag::kUndownloaded, false);
    writeMs_ = loggerNowMs();
    writtenDelay_ = record_.startDelay();
    events_ = 0;
    waitingForButton_ = record_.isPushButtonStart();
    firstSampleMs_ = writeMs_ + std::uint64_t{writtenDelay_} * 1000;
    nextEventMs_ = firstSampleMs_ + std::uint64_t{DemoSignal(record_).eventWord(0) & 0x7FFFu} * 100;
}

bool VirtualLogger::pressButton()
{
    update();
    if (!started_ || !waitingForButton_ || !record_.isLogging())
        return false;
    const std::uint64_t now = loggerNowMs();
    waitingForButton_ = false;
    // The logger keeps how long after the record was written its button was pressed;
    // added to the start time that gives the time of the first reading.
    record_.setStartDelay(static_cast<std::uint32_t>((now - writeMs_) / 1000));
    firstSampleMs_ = now;
    nextEventMs_ = now;
    update();
    return true;
}

// ---- wire ----

bool VirtualLogger::acceptOpen() { return !vanished_ && !consume(faults_.failedOpens); }

void VirtualLogger::flush()
{
    reply_.clear();
    replyPos_ = 0;
    downloadEnd_ = 0;
    parse_ = Parse::Frame;
    frame_.clear();
    incoming_.clear();
}

bool VirtualLogger::receive(std::span<const std::uint8_t> bytes)
{
    bool kept = true;
    for (const std::uint8_t b : bytes) {
        if (vanished_)
            return kept;
        if (std::optional<std::uint64_t>& left = faults_.vanishAfterReceivedBytes) {
            if (*left == 0) {
                vanished_ = true; // pulled out in the middle of what the host sends
                return kept;
            }
            --*left;
        }
        if (parse_ == Parse::Frame) {
            frame_.push_back(b);
            if (frame_.size() == 3) {
                onFrame();
                frame_.clear();
            }
            continue;
        }
        incoming_.push_back(b);
        if (incoming_.size() == recordLength_) {
            parse_ = Parse::Frame;
            kept = takeRecord() && kept;
        }
    }
    return kept;
}

void VirtualLogger::onFrame()
{
    const std::uint8_t command = frame_[0];
    if (command == kWriteConfig) {
        recordLength_ = frame_[1] | (static_cast<std::size_t>(frame_[2]) << 8);
        incoming_.clear();
        if (recordLength_ == 0)
            takeRecord(); // an empty record leaves the record as it was, so there is nothing to lose
        else
            parse_ = Parse::Record;
        return;
    }
    if ((command != kReadConfig && command != kReadReadings) || consume(faults_.silentCommands))
        return;
    update();
    const LoggerType type = record_.type();
    if (command == kReadConfig) {
        const std::size_t length = configLength(type);
        const std::uint32_t announced = faults_.configLength.value_or(static_cast<std::uint32_t>(length));
        std::vector<std::uint8_t> reply{0x00, static_cast<std::uint8_t>(announced & 0xFF),
                                        static_cast<std::uint8_t>((announced >> 8) & 0xFF)};
        reply.insert(reply.end(), record_.bytes.begin(), record_.bytes.begin() + static_cast<std::ptrdiff_t>(length));
        reply.resize(3 + announced, 0);
        queueReply(std::move(reply));
        return;
    }
    std::vector<std::uint8_t> data = memory_.downloadBytes(maxDownloadBytes(type));
    const std::uint32_t total = faults_.readingsTotal.value_or(static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> reply{kReadReadings, static_cast<std::uint8_t>(total & 0xFF),
                                    static_cast<std::uint8_t>((total >> 8) & 0xFF)};
    if (readingHeaderLength(type) == 4)
        reply.push_back(static_cast<std::uint8_t>((total >> 16) & 0xFF));
    // Every block goes out in full; the tail of the last one is padding.
    const std::size_t block = readingBlockSize(type);
    data.resize((data.size() + block - 1) / block * block, 0);
    reply.insert(reply.end(), data.begin(), data.end());
    const std::size_t fullEnd = (replyPos_ < reply_.size() ? reply_.size() : 0) + reply.size();
    queueReply(std::move(reply));
    if (reply_.size() == fullEnd)
        downloadEnd_ = fullEnd;
}

bool VirtualLogger::savedToImagePath()
{
    if (imagePath_.empty())
        return true;
    std::string error;
    if (saveImage(imagePath_, error))
        return true;
    if (onSaveFailure_)
        onSaveFailure_(error);
    return false;
}

bool VirtualLogger::takeRecord()
{
    if (consume(faults_.silentCommands))
        return true;
    update();
    // What the logger holds now, to go back to when it cannot keep the new record.
    const auto before = std::make_tuple(record_, memory_, started_, waitingForButton_, writeMs_, writtenDelay_,
                                        firstSampleMs_, events_, nextEventMs_);
    LoggerConfig next = record_;
    const std::size_t n = std::min(incoming_.size(), configLength(record_.type()));
    std::copy_n(incoming_.begin(), n, next.bytes.begin());
    // What identifies the logger and what it reports about itself stay its own.
    for (const std::size_t at :
         {cfg::kType, cfg::kFirmwareCode, cfg::kFirmwareCode + 1, cfg::kFirmwareCode + 2, cfg::kFirmwareCode + 3,
          cfg::kSerialNumber, cfg::kSerialNumber + 1, cfg::kSerialNumber + 2, cfg::kSerialNumber + 3,
          cfg::kReadingCount, cfg::kReadingCount + 1, cfg::kMemoryCapacity, cfg::kMemoryCapacity + 1, cfg::kWrapCount,
          cfg::kLiveReading, cfg::kLiveReading + 1})
        next.bytes[at] = record_.bytes[at];
    const std::uint16_t ownBits = 0xFE00; // undownloaded, battery, sensor fault and the unused bits
    next.setFlags(static_cast<std::uint16_t>((next.flags() & ~ownBits) | (record_.flags() & ownBits)));
    next.setCommand(0);
    const bool wasLogging = record_.isLogging();
    record_ = next;
    if (record_.isLogging())
        startLog();
    else if (wasLogging)
        waitingForButton_ = false;
    if (faults_.firmwareChangesOnWrite)
        record_.bytes[cfg::kFirmwareCode] = record_.bytes[cfg::kFirmwareCode] == 'X' ? 'Y' : 'X';
    if (!savedToImagePath()) {
        std::tie(record_, memory_, started_, waitingForButton_, writeMs_, writtenDelay_, firstSampleMs_, events_,
                 nextEventMs_) = before;
        return false;
    }
    ++recordsTaken_;

    std::vector<std::uint8_t> reply = faults_.bytesBeforeAck;
    if (!faults_.noAck)
        reply.push_back(kAck);
    queueReply(std::move(reply));
    return true;
}

void VirtualLogger::queueReply(std::vector<std::uint8_t> bytes)
{
    if (consume(faults_.truncatedReplies) && bytes.size() > faults_.truncateAfter)
        bytes.resize(faults_.truncateAfter);
    if (replyPos_ >= reply_.size()) {
        reply_.clear();
        replyPos_ = 0;
        downloadEnd_ = 0;
    }
    reply_.insert(reply_.end(), bytes.begin(), bytes.end());
    replyReadyAt_ = clock_.tickMs() + faults_.replyDelayMs;
}

std::size_t VirtualLogger::takeReply(std::uint8_t* out, std::size_t max)
{
    std::size_t n = std::min(max, pendingBytes());
    if (faults_.vanishAfterBytes)
        n = static_cast<std::size_t>(std::min<std::uint64_t>(n, *faults_.vanishAfterBytes));
    std::copy_n(reply_.begin() + static_cast<std::ptrdiff_t>(replyPos_), n, out);
    replyPos_ += n;
    if (faults_.vanishAfterBytes) {
        *faults_.vanishAfterBytes -= n;
        if (*faults_.vanishAfterBytes == 0 && n < max)
            vanished_ = true;
    }
    if (downloadEnd_ != 0 && replyPos_ >= downloadEnd_) {
        // The whole memory went out: nothing is left undownloaded, which the image
        // keeps too, as a real logger would until it is plugged in again. Readings
        // that went out stay out; only the flag is not kept when the image cannot be.
        record_.setFlag(flag::kUndownloaded, false);
        downloadEnd_ = 0;
        if (!savedToImagePath())
            record_.setFlag(flag::kUndownloaded, true);
    }
    return n;
}

} // namespace velmora
