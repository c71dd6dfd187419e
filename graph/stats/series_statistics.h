#pragma once
// The figures of one reading series over a range of readings: count, minimum and
// maximum with the first reading that reaches them, mean and standard deviation, the
// readings beyond alarm levels (each compared with the level on its own line) and,
// for temperatures, the mean kinetic temperature. Plain C++, no display.
//
// Sums are kept accurate over millions of readings: short vectorisable sums inside
// blocks of a few hundred readings, blocks combined with the parallel-variance
// formula, the mean kinetic temperature's exponentials scaled by the block's largest
// term (log-sum-exp), so neither rounding nor underflow drifts the result.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace velmora {

// Activation energy the mean kinetic temperature uses unless told otherwise, kJ/mol,
// and the gas constant, J/(mol·K).
inline constexpr double kDefaultActivationEnergy = 83.144;
inline constexpr double kGasConstant = 8.314462618;

enum class TemperatureScale { None, Celsius, Fahrenheit };

// A level column and which side of it counts as an excursion.
enum class Beyond { Above, Below };

struct LevelInput {
    const double* level = nullptr; // one level per reading (the gap marker: no level on that line)
    Beyond beyond = Beyond::Above;
};

struct LevelExcursions {
    std::int64_t readings = 0;   // readings strictly beyond the level of their own line
    std::int64_t runs = 0;       // runs of consecutive readings beyond it
    std::int64_t longestRun = 0; // readings in the longest run
};

struct SeriesInput {
    const double* values = nullptr; // the series; the gap marker (1e308) is no reading
    std::size_t first = 0;          // first and one past the last reading of the range
    std::size_t end = 0;
    LevelInput levels[2]; // up to two level columns (unused ones have no level)
    TemperatureScale scale = TemperatureScale::None;
    double activationEnergy = kDefaultActivationEnergy; // kJ/mol
};

struct SeriesStatistics {
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

    std::size_t count = 0;   // readings that are not gaps
    std::size_t skipped = 0; // gaps in the range: fields that held no number, a dew point's "Error"
    double minimum = kNone;
    double maximum = kNone;
    std::size_t minimumIndex = 0; // first reading at the minimum / maximum
    std::size_t maximumIndex = 0;
    double mean = kNone;
    double standardDeviation = kNone;         // of the readings themselves (divided by the count)
    std::optional<LevelExcursions> levels[2]; // for each level column given
    // Mean kinetic temperature in the series' own scale, for temperatures with at
    // least one reading; NaN when a reading lies at or below absolute zero.
    std::optional<double> meanKinetic;
};

SeriesStatistics seriesStatistics(const SeriesInput& input);

namespace detail {
// The exponential the mean kinetic temperature uses, for x <= 0 (0 below -708).
double negativeExp(double x);
} // namespace detail

} // namespace velmora
