// Virtual loggers as a program sees them through the link: logging state, readings
// that accumulate, images, presets and the --simulate factory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "clock.h"
#include "german_numbers.h"
#include "logger_link.h"
#include "logger_presets.h"
#include "scripted_prompts.h"
#include "simulated_bridge.h"
#include "simulation_setup.h"
#include "type_catalogue.h"
#include "utility_strings.h"

using namespace velmora;

namespace {

LoggerImage loggerOf(LoggerType type, std::uint16_t capacity, std::uint16_t interval)
{
    LoggerImage image;
    image.record.setType(type);
    image.record.setName("Sim");
    image.record.setSerialNumber(777);
    image.record.setMemoryCapacity(capacity);
    image.record.setSampleInterval(interval);
    image.record.setStart(2026, 12, 7, 14, 0, 0);
    return image;
}

class VirtualLoggerTest : public ::testing::Test {
protected:
    // Writes `record` the way the program does.
    void write(const LoggerConfig& record)
    {
        ASSERT_TRUE(link.writeConfigBlock(record, configLength(record.type()), true));
    }
    LoggerConfig startRecord(VirtualLogger& logger, std::uint32_t delay = 0, bool overwrite = false,
                             bool pushButton = false)
    {
        LoggerConfig r = logger.record();
        r.setFlag(flag::kLogging, true);
        r.setStartDelay(delay);
        r.setOverwriteMode(overwrite);
        r.setPushButtonStart(pushButton);
        return r;
    }
    std::vector<float> download(LoggerType type)
    {
        std::vector<float> readings;
        EXPECT_TRUE(link.readReadings(type, readings));
        return readings;
    }
    // Runs the clock on to `ms` after the start of the test.
    void at(std::uint64_t ms) { clock.advanceMs(ms - clock.tickMs()); }

    VirtualClock clock;
    SimulatedBridge bridge{clock};
    test::ScriptedPrompts prompts;
    LoggerLink link{bridge, clock, prompts};
};

std::string temporaryPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("velmora_" + std::to_string(::getpid()) + "_" + name)).string();
}

} // namespace

TEST_F(VirtualLoggerTest, StartClearsTheMemoryAndReadingsAccumulate)
{
    LoggerImage image = loggerOf(2, 100, 10);
    image.memory.assign(50, 0x55); // an old log
    image.record.setReadingCount(50);
    VirtualLogger& logger = bridge.attach(std::move(image));
    write(startRecord(logger)); // taken at 24 ms, after the pause that follows the frame
    EXPECT_TRUE(logger.record().isLogging());
    EXPECT_EQ(logger.record().readingCount(), 1); // the first reading is taken at once

    at(24 + 95'000); // readings at 0, 10, ..., 90 s
    EXPECT_EQ(logger.record().readingCount(), 10);
    EXPECT_TRUE(logger.record().hasFlag(flag::kUndownloaded));
    const std::vector<float> readings = download(2);
    ASSERT_EQ(readings.size(), 10u);
    EXPECT_NE(readings[0], 0x55); // the old log is gone

    // Stop: logging clears, the readings stay and no more come.
    LoggerConfig stop = logger.record();
    stop.setFlag(flag::kLogging, false);
    write(stop);
    at(500'000);
    EXPECT_FALSE(logger.record().isLogging());
    EXPECT_EQ(logger.record().readingCount(), 10);
    EXPECT_EQ(download(2), readings);
}

TEST_F(VirtualLoggerTest, DelayedStartCountsDownThenLogs)
{
    VirtualLogger& logger = bridge.attach(loggerOf(2, 100, 10));
    write(startRecord(logger, 60));
    at(24 + 30'000);
    EXPECT_EQ(logger.record().startDelay(), 30u);
    EXPECT_EQ(logger.record().readingCount(), 0);
    EXPECT_TRUE(logger.record().isDelayedStartPending());
    at(24 + 95'000); // readings at 60, 70, 80, 90 s
    EXPECT_EQ(logger.record().startDelay(), 0u);
    EXPECT_EQ(logger.record().readingCount(), 4);
}

TEST_F(VirtualLoggerTest, PushButtonLoggerWaitsThenKeepsItsDelay)
{
    VirtualLogger& logger = bridge.attach(loggerOf(19, 100, 10));
    EXPECT_FALSE(logger.pressButton()); // not started: the press does nothing
    write(startRecord(logger, 0, false, true));
    at(24 + 100'000);
    EXPECT_EQ(logger.record().readingCount(), 0);
    EXPECT_TRUE(logger.record().isWaitingForButton());
    EXPECT_TRUE(logger.pressButton());
    EXPECT_EQ(logger.record().startDelay(), 100u); // seconds from the write to the press
    at(24 + 135'000);                              // readings at 100, 110, 120, 130 s
    EXPECT_EQ(logger.record().readingCount(), 4);
    EXPECT_FALSE(logger.record().isWaitingForButton());
}

TEST_F(VirtualLoggerTest, FullMemoryStopsOrWraps)
{
    struct Case {
        bool overwrite;
        std::uint16_t readingCount;
        std::uint8_t wrapCount;
        bool logging;
    };
    // Capacity 5, interval 10 s, 115 s: 12 readings fell due.
    const Case cases[] = {{false, 5, 0, false}, {true, 2, 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.overwrite ? "overwrite" : "stop when full");
        VirtualClock vc;
        SimulatedBridge b(vc);
        test::ScriptedPrompts p;
        LoggerLink l(b, vc, p);
        VirtualLogger& logger = b.attach(loggerOf(14, 5, 10));
        LoggerConfig r = logger.record();
        r.setFlag(flag::kLogging, true);
        r.setOverwriteMode(c.overwrite);
        ASSERT_TRUE(l.writeConfigBlock(r, 256, true));
        vc.advanceMs(115'000);
        EXPECT_EQ(logger.record().readingCount(), c.readingCount);
        EXPECT_EQ(logger.record().wrapCount(), c.wrapCount);
        EXPECT_EQ(logger.record().isLogging(), c.logging);
        std::vector<float> readings;
        ASSERT_TRUE(l.readReadings(14, readings));
        EXPECT_EQ(readings.size(), 5u); // the whole memory either way
    }
}

TEST_F(VirtualLoggerTest, SpeedUpRunsTheLoggerFaster)
{
    VirtualLogger& logger = bridge.attach(loggerOf(4, 1000, 60));
    logger.setSpeedUp(60.0);
    write(startRecord(logger));
    clock.advanceMs(10'000); // ten seconds are ten minutes to the logger
    EXPECT_EQ(logger.record().readingCount(), 11);
}

TEST_F(VirtualLoggerTest, LoadedImageDownloadsTheSameEveryTime)
{
    LoggerImage image = makePresetImage(13, clock.localNow());
    const LoggerImage original = image;
    VirtualLogger& logger = bridge.attach(std::move(image));
    const std::vector<float> first = download(13);
    clock.advanceMs(3'600'000);
    const std::vector<float> second = download(13);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.size(), 2u * original.record.readingCount()); // temperature and humidity
    EXPECT_EQ(logger.image().memory, original.memory);
    // A complete download leaves nothing undownloaded; nothing else changes.
    LoggerConfig expected = original.record;
    expected.setFlag(flag::kUndownloaded, false);
    EXPECT_EQ(logger.record().bytes, expected.bytes);
}

TEST_F(VirtualLoggerTest, InterruptedDownloadLeavesTheReadingsUndownloaded)
{
    VirtualLogger& logger = bridge.attach(makePresetImage(4, clock.localNow()));
    logger.faults().truncatedReplies = 1;
    logger.faults().truncateAfter = 600;
    prompts.expectMsg(utilitytext::kCommsError);
    std::vector<float> readings;
    EXPECT_FALSE(link.readReadings(4, readings));
    EXPECT_TRUE(logger.record().hasFlag(flag::kUndownloaded));
}

TEST_F(VirtualLoggerTest, ImageFilesRoundTripAndAreSavedWhenTheRecordIsWrittenOrTheMemoryDownloaded)
{
    const std::string path = temporaryPath("image.bin");
    LoggerImage image = makePresetImage(3, clock.localNow());
    std::string error;
    ASSERT_TRUE(saveLoggerImage(path, image, error)) << error;
    EXPECT_EQ(std::filesystem::file_size(path), 64u + image.memory.size());

    auto made = makeSimulatedBridge(path, clock, error);
    ASSERT_TRUE(made) << error;
    VirtualLogger& logger = made->logger(0);
    EXPECT_EQ(logger.record().bytes, image.record.bytes);
    EXPECT_EQ(logger.image().memory, image.memory);

    LoggerLink l(*made, clock, prompts);
    LoggerConfig renamed = logger.record();
    renamed.setName("Cold Room");
    ASSERT_TRUE(l.writeConfigBlock(renamed, 64, true));
    LoggerImage saved;
    ASSERT_TRUE(loadLoggerImage(path, saved, error)) << error;
    EXPECT_EQ(saved.record.name(), "Cold Room");
    EXPECT_EQ(saved.memory, image.memory);
    EXPECT_TRUE(saved.record.hasFlag(flag::kUndownloaded));

    // A whole download is kept too: the next program to open the image finds nothing
    // left undownloaded.
    std::vector<float> readings;
    ASSERT_TRUE(l.readReadings(3, readings));
    ASSERT_TRUE(loadLoggerImage(path, saved, error)) << error;
    EXPECT_FALSE(saved.record.hasFlag(flag::kUndownloaded));
    EXPECT_EQ(saved.memory, image.memory);
    std::filesystem::remove(path);
}

TEST_F(VirtualLoggerTest, AnImageThatCannotBeSavedFailsTheWriteAndTheLoggerKeepsWhatItHeld)
{
    namespace fs = std::filesystem;
    const fs::path dir = temporaryPath("unsaved-image");
    fs::create_directories(dir);
    const std::string path = (dir / "logger.img").string();
    const LoggerImage image = makePresetImage(3, clock.localNow()); // stopped, readings not downloaded
    std::string error;
    ASSERT_TRUE(saveLoggerImage(path, image, error)) << error;
    std::ostringstream reports;
    auto made = makeSimulatedBridge(path, clock, error, 1.0, &reports);
    ASSERT_TRUE(made) << error;
    VirtualLogger& logger = made->logger(0);
    // The folder goes, so no save can succeed, whoever runs the test.
    fs::remove_all(dir);

    LoggerLink l(*made, clock, prompts);
    LoggerConfig started = logger.record();
    started.setName("Cold Room");
    started.setFlag(flag::kLogging, true);
    prompts.expectMsg(utilitytext::kCommsError);
    EXPECT_FALSE(l.writeConfigBlock(started, 64, true));
    EXPECT_EQ(logger.record().bytes, image.record.bytes);
    EXPECT_EQ(logger.recordsTaken(), 0);
    const std::string why = "--simulate: cannot write logger image " + path +
                            ": No such file or directory; the logger keeps what it held\n";
    EXPECT_EQ(reports.str(), why);

    // A whole download still delivers every reading; the logger goes on counting them
    // as not downloaded, as the image it could not write says.
    std::vector<float> readings;
    ASSERT_TRUE(l.readReadings(3, readings));
    EXPECT_EQ(readings.size(), image.memory.size());
    EXPECT_TRUE(logger.record().hasFlag(flag::kUndownloaded));
    EXPECT_EQ(reports.str(), why + why);
}

TEST(LoggerImage, SavingFollowsNoPlantedLinkAndLeavesNoTemporaryFile)
{
    namespace fs = std::filesystem;
    const fs::path dir = temporaryPath("image-folder");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path image = dir / "logger.img";
    const fs::path victim = dir / "victim.txt";
    std::ofstream(victim) << "not yours";
    // Someone who can write to the folder guesses a temporary name.
    fs::create_symlink(victim, dir / "logger.img.part");

    const LoggerImage made = makePresetImage(3, CivilTime{2026, 12, 7, 14, 0, 0});
    std::string error;
    ASSERT_TRUE(saveLoggerImage(image.string(), made, error)) << error;
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not yours");
    LoggerImage loaded;
    ASSERT_TRUE(loadLoggerImage(image.string(), loaded, error)) << error;
    EXPECT_EQ(loaded.record.bytes, made.record.bytes);
    EXPECT_EQ(loaded.memory, made.memory);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"logger.img", "logger.img.part", "victim.txt"}));
    fs::remove_all(dir);
}

TEST(LoggerImage, MalformedFilesAreRefused)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool ok;
    };
    std::vector<std::uint8_t> narrow(64, 0);
    narrow[0] = 2;
    std::vector<std::uint8_t> narrowFull = narrow;
    narrowFull.resize(64 + 0xFFFF, 1);
    std::vector<std::uint8_t> narrowTooBig = narrow;
    narrowTooBig.resize(64 + 0x10000, 1);
    std::vector<std::uint8_t> type20(256, 0);
    type20[0] = 20;
    type20.resize(256 + 0x10000, 1); // more than 16 bits, fine for a 24-bit total
    std::vector<std::uint8_t> unknown(256, 0);
    unknown[0] = 22;
    std::vector<std::uint8_t> wideShort(200, 0);
    wideShort[0] = 4;
    const Case cases[] = {
        {"empty", {}, false},
        {"unknown type", unknown, false},
        {"type 0", std::vector<std::uint8_t>(256, 0), false},
        {"wide record cut short", wideShort, false},
        {"narrow record, no readings", narrow, true},
        {"narrow, 65535 bytes of readings", narrowFull, true},
        {"narrow, 65536 bytes of readings", narrowTooBig, false},
        {"type 20, 65536 bytes of readings", type20, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoggerImage image;
        std::string error;
        EXPECT_EQ(decodeLoggerImage(c.bytes, image, error), c.ok);
        EXPECT_EQ(error.empty(), c.ok);
        if (c.ok) {
            EXPECT_EQ(encodeLoggerImage(image), c.bytes);
        }
    }
}

TEST(SimulationSpec, BuildsTheBridgeTheSpecNames)
{
    VirtualClock clock;
    const std::string path = temporaryPath("spec.bin");
    std::string error;
    ASSERT_TRUE(saveLoggerImage(path, makePresetImage(20, clock.localNow()), error));
    struct Case {
        std::string spec;
        std::vector<LoggerType> types; // empty with ok false: refused
        bool ok;
    };
    const Case cases[] = {
        {"none", {}, true},
        {"7", {7}, true},
        {"1,16", {1, 16}, true},
        {path, {20}, true},
        {"5," + path, {5, 20}, true},
        {"0", {}, false},
        {"22", {}, false},
        {"", {}, false},
        {path + ".missing", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spec);
        error.clear();
        auto bridge = makeSimulatedBridge(c.spec, clock, error);
        ASSERT_EQ(bridge != nullptr, c.ok) << error;
        EXPECT_EQ(error.empty(), c.ok);
        if (!bridge)
            continue;
        ASSERT_EQ(bridge->attachedCount(), c.types.size());
        for (std::size_t i = 0; i < c.types.size(); ++i)
            EXPECT_EQ(bridge->logger(i).record().type(), c.types[i]);
    }
    std::filesystem::remove(path);
}

TEST(LoggerPresets, EveryTypeHoldsAPlausibleStoppedDemoLog)
{
    // The readings converted by hand with each type's rule, and the range they must fall in.
    struct Case {
        LoggerType type;
        double lo, hi;
        double (*value)(double raw);
    };
    auto celsiusOfTenthsF = [](double raw) { return (raw * 0.1 - 328.0 - 32.0) * 5.0 / 9.0; };
    const Case cases[] = {
        {1, 0, 10, [](double r) { return r * 0.5 - 40; }},
        {2, -22, -14, [](double r) { return r * 0.5 - 40; }},
        {3, 14, 26, [](double r) { return r * 0.5 - 40; }},
        {4, 11.5, 13.5, [](double r) { return r * 3.0 / 65472 * 10; }},
        {5, 7, 17, [](double r) { return r * 2.5 / 65472 * 10; }},
        {6, 11.5, 13.5, [](double r) { return r * 3.0 / 65472 * 10; }},
        {7, 7, 17, [](double r) { return r * 2.5 / 65472 * 10; }},
        {8, 17, 25, [](double r) { return (r * 2.5 / 65472 - 1.8639) * -84.96176720475786; }},
        {9, 0, 40, [](double r) { return r * 0.02; }},
        {10, 150, 210, celsiusOfTenthsF},
        {11, 0, 40, [](double r) { return r * 0.005; }},
        {12, 14, 26, [](double r) { return r * 0.5 - 40; }},
        {13, 14, 26, [](double r) { return r * 0.5 - 40; }},
        {14, 180, 320, [](double r) { return r * 0.01 - 40; }},
        {15, 80, 160, celsiusOfTenthsF},
        {16, 14, 26, [](double r) { return r * 0.5 - 40; }},
        {17, 0, 32767, [](double r) { return static_cast<double>(static_cast<int>(r) & 0x7FFF); }},
        {18, -24, -16, celsiusOfTenthsF},
        {19, 17, 25, celsiusOfTenthsF},
        {20, 2, 8, [](double r) { return r * 1.0 / 65472 * 10; }},
        {21, -22, -14, celsiusOfTenthsF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        VirtualClock clock;
        SimulatedBridge bridge(clock);
        VirtualLogger& logger = bridge.attach(makePresetImage(c.type, clock.localNow()));
        const LoggerConfig record = logger.record();
        EXPECT_EQ(record.type(), c.type);
        EXPECT_FALSE(record.name().empty());
        EXPECT_EQ(record.firmwareText().size(), 4u);
        EXPECT_GE(record.serialNumber(), 1u);
        EXPECT_FALSE(record.isLogging());
        EXPECT_TRUE(record.hasUndownloadedData());
        EXPECT_GE(record.memoryCapacity(), record.readingCount());

        test::ScriptedPrompts prompts;
        LoggerLink link(bridge, clock, prompts);
        std::vector<float> readings;
        ASSERT_TRUE(link.readReadings(c.type, readings));
        const std::size_t perReading = isHumidity(c.type) ? 2 : 1;
        ASSERT_EQ(readings.size(), perReading * record.readingCount());
        for (std::size_t i = 0; i < readings.size(); i += perReading) {
            const double v = c.value(readings[i]);
            ASSERT_GE(v, c.lo) << "reading " << i;
            ASSERT_LE(v, c.hi) << "reading " << i;
            if (perReading == 2) {
                ASSERT_GE(readings[i + 1] * 0.5, 5.0);
                ASSERT_LE(readings[i + 1] * 0.5, 99.0);
            }
        }
    }
}

TEST(LoggerPresets, ScaledAndSensorTypesCarryTheirFactoryTexts)
{
    const CivilTime today{2026, 12, 7, 14, 0, 0};
    const LoggerConfig volts = makePresetImage(4, today).record;
    EXPECT_EQ(volts.text(TextSlot::RangeText), "0.00 - 30.00");
    EXPECT_EQ(volts.text(TextSlot::InputUnits), "Volts");
    EXPECT_EQ(volts.text(TextSlot::DefaultIn2), "30.00");
    const LoggerConfig amps = makePresetImage(7, today).record;
    EXPECT_EQ(amps.text(TextSlot::InputUnits), "mA");
    EXPECT_EQ(amps.text(TextSlot::HighAlarmText), "18.00");
    // CO: a sensor life and a calibration period running today, high slot at 1001 ppm.
    const LoggerConfig co = makePresetImage(9, today).record;
    EXPECT_EQ(co.sensorLife().months, 24);
    EXPECT_EQ(co.sensorLife().month, 6);
    EXPECT_EQ(co.sensorLife().yearSince1900, 126);
    EXPECT_EQ(co.calibrationDue().month, 9);
    EXPECT_EQ(co.u16(cfg::kHighAlarm), 50050); // 1001 ppm at 0.02 ppm per count
    EXPECT_FALSE(co.hasFlag(flag::kHighEnabled));
    EXPECT_EQ(makePresetImage(15, today).record.inputOptions() & 0x70, 0x10); // J
    EXPECT_EQ(makePresetImage(10, today).record.inputOptions() & 0x70, 0x20); // K
}

TEST(LoggerPresets, AlarmTextsKeepTheirFullStopInAGermanSession)
{
    test::GermanNumbers german;
    ASSERT_TRUE(german.active()) << "no German locale could be set up (Debian package: locales)";
    // The texts go into the download file as they stand: a comma would be a field.
    const LoggerConfig amps = makePresetImage(7, CivilTime{2026, 12, 7, 14, 0, 0}).record;
    EXPECT_EQ(amps.text(TextSlot::HighAlarmText), "18.00");
    EXPECT_EQ(amps.text(TextSlot::LowAlarmText), "5.00");
}

TEST_F(VirtualLoggerTest, EventLoggerRecordsEventsAsTheyHappen)
{
    VirtualLogger& logger = bridge.attach(loggerOf(17, 1000, 0));
    LoggerConfig r = startRecord(logger);
    r.setInputOptions(0x08); // edge events, rising
    write(r);
    const std::uint64_t elapsedMs = 3'600'000;
    clock.advanceMs(elapsedMs);
    const std::uint16_t events = logger.record().readingCount();
    ASSERT_GT(events, 2);
    const std::vector<float> words = download(17);
    ASSERT_EQ(words.size(), events);
    // Each word holds the tenths since the previous event; together they fit in the
    // hour that passed, and the input level changes with every event.
    std::uint64_t tenths = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto word = static_cast<std::uint16_t>(words[i]);
        tenths += word & 0x7FFF;
        if (i > 0) {
            EXPECT_NE(word & 0x8000, static_cast<std::uint16_t>(words[i - 1]) & 0x8000);
        }
    }
    EXPECT_LE(tenths * 100, elapsedMs);
}

TEST_F(VirtualLoggerTest, EventLoggerCountModes)
{
    // Count per period: one reading per period of `countPeriod` seconds.
    VirtualLogger& perPeriod = bridge.attach(loggerOf(17, 1000, 0));
    LoggerConfig r = startRecord(perPeriod);
    r.setInputOptions(0x30);
    r.setCountPeriod(60);
    write(r);
    at(24 + 185'000); // periods counted at 0, 60, 120, 180 s
    EXPECT_EQ(perPeriod.record().readingCount(), 4);

    // Count total: the total grows in countPeriod, the memory stays empty.
    bridge.detach(0);
    VirtualLogger& total = bridge.attach(loggerOf(17, 1000, 0));
    r = startRecord(total);
    r.setInputOptions(0x20);
    r.setCountPeriod(0);
    write(r);
    clock.advanceMs(3'600'000);
    EXPECT_EQ(total.record().readingCount(), 0);
    EXPECT_GT(total.record().countPeriod(), 0u);
}

TEST_F(VirtualLoggerTest, LongRunInOverwriteModeKeepsOnlyTheRing)
{
    VirtualLogger& logger = bridge.attach(loggerOf(14, 5, 10));
    write(startRecord(logger, 0, true));
    at(24 + 1'000'000'000); // 100,001 readings fell due in about 11.5 days
    EXPECT_EQ(logger.record().readingCount(), 100'001 % 5);
    EXPECT_EQ(logger.record().wrapCount(), 255); // the counter stops at its top
    EXPECT_EQ(download(14).size(), 5u);
}
