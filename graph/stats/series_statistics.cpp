#include "series_statistics.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr double kGap = 1e308; // the chart data set's no-value marker
constexpr double kAbsoluteZeroCelsius = 273.15;
constexpr std::size_t kBlock = 256; // readings summed plainly before a block is combined

// Count, mean and sum of squared deviations of a set of readings; two sets combine
// exactly as if their readings had been taken together (Chan, Golub and LeVeque).
struct Moments {
    double n = 0;
    double mean = 0;
    double m2 = 0;

    void combine(double nb, double meanb, double m2b)
    {
        if (nb == 0)
            return;
        if (n == 0) {
            *this = {nb, meanb, m2b};
            return;
        }
        const double total = n + nb;
        const double d = meanb - mean;
        mean += d * (nb / total);
        m2 += m2b + d * d * (n * nb / total);
        n = total;
    }
};

// The mean of exp(-c / T) kept as exp(top) × sum / n, so that no term under- or
// overflows whatever the activation energy and temperatures.
struct ScaledExpSum {
    double top = -HUGE_VAL;
    double sum = 0;

    void add(double blockTop, double blockSum)
    {
        if (blockSum == 0)
            return;
        if (blockTop > top) {
            sum = sum * std::exp(top - blockTop) + blockSum;
            top = blockTop;
        } else {
            sum += blockSum * std::exp(blockTop - top);
        }
    }
};

// Kelvin from the series' scale: T = (v + shift) × factor + 273.15.
struct KelvinScale {
    double shift = 0;
    double factor = 1;

    double kelvin(double v) const { return (v + shift) * factor + kAbsoluteZeroCelsius; }
    double fromKelvin(double k) const { return (k - kAbsoluteZeroCelsius) / factor - shift; }
};

KelvinScale kelvinScale(TemperatureScale scale)
{
    if (scale == TemperatureScale::Fahrenheit)
        return {-32.0, 5.0 / 9.0};
    return {};
}

// Two readings at a time (one SSE2 register) with the compilers' portable vector types: comparisons give
// lanes of all ones or all zeros, which select by bitwise and. Plain loops with
// conditions do not vectorise at all without licence to reorder additions.
using Vec = double __attribute__((vector_size(16)));
using Mask = decltype(Vec{} < Vec{}); // what a comparison gives: lanes of 64-bit integers
constexpr int kLanes = 2;

Vec load(const double* p)
{
    Vec v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

Vec splat(double d) { return Vec{d, d}; }

Vec select(Mask m, Vec a, Vec b)
{
    return reinterpret_cast<Vec>((reinterpret_cast<Mask>(a) & m) | (reinterpret_cast<Mask>(b) & ~m));
}

double lanesSum(Vec v) { return v[0] + v[1]; }

struct BlockSums {
    double count = 0;
    double sum = 0;
    double lowest = HUGE_VAL;
    double highest = -HUGE_VAL;
};

BlockSums blockSums(const double* x, std::size_t len)
{
    const Vec gap = splat(kGap), zero = splat(0.0), none = splat(-HUGE_VAL);
    Vec c = zero, s = zero, lo = splat(HUGE_VAL), hi = none;
    std::size_t i = 0;
    for (; i + kLanes <= len; i += kLanes) {
        const Vec v = load(x + i);
        const Mask ok = v != gap;
        c += select(ok, splat(1.0), zero);
        s += select(ok, v, zero);
        lo = select(v < lo, v, lo); // a gap, the largest double there is, never wins over a reading
        const Vec w = select(ok, v, none);
        hi = select(w > hi, w, hi);
    }
    BlockSums b;
    b.count = lanesSum(c);
    b.sum = lanesSum(s);
    b.lowest = std::min(lo[0], lo[1]);
    b.highest = std::max(hi[0], hi[1]);
    for (; i < len; ++i) {
        const double v = x[i];
        if (v == kGap)
            continue;
        b.count += 1;
        b.sum += v;
        b.lowest = std::min(b.lowest, v);
        b.highest = std::max(b.highest, v);
    }
    return b;
}

double squaredDeviations(const double* x, std::size_t len, double mean)
{
    const Vec gap = splat(kGap), m = splat(mean), zero = splat(0.0);
    Vec q = zero;
    std::size_t i = 0;
    for (; i + kLanes <= len; i += kLanes) {
        const Vec v = load(x + i);
        const Vec d = select(v != gap, v - m, zero);
        q += d * d;
    }
    double sum = lanesSum(q);
    for (; i < len; ++i)
        if (x[i] != kGap)
            sum += (x[i] - mean) * (x[i] - mean);
    return sum;
}

// exp(x) for x <= 0, two at a time: x = k ln 2 + r with |r| <= ln 2 / 2 (ln 2 in two
// parts, so r is exact), exp(r) by its Taylor series to r^12 (the rest is below
// 2e-16 relative), times 2^k built in the exponent bits. Below -708 the result is
// taken as 0: a term that small cannot change a sum whose largest term is 1.
Vec negativeExpPair(Vec x)
{
    constexpr double kLog2e = 1.4426950408889634;
    constexpr double kLn2Hi = 0.693147180369123816490; // ln 2 = kLn2Hi + kLn2Lo
    constexpr double kLn2Lo = 1.90821492927058770002e-10;
    constexpr double kRound = 6755399441055744.0; // 1.5 × 2^52: adding it rounds to a whole number
    const Mask tiny = x < splat(-708.0);
    x = select(tiny, splat(0.0), x);
    const Vec t = x * splat(kLog2e) + splat(kRound);
    const Vec k = t - splat(kRound);
    const Vec r = (x - k * splat(kLn2Hi)) - k * splat(kLn2Lo);
    // Taylor terms 1/i! for i = 0..12, summed by Estrin's scheme: the powers r^2,
    // r^4, r^8 let independent products run side by side instead of one long chain.
    constexpr double a[] = {1.0,
                            1.0,
                            0.5,
                            1.66666666666666666667e-01,
                            4.16666666666666666667e-02,
                            8.33333333333333333333e-03,
                            1.38888888888888888889e-03,
                            1.98412698412698412698e-04,
                            2.48015873015873015873e-05,
                            2.75573192239858906526e-06,
                            2.75573192239858906526e-07,
                            2.50521083854417187751e-08,
                            2.08767569878680989792e-09};
    const Vec r2 = r * r, r4 = r2 * r2, r8 = r4 * r4;
    auto pair = [&](int i) { return splat(a[i]) + splat(a[i + 1]) * r; };
    const Vec low = (pair(0) + pair(2) * r2) + (pair(4) + pair(6) * r2) * r4;
    const Vec high = (pair(8) + pair(10) * r2) + splat(a[12]) * r4;
    const Vec p = low + high * r8;
    const Mask whole = reinterpret_cast<Mask>(t) - reinterpret_cast<Mask>(splat(kRound));
    const Vec scale = reinterpret_cast<Vec>((whole + 1023) << 52);
    return select(tiny, splat(0.0), p * scale);
}

// Sum of exp(c / hottest − c / T) over the block's readings, each term at most 1.
double scaledExpTerms(const double* x, std::size_t len, const KelvinScale& k, double c, double hottest)
{
    const Vec gap = splat(kGap), zero = splat(0.0), shift = splat(k.shift), factor = splat(k.factor);
    const Vec kelvin0 = splat(kAbsoluteZeroCelsius), hot = splat(hottest), cv = splat(c);
    Vec s = zero;
    std::size_t i = 0;
    for (; i + kLanes <= len; i += kLanes) {
        const Vec v = load(x + i);
        const Mask ok = v != gap;
        const Vec t = select(ok, (v + shift) * factor + kelvin0, hot);
        s += select(ok, negativeExpPair(cv * (t - hot) / (t * hot)), zero);
    }
    double sum = lanesSum(s);
    for (; i < len; ++i) {
        if (x[i] == kGap)
            continue;
        const double t = k.kelvin(x[i]);
        sum += negativeExpPair(splat(c * (t - hottest) / (t * hottest)))[0];
    }
    return sum;
}

// Without branches, so that the search for an excursion vectorises.
bool isBeyond(double v, double level, Beyond side)
{
    const bool present = (v != kGap) & (level != kGap);
    return present & (side == Beyond::Above ? v > level : v < level);
}

bool anyBeyond(const double* x, const double* level, std::size_t len, Beyond side)
{
    // Counted rather than or-ed: compilers turn an or of comparison lanes back into
    // branches, while a subtraction of the lanes (-1 where true) stays in the register.
    const Vec gap = splat(kGap);
    Mask hits = {};
    std::size_t i = 0;
    if (side == Beyond::Above) {
        for (; i + kLanes <= len; i += kLanes) {
            const Vec v = load(x + i), l = load(level + i);
            hits -= (v != gap) & (l != gap) & (v > l);
        }
    } else {
        for (; i + kLanes <= len; i += kLanes) {
            const Vec v = load(x + i), l = load(level + i);
            hits -= (v != gap) & (l != gap) & (v < l);
        }
    }
    bool found = (hits[0] | hits[1]) != 0;
    for (; i < len; ++i)
        found |= isBeyond(x[i], level[i], side);
    return found;
}

// Readings beyond a level and their runs, carried from block to block.
class ExcursionCounter {
public:
    explicit ExcursionCounter(const LevelInput& input) : input_(input) {}

    void block(const double* x, std::size_t from, std::size_t len)
    {
        const double* level = input_.level + from;
        // Most readings lie within the levels: look for any excursion first, with a
        // loop the compiler can vectorise, and walk the runs only where there is one.
        if (!anyBeyond(x, level, len, input_.beyond)) {
            run_ = 0;
            return;
        }
        for (std::size_t i = 0; i < len; ++i) {
            if (!isBeyond(x[i], level[i], input_.beyond)) {
                run_ = 0;
                continue;
            }
            ++result_.readings;
            if (++run_ == 1)
                ++result_.runs;
            result_.longestRun = std::max(result_.longestRun, run_);
        }
    }

    const LevelExcursions& result() const { return result_; }

private:
    LevelInput input_;
    LevelExcursions result_;
    std::int64_t run_ = 0;
};

// Mean and standard deviation of readings so large that their sums or squares pass
// the largest double: the readings are scaled by a power of two first (exactly), the
// sums kept compensated. Rare enough to be done plainly.
void scaledMoments(const double* x, std::size_t first, std::size_t end, double largest, double& mean, double& sd)
{
    const double scale = std::ldexp(1.0, -std::ilogb(largest) - 1); // readings below 1 in size
    double sum = 0, carry = 0, n = 0;
    for (std::size_t i = first; i < end; ++i) {
        if (x[i] == kGap)
            continue;
        const double v = x[i] * scale;
        const double t = sum + v;
        carry += std::abs(sum) >= std::abs(v) ? (sum - t) + v : (v - t) + sum;
        sum = t;
        n += 1;
    }
    const double m = (sum + carry) / n;
    double squares = 0;
    for (std::size_t i = first; i < end; ++i)
        if (x[i] != kGap)
            squares += (x[i] * scale - m) * (x[i] * scale - m);
    mean = m / scale;
    sd = std::sqrt(squares / n) / scale;
}

std::size_t firstIndexOf(const double* x, std::size_t len, double v)
{
    return static_cast<std::size_t>(std::find(x, x + len, v) - x);
}

} // namespace

double detail::negativeExp(double x) { return negativeExpPair(splat(x))[0]; }

SeriesStatistics seriesStatistics(const SeriesInput& input)
{
    SeriesStatistics result;
    const bool temperature = input.scale != TemperatureScale::None;
    const KelvinScale scale = kelvinScale(input.scale);
    const double c = input.activationEnergy * 1000.0 / kGasConstant; // ΔH / R in kelvin

    std::optional<ExcursionCounter> counters[2];
    for (int l = 0; l < 2; ++l)
        if (input.levels[l].level)
            counters[l].emplace(input.levels[l]);

    Moments moments;
    ScaledExpSum expSum;
    bool belowAbsoluteZero = false;
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    const double* values = input.values;
    for (std::size_t from = input.first; from < input.end; from += kBlock) {
        const std::size_t len = std::min(kBlock, input.end - from);
        const double* x = values + from;
        const BlockSums b = blockSums(x, len);
        for (auto& counter : counters)
            if (counter)
                counter->block(x, from, len);
        if (b.count == 0)
            continue;
        if (b.lowest < lowest) {
            lowest = b.lowest;
            result.minimumIndex = from + firstIndexOf(x, len, lowest);
        }
        if (b.highest > highest) {
            highest = b.highest;
            result.maximumIndex = from + firstIndexOf(x, len, highest);
        }
        const double blockMean = b.sum / b.count;
        moments.combine(b.count, blockMean, squaredDeviations(x, len, blockMean));
        if (temperature && !belowAbsoluteZero) {
            const double hottest = scale.kelvin(b.highest);
            if (scale.kelvin(b.lowest) <= 0) {
                belowAbsoluteZero = true;
                continue;
            }
            expSum.add(-c / hottest, scaledExpTerms(x, len, scale, c, hottest));
        }
    }

    for (int l = 0; l < 2; ++l)
        if (counters[l])
            result.levels[l] = counters[l]->result();
    result.count = static_cast<std::size_t>(moments.n);
    result.skipped = (input.end > input.first ? input.end - input.first : 0) - result.count;
    if (result.count == 0)
        return result;
    result.minimum = lowest;
    result.maximum = highest;
    // The block means carry the rounding of a few hundred additions at most; the
    // mean cannot lie outside the readings, whatever rounding says.
    result.mean = moments.mean;
    result.standardDeviation = std::sqrt(std::max(0.0, moments.m2) / moments.n);
    if (!std::isfinite(result.mean) || !std::isfinite(result.standardDeviation))
        scaledMoments(values, input.first, input.end, std::max(std::abs(lowest), std::abs(highest)), result.mean,
                      result.standardDeviation);
    result.mean = std::clamp(result.mean, lowest, highest);
    if (temperature) {
        if (belowAbsoluteZero) {
            result.meanKinetic = SeriesStatistics::kNone;
        } else {
            // ln(mean of exp(-c/T)) = top + ln(sum / n); MKT = c / -that.
            const double logMean = expSum.top + std::log(expSum.sum / moments.n);
            const double kelvin = c / -logMean;
            result.meanKinetic = std::clamp(scale.fromKelvin(kelvin), lowest, highest);
        }
    }
    return result;
}

} // namespace velmora
