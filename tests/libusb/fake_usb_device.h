#pragma once
// A logger on a USB port that is not there: umockdev puts a device with the loggers'
// id into a mock sysfs and /dev, and answers the usbfs ioctls that libusb makes on
// it. Control requests for string descriptors are answered from the product text;
// bulk OUT bytes go to a UsbPeer and its replies complete the bulk IN URBs. So
// libusb, the libusb bridge and everything above run unchanged, without hardware.
//
// The process must run under umockdev-wrapper (LD_PRELOAD of the umockdev preload
// library); underUmockdev() says whether it does. Devices alive at the same time are
// on one bus: give each its own device number.
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "usb_id_list.h"

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;
typedef struct _UMockdevIoctlData UMockdevIoctlData;

namespace velmora {

// The far end of the cable. Called on umockdev's worker thread, one call at a time.
class UsbPeer {
public:
    virtual ~UsbPeer() = default;
    // Bytes the host wrote to the bulk OUT endpoint, one transfer at a time.
    virtual void hostWrote(const std::vector<std::uint8_t>& bytes) = 0;
    // Up to `max` bytes ready for the host now; empty when nothing is ready.
    virtual std::vector<std::uint8_t> toHost(std::size_t max) = 0;
    // False once the device has been pulled out: every request then fails.
    virtual bool present() const { return true; }
};

bool underUmockdev();

class FakeUsbDevice {
public:
    static constexpr std::uint8_t kEndpointOut = 0x01;
    static constexpr std::uint8_t kEndpointIn = 0x81;
    static constexpr std::uint16_t kPacketSize = 64;

    FakeUsbDevice(UsbPeer& peer, std::string product = "Velmora USB Data Logger", UsbId id = kLoggerUsbId,
                  int deviceNumber = 2);
    ~FakeUsbDevice();
    FakeUsbDevice(const FakeUsbDevice&) = delete;
    FakeUsbDevice& operator=(const FakeUsbDevice&) = delete;

    // Empty when the device was set up; otherwise what went wrong.
    const std::string& setupError() const { return setupError_; }

    // From now on every request fails as on a device that was pulled out.
    void unplug();
    // The bulk IN endpoint stalls: every transfer from it fails (-EPIPE) until the
    // host clears the halt.
    void stallIn();

    // What the host did, for the tests to check.
    int claimedInterfaces() const;
    int ioctlsSeen(unsigned long request) const;
    std::vector<std::string> unexpectedRequests() const;

private:
    struct Urb {
        UMockdevIoctlData* urb = nullptr;    // the usbdevfs_urb, resolved
        UMockdevIoctlData* buffer = nullptr; // its data buffer, resolved
        unsigned long clientAddress = 0;
    };

    static int handleIoctlThunk(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self);
    bool handleIoctl(UMockdevIoctlClient* client);
    void submit(UMockdevIoctlClient* client);
    void reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
    void answerControl(Urb& urb);
    void serviceIn();
    void finish(Urb& urb, int status, int actualLength);
    static void release(Urb& urb);

    UsbPeer& peer_;
    std::string product_;
    std::string devnode_;
    std::string sysfsPath_;
    UMockdevTestbed* testbed_ = nullptr;
    UMockdevIoctlBase* handler_ = nullptr;
    std::string setupError_;

    mutable std::mutex mutex_;
    std::deque<Urb> pendingIn_;
    std::deque<Urb> completed_;
    bool unplugged_ = false;
    bool inStalled_ = false;
    int claimed_ = 0;
    std::vector<std::pair<unsigned long, int>> seen_;
    std::vector<std::string> unexpected_;
};

} // namespace velmora
