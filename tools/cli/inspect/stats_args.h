#pragma once
// The options that choose what the statistics cover, shared by inspect and report:
//   --from "DD/MM/YYYY HH:MM:SS"   first time of the range (default: the first reading)
//   --to "DD/MM/YYYY HH:MM:SS"     last time of the range (default: the last reading)
//   --activation-energy KJ_PER_MOL the mean kinetic temperature's ΔH (default 83.144)
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "document_statistics.h"

namespace velmora {

struct StatsArgs {
    std::optional<std::int64_t> from;
    std::optional<std::int64_t> to;
    StatisticsOptions options;
};

enum class ArgOutcome { NotMine, Taken, Bad };

// Takes args[i] (and its value, moving i past it) when it is one of the options
// above; Bad, with the reason on `err` after `prefix`, when its value is missing or
// wrong.
ArgOutcome takeStatsArg(const std::vector<std::string>& args, std::size_t& i, StatsArgs& stats, std::ostream& err,
                        const std::string& prefix);

// False, with the reason on `err`, when --from comes after --to.
bool checkStatsArgs(const StatsArgs& stats, std::ostream& err, const std::string& prefix);

// The readings the options cover in `data`.
ReadingRange statsRange(const GraphData& data, const StatsArgs& stats);

} // namespace velmora
