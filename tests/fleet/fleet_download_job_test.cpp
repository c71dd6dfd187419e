// The tray's download on threads of its own, as the utility's window runs it: a
// cancel stops a transfer under way, says so, saves nothing of that logger and leaves
// its readings in it; no file is left half written.
#include <gtest/gtest.h>

#include <filesystem>

#include "clock.h"
#include "fleet_download_job.h"
#include "logger_presets.h"
#include "simulated_bridge.h"
#include "utility_strings.h"

namespace fs = std::filesystem;

namespace velmora {
namespace {

TEST(FleetDownloadJob, CancelStopsTheTransferUnderWayAndKeepsTheLoggersReadings)
{
    const fs::path folder = fs::temp_directory_path() / "velmora-fleet-job-cancel";
    fs::remove_all(folder);
    fs::create_directories(folder);
    SteadyClock clock; // the job's threads share it
    SimulatedBridge bridge(clock);
    for (std::uint32_t serial : {6001u, 6002u}) {
        LoggerImage image = makePresetImage(4, CivilTime{2026, 12, 8, 9, 0, 0}); // 1440 readings, many blocks
        image.record.setSerialNumber(serial);
        bridge.attach(std::move(image));
    }
    DownloadPlan plan;
    plan.folder = folder.string();
    FleetDownloadJob job(bridge, clock, listFleet(bridge, clock), plan);
    std::atomic<int> reports = 0;
    // The second logger's first block in: the user presses Cancel.
    job.start(
        [&](std::size_t index, std::size_t, std::size_t) {
            if (index == 1)
                job.cancel();
        },
        [&](std::size_t, const FleetOutcome&) { ++reports; }, {});
    const std::vector<FleetOutcome> outcomes = job.wait();

    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(reports, 2);
    EXPECT_FALSE(outcomes[1].ok);
    EXPECT_EQ(outcomes[1].message, utilitytext::kDownloadCancelled);
    EXPECT_TRUE(outcomes[1].file.empty());
    EXPECT_TRUE(bridge.logger(1).record().hasFlag(flag::kUndownloaded)) << "its readings count as not downloaded";
    // Whatever the first logger got to, the folder holds only whole download files.
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().extension(), ".txt") << entry.path();
        EXPECT_NE(entry.path().filename().string().find("6001"), std::string::npos) << entry.path();
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace velmora
