#include "libusb_bridge.h"

#include <libusb.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

#include "clock.h"
#include "in_buffer.h"

namespace velmora {
namespace {

enum class Direction { In, Out, Control };

// The one place where libusb's error codes become port statuses.
PortStatus portStatus(int libusbError, Direction direction)
{
    switch (libusbError) {
    case LIBUSB_SUCCESS: return PortStatus::Ok;
    case LIBUSB_ERROR_TIMEOUT: return PortStatus::Timeout;
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND: return direction == Direction::Control ? PortStatus::NotFound : PortStatus::IoFailed;
    case LIBUSB_ERROR_INVALID_PARAM: return PortStatus::InvalidArgument;
    case LIBUSB_ERROR_ACCESS:
    case LIBUSB_ERROR_BUSY:
    case LIBUSB_ERROR_NO_MEM:
    case LIBUSB_ERROR_NOT_SUPPORTED: return PortStatus::IoFailed;
    default:
        switch (direction) {
        case Direction::In: return PortStatus::ReadError;
        case Direction::Out: return PortStatus::WriteError;
        case Direction::Control: return PortStatus::IoFailed;
        }
    }
    return PortStatus::IoFailed;
}

// Where a logger's byte stream lives inside its configuration.
struct LoggerInterface {
    int number = -1;
    int altSetting = 0;
    unsigned char endpointIn = 0;
    unsigned char endpointOut = 0;
    std::uint32_t packetSizeIn = 0;
};

bool bulkPair(const libusb_interface_descriptor& alt, LoggerInterface& found)
{
    LoggerInterface candidate;
    for (int e = 0; e < alt.bNumEndpoints; ++e) {
        const libusb_endpoint_descriptor& ep = alt.endpoint[e];
        if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_ENDPOINT_TRANSFER_TYPE_BULK)
            continue;
        if ((ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN) {
            if (candidate.endpointIn == 0) {
                candidate.endpointIn = ep.bEndpointAddress;
                candidate.packetSizeIn = ep.wMaxPacketSize & 0x7FF;
            }
        } else if (candidate.endpointOut == 0) {
            candidate.endpointOut = ep.bEndpointAddress;
        }
    }
    if (candidate.endpointIn == 0 || candidate.endpointOut == 0)
        return false;
    candidate.number = alt.bInterfaceNumber;
    candidate.altSetting = alt.bAlternateSetting;
    found = candidate;
    return true;
}

// The vendor-specific interface with a bulk IN and a bulk OUT endpoint; failing
// that, any interface that has such a pair.
bool findLoggerInterface(const libusb_config_descriptor& config, LoggerInterface& found)
{
    for (bool vendorOnly : {true, false}) {
        for (int i = 0; i < config.bNumInterfaces; ++i) {
            const libusb_interface& iface = config.interface[i];
            for (int a = 0; a < iface.num_altsetting; ++a) {
                const libusb_interface_descriptor& alt = iface.altsetting[a];
                if (vendorOnly && alt.bInterfaceClass != LIBUSB_CLASS_VENDOR_SPEC)
                    continue;
                if (bulkPair(alt, found))
                    return true;
            }
        }
    }
    return false;
}

// "1-4.2": the bus, then the port on each hub from the root down. Where the system
// gives no port path, the bus and device address, which name the device until it is
// unplugged.
std::string locationOf(libusb_device* device)
{
    std::uint8_t ports[8] = {};
    const int depth = libusb_get_port_numbers(device, ports, sizeof ports);
    std::string text = std::to_string(libusb_get_bus_number(device));
    if (depth <= 0)
        return text + ":" + std::to_string(libusb_get_device_address(device));
    for (int i = 0; i < depth; ++i)
        text += (i == 0 ? "-" : ".") + std::to_string(ports[i]);
    return text;
}

// Sorts by bus, then port path, so the same loggers come in the same order every
// time whatever order the system enumerates them in.
std::pair<int, std::vector<std::uint8_t>> sortKey(libusb_device* device)
{
    std::vector<std::uint8_t> ports(8);
    const int depth = libusb_get_port_numbers(device, ports.data(), static_cast<int>(ports.size()));
    ports.resize(depth > 0 ? static_cast<std::size_t>(depth) : 0);
    if (depth <= 0)
        ports.push_back(libusb_get_device_address(device));
    return {libusb_get_bus_number(device), ports};
}

// One opened logger: its claimed interface and the buffer its replies are read
// through. Destroying it releases the device.
class LibusbPort final : public UsbPort {
public:
    LibusbPort(libusb_device_handle* handle, const LoggerInterface& iface)
        : UsbPort({LibusbBridge::kDefaultTimeoutMs, LibusbBridge::kDefaultTimeoutMs}), handle_(handle), iface_(iface),
          in_(iface.packetSizeIn, clock_,
              [this](std::uint8_t* data, std::uint32_t capacity, std::uint32_t timeoutMs, std::uint32_t& received) {
                  return bulkIn(data, capacity, timeoutMs, received);
              })
    {
    }
    ~LibusbPort() override { close(); }

    PortStatus read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override
    {
        done = 0;
        if (!handle_)
            return PortStatus::Closed;
        if (count == 0)
            return PortStatus::Ok;
        if (!buffer)
            return PortStatus::InvalidArgument;
        return in_.read(buffer, count, timeouts().readMs, done);
    }

    PortStatus write(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override
    {
        done = 0;
        if (!handle_)
            return PortStatus::Closed;
        if (count == 0)
            return PortStatus::Ok;
        if (!buffer || count > static_cast<std::uint32_t>(INT_MAX))
            return PortStatus::InvalidArgument;
        int transferred = 0;
        // libusb does not write through the pointer of an OUT transfer.
        const int r = libusb_bulk_transfer(handle_, iface_.endpointOut, const_cast<std::uint8_t*>(buffer),
                                           static_cast<int>(count), &transferred, timeouts().writeMs);
        done = transferred > 0 ? static_cast<std::uint32_t>(transferred) : 0;
        if (r == LIBUSB_ERROR_PIPE)
            libusb_clear_halt(handle_, iface_.endpointOut);
        return portStatus(r, Direction::Out);
    }

    // Writes complete before write() returns, so only input can be waiting.
    PortStatus purge() override { return handle_ ? in_.discard() : PortStatus::Closed; }

    PortStatus waiting(std::uint32_t& bytes) override
    {
        bytes = 0;
        if (!handle_)
            return PortStatus::Closed;
        const PortStatus status = in_.poll();
        bytes = in_.buffered();
        return status;
    }

    PortStatus close() override
    {
        if (!handle_)
            return PortStatus::Closed;
        // Releasing fails harmlessly on a device that is already gone.
        libusb_release_interface(handle_, iface_.number);
        libusb_close(handle_);
        handle_ = nullptr;
        return PortStatus::Ok;
    }

private:
    PortStatus bulkIn(std::uint8_t* data, std::uint32_t capacity, std::uint32_t timeoutMs, std::uint32_t& received)
    {
        int transferred = 0;
        const int r =
            libusb_bulk_transfer(handle_, iface_.endpointIn, data, static_cast<int>(capacity), &transferred, timeoutMs);
        received = transferred > 0 ? static_cast<std::uint32_t>(transferred) : 0;
        if (r == LIBUSB_ERROR_PIPE)
            libusb_clear_halt(handle_, iface_.endpointIn); // a stalled endpoint would fail every later read
        return portStatus(r, Direction::In);
    }

    libusb_device_handle* handle_;
    LoggerInterface iface_;
    SteadyClock clock_;
    InBuffer in_;
};

// What the hot-plug callback is given: which devices count, and where to say one
// came or went.
struct HotplugState {
    const UsbIdList* ids = nullptr;
    bool changed = false;
};

int LIBUSB_CALL onHotplug(libusb_context*, libusb_device* device, libusb_hotplug_event, void* data)
{
    auto* state = static_cast<HotplugState*>(data);
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(device, &descriptor) == LIBUSB_SUCCESS &&
        state->ids->contains(descriptor.idVendor, descriptor.idProduct))
        state->changed = true;
    return 0; // stay registered
}

} // namespace

// The hot-plug registration, made the first time someone waits for a change.
struct LibusbBridge::Hotplug {
    libusb_hotplug_callback_handle handle = 0;
    bool registered = false;
    HotplugState state;
};

LibusbBridge::LibusbBridge(UsbIdList ids) : ids_(std::move(ids))
{
    if (libusb_init(&context_) != LIBUSB_SUCCESS)
        context_ = nullptr; // every call then reports that no device can be reached
}

LibusbBridge::~LibusbBridge()
{
    if (context_ && hotplug_ && hotplug_->registered)
        libusb_hotplug_deregister_callback(context_, hotplug_->handle);
    if (context_)
        libusb_exit(context_);
}

PortStatus LibusbBridge::allowedDevices(std::vector<libusb_device*>& devices)
{
    devices.clear();
    if (!context_)
        return PortStatus::NotFound;
    libusb_device** list = nullptr;
    const ssize_t n = libusb_get_device_list(context_, &list);
    if (n < 0)
        return portStatus(static_cast<int>(n), Direction::Control);
    for (ssize_t i = 0; i < n; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == LIBUSB_SUCCESS &&
            ids_.contains(descriptor.idVendor, descriptor.idProduct))
            devices.push_back(libusb_ref_device(list[i]));
    }
    libusb_free_device_list(list, 1);
    std::sort(devices.begin(), devices.end(),
              [](libusb_device* a, libusb_device* b) { return sortKey(a) < sortKey(b); });
    return PortStatus::Ok;
}

namespace {

PortStatus readProduct(libusb_device* device, std::string& product, int& openError)
{
    openError = LIBUSB_SUCCESS;
    product.clear();
    libusb_device_descriptor descriptor{};
    int r = libusb_get_device_descriptor(device, &descriptor);
    if (r != LIBUSB_SUCCESS)
        return portStatus(r, Direction::Control);
    if (descriptor.iProduct == 0)
        return PortStatus::Ok;
    // A string descriptor needs an open device. Opening it a second time beside a
    // port another link holds is allowed: this only asks the control endpoint.
    libusb_device_handle* handle = nullptr;
    if ((r = libusb_open(device, &handle)) != LIBUSB_SUCCESS) {
        openError = r;
        return portStatus(r, Direction::Control);
    }
    unsigned char text[256] = {};
    r = libusb_get_string_descriptor_ascii(handle, descriptor.iProduct, text, sizeof text - 1);
    libusb_close(handle);
    if (r < 0)
        return portStatus(r, Direction::Control);
    product.assign(reinterpret_cast<const char*>(text), static_cast<std::size_t>(r));
    return PortStatus::Ok;
}

} // namespace

PortStatus LibusbBridge::listDevices(std::vector<UsbDevice>& devices)
{
    devices.clear();
    std::vector<libusb_device*> found;
    const PortStatus status = allowedDevices(found);
    for (libusb_device* device : found) {
        UsbDevice listed;
        listed.location = locationOf(device);
        int openError = LIBUSB_SUCCESS;
        listed.productStatus = readProduct(device, listed.product, openError);
        if (openError == LIBUSB_ERROR_ACCESS)
            reportAccessDenied(device);
        devices.push_back(std::move(listed));
        libusb_unref_device(device);
    }
    return status;
}

PortStatus LibusbBridge::open(const std::string& location, std::unique_ptr<UsbPort>& port)
{
    port.reset();
    std::vector<libusb_device*> found;
    if (const PortStatus status = allowedDevices(found); status != PortStatus::Ok)
        return status;
    libusb_device* device = nullptr;
    for (libusb_device* d : found)
        if (!device && (location.empty() || locationOf(d) == location))
            device = libusb_ref_device(d);
    for (libusb_device* d : found)
        libusb_unref_device(d);
    if (!device)
        return PortStatus::NotFound;
    struct Unref {
        libusb_device* d;
        ~Unref() { libusb_unref_device(d); }
    } unref{device};

    libusb_config_descriptor* config = nullptr;
    int r = libusb_get_active_config_descriptor(device, &config);
    if (r != LIBUSB_SUCCESS)
        r = libusb_get_config_descriptor(device, 0, &config);
    if (r != LIBUSB_SUCCESS)
        return portStatus(r, Direction::Control);
    LoggerInterface iface;
    const bool hasInterface = findLoggerInterface(*config, iface);
    libusb_free_config_descriptor(config);
    if (!hasInterface)
        return PortStatus::NotFound;

    libusb_device_handle* usb = nullptr;
    if ((r = libusb_open(device, &usb)) != LIBUSB_SUCCESS) {
        if (r == LIBUSB_ERROR_ACCESS)
            reportAccessDenied(device);
        return portStatus(r, Direction::Control);
    }
    // Detaching only matters if some kernel driver took the interface; where the
    // platform cannot detach, claiming still tells whether we may use it.
    libusb_set_auto_detach_kernel_driver(usb, 1);
    if ((r = libusb_claim_interface(usb, iface.number)) != LIBUSB_SUCCESS) {
        libusb_close(usb);
        return portStatus(r, Direction::Control);
    }
    if (iface.altSetting != 0 &&
        (r = libusb_set_interface_alt_setting(usb, iface.number, iface.altSetting)) != LIBUSB_SUCCESS) {
        libusb_release_interface(usb, iface.number);
        libusb_close(usb);
        return portStatus(r, Direction::Control);
    }
    port = std::make_unique<LibusbPort>(usb, iface);
    return PortStatus::Ok;
}

bool LibusbBridge::waitForChange(std::uint32_t ms)
{
    SteadyClock clock;
    if (!context_ || !libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
        clock.sleepMs(ms);
        return true;
    }
    if (!hotplug_) {
        hotplug_ = std::make_unique<Hotplug>();
        hotplug_->state.ids = &ids_;
        hotplug_->registered =
            libusb_hotplug_register_callback(context_,
                                             static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                                                               LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
                                             LIBUSB_HOTPLUG_NO_FLAGS, LIBUSB_HOTPLUG_MATCH_ANY,
                                             LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, onHotplug,
                                             &hotplug_->state, &hotplug_->handle) == LIBUSB_SUCCESS;
    }
    if (!hotplug_->registered) {
        clock.sleepMs(ms);
        return true;
    }
    const std::uint64_t until = clock.tickMs() + ms;
    hotplug_->state.changed = false;
    while (!hotplug_->state.changed) {
        const std::uint64_t now = clock.tickMs();
        if (now >= until)
            break;
        const std::uint64_t left = until - now;
        timeval tv{static_cast<time_t>(left / 1000), static_cast<suseconds_t>((left % 1000) * 1000)};
        int completed = 0;
        libusb_handle_events_timeout_completed(context_, &tv, &completed);
    }
    return hotplug_->state.changed;
}

// A logger the user may not open is the usual trouble on a new machine, and the
// link can only say that no logger was found; this says why, once.
void LibusbBridge::reportAccessDenied(libusb_device* device)
{
    if (accessHintShown_)
        return;
    accessHintShown_ = true;
    std::fprintf(stderr,
                 "No permission to open the USB logger on bus %u, device %u. Install the udev rule "
                 "70-velmora-loggers.rules (see the README) and plug the logger in again.\n",
                 libusb_get_bus_number(device), libusb_get_device_address(device));
}

} // namespace velmora
