#include "libusb_bridge.h"

#include <libusb.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "in_buffer.h"

namespace velmora {
namespace {

enum class Direction { In, Out, Control };

// The one place where libusb's error codes become bridge statuses.
int bridgeStatus(int libusbError, Direction direction)
{
    switch (libusbError) {
    case LIBUSB_SUCCESS: return bridge::kSuccess;
    case LIBUSB_ERROR_TIMEOUT: return bridge::kTimeout;
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND:
        return direction == Direction::Control ? bridge::kDeviceNotFound : bridge::kDeviceIoFailed;
    case LIBUSB_ERROR_INVALID_PARAM: return bridge::kInvalidParameter;
    case LIBUSB_ERROR_ACCESS:
    case LIBUSB_ERROR_BUSY:
    case LIBUSB_ERROR_NO_MEM:
    case LIBUSB_ERROR_NOT_SUPPORTED: return bridge::kDeviceIoFailed;
    default:
        switch (direction) {
        case Direction::In: return bridge::kReadError;
        case Direction::Out: return bridge::kWriteError;
        case Direction::Control: return bridge::kDeviceIoFailed;
        }
    }
    return bridge::kDeviceIoFailed;
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

} // namespace

struct LibusbBridge::OpenDevice {
    OpenDevice(libusb_device_handle* h, const LoggerInterface& i, Clock& clock)
        : handle(h), iface(i),
          in(i.packetSizeIn, clock,
             [this](std::uint8_t* data, std::uint32_t capacity, std::uint32_t timeoutMs, std::uint32_t& received) {
                 return bulkIn(data, capacity, timeoutMs, received);
             })
    {
    }

    int bulkIn(std::uint8_t* data, std::uint32_t capacity, std::uint32_t timeoutMs, std::uint32_t& received)
    {
        int transferred = 0;
        const int r =
            libusb_bulk_transfer(handle, iface.endpointIn, data, static_cast<int>(capacity), &transferred, timeoutMs);
        received = transferred > 0 ? static_cast<std::uint32_t>(transferred) : 0;
        if (r == LIBUSB_ERROR_PIPE)
            libusb_clear_halt(handle, iface.endpointIn); // a stalled endpoint would fail every later read
        return bridgeStatus(r, Direction::In);
    }

    libusb_device_handle* handle;
    LoggerInterface iface;
    InBuffer in;
};

LibusbBridge::LibusbBridge(UsbIdList ids) : ids_(std::move(ids))
{
    if (libusb_init(&context_) != LIBUSB_SUCCESS)
        context_ = nullptr; // every call then reports that no device can be reached
}

LibusbBridge::~LibusbBridge()
{
    while (!open_.empty())
        close(open_.begin()->first);
    forgetDevices();
    if (context_)
        libusb_exit(context_);
}

void LibusbBridge::forgetDevices()
{
    for (libusb_device* device : devices_)
        libusb_unref_device(device);
    devices_.clear();
}

int LibusbBridge::listDevices()
{
    forgetDevices();
    if (!context_)
        return bridge::kDeviceNotFound;
    libusb_device** list = nullptr;
    const ssize_t n = libusb_get_device_list(context_, &list);
    if (n < 0)
        return bridgeStatus(static_cast<int>(n), Direction::Control);
    for (ssize_t i = 0; i < n; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == LIBUSB_SUCCESS &&
            ids_.contains(descriptor.idVendor, descriptor.idProduct))
            devices_.push_back(libusb_ref_device(list[i]));
    }
    libusb_free_device_list(list, 1);
    // The same loggers are listed in the same order every time, whatever order the
    // system enumerates them in.
    std::sort(devices_.begin(), devices_.end(), [](libusb_device* a, libusb_device* b) {
        return std::pair(libusb_get_bus_number(a), libusb_get_device_address(a)) <
               std::pair(libusb_get_bus_number(b), libusb_get_device_address(b));
    });
    return bridge::kSuccess;
}

int LibusbBridge::getNumDevices(std::uint32_t& count)
{
    count = 0;
    const int status = listDevices();
    count = static_cast<std::uint32_t>(devices_.size());
    return status;
}

int LibusbBridge::getProductString(std::uint32_t index, std::string& product)
{
    if (devices_.empty())
        listDevices();
    if (index >= devices_.size())
        return bridge::kDeviceNotFound;
    libusb_device* device = devices_[index];
    libusb_device_descriptor descriptor{};
    int r = libusb_get_device_descriptor(device, &descriptor);
    if (r != LIBUSB_SUCCESS)
        return bridgeStatus(r, Direction::Control);
    if (descriptor.iProduct == 0) {
        product.clear();
        return bridge::kSuccess;
    }

    // Reading a string descriptor needs an open device; reuse ours when it is open.
    libusb_device_handle* handle = nullptr;
    for (const auto& [id, open] : open_)
        if (libusb_get_device(open->handle) == device)
            handle = open->handle;
    const bool temporary = handle == nullptr;
    if (temporary && (r = libusb_open(device, &handle)) != LIBUSB_SUCCESS) {
        if (r == LIBUSB_ERROR_ACCESS)
            reportAccessDenied(device);
        return bridgeStatus(r, Direction::Control);
    }

    unsigned char text[256] = {};
    r = libusb_get_string_descriptor_ascii(handle, descriptor.iProduct, text, sizeof text - 1);
    if (temporary)
        libusb_close(handle);
    if (r < 0)
        return bridgeStatus(r, Direction::Control);
    product.assign(reinterpret_cast<const char*>(text), static_cast<std::size_t>(r));
    return bridge::kSuccess;
}

int LibusbBridge::open(std::uint32_t index, BridgeHandle& handle)
{
    handle = kInvalidHandle;
    if (devices_.empty())
        listDevices();
    if (index >= devices_.size())
        return bridge::kDeviceNotFound;
    libusb_device* device = devices_[index];

    libusb_config_descriptor* config = nullptr;
    int r = libusb_get_active_config_descriptor(device, &config);
    if (r != LIBUSB_SUCCESS)
        r = libusb_get_config_descriptor(device, 0, &config);
    if (r != LIBUSB_SUCCESS)
        return bridgeStatus(r, Direction::Control);
    LoggerInterface iface;
    const bool found = findLoggerInterface(*config, iface);
    libusb_free_config_descriptor(config);
    if (!found)
        return bridge::kDeviceNotFound;

    libusb_device_handle* usb = nullptr;
    if ((r = libusb_open(device, &usb)) != LIBUSB_SUCCESS) {
        if (r == LIBUSB_ERROR_ACCESS)
            reportAccessDenied(device);
        return bridgeStatus(r, Direction::Control);
    }
    // Detaching only matters if some kernel driver took the interface; where the
    // platform cannot detach, claiming still tells whether we may use it.
    libusb_set_auto_detach_kernel_driver(usb, 1);
    if ((r = libusb_claim_interface(usb, iface.number)) != LIBUSB_SUCCESS) {
        libusb_close(usb);
        return bridgeStatus(r, Direction::Control);
    }
    if (iface.altSetting != 0 &&
        (r = libusb_set_interface_alt_setting(usb, iface.number, iface.altSetting)) != LIBUSB_SUCCESS) {
        libusb_release_interface(usb, iface.number);
        libusb_close(usb);
        return bridgeStatus(r, Direction::Control);
    }

    handle = nextHandle_++;
    open_.emplace(handle, std::make_unique<OpenDevice>(usb, iface, clock_));
    return bridge::kSuccess;
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

LibusbBridge::OpenDevice* LibusbBridge::find(BridgeHandle handle)
{
    const auto it = open_.find(handle);
    return it == open_.end() ? nullptr : it->second.get();
}

int LibusbBridge::close(BridgeHandle handle)
{
    const auto it = open_.find(handle);
    if (it == open_.end())
        return bridge::kInvalidHandleStatus;
    // Releasing fails harmlessly on a device that is already gone.
    libusb_release_interface(it->second->handle, it->second->iface.number);
    libusb_close(it->second->handle);
    open_.erase(it);
    return bridge::kSuccess;
}

int LibusbBridge::read(BridgeHandle handle, std::uint8_t* buffer, std::uint32_t count, std::uint32_t& bytesRead)
{
    bytesRead = 0;
    OpenDevice* device = find(handle);
    if (!device)
        return bridge::kInvalidHandleStatus;
    if (count == 0)
        return bridge::kSuccess;
    if (!buffer)
        return bridge::kInvalidParameter;
    return device->in.read(buffer, count, readTimeoutMs_, bytesRead);
}

int LibusbBridge::write(BridgeHandle handle, const std::uint8_t* buffer, std::uint32_t count,
                        std::uint32_t& bytesWritten)
{
    bytesWritten = 0;
    OpenDevice* device = find(handle);
    if (!device)
        return bridge::kInvalidHandleStatus;
    if (count == 0)
        return bridge::kSuccess;
    if (!buffer || count > static_cast<std::uint32_t>(INT_MAX))
        return bridge::kInvalidParameter;
    int transferred = 0;
    // libusb does not write through the pointer of an OUT transfer.
    const int r = libusb_bulk_transfer(device->handle, device->iface.endpointOut, const_cast<std::uint8_t*>(buffer),
                                       static_cast<int>(count), &transferred, writeTimeoutMs_);
    bytesWritten = transferred > 0 ? static_cast<std::uint32_t>(transferred) : 0;
    if (r == LIBUSB_ERROR_PIPE)
        libusb_clear_halt(device->handle, device->iface.endpointOut);
    return bridgeStatus(r, Direction::Out);
}

int LibusbBridge::flushBuffers(BridgeHandle handle, bool /*transmit*/, bool receive)
{
    OpenDevice* device = find(handle);
    if (!device)
        return bridge::kInvalidHandleStatus;
    // Writes complete before write() returns, so nothing waits to be sent.
    return receive ? device->in.discard() : bridge::kSuccess;
}

int LibusbBridge::setTimeouts(std::uint32_t readMs, std::uint32_t writeMs)
{
    readTimeoutMs_ = readMs;
    writeTimeoutMs_ = writeMs;
    return bridge::kSuccess;
}

int LibusbBridge::getTimeouts(std::uint32_t& readMs, std::uint32_t& writeMs)
{
    readMs = readTimeoutMs_;
    writeMs = writeTimeoutMs_;
    return bridge::kSuccess;
}

int LibusbBridge::checkRxQueue(BridgeHandle handle, std::uint32_t& queuedBytes, std::uint32_t& status)
{
    queuedBytes = 0;
    status = 0;
    OpenDevice* device = find(handle);
    if (!device)
        return bridge::kInvalidHandleStatus;
    const int result = device->in.poll();
    queuedBytes = device->in.buffered();
    status = queuedBytes > 0 ? kRxQueueDataReady : 0;
    return result;
}

} // namespace velmora
