#include "in_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <numeric>

#include "clock.h"
#include "usb_bridge.h"

namespace velmora {
namespace {

constexpr std::uint32_t kPacket = 64;

// A bulk IN endpoint as USB behaves: packets arrive at given times; a transfer ends
// when it is full, on a short packet, or when its time-out passes with what it has.
class FakeEndpoint {
public:
    explicit FakeEndpoint(VirtualClock& clock) : clock_(clock) {}

    // Queues `bytes` arriving at `atMs`, split into packets the way a device sends them.
    void send(std::uint64_t atMs, const std::vector<std::uint8_t>& bytes)
    {
        for (std::size_t i = 0; i < bytes.size(); i += kPacket)
            packets_.push_back({atMs, std::vector<std::uint8_t>(bytes.begin() + i,
                                                                bytes.begin() + std::min(bytes.size(), i + kPacket))});
    }

    PortStatus transfer(std::uint8_t* data, std::uint32_t capacity, std::uint32_t timeoutMs, std::uint32_t& received)
    {
        capacities.push_back(capacity);
        timeouts.push_back(timeoutMs);
        received = 0;
        if (failNext) {
            failNext = false;
            return PortStatus::ReadError;
        }
        const std::uint64_t deadline = clock_.tickMs() + timeoutMs;
        while (received < capacity) {
            if (packets_.empty() || (timeoutMs != 0 && packets_.front().at > deadline)) {
                EXPECT_NE(timeoutMs, 0u) << "an unlimited read with nothing coming would hang";
                clock_.advanceMs(deadline - clock_.tickMs());
                return PortStatus::Timeout;
            }
            Packet p = packets_.front();
            packets_.pop_front();
            if (p.at > clock_.tickMs())
                clock_.advanceMs(p.at - clock_.tickMs());
            if (p.bytes.size() > capacity - received) {
                ADD_FAILURE() << "a " << p.bytes.size() << "-byte packet overflowed a " << capacity
                              << "-byte transfer: the rest of the packet is lost";
                return PortStatus::ReadError;
            }
            std::memcpy(data + received, p.bytes.data(), p.bytes.size());
            received += static_cast<std::uint32_t>(p.bytes.size());
            if (p.bytes.size() < kPacket)
                break;
        }
        return PortStatus::Ok;
    }

    std::vector<std::uint32_t> capacities;
    std::vector<std::uint32_t> timeouts;
    bool failNext = false;

private:
    struct Packet {
        std::uint64_t at;
        std::vector<std::uint8_t> bytes;
    };
    VirtualClock& clock_;
    std::deque<Packet> packets_;
};

std::vector<std::uint8_t> counting(std::size_t n, std::uint8_t first = 0)
{
    std::vector<std::uint8_t> v(n);
    std::iota(v.begin(), v.end(), first);
    return v;
}

class InBufferTest : public ::testing::Test {
protected:
    VirtualClock clock;
    FakeEndpoint device{clock};
    InBuffer in{kPacket, clock, [this](std::uint8_t* d, std::uint32_t c, std::uint32_t t, std::uint32_t& r) {
                    return device.transfer(d, c, t, r);
                }};

    std::vector<std::uint8_t> read(std::uint32_t count, std::uint32_t timeoutMs, PortStatus expectedStatus)
    {
        std::vector<std::uint8_t> out(count, 0xEE);
        std::uint32_t got = 12345;
        EXPECT_EQ(in.read(out.data(), count, timeoutMs, got), expectedStatus);
        out.resize(got);
        return out;
    }
};

TEST_F(InBufferTest, SmallReadsShareOnePacketAndKeepTheRemainder)
{
    // A 3-byte header and a 5-byte record come in one short packet.
    device.send(10, {0x00, 0x05, 0x00, 'a', 'b', 'c', 'd', 'e'});
    EXPECT_EQ(read(3, 3000, PortStatus::Ok), (std::vector<std::uint8_t>{0x00, 0x05, 0x00}));
    EXPECT_EQ(in.buffered(), 5u);
    EXPECT_EQ(read(2, 3000, PortStatus::Ok), (std::vector<std::uint8_t>{'a', 'b'}));
    EXPECT_EQ(read(3, 3000, PortStatus::Ok), (std::vector<std::uint8_t>{'c', 'd', 'e'}));
    // The whole exchange cost one transfer, asked for one whole packet.
    EXPECT_EQ(device.capacities, (std::vector<std::uint32_t>{64}));
    EXPECT_EQ(in.buffered(), 0u);
}

TEST_F(InBufferTest, TransfersAreWholePacketMultiples)
{
    struct Case {
        std::uint32_t read;
        std::uint32_t expectedCapacity;
    };
    const Case cases[] = {{1, 64}, {63, 64}, {64, 64}, {65, 128}, {512, 512}, {513, 576}, {20000, 16384}};
    for (const Case& c : cases) {
        VirtualClock clock;
        FakeEndpoint device(clock);
        device.send(0, counting(c.read + 200)); // more than asked: the rest must be kept
        InBuffer in(kPacket, clock, [&](std::uint8_t* d, std::uint32_t cap, std::uint32_t t, std::uint32_t& r) {
            return device.transfer(d, cap, t, r);
        });
        std::vector<std::uint8_t> out(c.read);
        std::uint32_t got = 0;
        ASSERT_EQ(in.read(out.data(), c.read, 3000, got), PortStatus::Ok) << c.read;
        EXPECT_EQ(got, c.read);
        EXPECT_EQ(out, counting(c.read)) << c.read;
        ASSERT_FALSE(device.capacities.empty());
        EXPECT_EQ(device.capacities.front(), c.expectedCapacity) << c.read;
        // What the last transfer brought beyond the request waits for the next read.
        std::uint32_t delivered = 0;
        for (std::uint32_t cap : device.capacities)
            delivered += cap;
        EXPECT_EQ(in.buffered(), delivered - c.read) << c.read;
    }
}

TEST_F(InBufferTest, LargeReadCollectsSeveralTransfersAndShortPackets)
{
    // A 512-byte block that the device sends as 100 bytes, then the rest later.
    const auto block = counting(512, 7);
    device.send(5, std::vector<std::uint8_t>(block.begin(), block.begin() + 100));
    device.send(40, std::vector<std::uint8_t>(block.begin() + 100, block.end()));
    EXPECT_EQ(read(512, 3000, PortStatus::Ok), block);
    // 100 bytes = one full and one short packet end the first transfer; the second
    // asks for the 412 still missing, rounded up to whole packets.
    EXPECT_EQ(device.capacities, (std::vector<std::uint32_t>{512, 448}));
    EXPECT_EQ(device.timeouts, (std::vector<std::uint32_t>{3000, 2995}));
}

TEST_F(InBufferTest, TimeOutDeliversThePartialDataOnce)
{
    device.send(100, {1, 2, 3, 4});
    EXPECT_EQ(read(10, 3000, PortStatus::Timeout), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(clock.tickMs(), 3000u) << "the time-out covers the whole read, not each transfer";
    device.send(3500, {5, 6});
    EXPECT_EQ(read(2, 3000, PortStatus::Ok), (std::vector<std::uint8_t>{5, 6}));
}

TEST_F(InBufferTest, NothingArrivingTimesOutEmpty)
{
    EXPECT_TRUE(read(1, 250, PortStatus::Timeout).empty());
    EXPECT_EQ(clock.tickMs(), 250u);
}

TEST_F(InBufferTest, ErrorEndsTheReadWithWhatWasBuffered)
{
    device.send(0, {9, 8});
    EXPECT_EQ(read(1, 3000, PortStatus::Ok), (std::vector<std::uint8_t>{9}));
    device.failNext = true;
    EXPECT_EQ(read(4, 3000, PortStatus::ReadError), (std::vector<std::uint8_t>{8}));
}

TEST_F(InBufferTest, ZeroTimeOutWaitsWithoutLimit)
{
    device.send(60000, {42});
    EXPECT_EQ(read(1, 0, PortStatus::Ok), (std::vector<std::uint8_t>{42}));
    EXPECT_EQ(device.timeouts, (std::vector<std::uint32_t>{0}));
}

TEST_F(InBufferTest, PollFetchesWaitingDataWithoutWaitingForMore)
{
    EXPECT_EQ(in.poll(), PortStatus::Ok); // nothing there: not an error
    EXPECT_EQ(in.buffered(), 0u);
    EXPECT_EQ(device.timeouts, (std::vector<std::uint32_t>{InBuffer::kPollMs}));

    device.send(clock.tickMs(), {1, 2, 3});
    EXPECT_EQ(in.poll(), PortStatus::Ok);
    EXPECT_EQ(in.buffered(), 3u);
    EXPECT_EQ(in.poll(), PortStatus::Ok);
    EXPECT_EQ(device.capacities.size(), 2u) << "data already buffered needs no transfer";
    EXPECT_EQ(read(3, 3000, PortStatus::Ok), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(InBufferTest, DiscardDropsBufferedAndWaitingInputOnly)
{
    device.send(0, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(read(2, 3000, PortStatus::Ok).size(), 2u);
    device.send(clock.tickMs(), counting(130, 50)); // a stale reply still waiting in the device
    device.send(clock.tickMs() + 500, {77});        // the answer to the next command
    EXPECT_EQ(in.discard(), PortStatus::Ok);
    EXPECT_EQ(in.buffered(), 0u);
    EXPECT_EQ(read(1, 3000, PortStatus::Ok), (std::vector<std::uint8_t>{77}));
}

TEST_F(InBufferTest, DiscardReportsAVanishedDevice)
{
    device.failNext = true;
    EXPECT_EQ(in.discard(), PortStatus::ReadError);
}

} // namespace
} // namespace velmora
