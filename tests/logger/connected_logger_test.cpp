// The connected logger against virtual loggers: reading, stopping and starting with
// verification, the download, and the checks with their messages.
#include <gtest/gtest.h>

#include "clock.h"
#include "connected_logger.h"
#include "logger_presets.h"
#include "scripted_prompts.h"
#include "simulated_bridge.h"
#include "utility_strings.h"

using namespace velmora;

namespace {

class ConnectedLoggerTest : public ::testing::Test {
protected:
    LoggerImage preset(LoggerType type) { return makePresetImage(type, clock.localNow()); }
    LoggerImage presetWithSerial(LoggerType type, std::uint32_t serial)
    {
        LoggerImage image = preset(type);
        image.record.setSerialNumber(serial);
        return image;
    }
    bool start(bool pushButton = false, std::uint32_t delay = 0)
    {
        return logger.startAndWrite(2026, 12, 7, 14, 0, 0, delay, pushButton);
    }

    VirtualClock clock{CivilTime{2026, 12, 7, 14, 0, 0}};
    SimulatedBridge bridge{clock};
    test::ScriptedPrompts prompts;
    ConnectedLogger logger{bridge, clock, prompts};
};

} // namespace

TEST_F(ConnectedLoggerTest, NoLoggerShows134AndKeepsTheRecord)
{
    logger.config.setName("Kept");
    prompts.expectMsg(utilitytext::kNoLogger, PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_FALSE(logger.readConfiguration());
    EXPECT_EQ(logger.config.name(), "Kept");
}

TEST_F(ConnectedLoggerTest, TwoLoggersTheFirstIsRead)
{
    bridge.attach(presetWithSerial(2, 1111));
    bridge.attach(presetWithSerial(2, 2222));
    ASSERT_TRUE(logger.readConfiguration());
    EXPECT_EQ(logger.config.serialNumber(), 1111u);
}

TEST_F(ConnectedLoggerTest, ReadRefreshesTheDerivedScaling)
{
    // The voltage preset maps 0..30 V onto 0..30 V: w = 30/1023, step 0.05, 2 decimals.
    bridge.attach(preset(4));
    logger.displayStep = 7.0f;
    ASSERT_TRUE(logger.readConfiguration());
    EXPECT_FLOAT_EQ(logger.scaleGain, 1.0f);
    EXPECT_NEAR(logger.scaleOffset, 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(logger.displayStep, 0.05f);
    EXPECT_EQ(logger.displayDecimals, 2);
    EXPECT_TRUE(logger.scaleRising);

    // Any other type gets the reset values.
    bridge.detach(0);
    bridge.attach(preset(1));
    ASSERT_TRUE(logger.readConfiguration());
    EXPECT_FLOAT_EQ(logger.displayStep, 0.1f);
    EXPECT_EQ(logger.displayDecimals, 1);
}

TEST_F(ConnectedLoggerTest, NarrowLoggerBytesBeyondSixtyFourAreZeroAndNeverSent)
{
    VirtualLogger& device = bridge.attach(preset(2));
    logger.config.bytes.fill(0xAB);
    ASSERT_TRUE(logger.readConfiguration());
    for (std::size_t i = 64; i < 256; ++i)
        ASSERT_EQ(logger.config.bytes[i], 0) << "byte " << i;

    bridge.setRecording(true);
    logger.config.bytes[200] = 0x42; // a page left something there
    ASSERT_TRUE(logger.stopAndWrite());
    for (const auto& t : bridge.transfers())
        EXPECT_LE(t.requested, 64u);
    EXPECT_EQ(device.record().bytes[200], 0);
}

TEST_F(ConnectedLoggerTest, StartThenStop)
{
    VirtualLogger& device = bridge.attach(preset(1));
    ASSERT_TRUE(logger.readConfiguration());
    const std::uint16_t demoReadings = logger.config.readingCount();
    logger.config.setName("Dairy");
    logger.config.setSampleInterval(10);
    ASSERT_TRUE(start(false, 0));
    EXPECT_TRUE(device.record().isLogging());
    EXPECT_EQ(device.record().name(), "Dairy");
    EXPECT_EQ(device.record().startDay(), 7);
    EXPECT_EQ(device.record().startYear(), 26);
    // The record in memory is the one written, not the one read back.
    EXPECT_EQ(logger.config.readingCount(), demoReadings);

    clock.advanceMs(60'000);
    ASSERT_TRUE(logger.stopAndWrite());
    EXPECT_FALSE(device.record().isLogging());
    // After a stop the record is the one read back: the logger's own count.
    EXPECT_FALSE(logger.config.isLogging());
    EXPECT_EQ(logger.config.readingCount(), device.record().readingCount());
    EXPECT_GE(logger.config.readingCount(), 6);
    EXPECT_EQ(logger.config.startDelay(), 0u);
}

TEST_F(ConnectedLoggerTest, PushButtonLoggerKeepsItsStartDelayThroughAStop)
{
    VirtualLogger& device = bridge.attach(preset(19));
    ASSERT_TRUE(logger.readConfiguration());
    ASSERT_TRUE(start(true, 999)); // a push-button start writes no delay
    EXPECT_EQ(device.record().startDelay(), 0u);
    EXPECT_TRUE(device.record().isPushButtonStart());
    clock.advanceMs(120'000);
    ASSERT_TRUE(device.pressButton());
    clock.advanceMs(30'000);
    ASSERT_TRUE(logger.readConfiguration());
    const std::uint32_t pressedAfter = logger.config.startDelay();
    EXPECT_GE(pressedAfter, 119u);
    EXPECT_LE(pressedAfter, 121u);
    ASSERT_TRUE(logger.stopAndWrite());
    EXPECT_EQ(device.record().startDelay(), pressedAfter);
    EXPECT_EQ(logger.config.startDelay(), pressedAfter);
}

TEST_F(ConnectedLoggerTest, OtherLoggersLoseTheirStartDelayOnAStop)
{
    VirtualLogger& device = bridge.attach(preset(12)); // push-button type, started without the button
    ASSERT_TRUE(logger.readConfiguration());
    ASSERT_TRUE(start(false, 3600));
    ASSERT_TRUE(logger.readConfiguration());
    EXPECT_EQ(logger.config.startDelay(), 3600u);
    ASSERT_TRUE(logger.stopAndWrite());
    EXPECT_EQ(device.record().startDelay(), 0u);
}

TEST_F(ConnectedLoggerTest, LoggerSwappedBetweenReadAndWriteIsRefused)
{
    struct Case {
        const char* what;
        bool starting;
        LoggerType replacementType;
    };
    const Case cases[] = {
        {"stop, same type, other serial", false, 4},
        {"start, same type, other serial", true, 4},
        {"stop, other type", false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VirtualClock vc;
        SimulatedBridge b(vc);
        test::ScriptedPrompts p;
        ConnectedLogger l(b, vc, p);
        b.attach(makePresetImage(4, vc.localNow()));
        ASSERT_TRUE(l.readConfiguration());
        b.detach(0);
        LoggerImage other = makePresetImage(c.replacementType, vc.localNow());
        other.record.setSerialNumber(l.config.serialNumber() + 1);
        VirtualLogger& replacement = b.attach(std::move(other));
        p.expectMsg(utilitytext::kLoggerReplaced, PromptAnswer::Ok, PromptIcon::Warning);
        EXPECT_FALSE(c.starting ? l.startAndWrite(2026, 12, 7, 14, 0, 0, 0, false) : l.stopAndWrite());
        EXPECT_EQ(replacement.recordsTaken(), 0);
    }
}

TEST_F(ConnectedLoggerTest, ReadBackDifferingOnlyInFirmwareIsTriedThreeTimes)
{
    VirtualLogger& device = bridge.attach(preset(4));
    ASSERT_TRUE(logger.readConfiguration());
    device.faults().firmwareChangesOnWrite = true;
    prompts.expectMsg(utilitytext::kConfigureError, PromptAnswer::Ok, PromptIcon::Warning);
    const std::uint64_t before = clock.tickMs();
    EXPECT_FALSE(logger.stopAndWrite());
    EXPECT_EQ(device.recordsTaken(), 3);
    // Scratch read 48 ms; each attempt: write 48, 100 settle, read back 48; 100 more
    // before attempts 2 and 3.
    EXPECT_EQ(clock.tickMs() - before, 48u + 3 * (48u + 100u + 48u) + 2 * 100u);
}

TEST_F(ConnectedLoggerTest, WriteThatNeverSucceedsReports135Once)
{
    VirtualLogger& device = bridge.attach(preset(4));
    ASSERT_TRUE(logger.readConfiguration());
    device.faults().noAck = true;
    prompts.expectMsg(utilitytext::kCommsError, PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_FALSE(logger.stopAndWrite());
    EXPECT_EQ(device.recordsTaken(), 3);
}

TEST_F(ConnectedLoggerTest, FailedScratchReadStopsBeforeWriting)
{
    VirtualLogger& device = bridge.attach(preset(4));
    ASSERT_TRUE(logger.readConfiguration());
    device.faults().silentCommands = 2;
    prompts.expectMsg(utilitytext::kCommsError);
    EXPECT_FALSE(logger.stopAndWrite());
    EXPECT_EQ(device.recordsTaken(), 0);
}

TEST_F(ConnectedLoggerTest, DownloadRereadsTheRecordThenReadsEveryReading)
{
    VirtualLogger& device = bridge.attach(preset(3));
    std::vector<float> readings;
    std::size_t blocks = 0;
    ASSERT_TRUE(logger.downloadReadings(readings, [&](std::size_t, std::size_t) { return ++blocks > 0; }));
    EXPECT_EQ(logger.config.type(), 3);
    EXPECT_EQ(readings.size(), 2u * logger.config.readingCount()); // temperature and humidity
    EXPECT_EQ(blocks, (readings.size() + 511) / 512);
    EXPECT_FALSE(device.record().hasFlag(flag::kUndownloaded));

    device.faults().vanishAfterBytes = 3 + 100;
    prompts.expectMsg(utilitytext::kCommsError);
    EXPECT_FALSE(logger.downloadReadings(readings));
}

TEST_F(ConnectedLoggerTest, BatteryAndSensorChecks)
{
    struct Case {
        LoggerType type;
        std::uint16_t flags;
        std::string_view batteryMessage; // empty = none
        std::string_view sensorMessage;  // empty = no fault
    };
    const Case cases[] = {
        {1, 0, {}, {}},
        {1, flag::kBatteryLow, utilitytext::kBatteryLow, {}},
        {1, flag::kBatteryCritical, utilitytext::kBatteryCritical, {}},
        {1, flag::kBatteryLow | flag::kBatteryCritical, utilitytext::kBatteryCritical, {}},
        {3, flag::kSensorFault, {}, utilitytext::kHumiditySensorFault},
        {16, flag::kSensorFault, {}, utilitytext::kHumiditySensorFault},
        {9, flag::kSensorFault, {}, utilitytext::kCoOverExposure},
        {11, flag::kSensorFault, {}, utilitytext::kCoOverExposure},
        {4, flag::kSensorFault, {}, {}},
        {3, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " flags " << c.flags);
        test::ScriptedPrompts p;
        ConnectedLogger l(bridge, clock, p);
        l.config.setType(c.type);
        l.config.setFlags(c.flags);
        if (!c.batteryMessage.empty())
            p.expectMsg(c.batteryMessage, PromptAnswer::Ok, PromptIcon::Warning);
        EXPECT_EQ(l.checkBattery(), c.batteryMessage.empty());
        EXPECT_EQ(l.hasSensorFault(false), !c.sensorMessage.empty()); // silent
        if (!c.sensorMessage.empty())
            p.expectMsg(c.sensorMessage, PromptAnswer::Ok, PromptIcon::Stop);
        EXPECT_EQ(l.hasSensorFault(true), !c.sensorMessage.empty());
    }
}

TEST_F(ConnectedLoggerTest, ExpiryChecksAgainstTodaysDate)
{
    // Today is 7 December 2026.
    struct Case {
        const char* what;
        DatePeriod period;
        ExpiryState state;
        bool passes;
    };
    const Case cases[] = {
        {"no date set", {1, 1, 120, 0}, ExpiryState::NoDateSet, true},
        {"year before 2000", {1, 1, 99, 12}, ExpiryState::Invalid, false},
        {"month 13", {1, 13, 125, 12}, ExpiryState::Invalid, false},
        {"expires today", {8, 12, 125, 12}, ExpiryState::Valid, true},        // 7 Dec 2026
        {"expired yesterday", {7, 12, 125, 12}, ExpiryState::Expired, false}, // 6 Dec 2026
        {"runs another year", {1, 6, 126, 24}, ExpiryState::Valid, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool sensor : {true, false}) {
            test::ScriptedPrompts p;
            ConnectedLogger l(bridge, clock, p);
            l.config.setType(9);
            if (sensor)
                l.config.setSensorLife(c.period);
            else
                l.config.setCalibrationDue(c.period);
            // Asked quietly first: no message whatever the state.
            EXPECT_EQ((sensor ? l.sensorLifeCheck(false) : l.calibrationDueCheck(false)).state, c.state);
            if (c.state == ExpiryState::Invalid)
                p.expectMsg(sensor ? utilitytext::kSensorLifeInvalid : utilitytext::kCalibrationInvalid,
                            PromptAnswer::Ok, PromptIcon::Stop);
            if (c.state == ExpiryState::Expired)
                p.expectMsg(sensor ? utilitytext::kSensorLifeExceeded : utilitytext::kCalibrationExceeded,
                            PromptAnswer::Ok, PromptIcon::Stop);
            const ExpiryCheck check = sensor ? l.sensorLifeCheck(true) : l.calibrationDueCheck(true);
            EXPECT_EQ(check.state, c.state);
            EXPECT_EQ(check.passes(), c.passes);
        }
    }
}

TEST_F(ConnectedLoggerTest, OnlyCompatibleTypesAreAccepted)
{
    for (int type = 0; type <= 22; ++type) {
        SCOPED_TRACE(type);
        const bool accepted = (type >= 1 && type <= 16) || type == 19 || type == 21;
        test::ScriptedPrompts p;
        ConnectedLogger l(bridge, clock, p);
        l.config.setType(static_cast<LoggerType>(type));
        if (!accepted)
            p.expectMsg(utilitytext::kIncompatible, PromptAnswer::Ok, PromptIcon::Warning);
        EXPECT_EQ(l.isCompatible(), accepted);
    }
}
