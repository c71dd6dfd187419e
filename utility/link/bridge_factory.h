#pragma once
// How the programs get their bridge: the libusb bridge with the allow-list built
// from the code's default, the settings value and VELMORA_USB_IDS, optionally
// wrapped in the wire trace that VELMORA_TRACE asks for.
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "usb_bridge.h"
#include "usb_id_list.h"

namespace velmora {

// The allow-list: kLoggerUsbId, then the ids of the settings value "USB Device IDs",
// then those of VELMORA_USB_IDS (`environmentIds`, may be null). A rejected entry
// adds a message to `warnings` and is otherwise ignored.
UsbIdList usbIdsFrom(const std::string& settingsIds, const char* environmentIds, std::vector<std::string>& warnings);

// The libusb bridge; reads VELMORA_USB_IDS itself. Rejected id entries are reported
// on stderr.
std::unique_ptr<UsbBridge> makeRealBridge(const std::string& settingsIds);

inline constexpr const char* kTraceEnvironmentVariable = "VELMORA_TRACE";

// `traceSetting` is the value of VELMORA_TRACE: unset, empty or "0" leaves the bridge
// as it is; "1" traces to `errors`; anything else is a file the trace is appended
// to. A file that cannot be opened is reported on `errors`, which then takes the
// trace instead, so the user still gets the trace they asked for.
std::unique_ptr<UsbBridge> wrapWithTrace(std::unique_ptr<UsbBridge> bridge, const char* traceSetting,
                                         std::ostream& errors);

// wrapWithTrace with VELMORA_TRACE and stderr.
std::unique_ptr<UsbBridge> wrapWithTraceIfRequested(std::unique_ptr<UsbBridge> bridge);

} // namespace velmora
