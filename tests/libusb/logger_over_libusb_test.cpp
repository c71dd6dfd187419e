// The whole stack on a fake USB device: LoggerLink, the libusb bridge, libusb and
// the usbfs interface, with a virtual logger answering. Time is real here (libusb
// waits on its own timers), so only the time-out cases take their three seconds.
// What the link and the connected logger make of odd replies (stray bytes before the
// acknowledgement, oversized records, a read-back that differs) is proven over the
// simulated bridge in tests/link and tests/model; here is what libusb adds.
#include <gtest/gtest.h>

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <regex>
#include <sstream>

#include "clock.h"
#include "connected_logger.h"
#include "libusb_bridge.h"
#include "logger_link.h"
#include "logger_presets.h"
#include "scripted_prompts.h"
#include "tracing_bridge.h"
#include "utility_strings.h"
#include "virtual_logger.h"
#include "virtual_logger_peer.h"

namespace velmora {
namespace {

constexpr LoggerType kWideType = 4;

class LoggerOverLibusbTest : public ::testing::Test {
protected:
    static LoggerImage image()
    {
        LoggerImage img = makePresetImage(kWideType, CivilTime{2026, 12, 7, 14, 0, 0});
        // Three 512-byte blocks, the last one partly used: 650 readings.
        img.memory.resize(1300);
        for (std::size_t i = 0; i < img.memory.size(); ++i)
            img.memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
        return img;
    }

    void SetUp() override { ASSERT_EQ(device.setupError(), ""); }
    void TearDown() override
    {
        if (!logger.vanished()) {
            EXPECT_EQ(device.claimedInterfaces(), 0) << "every exchange must release the logger";
        }
        EXPECT_TRUE(device.unexpectedRequests().empty());
    }

    SteadyClock clock;
    VirtualLogger logger{image(), clock};
    VirtualLoggerPeer peer{logger, clock};
    FakeUsbDevice device{peer};
    LibusbBridge bridge{UsbIdList{}};
    test::ScriptedPrompts prompts;
    LoggerLink link{bridge, clock, prompts};
};

TEST_F(LoggerOverLibusbTest, ListsAndReadsTheConfiguration)
{
    link.listDevices();
    ASSERT_EQ(link.deviceCount(), 1);
    EXPECT_EQ(link.productString(0), "Velmora USB Data Logger");

    LoggerConfig config;
    ASSERT_TRUE(link.readConfigBlock(config));
    EXPECT_EQ(config.bytes, logger.record().bytes);
    EXPECT_EQ(config.type(), kWideType);
}

TEST_F(LoggerOverLibusbTest, StartsTheLoggerWithAVerifiedWrite)
{
    // A whole 256-byte record out over several packets and read back.
    ConnectedLogger connected(bridge, clock, prompts);
    ASSERT_TRUE(connected.readConfiguration());
    connected.config.setName("Cold room 3");
    ASSERT_TRUE(connected.startAndWrite(2026, 12, 24, 6, 30, 0, 0, false));
    EXPECT_EQ(logger.recordsTaken(), 1);
    const LoggerConfig& kept = logger.record();
    EXPECT_EQ(kept.name(), "Cold room 3");
    EXPECT_TRUE(kept.hasFlag(flag::kLogging));
    EXPECT_EQ(kept.u8(cfg::kStartDay), 24);
    EXPECT_EQ(kept.u8(cfg::kStartHour), 6);
    EXPECT_EQ(kept.u8(cfg::kStartMinute), 30);
}

TEST_F(LoggerOverLibusbTest, DownloadsEveryReading)
{
    link.listDevices();
    std::vector<float> readings;
    std::vector<std::size_t> progress;
    ASSERT_TRUE(link.readReadings(kWideType, readings, [&](std::size_t done, std::size_t total) {
        progress.push_back(done);
        EXPECT_EQ(total, 3u);
        return true;
    }));
    // Wide readings are two bytes, most significant first.
    const LoggerImage img = image();
    ASSERT_EQ(readings.size(), 650u);
    for (std::size_t i = 0; i < readings.size(); ++i)
        ASSERT_EQ(readings[i], static_cast<float>(img.memory[2 * i] * 256 + img.memory[2 * i + 1])) << i;
    EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2, 3}));
}

TEST_F(LoggerOverLibusbTest, TraceShowsEveryByteOnTheWire)
{
    std::ostringstream out;
    TracingBridge traced(std::make_unique<LibusbBridge>(UsbIdList{}), out, clock);
    LoggerLink tracedLink(traced, clock, prompts);
    tracedLink.listDevices();
    LoggerConfig config;
    ASSERT_TRUE(tracedLink.readConfigBlock(config));
    const std::string trace = out.str();
    EXPECT_TRUE(std::regex_search(
        trace, std::regex("listDevices -> 0, 1 device\\(s\\); [0-9]+[-:][0-9.]+ \"Velmora USB Data Logger\"\n")))
        << trace;
    EXPECT_NE(trace.find("write(port 1, 3 bytes) -> 0, 3 written\n"
                         "           0000  00 FF FF                                         ...\n"),
              std::string::npos)
        << trace;
    // The reply header announces the 256-byte record: 0x0100, low byte first.
    EXPECT_TRUE(
        std::regex_search(trace, std::regex("read\\(port 1, 3 bytes\\) -> 0, 3 read\n {11}0000  [0-9A-F]{2} 00 01 ")))
        << trace;
    EXPECT_NE(trace.find("read(port 1, 256 bytes) -> 0, 256 read\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find("close(port 1) -> 0\n"), std::string::npos) << trace;
}

TEST_F(LoggerOverLibusbTest, SilentLoggerTimesOutAndTheSecondAttemptSucceeds)
{
    link.listDevices();
    logger.faults().silentCommands = 1;
    const std::uint64_t start = clock.tickMs();
    LoggerConfig config;
    EXPECT_TRUE(link.readConfigBlock(config)); // no message: the retry worked
    EXPECT_GE(clock.tickMs() - start, LoggerLink::kTransferTimeoutMs);
    EXPECT_EQ(config.type(), kWideType);
    EXPECT_GE(device.ioctlsSeen(USBDEVFS_DISCARDURB), 1) << "the timed-out read must have been cancelled";
}

TEST_F(LoggerOverLibusbTest, LoggerPulledOutMidDownloadFailsCleanly)
{
    link.listDevices();
    logger.faults().vanishAfterBytes = 700;
    prompts.expectMsg(utilitytext::kCommsError);
    std::vector<float> readings;
    EXPECT_FALSE(link.readReadings(kWideType, readings));
    EXPECT_TRUE(logger.vanished());
    // The first block came whole before the logger went; its readings are kept.
    const LoggerImage img = image();
    ASSERT_GE(readings.size(), 256u);
    for (std::size_t i = 0; i < 256; ++i)
        ASSERT_EQ(readings[i], static_cast<float>(img.memory[2 * i] * 256 + img.memory[2 * i + 1])) << i;
    EXPECT_EQ(device.ioctlsSeen(USBDEVFS_RELEASEINTERFACE), 1) << "the handle is closed even so";
}

TEST_F(LoggerOverLibusbTest, LoggerPulledOutDuringTheStopsRecordWriteFailsCleanly)
{
    ConnectedLogger connected(bridge, clock, prompts);
    ASSERT_TRUE(connected.readConfiguration());
    // The stop reads the record again (a 3-byte frame), then sends the write frame and
    // the 256-byte record: the logger goes 100 bytes into the record.
    logger.faults().vanishAfterReceivedBytes = 3 + 3 + 100;
    prompts.expectMsg(utilitytext::kCommsError); // once, after the last attempt
    EXPECT_FALSE(connected.stopAndWrite());
    EXPECT_TRUE(logger.vanished());
    EXPECT_EQ(logger.recordsTaken(), 0) << "half a record is no record";
    EXPECT_GE(device.ioctlsSeen(USBDEVFS_RELEASEINTERFACE), 2) << "every opened handle is closed even so";
}

TEST_F(LoggerOverLibusbTest, TwoLoggersAttachedTheFirstListedIsUsed)
{
    LoggerImage second = image();
    second.record.setSerialNumber(second.record.serialNumber() + 1);
    VirtualLogger other(second, clock);
    VirtualLoggerPeer otherPeer(other, clock);
    FakeUsbDevice otherDevice(otherPeer, "Velmora USB Data Logger (2)", kLoggerUsbId, 3);
    ASSERT_EQ(otherDevice.setupError(), "");

    link.listDevices();
    ASSERT_EQ(link.deviceCount(), 2);
    const bool otherFirst = link.productString(0) == "Velmora USB Data Logger (2)";
    EXPECT_EQ(link.productString(otherFirst ? 1 : 0), "Velmora USB Data Logger");
    LoggerConfig config;
    ASSERT_TRUE(link.readConfigBlock(config));
    EXPECT_EQ(config.serialNumber(), (otherFirst ? second : image()).record.serialNumber());
    // The one listed second is never opened.
    EXPECT_EQ((otherFirst ? device : otherDevice).ioctlsSeen(USBDEVFS_CLAIMINTERFACE), 0);
    EXPECT_EQ(otherDevice.claimedInterfaces(), 0);
}

TEST_F(LoggerOverLibusbTest, AStalledEndpointIsClearedAndTheSecondAttemptReads)
{
    link.listDevices();
    device.stallIn();
    LoggerConfig config;
    EXPECT_TRUE(link.readConfigBlock(config)); // no message: the retry worked
    EXPECT_EQ(config.bytes, logger.record().bytes);
    EXPECT_GE(device.ioctlsSeen(USBDEVFS_CLEAR_HALT), 1) << "a stalled endpoint fails every read until cleared";
}

} // namespace
} // namespace velmora
