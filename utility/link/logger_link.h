#pragma once
// The command protocol with a logger over a UsbBridge: list the loggers, read the
// configuration record, write it, read the stored readings. Every exchange opens
// the device, does its work and closes it again.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "logger_config.h"
#include "usb_bridge.h"

namespace velmora {

class Clock;
class Prompts;

class LoggerLink {
public:
    static constexpr int kMaxDevices = 8;
    static constexpr std::uint32_t kTransferTimeoutMs = 3000;
    static constexpr std::uint32_t kPauseMs = 24;
    // No logger stores more than 16,777,215 data bytes (a 24-bit total), so a reply
    // announcing more is refused before anything is allocated for it.
    static constexpr std::uint32_t kMaxReadingBytes = 0xFFFFFF;

    LoggerLink(UsbBridge& bridge, Clock& clock, Prompts& prompts);

    void listDevices();
    bool requireDevice(); // message 134 when none is listed
    int deviceCount() const { return deviceCount_; }
    const std::string& productString(int index) const { return productStrings_.at(static_cast<std::size_t>(index)); }

    // `out` holds the record, zero-filled beyond its length. Two attempts; message
    // 135 after the second failure. A record length above 256, or below the record
    // length of the type the reply names (64 bytes for an unknown type), fails the
    // attempt.
    bool readConfigBlock(int index, LoggerConfig& out);
    bool writeConfigBlock(int index, const LoggerConfig& record, std::size_t length, bool reportFailure);

    // Reads the stored readings: `readings` is resized to the values announced by
    // the logger's header and filled from index 0. Message 135 on failure; values
    // received before a failure stay in the array. `progress`, when set, is called
    // after each block with (blocks done, blocks in all); when it answers false before
    // the last block the read stops there (the user cancelled it) and returns false
    // without a message.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;
    bool readReadings(int index, LoggerType type, std::vector<float>& readings, const Progress& progress = {});

    bool readBytes(std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeoutMs);
    bool writeBytes(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeoutMs,
                    std::uint32_t* written = nullptr);

    UsbBridge& bridge() { return bridge_; }
    Clock& clock() { return clock_; }
    Prompts& prompts() { return prompts_; }

private:
    bool readConfigAttempt(int index, LoggerConfig& out);
    void closeHandle();

    UsbBridge& bridge_;
    Clock& clock_;
    Prompts& prompts_;
    int deviceCount_ = 0;
    std::array<std::string, kMaxDevices> productStrings_{};
    BridgeHandle handle_ = kInvalidHandle;
};

} // namespace velmora
