#pragma once
// What velmora-cli's commands that talk to a logger are given: the bridge the logger
// is reached through, the clocks and forms, and the two output streams. The logger
// commands of the executable and the settings and setup of velmora_cli_setup both
// stand on it.
#include <iosfwd>

namespace velmora {

class Clock;
class LocaleFormat;
class UsbBridge;

struct LoggerCommandContext {
    UsbBridge& bridge;
    Clock& clock;
    const LocaleFormat& format;
    std::ostream& out;
    std::ostream& err;
};

} // namespace velmora
