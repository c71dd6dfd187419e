#pragma once
// The bridge velmora-cli talks through: the simulated one for --simulate SPEC, else
// libusb with the utility's "USB Device IDs" setting. Either may carry the wire trace.
#include <memory>
#include <string>

#include "usb_bridge.h"

namespace velmora {

class Clock;

// nullptr with `error` set when --simulate names no type code or readable image.
std::unique_ptr<UsbBridge> makeCliBridge(bool simulate, const std::string& spec, Clock& clock, std::string& error);

} // namespace velmora
