#include "setup_consecutive_alarms_rules.h"

#include <cmath>

#include "connected_logger.h"
#include "prompts.h"
#include "type_catalogue.h"
#include "utility_strings.h"
#include "wizard_core.h"
#include "wizard_pages.h"

namespace velmora::setup_consecutive_alarms {

namespace {

bool inRange(double count) { return count >= kFewest && count <= kMost; }

Side loadSide(bool alarmOn, std::uint8_t stored, double& remembered)
{
    Side side;
    side.offered = alarmOn;
    side.ticked = alarmOn && inRange(stored);
    if (side.ticked)
        remembered = stored;
    side.count = remembered;
    return side;
}

// The count a side stores, or false (message 190, count corrected) when a ticked
// count is out of range. A side whose alarm is off cannot be ticked.
bool settle(WizardCore& core, Side& side, bool alarmOn, std::uint8_t& stored)
{
    stored = 0;
    if (!side.ticked || !alarmOn)
        return true;
    const double whole = std::trunc(side.count);
    if (!inRange(whole)) { // a NaN count is out of range too, and is corrected to 2
        core.prompts.warn(std::string(utilitytext::kCountAdjusted));
        side.count = whole > kMost ? kMost : kFewest;
        return false;
    }
    stored = static_cast<std::uint8_t>(whole);
    return true;
}

} // namespace

std::string_view rateText(std::uint32_t seconds) { return intervalName(seconds, IntervalWording::AlarmDelay); }

bool shownFor(const LoggerConfig& config)
{
    return config.hasFlag(flag::kHighEnabled) || config.hasFlag(flag::kLowEnabled);
}

Values load(const LoggerRecord& record, Remembered& remembered)
{
    const LoggerConfig& c = record.config;
    Values v;
    v.high = loadSide(c.hasFlag(flag::kHighEnabled), c.consecutiveHigh(), remembered.high);
    v.low = loadSide(c.hasFlag(flag::kLowEnabled), c.consecutiveLow(), remembered.low);
    v.rate = rateText(c.sampleInterval());
    return v;
}

double tick(double& remembered)
{
    if (!inRange(remembered))
        remembered = kFewest;
    return remembered;
}

void untick(double& remembered, double shown) { remembered = shown; }

WizardStep next(WizardCore& core, Values& values)
{
    LoggerConfig& c = core.logger.config;
    std::uint8_t high = 0;
    std::uint8_t low = 0;
    if (!settle(core, values.high, c.hasFlag(flag::kHighEnabled), high))
        return WizardStep::stay(id::kHighCount);
    if (!settle(core, values.low, c.hasFlag(flag::kLowEnabled), low))
        return WizardStep::stay(id::kLowCount);
    c.setConsecutiveHigh(high);
    c.setConsecutiveLow(low);
    return forwardFrom(core, page::kConsecutiveAlarms);
}

WizardStep back(WizardCore& core) { return backFrom(core, page::kConsecutiveAlarms); }

} // namespace velmora::setup_consecutive_alarms
