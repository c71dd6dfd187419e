#pragma once
// What `--simulate SPEC` puts behind the bridge, for velmora-usb and velmora-cli.
//
// SPEC is one of
//   a type code 1..21   a factory-fresh logger of that type holding demo readings;
//   a file path         a logger image, saved back whenever the program writes the record;
//   none                a bridge with no logger attached;
// or several codes and paths separated by commas: the loggers are listed in that order.
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "simulated_bridge.h"

namespace velmora {

class Clock;

// nullptr, with `error` set, when SPEC names an unknown type or an unreadable image.
// `speedUp` makes the loggers' time run that many times faster than the clock once
// they are started (a demo of a day's log in minutes). An image that cannot be saved
// fails the write that needed it, as a logger's failed memory write does; why it
// could not be saved goes to `saveFailures` when given, one line each.
std::unique_ptr<SimulatedBridge> makeSimulatedBridge(const std::string& spec, Clock& clock, std::string& error,
                                                     double speedUp = 1.0, std::ostream* saveFailures = nullptr);

// The logger image files SPEC names: files the program saves loggers back into, which
// nothing else it writes may replace.
std::vector<std::string> simulatedImagePaths(const std::string& spec);

} // namespace velmora
