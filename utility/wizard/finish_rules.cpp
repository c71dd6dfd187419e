#include "finish_rules.h"

#include "connected_logger.h"
#include "prompts.h"
#include "utility_strings.h"
#include "wall_clock.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
// Up to 2069 the delay also fits its 32 bits.
constexpr int kLastStartYear = 2069;
} // namespace

StartPlan planStart(WallClock& clock, const StartChoice& choice)
{
    const UnixSeconds now = clock.now();
    StartPlan plan;
    plan.pushButton = choice.mode == StartMode::Button;
    if (choice.mode != StartMode::At) {
        plan.start = WallClock::toLocal(now);
        return plan;
    }
    plan.start = choice.at;
    plan.start.tenths = 0;
    if (plan.start.year > kLastStartYear) {
        plan.refusal = utilitytext::kStartTooLate;
        return plan;
    }
    // Real seconds between the two moments, not the difference of wall times, so a
    // clock change before the start does not move it by an hour. A time one second
    // behind is the pickers lagging the clock, not a time in the past.
    const std::optional<UnixSeconds> start = WallClock::fromLocal(plan.start, now - 1);
    if (!start) {
        plan.refusal = utilitytext::kStartTimeSkipped;
        return plan;
    }
    const std::int64_t delay = *start - now;
    if (delay < -1)
        plan.refusal = std::string(utilitytext::kStartInPast);
    else if (delay > 0)
        plan.delaySeconds = static_cast<std::uint32_t>(delay);
    return plan;
}

std::optional<CivilTime> pendingStart(const LoggerConfig& config, WallClock& clock)
{
    if (!config.isLogging() || !config.isDelayedStartPending() || config.isWaitingForButton())
        return std::nullopt;
    const CivilTime start{config.startFullYear(), config.startMonth(),  config.startDay(),
                          config.startHour(),     config.startMinute(), config.startSecond()};
    const UnixSeconds now = clock.now();
    const std::optional<UnixSeconds> at = WallClock::fromLocal(start, now);
    if (!at || *at <= now)
        return std::nullopt;
    return start;
}

StartChoice pendingOrNow(const LoggerConfig& config, WallClock& clock)
{
    const std::optional<CivilTime> pending = pendingStart(config, clock);
    return pending ? StartChoice{StartMode::At, *pending} : StartChoice{StartMode::Now, {}};
}

WizardStep finishSetUp(WizardCore& core, const StartChoice& choice)
{
    const StartPlan plan = planStart(core.clock, choice);
    if (!plan.refusal.empty()) {
        core.prompts.warn(plan.refusal);
        return WizardStep::stay();
    }
    const CivilTime& s = plan.start;
    if (!core.logger.startAndWrite(s.year, s.month, s.day, s.hour, s.minute, s.second, plan.delaySeconds,
                                   plan.pushButton))
        return WizardStep::stay();
    return WizardStep::to(page::kSummary);
}

} // namespace velmora
