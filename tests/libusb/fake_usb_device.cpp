#include "fake_usb_device.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velmora {
namespace {

std::string hex(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    char pair[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", b);
        text += pair;
    }
    return text;
}

// Device descriptor, then the one configuration: one vendor-specific interface with
// a bulk OUT and a bulk IN endpoint of 64-byte packets, as the loggers have.
std::vector<std::uint8_t> descriptors(UsbId id)
{
    const std::uint8_t vl = id.vendor & 0xFF, vh = id.vendor >> 8, pl = id.product & 0xFF, ph = id.product >> 8;
    return {// device: USB 2.0, class per interface, EP0 64 bytes, strings 1 2 3, one configuration
            0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x40, vl, vh, pl, ph, 0x00, 0x01, 0x01, 0x02, 0x03, 0x01,
            // configuration 1: total 32 bytes, one interface, bus powered, 100 mA
            0x09, 0x02, 0x20, 0x00, 0x01, 0x01, 0x00, 0x80, 0x32,
            // interface 0: two endpoints, vendor specific
            0x09, 0x04, 0x00, 0x00, 0x02, 0xFF, 0x00, 0x00, 0x00,
            // endpoint 0x01 bulk OUT, 64 bytes; endpoint 0x81 bulk IN, 64 bytes
            0x07, 0x05, FakeUsbDevice::kEndpointOut, 0x02, 0x40, 0x00, 0x00, 0x07, 0x05, FakeUsbDevice::kEndpointIn,
            0x02, 0x40, 0x00, 0x00};
}

std::vector<std::uint8_t> stringDescriptor(const std::string& text)
{
    std::vector<std::uint8_t> d{static_cast<std::uint8_t>(2 + 2 * text.size()), 0x03};
    for (char c : text) {
        d.push_back(static_cast<std::uint8_t>(c));
        d.push_back(0);
    }
    return d;
}

usbdevfs_urb* urbOf(UMockdevIoctlData* data) { return reinterpret_cast<usbdevfs_urb*>(data->data); }

// umockdev points the process at one test bed, the last one made: devices alive at
// the same time (two loggers on the bus) must share it.
struct SharedTestbed {
    UMockdevTestbed* testbed = nullptr;
    int users = 0;
};

SharedTestbed& sharedTestbed()
{
    static SharedTestbed shared;
    return shared;
}

} // namespace

bool underUmockdev()
{
    const char* preload = std::getenv("LD_PRELOAD");
    return preload && std::strstr(preload, "umockdev-preload");
}

FakeUsbDevice::FakeUsbDevice(UsbPeer& peer, std::string product, UsbId id, int deviceNumber)
    : peer_(peer), product_(std::move(product))
{
    char node[32];
    std::snprintf(node, sizeof node, "bus/usb/001/%03d", deviceNumber);
    devnode_ = std::string("/dev/") + node;
    char idText[16];
    std::snprintf(idText, sizeof idText, "%04x/%04x", id.vendor, id.product);

    SharedTestbed& shared = sharedTestbed();
    if (shared.users++ == 0)
        shared.testbed = umockdev_testbed_new();
    testbed_ = shared.testbed;
    const std::string devicePath = "/devices/pci0000:00/0000:00:14.0/usb1/1-" + std::to_string(deviceNumber);
    sysfsPath_ = "/sys" + devicePath;
    // The N: line creates the device node; without it libusb lists the device but
    // cannot open it.
    const std::string record = "P: " + devicePath + "\n" + "N: " + node + "\n" + "E: DEVNAME=" + devnode_ + "\n" +
                               "E: DEVTYPE=usb_device\n" + "E: DRIVER=usb\n" + "E: SUBSYSTEM=usb\n" +
                               "E: BUSNUM=001\n" + "E: DEVNUM=" + (node + 12) + "\n" + "E: PRODUCT=" + idText +
                               "/100\n" + "A: busnum=1\n" + "A: devnum=" + std::to_string(deviceNumber) + "\n" +
                               "A: speed=12\n" + "A: bConfigurationValue=1\n" + "A: bNumConfigurations=1\n" +
                               "A: product=" + product_ + "\n" + "H: descriptors=" + hex(descriptors(id)) + "\n";
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, record.c_str(), &error)) {
        setupError_ = std::string("cannot add the device: ") + error->message;
        g_error_free(error);
        return;
    }
    handler_ = umockdev_ioctl_base_new();
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(handleIoctlThunk), this);
    if (!umockdev_testbed_attach_ioctl(testbed_, devnode_.c_str(), handler_, &error)) {
        setupError_ = std::string("cannot attach the ioctl handler: ") + error->message;
        g_error_free(error);
    }
}

FakeUsbDevice::~FakeUsbDevice()
{
    if (testbed_ && handler_)
        umockdev_testbed_detach_ioctl(testbed_, devnode_.c_str(), nullptr);
    if (testbed_ && setupError_.empty())
        umockdev_testbed_remove_device(testbed_, sysfsPath_.c_str());
    {
        std::lock_guard lock(mutex_);
        for (Urb& u : pendingIn_)
            release(u);
        for (Urb& u : completed_)
            release(u);
        pendingIn_.clear();
        completed_.clear();
    }
    if (handler_)
        g_object_unref(handler_);
    SharedTestbed& shared = sharedTestbed();
    if (--shared.users == 0) {
        g_object_unref(shared.testbed);
        shared.testbed = nullptr;
    }
}

void FakeUsbDevice::unplug()
{
    std::lock_guard lock(mutex_);
    unplugged_ = true;
}

void FakeUsbDevice::stallIn()
{
    std::lock_guard lock(mutex_);
    inStalled_ = true;
}

int FakeUsbDevice::claimedInterfaces() const
{
    std::lock_guard lock(mutex_);
    return claimed_;
}

int FakeUsbDevice::ioctlsSeen(unsigned long request) const
{
    std::lock_guard lock(mutex_);
    for (const auto& [r, n] : seen_)
        if (r == request)
            return n;
    return 0;
}

std::vector<std::string> FakeUsbDevice::unexpectedRequests() const
{
    std::lock_guard lock(mutex_);
    return unexpected_;
}

int FakeUsbDevice::handleIoctlThunk(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self)
{
    return static_cast<FakeUsbDevice*>(self)->handleIoctl(client);
}

void FakeUsbDevice::release(Urb& urb)
{
    if (urb.buffer)
        g_object_unref(urb.buffer);
    if (urb.urb)
        g_object_unref(urb.urb);
    urb = {};
}

void FakeUsbDevice::finish(Urb& urb, int status, int actualLength)
{
    urbOf(urb.urb)->status = status;
    urbOf(urb.urb)->actual_length = actualLength;
    completed_.push_back(urb);
}

bool FakeUsbDevice::handleIoctl(UMockdevIoctlClient* client)
{
    std::lock_guard lock(mutex_);
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    auto it = std::find_if(seen_.begin(), seen_.end(), [&](const auto& s) { return s.first == request; });
    if (it == seen_.end())
        seen_.push_back({request, 1});
    else
        ++it->second;

    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    if (unplugged_ || !peer_.present()) {
        // As the kernel does on a disconnect: URBs in flight complete with
        // -ESHUTDOWN and can still be reaped; every other request fails.
        while (!pendingIn_.empty()) {
            Urb urb = pendingIn_.front();
            pendingIn_.pop_front();
            finish(urb, -ESHUTDOWN, 0);
        }
        if ((request == USBDEVFS_REAPURBNDELAY || request == USBDEVFS_REAPURB) && !completed_.empty())
            reap(client, arg);
        else
            umockdev_ioctl_client_complete(client, -1, ENODEV);
        return true;
    }

    switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
        if (UMockdevIoctlData* caps = umockdev_ioctl_data_resolve(arg, 0, sizeof(std::uint32_t), nullptr)) {
            const std::uint32_t value = USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_BULK_CONTINUATION;
            std::memcpy(caps->data, &value, sizeof value);
            g_object_unref(caps);
        }
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_DISCONNECT_CLAIM:
        ++claimed_;
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    case USBDEVFS_RELEASEINTERFACE:
        --claimed_;
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    case USBDEVFS_CLEAR_HALT: {
        if (UMockdevIoctlData* endpoint = umockdev_ioctl_data_resolve(arg, 0, sizeof(unsigned), nullptr)) {
            unsigned value = 0;
            std::memcpy(&value, endpoint->data, sizeof value);
            if (value == kEndpointIn)
                inStalled_ = false;
            g_object_unref(endpoint);
        }
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_RESETEP: umockdev_ioctl_client_complete(client, 0, 0); return true;
    case USBDEVFS_GETDRIVER:
    case USBDEVFS_IOCTL: // no kernel driver to ask about or to give the interface back to
        umockdev_ioctl_client_complete(client, -1, ENODATA);
        return true;
    case USBDEVFS_SUBMITURB: submit(client); return true;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY: {
        serviceIn();
        if (completed_.empty()) {
            umockdev_ioctl_client_complete(client, -1, EAGAIN);
            return true;
        }
        reap(client, arg);
        return true;
    }
    case USBDEVFS_DISCARDURB: {
        // libusb cancels a timed-out transfer this way and then waits to reap it:
        // the URB must come back, marked as unlinked.
        unsigned long address = 0;
        std::memcpy(&address, arg->data,
                    std::min<std::size_t>(sizeof address, static_cast<std::size_t>(arg->data_len)));
        const auto found = std::find_if(pendingIn_.begin(), pendingIn_.end(),
                                        [&](const Urb& u) { return u.clientAddress == address; });
        if (found == pendingIn_.end()) {
            umockdev_ioctl_client_complete(client, -1, EINVAL);
            return true;
        }
        Urb urb = *found;
        pendingIn_.erase(found);
        finish(urb, -ENOENT, 0);
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "ioctl 0x%lx", request);
        unexpected_.push_back(text);
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return true;
    }
    }
}

// Hands the oldest completed URB back: the kernel writes its address to the
// location the ioctl argument points to.
void FakeUsbDevice::reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg)
{
    Urb urb = completed_.front();
    completed_.pop_front();
    UMockdevIoctlData* where = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
    if (!where) {
        release(urb);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    umockdev_ioctl_data_set_ptr(where, 0, urb.urb);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(where);
    release(urb);
}

void FakeUsbDevice::submit(UMockdevIoctlClient* client)
{
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    Urb urb;
    std::memcpy(&urb.clientAddress, arg->data,
                std::min<std::size_t>(sizeof urb.clientAddress, static_cast<std::size_t>(arg->data_len)));
    urb.urb = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
    if (!urb.urb) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    usbdevfs_urb* u = urbOf(urb.urb);
    if (u->buffer_length > 0)
        urb.buffer = umockdev_ioctl_data_resolve(urb.urb, offsetof(usbdevfs_urb, buffer),
                                                 static_cast<std::size_t>(u->buffer_length), nullptr);
    if (u->buffer_length > 0 && !urb.buffer) {
        release(urb);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }

    if (u->type == USBDEVFS_URB_TYPE_CONTROL) {
        answerControl(urb);
    } else if (u->type == USBDEVFS_URB_TYPE_BULK && u->endpoint == kEndpointOut) {
        const auto* bytes = urb.buffer ? urb.buffer->data : nullptr;
        peer_.hostWrote(std::vector<std::uint8_t>(bytes, bytes + u->buffer_length));
        // Pulled out while the bytes went over: the transfer fails, as on a disconnect.
        if (peer_.present())
            finish(urb, 0, u->buffer_length);
        else
            finish(urb, -ESHUTDOWN, 0);
    } else if (u->type == USBDEVFS_URB_TYPE_BULK && u->endpoint == kEndpointIn) {
        pendingIn_.push_back(urb);
    } else {
        release(urb);
        umockdev_ioctl_client_complete(client, -1, ENOENT); // no such endpoint
        return;
    }
    umockdev_ioctl_client_complete(client, 0, 0);
    serviceIn();
}

void FakeUsbDevice::answerControl(Urb& urb)
{
    usbdevfs_urb* u = urbOf(urb.urb);
    if (u->buffer_length < 8) {
        finish(urb, -EPIPE, 0);
        return;
    }
    std::uint8_t* setup = urb.buffer->data;
    const int wValue = setup[2] | setup[3] << 8;
    const int wLength = setup[6] | setup[7] << 8;
    std::vector<std::uint8_t> reply;
    if (setup[0] == 0x80 && setup[1] == 0x06 && (wValue >> 8) == 0x03) { // GET_DESCRIPTOR, string
        switch (wValue & 0xFF) {
        case 0: reply = {0x04, 0x03, 0x09, 0x04}; break; // US English only
        case 1: reply = stringDescriptor("Velmora"); break;
        case 2: reply = stringDescriptor(product_); break;
        case 3: reply = stringDescriptor("00000001"); break;
        default: finish(urb, -EPIPE, 0); return;
        }
    } else {
        finish(urb, -EPIPE, 0); // stall what a logger does not know
        return;
    }
    const int n = std::min({static_cast<int>(reply.size()), wLength, u->buffer_length - 8});
    std::memcpy(setup + 8, reply.data(), static_cast<std::size_t>(n));
    finish(urb, 0, n);
}

// Gives the peer's waiting bytes to the oldest bulk IN URB. Like the hardware, the
// device sends whole packets: a URB whose length is not a multiple of the packet
// size overflows when a packet does not fit, and the rest of that packet is lost.
void FakeUsbDevice::serviceIn()
{
    while (inStalled_ && !pendingIn_.empty()) {
        Urb stalled = pendingIn_.front();
        pendingIn_.pop_front();
        finish(stalled, -EPIPE, 0);
    }
    while (!pendingIn_.empty()) {
        Urb& urb = pendingIn_.front();
        const int length = urbOf(urb.urb)->buffer_length;
        const std::size_t room = (static_cast<std::size_t>(length) + kPacketSize - 1) / kPacketSize * kPacketSize;
        const std::vector<std::uint8_t> bytes = peer_.toHost(room);
        if (bytes.empty())
            return;
        const int n = std::min(static_cast<int>(bytes.size()), length);
        std::memcpy(urb.buffer->data, bytes.data(), static_cast<std::size_t>(n));
        Urb done = urb;
        pendingIn_.pop_front();
        finish(done, static_cast<int>(bytes.size()) > length ? -EOVERFLOW : 0, n);
    }
}

} // namespace velmora
