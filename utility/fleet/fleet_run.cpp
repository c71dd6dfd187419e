#include "fleet_run.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

namespace velmora {

namespace {

FleetOutcome runOne(const FleetLogger& logger, std::size_t index, const FleetOperation& operation)
{
    FleetOutcome outcome;
    try {
        outcome = operation(logger, index);
    } catch (const std::exception& e) {
        // One logger's trouble (out of memory for a huge download, say) is its own.
        outcome.ok = false;
        outcome.message = e.what();
    }
    outcome.serial = logger.serial();
    outcome.location = logger.location;
    return outcome;
}

} // namespace

std::vector<FleetOutcome> runOnEach(const std::vector<FleetLogger>& loggers, const FleetOperation& operation,
                                    FleetPace pace, const FleetReport& report)
{
    std::vector<FleetOutcome> outcomes(loggers.size());
    std::mutex reporting;
    const auto work = [&](std::size_t i) {
        outcomes[i] = runOne(loggers[i], i, operation);
        if (report) {
            std::lock_guard lock(reporting);
            report(i, outcomes[i]);
        }
    };
    if (pace == FleetPace::OneAtATime || loggers.size() < 2) {
        for (std::size_t i = 0; i < loggers.size(); ++i)
            work(i);
        return outcomes;
    }
    std::vector<std::jthread> threads;
    threads.reserve(loggers.size());
    for (std::size_t i = 0; i < loggers.size(); ++i)
        threads.emplace_back(work, i);
    threads.clear(); // joins
    return outcomes;
}

bool allSucceeded(const std::vector<FleetOutcome>& outcomes)
{
    return !outcomes.empty() &&
           std::all_of(outcomes.begin(), outcomes.end(), [](const FleetOutcome& o) { return o.ok; });
}

} // namespace velmora
