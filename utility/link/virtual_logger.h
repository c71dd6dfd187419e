#pragma once
// A logger in software. It speaks the wire protocol byte by byte behind the
// simulated bridge exactly as a real one does (command frames, the configuration
// reply, the 0xFF acknowledgement of a record write, readings in blocks), keeps its
// state in its record as a logger would (start sets logging and clears the memory,
// stop clears logging, a download clears the undownloaded flag), gains readings as
// time passes once it is started, and can be told to misbehave in every way the link
// has to cope with.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "logger_config.h"
#include "logger_image.h"
#include "logger_memory.h"

namespace velmora {

class Clock;

// Faults to inject. A count applies to that many coming events and then runs out;
// kEvery never runs out.
struct LoggerFaults {
    static constexpr int kEvery = -1;
    int failedOpens = 0;      // opens of this device fail
    int silentCommands = 0;   // commands are ignored: no effect, no reply
    int truncatedReplies = 0; // replies stop after `truncateAfter` bytes
    std::size_t truncateAfter = 0;
    std::uint32_t replyDelayMs = 0;           // every reply is ready only this long after its command
    std::vector<std::uint8_t> bytesBeforeAck; // sent ahead of the 0xFF of a record write
    bool noAck = false;                       // a written record is taken but never acknowledged
    std::optional<std::uint32_t>
        configLength; // length announced in configuration replies; the record is padded or cut to it
    std::optional<std::uint32_t> readingsTotal; // total announced in readings replies; the data sent stay the memory's
    bool firmwareChangesOnWrite = false;        // a written record is kept with a different firmware code
    std::optional<std::uint64_t> vanishAfterBytes;         // pulled out after sending this many more reply bytes
    std::optional<std::uint64_t> vanishAfterReceivedBytes; // pulled out after taking this many more bytes from the host
};

class VirtualLogger {
public:
    VirtualLogger(LoggerImage image, Clock& clock);

    // The wire, as the simulated bridge uses it.
    std::string productString() const { return "Velmora USB Data Logger"; }
    bool acceptOpen(); // false while an open fault lasts
    // False when the bytes completed a record the logger could not keep (its image
    // file could not be written): the transfer fails as a failed write would.
    bool receive(std::span<const std::uint8_t> bytes);
    std::size_t pendingBytes() const { return reply_.size() - replyPos_; }
    std::uint64_t replyReadyAtMs() const { return replyReadyAt_; }
    std::size_t takeReply(std::uint8_t* out, std::size_t max);
    void flush();
    bool vanished() const { return vanished_; }

    // What a person does with the logger.
    bool pressButton(); // push-button start; false when the logger is not waiting for it
    // Logger time runs `factor` times faster than the clock (demos).
    void setSpeedUp(double factor);
    LoggerFaults& faults() { return faults_; }

    // The logger's state, brought up to date with the clock.
    const LoggerConfig& record();
    LoggerImage image();
    int recordsTaken() const { return recordsTaken_; }

    // When set, the image file is the logger's memory: it is saved after every record
    // the logger takes and after a download that took its whole memory. A save that
    // fails is a memory write that failed: the logger goes on with what it held before
    // (the record write fails and is not acknowledged; after a download the memory
    // still counts as not downloaded), and `onSaveFailure`, when set, is told why.
    using SaveFailureReport = std::function<void(const std::string& why)>;
    void setImagePath(std::string path, SaveFailureReport onSaveFailure = {})
    {
        imagePath_ = std::move(path);
        onSaveFailure_ = std::move(onSaveFailure);
    }
    bool saveImage(const std::string& path, std::string& error);

private:
    enum class Parse { Frame, Record };

    std::uint64_t loggerNowMs() const;
    void update();
    void sampleUntil(std::uint64_t nowMs);
    void collectEvents(std::uint64_t nowMs);
    void updateCounts();
    void onFrame();
    bool takeRecord(); // false when the record could not be kept
    // False when the image file could not be written (the report has been made).
    bool savedToImagePath();
    void startLog();
    void queueReply(std::vector<std::uint8_t> bytes);
    static bool consume(int& count);

    Clock& clock_;
    LoggerConfig record_;
    LoggerMemory memory_;
    LoggerFaults faults_;

    // Logging started during this run.
    bool started_ = false;
    bool waitingForButton_ = false;
    double speedUp_ = 1.0;
    std::uint64_t baseTick_ = 0;
    std::uint64_t baseLoggerMs_ = 0;
    std::uint64_t writeMs_ = 0; // logger time the starting record was taken
    std::uint64_t firstSampleMs_ = 0;
    std::uint32_t writtenDelay_ = 0;
    std::uint64_t events_ = 0; // event logger: events so far
    std::uint64_t nextEventMs_ = 0;

    // Wire state.
    Parse parse_ = Parse::Frame;
    std::vector<std::uint8_t> frame_;
    std::vector<std::uint8_t> incoming_;
    std::size_t recordLength_ = 0;
    std::vector<std::uint8_t> reply_;
    std::size_t replyPos_ = 0;
    std::uint64_t replyReadyAt_ = 0;
    std::size_t downloadEnd_ = 0; // reply position at which a readings download is complete
    bool vanished_ = false;

    int recordsTaken_ = 0;
    std::string imagePath_;
    SaveFailureReport onSaveFailure_;
};

} // namespace velmora
