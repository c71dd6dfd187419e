#include "fleet_download_job.h"

#include "utility_strings.h"

namespace velmora {

FleetDownloadJob::FleetDownloadJob(UsbBridge& bridge, Clock& clock, std::vector<FleetLogger> loggers, DownloadPlan plan)
    : bridge_(bridge), clock_(clock), loggers_(std::move(loggers)), plan_(std::move(plan))
{
}

FleetDownloadJob::~FleetDownloadJob()
{
    cancel();
    wait();
}

void FleetDownloadJob::start(Progress progress, FleetReport report, std::function<void()> finished)
{
    if (thread_.joinable())
        return;
    thread_ =
        std::thread([this, progress = std::move(progress), report = std::move(report), finished = std::move(finished)] {
            const FleetOperation download = [&](const FleetLogger& logger, std::size_t index) {
                DownloadPlan plan = plan_;
                plan.progress = [&, index](std::size_t done, std::size_t total) {
                    if (progress)
                        progress(index, done, total);
                    return !cancelled_;
                };
                FleetOutcome outcome = downloadLogger(bridge_, clock_, logger.location, plan);
                // The link says nothing of a download stopped on request.
                if (!outcome.ok && outcome.message.empty() && cancelled_)
                    outcome.message = utilitytext::kDownloadCancelled;
                return outcome;
            };
            outcomes_ = runOnEach(loggers_, download, FleetPace::AllAtOnce, report);
            if (finished)
                finished();
        });
}

const std::vector<FleetOutcome>& FleetDownloadJob::wait()
{
    if (thread_.joinable())
        thread_.join();
    return outcomes_;
}

} // namespace velmora
