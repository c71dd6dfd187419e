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

    std::uint32_t count = 0;
    ASSERT_EQ(bridge.getNumDevices(count), bridge::kSuccess);
    ASSERT_EQ(count, 1u);
    std::string product;
    EXPECT_EQ(bridge.getProductString(0, product), bridge::kSuccess);
    EXPECT_EQ(product, "Velmora USB Data Logger");

    BridgeHandle handle = kInvalidHandle;
    ASSERT_EQ(bridge.open(0, handle), bridge::kSuccess);
    EXPECT_EQ(device.claimedInterfaces(), 1);

    std::vector<std::uint8_t> reply{0x00, 0x40, 0x00};
    for (int i = 0; i < 64; ++i)
        reply.push_back(static_cast<std::uint8_t>(i));
    peer.replies.push_back(reply);
    const std::uint8_t frame[3] = {0x00, 0xFF, 0xFF};
    std::uint32_t n = 0;
    ASSERT_EQ(bridge.write(handle, frame, 3, n), bridge::kSuccess);
    EXPECT_EQ(n, 3u);
    ASSERT_EQ(peer.written.size(), 1u);
    EXPECT_EQ(peer.written[0], (std::vector<std::uint8_t>{0x00, 0xFF, 0xFF}));

    std::uint8_t header[3] = {};
    ASSERT_EQ(bridge.read(handle, header, 3, n), bridge::kSuccess);
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(header[1], 0x40);
    std::uint8_t record[64] = {};
    ASSERT_EQ(bridge.read(handle, record, 64, n), bridge::kSuccess);
    EXPECT_EQ(n, 64u);
    EXPECT_EQ(record[63], 63);

    EXPECT_EQ(bridge.close(handle), bridge::kSuccess);
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
        std::uint32_t count = 0;
        ASSERT_EQ(bridge.getNumDevices(count), bridge::kSuccess);
        ASSERT_EQ(count, 1u);
        ASSERT_EQ(bridge.open(0, handle), bridge::kSuccess);
        bridge.setTimeouts(kShortMs, kShortMs);
    }
    void TearDown() override
    {
        if (handle != kInvalidHandle)
            bridge.close(handle);
        EXPECT_TRUE(device.unexpectedRequests().empty());
    }

    void send(std::vector<std::uint8_t> bytes) { peer.waiting.insert(peer.waiting.end(), bytes.begin(), bytes.end()); }
    std::vector<std::uint8_t> read(std::uint32_t count, int expectedStatus)
    {
        std::vector<std::uint8_t> out(count);
        std::uint32_t got = 999;
        EXPECT_EQ(bridge.read(handle, out.data(), count, got), expectedStatus);
        out.resize(std::min(got, count));
        return out;
    }

    static constexpr std::uint32_t kShortMs = 40;
    ScriptedPeer peer;
    FakeUsbDevice device{peer};
    LibusbBridge bridge{UsbIdList{}};
    BridgeHandle handle = kInvalidHandle;
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
    std::vector<std::uint8_t> got = read(3, bridge::kSuccess);
    for (int block = 0; block < 2; ++block) {
        const auto part = read(512, bridge::kSuccess);
        got.insert(got.end(), part.begin(), part.end());
    }
    EXPECT_EQ(got, stream);

    // Single bytes, as the link reads the acknowledgement of a record write.
    send({0x11, 0x22, 0xFF});
    EXPECT_EQ(read(1, bridge::kSuccess), (std::vector<std::uint8_t>{0x11}));
    EXPECT_EQ(read(1, bridge::kSuccess), (std::vector<std::uint8_t>{0x22}));
    EXPECT_EQ(read(1, bridge::kSuccess), (std::vector<std::uint8_t>{0xFF}));
}

TEST_F(OpenBridgeTest, TimeOutReturnsWhatCameAndLeavesTheDeviceUsable)
{
    EXPECT_TRUE(read(4, bridge::kTimeout).empty());
    send({1, 2});
    EXPECT_EQ(read(4, bridge::kTimeout), (std::vector<std::uint8_t>{1, 2}));
    // The cancelled transfers were taken back; the next reply arrives whole.
    send({3, 4, 5, 6});
    EXPECT_EQ(read(4, bridge::kSuccess), (std::vector<std::uint8_t>{3, 4, 5, 6}));
    EXPECT_GE(device.ioctlsSeen(USBDEVFS_DISCARDURB), 2);
}

TEST_F(OpenBridgeTest, ReceiveQueueReportsWaitingData)
{
    std::uint32_t queued = 99, status = 99;
    ASSERT_EQ(bridge.checkRxQueue(handle, queued, status), bridge::kSuccess);
    EXPECT_EQ(queued, 0u);
    EXPECT_EQ(status, 0u);

    send({7, 8, 9});
    ASSERT_EQ(bridge.checkRxQueue(handle, queued, status), bridge::kSuccess);
    EXPECT_EQ(queued, 3u);
    EXPECT_EQ(status, kRxQueueDataReady);
    EXPECT_EQ(read(3, bridge::kSuccess), (std::vector<std::uint8_t>{7, 8, 9}));
}

TEST_F(OpenBridgeTest, FlushDiscardsBufferedAndWaitingInput)
{
    send(counting(10, 0));
    EXPECT_EQ(read(2, bridge::kSuccess).size(), 2u); // 8 bytes now buffered in the bridge
    send(counting(100, 50));                         // and a stale reply waiting in the device
    ASSERT_EQ(bridge.flushBuffers(handle, true, true), bridge::kSuccess);
    EXPECT_TRUE(read(1, bridge::kTimeout).empty());
    send({0xAB});
    EXPECT_EQ(read(1, bridge::kSuccess), (std::vector<std::uint8_t>{0xAB}));
}

TEST_F(OpenBridgeTest, PulledOutDeviceGivesErrorsNotCrashes)
{
    device.unplug();
    const std::uint8_t frame[3] = {0x03, 0xFF, 0xFF};
    std::uint32_t n = 0, queued = 0, status = 0;
    EXPECT_NE(bridge.write(handle, frame, 3, n), bridge::kSuccess);
    EXPECT_NE(bridge.read(handle, const_cast<std::uint8_t*>(frame), 3, n), bridge::kSuccess);
    EXPECT_NE(bridge.checkRxQueue(handle, queued, status), bridge::kSuccess);
    EXPECT_EQ(bridge.close(handle), bridge::kSuccess);
    handle = kInvalidHandle;
}

TEST_F(OpenBridgeTest, BadHandlesAndIndexesAreRefused)
{
    std::uint8_t byte = 0;
    std::uint32_t n = 0, q = 0, s = 0;
    const BridgeHandle bad = handle + 100;
    EXPECT_EQ(bridge.read(bad, &byte, 1, n), bridge::kInvalidHandleStatus);
    EXPECT_EQ(bridge.write(bad, &byte, 1, n), bridge::kInvalidHandleStatus);
    EXPECT_EQ(bridge.flushBuffers(bad, true, true), bridge::kInvalidHandleStatus);
    EXPECT_EQ(bridge.checkRxQueue(bad, q, s), bridge::kInvalidHandleStatus);
    EXPECT_EQ(bridge.close(bad), bridge::kInvalidHandleStatus);
    BridgeHandle other = kInvalidHandle;
    EXPECT_EQ(bridge.open(1, other), bridge::kDeviceNotFound);
    EXPECT_EQ(other, kInvalidHandle);
    std::string product;
    EXPECT_EQ(bridge.getProductString(1, product), bridge::kDeviceNotFound);
}

TEST(LibusbBridgeListingTest, OnlyAllowListedIdsAreLoggers)
{
    ScriptedPeer peer;
    FakeUsbDevice device(peer, "Rebadged Logger", UsbId{0x1234, 0xABCD});
    ASSERT_EQ(device.setupError(), "");

    std::uint32_t count = 99;
    LibusbBridge defaults{UsbIdList{}};
    EXPECT_EQ(defaults.getNumDevices(count), bridge::kSuccess);
    EXPECT_EQ(count, 0u);

    UsbIdList ids;
    EXPECT_TRUE(ids.addList("1234:abcd", "test").empty());
    LibusbBridge extended{ids};
    EXPECT_EQ(extended.getNumDevices(count), bridge::kSuccess);
    EXPECT_EQ(count, 1u);
    std::string product;
    EXPECT_EQ(extended.getProductString(0, product), bridge::kSuccess);
    EXPECT_EQ(product, "Rebadged Logger");
}

} // namespace
} // namespace velmora
