#include "libusb_bridge.h"

#include <gtest/gtest.h>

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <deque>

#include "fake_usb_device.h"

namespace velmora {
namespace {

// Answers each write with the reply scripted for it, or not at all.
class ScriptedPeer final : public UsbPeer {
public:
    void hostWrote(const std::vector<std::uint8_t>& bytes) override
    {
        written.push_back(bytes);
        if (!replies.empty()) {
            waiting.insert(waiting.end(), replies.front().begin(), replies.front().end());
            replies.pop_front();
        }
    }
    std::vector<std::uint8_t> toHost(std::size_t max) override
    {
        const std::size_t n = std::min(max, waiting.size());
        std::vector<std::uint8_t> out(waiting.begin(), waiting.begin() + static_cast<std::ptrdiff_t>(n));
        waiting.erase(waiting.begin(), waiting.begin() + static_cast<std::ptrdiff_t>(n));
        return out;
    }

    std::deque<std::vector<std::uint8_t>> replies;
    std::deque<std::uint8_t> waiting;
    std::vector<std::vector<std::uint8_t>> written;
};

TEST(LibusbBridgeTest, ListsOpensWritesAndReads)
{
    ScriptedPeer peer;
    FakeUsbDevice device(peer);
    ASSERT_EQ(device.setupError(), "");
    LibusbBridge bridge{UsbIdList{}};

    std::vector<UsbDevice> devices;
    ASSERT_EQ(bridge.listDevices(devices), PortStatus::Ok);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].productStatus, PortStatus::Ok);
    EXPECT_EQ(devices[0].product, "Velmora USB Data Logger");
    EXPECT_FALSE(devices[0].location.empty());

    std::unique_ptr<UsbPort> port;
    ASSERT_EQ(bridge.open(devices[0].location, port), PortStatus::Ok);
    EXPECT_EQ(device.claimedInterfaces(), 1);

    std::vector<std::uint8_t> reply{0x00, 0x40, 0x00};
    for (int i = 0; i < 64; ++i)
        reply.push_back(static_cast<std::uint8_t>(i));
    peer.replies.push_back(reply);
    const std::uint8_t frame[3] = {0x00, 0xFF, 0xFF};
    std::uint32_t n = 0;
    ASSERT_EQ(port->write(frame, 3, n), PortStatus::Ok);
    EXPECT_EQ(n, 3u);
    ASSERT_EQ(peer.written.size(), 1u);
    EXPECT_EQ(peer.written[0], (std::vector<std::uint8_t>{0x00, 0xFF, 0xFF}));

    std::uint8_t header[3] = {};
    ASSERT_EQ(port->read(header, 3, n), PortStatus::Ok);
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(header[1], 0x40);
    std::uint8_t record[64] = {};
    ASSERT_EQ(port->read(record, 64, n), PortStatus::Ok);
    EXPECT_EQ(n, 64u);
    EXPECT_EQ(record[63], 63);

    port.reset(); // destroying the port closes it
    EXPECT_EQ(device.claimedInterfaces(), 0);
    EXPECT_TRUE(device.unexpectedRequests().empty());
}

// An open bridge on one fake logger, with short time-outs so that waiting for
// nothing costs little real time.
class OpenBridgeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(device.setupError(), "");
        ASSERT_EQ(bridge.open("", port), PortStatus::Ok);
        port->setTimeouts({kShortMs, kShortMs});
    }
    void TearDown() override
    {
        port.reset();
        EXPECT_TRUE(device.unexpectedRequests().empty());
    }

    void send(std::vector<std::uint8_t> bytes) { peer.waiting.insert(peer.waiting.end(), bytes.begin(), bytes.end()); }
    std::vector<std::uint8_t> read(std::uint32_t count, PortStatus expectedStatus)
    {
        std::vector<std::uint8_t> out(count);
        std::uint32_t got = 999;
        EXPECT_EQ(port->read(out.data(), count, got), expectedStatus);
        out.resize(std::min(got, count));
        return out;
    }

    static constexpr std::uint32_t kShortMs = 40;
    ScriptedPeer peer;
    FakeUsbDevice device{peer};
    LibusbBridge bridge{UsbIdList{}};
    std::unique_ptr<UsbPort> port;
};

std::vector<std::uint8_t> counting(std::size_t n, std::uint8_t first)
{
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::uint8_t>(first + i);
    return v;
}

TEST_F(OpenBridgeTest, ReadsOfAnySizeOverWholePackets)
{
    // A readings header and two blocks that the device sends in one stream; the
    // fake device overflows any transfer that is not a whole number of packets.
    const auto stream = counting(3 + 512 + 512, 1);
    send(stream);
    std::vector<std::uint8_t> got = read(3, PortStatus::Ok);
    for (int block = 0; block < 2; ++block) {
        const auto part = read(512, PortStatus::Ok);
        got.insert(got.end(), part.begin(), part.end());
    }
    EXPECT_EQ(got, stream);

    // Single bytes, as the link reads the acknowledgement of a record write.
    send({0x11, 0x22, 0xFF});
    EXPECT_EQ(read(1, PortStatus::Ok), (std::vector<std::uint8_t>{0x11}));
    EXPECT_EQ(read(1, PortStatus::Ok), (std::vector<std::uint8_t>{0x22}));
    EXPECT_EQ(read(1, PortStatus::Ok), (std::vector<std::uint8_t>{0xFF}));
}

TEST_F(OpenBridgeTest, TimeOutReturnsWhatCameAndLeavesTheDeviceUsable)
{
    EXPECT_TRUE(read(4, PortStatus::Timeout).empty());
    send({1, 2});
    EXPECT_EQ(read(4, PortStatus::Timeout), (std::vector<std::uint8_t>{1, 2}));
    // The cancelled transfers were taken back; the next reply arrives whole.
    send({3, 4, 5, 6});
    EXPECT_EQ(read(4, PortStatus::Ok), (std::vector<std::uint8_t>{3, 4, 5, 6}));
    EXPECT_GE(device.ioctlsSeen(USBDEVFS_DISCARDURB), 2);
}

TEST_F(OpenBridgeTest, ReceiveQueueReportsWaitingData)
{
    std::uint32_t queued = 99;
    ASSERT_EQ(port->waiting(queued), PortStatus::Ok);
    EXPECT_EQ(queued, 0u);

    send({7, 8, 9});
    ASSERT_EQ(port->waiting(queued), PortStatus::Ok);
    EXPECT_EQ(queued, 3u);
    EXPECT_EQ(read(3, PortStatus::Ok), (std::vector<std::uint8_t>{7, 8, 9}));
}

TEST_F(OpenBridgeTest, FlushDiscardsBufferedAndWaitingInput)
{
    send(counting(10, 0));
    EXPECT_EQ(read(2, PortStatus::Ok).size(), 2u); // 8 bytes now buffered in the bridge
    send(counting(100, 50));                       // and a stale reply waiting in the device
    ASSERT_EQ(port->purge(), PortStatus::Ok);
    EXPECT_TRUE(read(1, PortStatus::Timeout).empty());
    send({0xAB});
    EXPECT_EQ(read(1, PortStatus::Ok), (std::vector<std::uint8_t>{0xAB}));
}

TEST_F(OpenBridgeTest, PulledOutDeviceGivesErrorsNotCrashes)
{
    device.unplug();
    const std::uint8_t frame[3] = {0x03, 0xFF, 0xFF};
    std::uint32_t n = 0, queued = 0;
    EXPECT_NE(port->write(frame, 3, n), PortStatus::Ok);
    EXPECT_NE(port->read(const_cast<std::uint8_t*>(frame), 3, n), PortStatus::Ok);
    EXPECT_NE(port->waiting(queued), PortStatus::Ok);
    EXPECT_EQ(port->close(), PortStatus::Ok);
}

TEST_F(OpenBridgeTest, ClosedPortsAndUnknownLocationsAreRefused)
{
    std::uint8_t byte = 0;
    std::uint32_t n = 0;
    ASSERT_EQ(port->close(), PortStatus::Ok);
    EXPECT_EQ(device.claimedInterfaces(), 0);
    EXPECT_EQ(port->read(&byte, 1, n), PortStatus::Closed);
    EXPECT_EQ(port->write(&byte, 1, n), PortStatus::Closed);
    EXPECT_EQ(port->purge(), PortStatus::Closed);
    EXPECT_EQ(port->waiting(n), PortStatus::Closed);
    EXPECT_EQ(port->close(), PortStatus::Closed);
    std::unique_ptr<UsbPort> other;
    EXPECT_EQ(bridge.open("9-9.9", other), PortStatus::NotFound);
    EXPECT_EQ(other, nullptr);
}

TEST(LibusbBridgeListingTest, OnlyAllowListedIdsAreLoggers)
{
    ScriptedPeer peer;
    FakeUsbDevice device(peer, "Rebadged Logger", UsbId{0x1234, 0xABCD});
    ASSERT_EQ(device.setupError(), "");

    std::vector<UsbDevice> devices{UsbDevice{}};
    LibusbBridge defaults{UsbIdList{}};
    EXPECT_EQ(defaults.listDevices(devices), PortStatus::Ok);
    EXPECT_TRUE(devices.empty());

    UsbIdList ids;
    EXPECT_TRUE(ids.addList("1234:abcd", "test").empty());
    LibusbBridge extended{ids};
    EXPECT_EQ(extended.listDevices(devices), PortStatus::Ok);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].product, "Rebadged Logger");
}

} // namespace
} // namespace velmora
