#pragma once
// The attached loggers, each with its record as read when listed, and the choice of
// one of them by serial number.
#include <string>
#include <vector>

#include "logger_config.h"

namespace velmora {

class Clock;
class UsbBridge;

struct FleetLogger {
    std::string location; // where the bridge reaches it
    LoggerConfig config;  // its record when it was listed
    // The record could be read; when not, `problem` says why (the link's message).
    bool readable = false;
    std::string problem;

    std::string serial() const { return readable ? std::to_string(config.serialNumber()) : std::string(); }
};

// Every attached logger in the bridge's order, its record read. One that cannot be
// read is listed too, with its problem, so nobody takes the list for the whole tray.
std::vector<FleetLogger> listFleet(UsbBridge& bridge, Clock& clock);

// What a logger is doing, in words: "logging", "delayed start", "waiting for its
// button" or "stopped".
std::string stateName(const LoggerConfig& config);

// The readings a logger holds now.
std::size_t readingsHeld(const LoggerConfig& config);

struct LoggerChoice {
    enum class Result {
        Chosen,    // `logger` is the one
        None,      // no logger is attached
        Several,   // no serial was given and more than one logger is attached
        NoSuchOne, // no attached logger has the serial given
    } result = Result::None;
    const FleetLogger* logger = nullptr;
};

// The logger with serial number `serial`; with `serial` empty, the only logger
// attached. Setting up the wrong logger is worse than asking, so with several
// attached and no serial nothing is chosen.
LoggerChoice chooseLogger(const std::vector<FleetLogger>& loggers, const std::string& serial);

// The serial numbers of the readable loggers, comma separated ("111, 222").
std::string serialList(const std::vector<FleetLogger>& loggers);

} // namespace velmora
