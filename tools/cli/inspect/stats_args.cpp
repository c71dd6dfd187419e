#include "stats_args.h"

#include <charconv>
#include <cmath>

namespace velmora {

namespace {

// Above this an activation energy has surely been given in J/mol.
constexpr double kLargestActivationEnergy = 1000.0;

} // namespace

ArgOutcome takeStatsArg(const std::vector<std::string>& args, std::size_t& i, StatsArgs& stats, std::ostream& err,
                        const std::string& prefix)
{
    const std::string& a = args[i];
    if (a != "--from" && a != "--to" && a != "--activation-energy")
        return ArgOutcome::NotMine;
    const std::string* value = i + 1 < args.size() ? &args[++i] : nullptr;
    if (a == "--activation-energy") {
        double kj = 0;
        const char* end = value ? value->data() + value->size() : nullptr;
        const std::from_chars_result r = value ? std::from_chars(value->data(), end, kj) : std::from_chars_result{};
        if (!value || value->empty() || r.ec != std::errc() || r.ptr != end || !(kj > 0) ||
            kj > kLargestActivationEnergy) {
            err << prefix << "--activation-energy needs kJ/mol above 0 and at most 1000 (83.144 if not given)\n";
            return ArgOutcome::Bad;
        }
        stats.options.activationEnergy = kj;
        return ArgOutcome::Taken;
    }
    const std::optional<std::int64_t> time = value ? parseReadingTime(*value) : std::nullopt;
    if (!time) {
        err << prefix << a << " needs a time written DD/MM/YYYY HH:MM:SS\n";
        return ArgOutcome::Bad;
    }
    (a == "--from" ? stats.from : stats.to) = time;
    return ArgOutcome::Taken;
}

bool checkStatsArgs(const StatsArgs& stats, std::ostream& err, const std::string& prefix)
{
    if (stats.from && stats.to && *stats.from > *stats.to) {
        err << prefix << "--from is later than --to\n";
        return false;
    }
    return true;
}

ReadingRange statsRange(const GraphData& data, const StatsArgs& stats)
{
    if (!stats.from && !stats.to)
        return wholeFile(data);
    const ReadingRange whole = wholeFile(data);
    const std::int64_t first = stats.from.value_or(data.startTime);
    const std::int64_t last = stats.to.value_or(readingTime(data, whole.empty ? 0 : whole.last));
    return readingsWithinTimes(data, first, last);
}

} // namespace velmora
