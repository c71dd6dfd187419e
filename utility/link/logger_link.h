#pragma once
// The command protocol with one logger over a UsbBridge: list the loggers, read the
// configuration record, write it, read the stored readings. Every exchange opens the
// logger's port, does its work and closes it again. A link talks to the logger at
// the location it was given, or to the first one listed; links to different loggers
// work side by side.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logger_config.h"
#include "usb_bridge.h"

namespace velmora {

class Clock;
class Prompts;

class LoggerLink {
public:
    static constexpr std::uint32_t kTransferTimeoutMs = 3000;
    static constexpr std::uint32_t kPauseMs = 24;
    // No logger stores more than 16,777,215 data bytes (a 24-bit total), so a reply
    // announcing more is refused before anything is allocated for it.
    static constexpr std::uint32_t kMaxReadingBytes = 0xFFFFFF;

    // `location` as UsbDevice gives it; empty: the first logger listed.
    LoggerLink(UsbBridge& bridge, Clock& clock, Prompts& prompts, std::string location = {});

    // Lists every attached logger whose product string can be read.
    void listDevices();
    // Message 134 unless the logger this link talks to was listed.
    bool requireDevice();
    int deviceCount() const { return static_cast<int>(devices_.size()); }
    const std::string& productString(int index) const { return devices_.at(static_cast<std::size_t>(index)).product; }
    const std::string& location(int index) const { return devices_.at(static_cast<std::size_t>(index)).location; }

    // The logger this link talks to from now on.
    void useDevice(std::string location) { location_ = std::move(location); }
    const std::string& location() const { return location_; }

    // `out` holds the record, zero-filled beyond its length. Two attempts; message
    // 135 after the second failure. A record length above 256, or below the record
    // length of the type the reply names (64 bytes for an unknown type), fails the
    // attempt.
    bool readConfigBlock(LoggerConfig& out);
    bool writeConfigBlock(const LoggerConfig& record, std::size_t length, bool reportFailure);

    // Reads the stored readings: `readings` is resized to the values announced by
    // the logger's header and filled from index 0. Message 135 on failure; values
    // received before a failure stay in the array. `progress`, when set, is called
    // after each block with (blocks done, blocks in all); when it answers false before
    // the last block the read stops there (the user cancelled it) and returns false
    // without a message.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;
    bool readReadings(LoggerType type, std::vector<float>& readings, const Progress& progress = {});

    // Single transfers on the open port, each with its own time-outs: those of the
    // port are put back afterwards. A read with `timeoutMs` 0 first waits for data.
    bool readBytes(std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeoutMs);
    bool writeBytes(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeoutMs,
                    std::uint32_t* written = nullptr);

    UsbBridge& bridge() { return bridge_; }
    Clock& clock() { return clock_; }
    Prompts& prompts() { return prompts_; }

private:
    enum class Step { Done, Failed, Cancelled };
    // Opens the port, empties it, runs `steps` and closes the port whatever happened.
    // A cancelled exchange empties the port again first: the logger goes on sending
    // what nobody will read.
    Step exchange(const std::function<Step()>& steps);

    Step readRecord(LoggerConfig& out);
    Step sendRecord(const LoggerConfig& record, std::size_t length);
    Step awaitAcknowledgement();
    Step receiveReadings(LoggerType type, std::vector<float>& readings, const Progress& progress);

    UsbBridge& bridge_;
    Clock& clock_;
    Prompts& prompts_;
    std::string location_;
    std::vector<UsbDevice> devices_;
    std::unique_ptr<UsbPort> port_; // open only during an exchange
};

} // namespace velmora
