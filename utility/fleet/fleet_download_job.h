#pragma once
// A tray's download for a program with a window: every logger at once on threads of
// the job's own, so the window keeps answering, each logger's progress and outcome
// told as they come. Cancelling stops the readings transfers under way (those loggers
// keep their readings); a file being written is always finished, and the job is
// never abandoned: it is waited for before it goes.
#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

#include "fleet_download.h"

namespace velmora {

class FleetDownloadJob {
public:
    // (logger's index, blocks done, blocks in all); called on the job's threads.
    using Progress = std::function<void(std::size_t index, std::size_t done, std::size_t total)>;

    FleetDownloadJob(UsbBridge& bridge, Clock& clock, std::vector<FleetLogger> loggers, DownloadPlan plan);
    ~FleetDownloadJob(); // cancels and waits
    FleetDownloadJob(const FleetDownloadJob&) = delete;
    FleetDownloadJob& operator=(const FleetDownloadJob&) = delete;

    const std::vector<FleetLogger>& loggers() const { return loggers_; }

    // Starts the downloads. `report` gets each outcome, one call at a time, and
    // `finished` comes once after the last; all three are called on the job's threads.
    void start(Progress progress, FleetReport report, std::function<void()> finished);
    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_; }

    // Waits for the job to end; the outcomes in the loggers' order.
    const std::vector<FleetOutcome>& wait();

private:
    UsbBridge& bridge_;
    Clock& clock_;
    std::vector<FleetLogger> loggers_;
    DownloadPlan plan_;
    std::atomic<bool> cancelled_ = false;
    std::vector<FleetOutcome> outcomes_;
    std::thread thread_;
};

} // namespace velmora
