// A tray downloaded and fetched over simulated loggers: every logger's outcome, one
// failing without stopping the others, nothing replaced, nothing restarted that was
// not saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "clock.h"
#include "fetch_ledger.h"
#include "fleet_download.h"
#include "fleet_strings.h"
#include "logger_dates.h"
#include "logger_presets.h"
#include "simulated_bridge.h"

namespace fs = std::filesystem;

namespace velmora {
namespace {

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class FleetDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("velmora-fleet-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // A stopped type-4 logger holding its demo readings, named `name`, started
    // 7 Dec 2026 14:00:00 with a 60 s interval.
    VirtualLogger& attach(std::uint32_t serial, const std::string& name)
    {
        LoggerImage image = makePresetImage(4, CivilTime{2026, 12, 8, 9, 0, 0});
        image.record.setSerialNumber(serial);
        image.record.setName(name);
        image.record.setStart(2026, 12, 7, 14, 0, 0);
        image.record.setSampleInterval(60);
        image.record.setStartDelay(0);
        return bridge.attach(std::move(image));
    }

    std::vector<FleetLogger> tray() { return listFleet(bridge, clock); }

    std::vector<FleetOutcome> downloadAll(const DownloadPlan& plan, FleetPace pace = FleetPace::OneAtATime)
    {
        return runOnEach(
            tray(), [&](const FleetLogger& l, std::size_t) { return downloadLogger(bridge, clock, l.location, plan); },
            pace);
    }

    VirtualClock clock{CivilTime{2026, 12, 9, 10, 30, 0}};
    SimulatedBridge bridge{clock};
    fs::path folder;
};

TEST_F(FleetDownloadTest, OneLoggerFailingMidwayLeavesTheOthersDoneAndReplacesNothing)
{
    for (std::uint32_t i = 1; i <= 5; ++i)
        attach(1000 + i, "Tray/" + std::to_string(i));
    bridge.logger(2).faults().vanishAfterBytes = 700; // pulled out during its readings
    // A file already has the first logger's name: it stays, and the new one is -2.
    const fs::path taken = folder / "Tray_1_1001_20261207-140000.txt";
    std::ofstream(taken) << "earlier download";

    DownloadPlan plan;
    plan.folder = folder.string();
    const std::vector<FleetOutcome> outcomes = downloadAll(plan);

    ASSERT_EQ(outcomes.size(), 5u);
    EXPECT_FALSE(allSucceeded(outcomes));
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(outcomes[i].serial, std::to_string(1001 + i));
        if (i == 2) {
            EXPECT_FALSE(outcomes[i].ok);
            EXPECT_FALSE(outcomes[i].message.empty());
            continue;
        }
        EXPECT_TRUE(outcomes[i].ok) << outcomes[i].message;
        const std::string want =
            i == 0 ? "Tray_1_1001_20261207-140000-2.txt"
                   : "Tray_" + std::to_string(i + 1) + "_" + std::to_string(1001 + i) + "_20261207-140000.txt";
        EXPECT_EQ(outcomes[i].file, (folder / want).string());
        // The whole log: a header line and the demo readings, one a line.
        const std::string text = slurp(outcomes[i].file);
        EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), 1u + 1440u);
    }
    EXPECT_EQ(slurp(taken), "earlier download");
}

TEST_F(FleetDownloadTest, LoggingLoggerIsRefusedUnlessStoppingWasAsked)
{
    attach(2001, "A");
    attach(2002, "B");
    DownloadPlan plan;
    plan.folder = folder.string();
    plan.restart = true; // started again: both are logging now
    ASSERT_TRUE(allSucceeded(downloadAll(plan)));
    clock.advanceMs(600'000); // ten readings each

    plan.restart = false;
    const auto refused = downloadAll(plan);
    EXPECT_FALSE(refused[0].ok);
    EXPECT_EQ(refused[0].message, kLoggingNotStopped);
    EXPECT_TRUE(bridge.logger(0).record().isLogging());

    plan.stopFirst = true;
    const auto stopped = downloadAll(plan);
    ASSERT_TRUE(allSucceeded(stopped)) << stopped[0].message;
    EXPECT_FALSE(bridge.logger(1).record().isLogging());
}

TEST_F(FleetDownloadTest, FetchRestartsWithTheOldSettingsAndANewStart)
{
    attach(3001, "Cold room");
    VirtualLogger& second = attach(3002, "Freezer");
    DownloadPlan fetch;
    fetch.folder = folder.string();
    fetch.stopFirst = fetch.onlyNew = fetch.restart = true;

    const auto first = downloadAll(fetch);
    ASSERT_TRUE(allSucceeded(first)) << first[0].message << first[1].message;
    const LoggerConfig& after = second.record();
    EXPECT_TRUE(after.isLogging());
    EXPECT_EQ(after.name(), "Freezer");
    EXPECT_EQ(after.sampleInterval(), 60u);
    EXPECT_EQ(after.serialNumber(), 3002u);
    EXPECT_LE(after.readingCount(), 1u) << "a new log: at most the reading taken as it started";
    const CivilTime start = firstReadingTime(after), now = clock.localNow();
    EXPECT_EQ(std::tie(start.year, start.month, start.day, start.hour, start.minute),
              std::tie(now.year, now.month, now.day, now.hour, now.minute));

    // Three readings later the new log is fetched under its own start.
    clock.advanceMs(180'000);
    const auto later = downloadAll(fetch);
    ASSERT_TRUE(allSucceeded(later));
    EXPECT_NE(later[1].file, first[1].file);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);
}

TEST_F(FleetDownloadTest, FetchPassesByALoggerWithNothingNew)
{
    VirtualLogger& logger = attach(3501, "Done");
    DownloadPlan plan;
    plan.folder = folder.string();
    ASSERT_TRUE(allSucceeded(downloadAll(plan)));
    DownloadPlan fetch = plan;
    fetch.stopFirst = fetch.onlyNew = fetch.restart = true;
    const auto outcomes = downloadAll(fetch);
    ASSERT_TRUE(allSucceeded(outcomes));
    EXPECT_EQ(outcomes[0].message, kNothingNew);
    EXPECT_TRUE(outcomes[0].file.empty());
    EXPECT_FALSE(logger.record().isLogging()) << "not started over readings nobody asked about";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(FleetDownloadTest, ALoggerWhoseFileCouldNotBeSavedIsNotRestarted)
{
    VirtualLogger& logger = attach(4001, "Kept");
    DownloadPlan fetch;
    fetch.folder = (folder / "no such folder").string();
    fetch.stopFirst = fetch.onlyNew = fetch.restart = true;
    const auto outcomes = downloadAll(fetch);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].ok);
    EXPECT_NE(outcomes[0].message.find("Failed opening file"), std::string::npos) << outcomes[0].message;
    // Its readings are still in it, and it was not started over them.
    EXPECT_FALSE(logger.record().isLogging());
    EXPECT_EQ(logger.image().memory.size(), 1440u * 2u);
}

// The logger marks its readings downloaded once they have gone out, so a save that
// fails must not let the next fetch pass it by: the readings would never be saved.
TEST_F(FleetDownloadTest, AFetchWhoseSaveFailedIsDoneAgainByTheNextFetch)
{
    attach(4101, "Retry");
    FetchLedger ledger((folder / "state" / "fetch-ledger").string());
    DownloadPlan fetch;
    fetch.folder = (folder / "not there").string();
    fetch.stopFirst = fetch.onlyNew = true;
    fetch.ledger = &ledger;
    const auto failedSave = downloadAll(fetch);
    ASSERT_FALSE(failedSave[0].ok);
    EXPECT_NE(failedSave[0].message.find(fleettext::kKeptForNextFetch), std::string::npos) << failedSave[0].message;

    fetch.folder = folder.string();
    const auto retried = downloadAll(fetch);
    ASSERT_TRUE(retried[0].ok) << retried[0].message;
    EXPECT_EQ(retried[0].file, (folder / "Retry_4101_20261207-140000.txt").string());
    const std::string text = slurp(retried[0].file);
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), 1u + 1440u);

    // Saved now: a third fetch has nothing to do.
    const auto third = downloadAll(fetch);
    EXPECT_EQ(third[0].message, kNothingNew);
}

// A restart gives the logger a new log that holds its first reading at once; the
// logger coming straight back (re-plugged) must not be stopped and fetched over it,
// yet the same log is fetched once it has been out for a while.
TEST_F(FleetDownloadTest, ALoggerJustRestartedIsPassedByUntilItHasBeenAway)
{
    VirtualLogger& logger = attach(4201, "Again");
    FetchLedger ledger; // in memory, as one watch keeps it
    DownloadPlan fetch;
    fetch.folder = folder.string();
    fetch.stopFirst = fetch.onlyNew = fetch.restart = true;
    fetch.ledger = &ledger;
    ASSERT_TRUE(allSucceeded(downloadAll(fetch)));

    clock.advanceMs(120'000); // two readings of the new log
    const auto back = downloadAll(fetch);
    ASSERT_TRUE(back[0].ok) << back[0].message;
    EXPECT_TRUE(back[0].file.empty());
    EXPECT_NE(back[0].message.find("10:30:00"), std::string::npos) << back[0].message;
    EXPECT_TRUE(logger.record().isLogging()) << "its new log runs on";

    clock.advanceMs(std::uint64_t{kJustRestartedSeconds} * 1000);
    const auto later = downloadAll(fetch);
    ASSERT_TRUE(later[0].ok) << later[0].message;
    EXPECT_NE(later[0].file.find("Again_4201_20261209-103000"), std::string::npos) << later[0].file;
}

// The outcome counts readings as the logger and the file do, a row each, not the
// values a row of a humidity logger holds (two).
TEST_F(FleetDownloadTest, ReadingsSavedAreTheFilesRows)
{
    for (const int type : {4, 12, 5}) {
        SCOPED_TRACE(type);
        LoggerImage image = makePresetImage(type, CivilTime{2026, 12, 8, 9, 0, 0});
        image.record.setSerialNumber(6000 + static_cast<std::uint32_t>(type));
        bridge.attach(std::move(image));
    }
    DownloadPlan plan;
    plan.folder = folder.string();
    for (const FleetOutcome& o : downloadAll(plan)) {
        SCOPED_TRACE(o.serial);
        ASSERT_TRUE(o.ok) << o.message;
        const std::string text = slurp(o.file);
        const auto rows = std::count(text.begin(), text.end(), '\n') - 1; // after the header line
        EXPECT_EQ(o.message, std::to_string(rows) + " readings saved");
    }
}

TEST_F(FleetDownloadTest, AllAtOnceGivesTheSameFilesAsOneAtATime)
{
    SteadyClock steady; // ports on several threads need a clock they may share
    SimulatedBridge shared(steady);
    for (std::uint32_t i = 1; i <= 3; ++i) {
        LoggerImage image = makePresetImage(4, CivilTime{2026, 12, 8, 9, 0, 0});
        image.record.setSerialNumber(5000 + i);
        shared.attach(std::move(image));
    }
    DownloadPlan plan;
    plan.folder = folder.string();
    const auto outcomes = runOnEach(
        listFleet(shared, steady),
        [&](const FleetLogger& l, std::size_t) { return downloadLogger(shared, steady, l.location, plan); },
        FleetPace::AllAtOnce);
    ASSERT_TRUE(allSucceeded(outcomes));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(outcomes[i].serial, std::to_string(5001 + i)) << "outcomes in list order";
        EXPECT_NE(outcomes[i].file.find(outcomes[i].serial), std::string::npos);
    }
}

} // namespace
} // namespace velmora
