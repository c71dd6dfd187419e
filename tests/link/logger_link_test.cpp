// The command protocol against virtual loggers on a virtual clock.
#include <gtest/gtest.h>

#include "clock.h"
#include "logger_link.h"
#include "scripted_prompts.h"
#include "simulated_bridge.h"
#include "utility_strings.h"

using namespace velmora;
using Kind = SimulatedBridge::Transfer::Kind;

namespace {

LoggerImage imageOf(LoggerType type, std::vector<std::uint8_t> memory = {}, std::uint32_t serial = 4321)
{
    LoggerImage image;
    image.record.setType(type);
    image.record.setName("Bench");
    image.record.setSerialNumber(serial);
    image.memory = std::move(memory);
    return image;
}

std::vector<std::uint8_t> counting(std::size_t n)
{
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}

class LinkTest : public ::testing::Test {
protected:
    LinkTest() { bridge.setRecording(true); }

    VirtualClock clock;
    SimulatedBridge bridge{clock};
    test::ScriptedPrompts prompts;
    LoggerLink link{bridge, clock, prompts};
};

} // namespace

TEST_F(LinkTest, NoLoggerListedShowsMessage134)
{
    link.listDevices();
    EXPECT_EQ(link.deviceCount(), 0);
    prompts.expectMsg(utilitytext::kNoLogger, PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_FALSE(link.requireDevice());
    EXPECT_EQ(bridge.transfers().size(), 0u);
}

TEST_F(LinkTest, ListingKeepsEveryDeviceEachAtItsOwnLocation)
{
    for (int i = 0; i < 10; ++i)
        bridge.attach(imageOf(4, {}, 100 + i));
    link.listDevices();
    ASSERT_EQ(link.deviceCount(), 10);
    EXPECT_EQ(link.productString(9), "Velmora USB Data Logger");
    EXPECT_TRUE(link.requireDevice());

    // A link given the ninth one's location talks to that logger and no other.
    LoggerLink ninth(bridge, clock, prompts, link.location(8));
    LoggerConfig out;
    ASSERT_TRUE(ninth.readConfigBlock(out));
    EXPECT_EQ(out.serialNumber(), 108u);
}

TEST_F(LinkTest, ALoggerPulledOutIsNotReachedThroughItsOldLocation)
{
    bridge.attach(imageOf(4, {}, 111));
    bridge.attach(imageOf(4, {}, 222));
    const std::string second = bridge.location(1);
    bridge.detach(1);
    bridge.attach(imageOf(4, {}, 333)); // a new logger gets a location of its own
    LoggerLink link2(bridge, clock, prompts, second);
    link2.listDevices();
    prompts.expectMsg(utilitytext::kNoLogger, PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_FALSE(link2.requireDevice());
    prompts.expectMsg(utilitytext::kCommsError, PromptAnswer::Ok, PromptIcon::Warning);
    LoggerConfig out;
    EXPECT_FALSE(link2.readConfigBlock(out));
}

TEST_F(LinkTest, TwoLoggersAttachedTheFirstListedIsUsed)
{
    bridge.attach(imageOf(4, {}, 111));
    bridge.attach(imageOf(5, {}, 222));
    link.listDevices();
    EXPECT_EQ(link.deviceCount(), 2);
    LoggerConfig out;
    ASSERT_TRUE(link.readConfigBlock(out));
    EXPECT_EQ(out.type(), 4);
    EXPECT_EQ(out.serialNumber(), 111u);
}

TEST_F(LinkTest, ConfigurationReadFollowsTheWireSequence)
{
    LoggerImage image = imageOf(9);
    image.record.bytes[255] = 0x5A; // the last byte of a wide record arrives too
    bridge.attach(std::move(image));
    bridge.setPortTimeouts({111, 222});
    LoggerConfig out;
    ASSERT_TRUE(link.readConfigBlock(out));
    EXPECT_EQ(out.type(), 9);
    EXPECT_EQ(out.bytes[255], 0x5A);

    const auto& t = bridge.transfers();
    ASSERT_EQ(t.size(), 3u);
    // The frame is written with the write time-out only; the reads with the read time-out only.
    EXPECT_EQ(t[0].kind, Kind::Write);
    EXPECT_EQ(t[0].requested, 3u);
    EXPECT_EQ(t[0].readTimeoutMs, 0u);
    EXPECT_EQ(t[0].writeTimeoutMs, 3000u);
    EXPECT_EQ(t[1].kind, Kind::Read);
    EXPECT_EQ(t[1].requested, 3u);
    EXPECT_EQ(t[1].readTimeoutMs, 3000u);
    EXPECT_EQ(t[1].writeTimeoutMs, 0u);
    EXPECT_EQ(t[2].requested, 256u);
    // 24 ms after the frame, 24 ms after the header.
    EXPECT_EQ(t[1].atMs - t[0].atMs, 24u);
    EXPECT_EQ(t[2].atMs - t[1].atMs, 24u);
    // The port's own time-outs are back as they were, and nothing is left open.
    EXPECT_EQ(bridge.lastClosedTimeouts(), (PortTimeouts{111, 222}));
    EXPECT_EQ(bridge.openPorts(), 0u);
}

TEST_F(LinkTest, NarrowRecordIsZeroBeyondItsSixtyFourBytes)
{
    bridge.attach(imageOf(3));
    LoggerConfig out;
    out.bytes.fill(0xEE); // left over from an earlier logger
    ASSERT_TRUE(link.readConfigBlock(out));
    EXPECT_EQ(out.type(), 3);
    EXPECT_EQ(bridge.transfers().back().requested, 64u);
    for (std::size_t i = 64; i < 256; ++i)
        ASSERT_EQ(out.bytes[i], 0) << "byte " << i;
}

TEST_F(LinkTest, FirstReadFailsSecondSucceedsWithoutMessage)
{
    VirtualLogger& logger = bridge.attach(imageOf(4));
    logger.faults().silentCommands = 1;
    LoggerConfig out;
    EXPECT_TRUE(link.readConfigBlock(out));
    EXPECT_EQ(out.type(), 4);
    // First attempt: 24 ms pause, then the header read waits out 3000 ms. Second: 48 ms.
    EXPECT_EQ(clock.tickMs(), 24u + 3000u + 48u);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(LinkTest, ConfigurationReadFailures)
{
    struct Case {
        const char* what;
        LoggerFaults faults;
        bool ok;
        LoggerType type = 3; // narrow: a 64-byte record
    };
    auto announcing = [](std::uint32_t length) {
        LoggerFaults f;
        f.configLength = length;
        return f;
    };
    LoggerFaults silent;
    silent.silentCommands = 2;
    LoggerFaults noOpen;
    noOpen.failedOpens = LoggerFaults::kEvery;
    LoggerFaults oversized;
    oversized.configLength = 257;
    LoggerFaults full;
    full.configLength = 256;
    LoggerFaults shortReply;
    shortReply.truncatedReplies = 2;
    shortReply.truncateAfter = 3 + 40; // of a 64-byte record
    LoggerFaults late;
    late.replyDelayMs = 2500;
    LoggerFaults tooLate;
    tooLate.replyDelayMs = 3500;
    const Case cases[] = {
        {"no reply twice", silent, false},
        {"open fails", noOpen, false},
        {"length 257", oversized, false},
        {"length 256 fits", full, true},
        {"record cut short", shortReply, false},
        {"reply within the time-out", late, true},
        {"reply after the time-out", tooLate, false},
        // A record shorter than its type's is no record: zeros would pass for its fields.
        {"length 0", announcing(0), false},
        {"length 1", announcing(1), false},
        {"length 63", announcing(63), false},
        {"wide record in 64 bytes", announcing(64), false, 4},
        {"wide record in 255 bytes", announcing(255), false, 4},
        // A type we do not know is read whole, so that the caller can refuse it by name.
        {"unknown type in 64 bytes", announcing(64), true, 22},
        {"unknown type in 1 byte", announcing(1), false, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedBridge b(clock);
        b.attach(imageOf(c.type)).faults() = c.faults;
        test::ScriptedPrompts p;
        if (!c.ok)
            p.expectMsg(utilitytext::kCommsError, PromptAnswer::Ok, PromptIcon::Warning);
        LoggerLink l(b, clock, p);
        LoggerConfig out;
        out.setName("unchanged");
        EXPECT_EQ(l.readConfigBlock(out), c.ok);
        if (!c.ok)
            EXPECT_EQ(out.name(), "unchanged");
        else
            EXPECT_EQ(out.type(), c.type);
        EXPECT_EQ(b.openPorts(), 0u);
    }
}

TEST_F(LinkTest, WriteIsAcknowledgedByFF)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> before;
        bool noAck;
        bool ok;
    };
    const Case cases[] = {
        {"plain 0xFF", {}, false, true},
        {"other bytes first", {0x00, 0x55, 0xFE}, false, true},
        {"never 0xFF", {}, true, false},
        {"other bytes, never 0xFF", {0x01, 0x02}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VirtualClock vc;
        SimulatedBridge b(vc);
        VirtualLogger& logger = b.attach(imageOf(4));
        logger.faults().bytesBeforeAck = c.before;
        logger.faults().noAck = c.noAck;
        test::ScriptedPrompts p;
        LoggerLink l(b, vc, p);
        LoggerConfig record = imageOf(4).record;
        record.setName("Renamed");
        EXPECT_EQ(l.writeConfigBlock(record, 256, false), c.ok);
        EXPECT_EQ(logger.record().name(), "Renamed"); // taken either way
        // Two 24 ms pauses; a missing 0xFF then costs one 3000 ms read time-out.
        EXPECT_EQ(vc.tickMs(), c.ok ? 48u : 48u + 3000u);
        EXPECT_EQ(b.openPorts(), 0u);
    }
}

TEST_F(LinkTest, WriteFailureShowsMessageOnlyWhenAsked)
{
    bridge.attach(imageOf(4)).faults().noAck = true;
    const LoggerConfig record = imageOf(4).record;
    EXPECT_FALSE(link.writeConfigBlock(record, 256, false));
    prompts.expectMsg(utilitytext::kCommsError, PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_FALSE(link.writeConfigBlock(record, 256, true));
}

TEST_F(LinkTest, WriteSendsTheFrameThenExactlyTheRecordLength)
{
    bridge.attach(imageOf(2));
    LoggerConfig record = imageOf(2).record;
    record.bytes[100] = 0x77; // beyond a narrow record: must not travel
    ASSERT_TRUE(link.writeConfigBlock(record, 64, false));
    const auto& t = bridge.transfers();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].requested, 3u);
    EXPECT_EQ(t[1].kind, Kind::Write);
    EXPECT_EQ(t[1].requested, 64u);
    EXPECT_EQ(t[1].writeTimeoutMs, 3000u);
    EXPECT_EQ(t[1].atMs - t[0].atMs, 24u);
    EXPECT_EQ(t[2].kind, Kind::Read);
    EXPECT_EQ(t[2].requested, 1u);
    EXPECT_EQ(t[2].atMs - t[1].atMs, 24u);
}

TEST_F(LinkTest, ReadingsAreDecodedBlockByBlock)
{
    struct Case {
        const char* what;
        LoggerType type;
        std::size_t total;
        std::size_t blockSize;
        std::size_t blocks;
        std::size_t values;
    };
    const Case cases[] = {
        {"wide, exactly one block", 4, 512, 512, 1, 256},
        {"narrow, 513 bytes: one byte used of the second block", 2, 513, 512, 2, 513},
        {"wide, 513 bytes: the odd byte holds no reading", 4, 513, 512, 2, 256},
        {"type 1 reads 64-byte blocks", 1, 130, 64, 3, 130},
        {"type 20 has a 24-bit total", 20, 0x012345, 512, 146, 0x012345 / 2},
        {"nothing stored", 4, 0, 512, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VirtualClock vc;
        SimulatedBridge b(vc);
        b.setRecording(true);
        const std::vector<std::uint8_t> memory = counting(c.total);
        b.attach(imageOf(c.type, memory));
        test::ScriptedPrompts p;
        LoggerLink l(b, vc, p);
        std::vector<float> readings(5, -1.0f);
        std::vector<std::pair<std::size_t, std::size_t>> progress;
        ASSERT_TRUE(l.readReadings(c.type, readings, [&](std::size_t done, std::size_t all) {
            progress.emplace_back(done, all);
            return true;
        }));
        ASSERT_EQ(readings.size(), c.values);
        for (std::size_t i = 0; i < c.values; ++i) {
            const float expected =
                c.type == 1 || c.type == 2 ? memory[i] : static_cast<float>(memory[2 * i] * 256 + memory[2 * i + 1]);
            ASSERT_EQ(readings[i], expected) << "value " << i;
        }
        // Frame, header (4 bytes for type 20), then every block requested in full.
        const auto& t = b.transfers();
        ASSERT_EQ(t.size(), 2 + c.blocks);
        EXPECT_EQ(t[1].requested, c.type == 20 ? 4u : 3u);
        for (std::size_t i = 2; i < t.size(); ++i)
            EXPECT_EQ(t[i].requested, c.blockSize);
        ASSERT_EQ(progress.size(), c.blocks);
        if (c.blocks > 0) {
            EXPECT_EQ(progress.back(), std::make_pair(c.blocks, c.blocks));
        }
    }
}

TEST_F(LinkTest, WideReadingsAreBigEndian)
{
    bridge.attach(imageOf(14, {0x12, 0x34, 0xFF, 0xC0}));
    std::vector<float> readings;
    ASSERT_TRUE(link.readReadings(14, readings));
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings[0], 4660.0f);  // 0x1234
    EXPECT_EQ(readings[1], 65472.0f); // 0xFFC0
}

TEST_F(LinkTest, ReadingsDownloadFailuresKeepWhatArrived)
{
    struct Case {
        const char* what;
        LoggerFaults faults;
        std::size_t kept; // values stored before the failure
    };
    LoggerFaults vanish;
    vanish.vanishAfterBytes = 3 + 512 + 100; // pulled out during the second block
    LoggerFaults cut;
    cut.truncatedReplies = 1;
    cut.truncateAfter = 3 + 1024 + 10;
    LoggerFaults noOpen;
    noOpen.failedOpens = 1;
    LoggerFaults silent;
    silent.silentCommands = 1;
    const Case cases[] = {
        {"device vanishes", vanish, 256},
        {"reply stops in the third block", cut, 512},
        {"open fails", noOpen, 0},
        {"no reply", silent, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedBridge b(clock);
        b.attach(imageOf(4, counting(2000))).faults() = c.faults;
        test::ScriptedPrompts p;
        p.expectMsg(utilitytext::kCommsError, PromptAnswer::Ok, PromptIcon::Warning);
        LoggerLink l(b, clock, p);
        std::vector<float> readings;
        EXPECT_FALSE(l.readReadings(4, readings));
        EXPECT_EQ(readings.size(), c.kept);
        EXPECT_EQ(b.openPorts(), 0u);
    }
}

TEST_F(LinkTest, ACancelledDownloadStopsAfterTheBlockUnderWayAndTheLinkGoesOn)
{
    // 2000 wide bytes in blocks of 512: four blocks. The user cancels during the second.
    VirtualLogger& logger = bridge.attach(imageOf(4, counting(2000)));
    const LoggerConfig before = logger.record();
    bridge.setRecording(true);
    std::vector<float> readings;
    std::size_t calls = 0;
    EXPECT_FALSE(link.readReadings(4, readings, [&](std::size_t done, std::size_t) { return ++calls, done < 2; }))
        << "no message: the scripted prompts fail on any";
    EXPECT_EQ(calls, 2u);
    EXPECT_EQ(readings.size(), 512u) << "two blocks of two-byte readings";
    EXPECT_EQ(bridge.transfers().size(), 2u + 2u) << "frame, header, two blocks: no third block read";
    EXPECT_EQ(bridge.openPorts(), 0u);
    EXPECT_EQ(logger.record().bytes, before.bytes) << "nothing written to the logger";
    EXPECT_EQ(logger.recordsTaken(), 0);

    // The next exchanges start clean: the record, then every reading.
    LoggerConfig record;
    ASSERT_TRUE(link.readConfigBlock(record));
    EXPECT_EQ(record.bytes, before.bytes);
    ASSERT_TRUE(link.readReadings(4, readings));
    EXPECT_EQ(readings.size(), 1000u);
    // A Cancel that comes with the last block is too late: every reading is in, and the
    // logger counts itself downloaded.
    EXPECT_TRUE(link.readReadings(4, readings, [](std::size_t done, std::size_t all) { return done < all; }));
    EXPECT_EQ(readings.size(), 1000u);
}

TEST_F(LinkTest, GarbledTotalFailsAtTheFirstMissingBlockWithoutAHugeAllocation)
{
    VirtualLogger& logger = bridge.attach(imageOf(20, counting(100)));
    logger.faults().readingsTotal = 0xFFFFFF; // 16 MB announced, one block sent
    prompts.expectMsg(utilitytext::kCommsError);
    std::vector<float> readings;
    const std::uint64_t before = clock.tickMs();
    EXPECT_FALSE(link.readReadings(20, readings));
    EXPECT_EQ(readings.size(), 256u); // the one block that came
    EXPECT_LE(readings.capacity(), 65536u);
    EXPECT_EQ(clock.tickMs() - before, 24u + 3000u); // pause, then the second block times out
}

TEST_F(LinkTest, EveryTransferRestoresThePortTimeouts)
{
    bridge.attach(imageOf(4, counting(1500)));
    bridge.setPortTimeouts({7, 9});
    LoggerConfig record;
    std::vector<float> readings;
    ASSERT_TRUE(link.readConfigBlock(record));
    EXPECT_EQ(bridge.lastClosedTimeouts(), (PortTimeouts{7, 9}));
    bridge.setPortTimeouts({8, 10});
    ASSERT_TRUE(link.writeConfigBlock(record, 256, true));
    EXPECT_EQ(bridge.lastClosedTimeouts(), (PortTimeouts{8, 10}));
    bridge.setPortTimeouts({11, 12});
    ASSERT_TRUE(link.readReadings(4, readings));
    EXPECT_EQ(bridge.lastClosedTimeouts(), (PortTimeouts{11, 12}));
    // 3 transfers to read, 2 to write and 1 for the 0xFF, 2 + 3 blocks to download, each
    // with its own time-out only.
    ASSERT_EQ(bridge.transfers().size(), 3u + 3u + 5u);
    for (const auto& t : bridge.transfers()) {
        EXPECT_EQ(t.kind == Kind::Read ? t.readTimeoutMs : t.writeTimeoutMs, 3000u);
        EXPECT_EQ(t.kind == Kind::Read ? t.writeTimeoutMs : t.readTimeoutMs, 0u);
    }
}
