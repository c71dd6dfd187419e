#include "cli_bridge.h"

#include <iostream>

#include "bridge_factory.h"
#include "qt/qt_settings.h"
#include "simulation_setup.h"

namespace velmora {

std::unique_ptr<UsbBridge> makeCliBridge(bool simulate, const std::string& spec, Clock& clock, std::string& error)
{
    std::unique_ptr<UsbBridge> bridge;
    if (simulate) {
        bridge = makeSimulatedBridge(spec, clock, error, 1.0, &std::cerr);
    } else {
        // The same setting velmora-usb reads, so ids added there work here too.
        const QtSettings settings(QString::fromLatin1(kUtilitySettingsName));
        bridge = makeRealBridge(settings.value(kUsbIdsSettingsSection, kUsbIdsSettingsKey));
    }
    return bridge ? wrapWithTraceIfRequested(std::move(bridge)) : nullptr;
}

} // namespace velmora
