// The user scaling of the voltage and current loggers: two input points and the
// values shown for them give a gain and an offset; the span of the shown range
// gives the step and decimals values are printed with.
//
// Float or double: the four points are held as 32-bit floats (the rule compares them
// as floats, so two texts that differ only past float precision count as equal), and
// the derived gain, offset and step are stored in the record's 32-bit float fields.
// The gain and offset are worked out in double on those float values, so the only
// rounding is the final store; a result a float cannot hold is a range error, not an
// infinity. The full-scale input and the value shown for it are computed in floats,
// as every reading is (reading_rules.cpp).
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "conversions.h"
#include "reading_rules.h"
#include "type_catalogue.h"

namespace velmora {

namespace {

// A decimal number in the "C" locale whatever the user's locale. `strict` demands
// that the whole text (blanks aside) is the number; otherwise a leading number is
// taken and a text without one reads as 0, as factory texts always have.
std::optional<double> parseNumber(const std::string& text, bool strict)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    while (end > p && std::isspace(static_cast<unsigned char>(end[-1])))
        --end;
    if (p < end && *p == '+')
        ++p;
    double value = 0;
    const auto [stop, ec] = std::from_chars(p, end, value, std::chars_format::general);
    const bool ok = ec == std::errc() && std::isfinite(value);
    if (strict)
        return ok && stop == end ? std::optional<double>(value) : std::nullopt;
    return ok ? value : 0.0;
}

bool fitsFloat(double v) { return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max(); }

struct StepRow {
    double step;
    int decimals;
};

constexpr std::array<StepRow, 21> kSteps{{{0.001, 3}, {0.002, 3}, {0.0025, 4}, {0.005, 3}, {0.01, 2}, {0.02, 2},
                                          {0.025, 3}, {0.05, 2},  {0.1, 1},    {0.2, 1},   {0.25, 2}, {0.5, 1},
                                          {1, 0},     {2, 0},     {2.5, 1},    {5, 0},     {10, 0},   {20, 0},
                                          {25, 0},    {50, 0},    {100, 0}}};

// The value shown for full-scale input, in floats as the reading of code 65472 is.
double fullScaleValue(const LoggerRecord& r) { return fullScaleInput(r.config) * r.scaleGain + r.scaleOffset; }

void setFalling(LoggerRecord& r, bool falling)
{
    r.scaleRising = !falling;
    r.config.setMode(mode::kScaleFalling, falling);
}

// Two input points and the values shown for them.
struct Points {
    double in1, out1, in2, out2;
};

// The user's points from the scaling texts, checked in the order the errors are
// reported; kNone and `points` set, or the error code.
int readUserPoints(const LoggerConfig& c, Points& points)
{
    float in1, out1, in2, out2;
    struct Point {
        TextSlot slot;
        int emptyError;
        float* value;
    };
    const Point texts[] = {{TextSlot::ScaleOut1, scaleerr::kEmptyOut1, &out1},
                           {TextSlot::ScaleIn1, scaleerr::kEmptyIn1, &in1},
                           {TextSlot::ScaleOut2, scaleerr::kEmptyOut2, &out2},
                           {TextSlot::ScaleIn2, scaleerr::kEmptyIn2, &in2}};
    for (const Point& p : texts) {
        // An empty text and one that is no number get the same "enter a valid
        // number" code, so nothing unreadable silently scales as 0.
        const std::optional<double> v = parseNumber(c.text(p.slot), true);
        if (!v || !fitsFloat(*v))
            return p.emptyError;
        *p.value = static_cast<float>(*v);
    }
    // Compared as the floats they are held in.
    if (in2 == in1)
        return scaleerr::kInputsEqual;
    if (out1 == out2)
        return scaleerr::kOutputsEqual;
    points = {in1, out1, in2, out2};
    return scaleerr::kNone;
}

// The factory points, read without checks: a text without a number reads as 0.
Points factoryPoints(const LoggerConfig& c)
{
    const auto factory = [&](TextSlot s) {
        const double v = *parseNumber(c.text(s), false);
        return static_cast<double>(fitsFloat(v) ? static_cast<float>(v) : 0.0f);
    };
    return {factory(TextSlot::DefaultIn1), factory(TextSlot::DefaultOut1), factory(TextSlot::DefaultIn2),
            factory(TextSlot::DefaultOut2)};
}

// The user's input points must lie within the logger's input range 0..full, both
// held as 32-bit floats: the top of the range the logger states ("0.00 - 30.00"),
// which the user is shown, is then a point the user can give.
int checkInputRange(const Points& p, double top)
{
    return p.in1 > top   ? scaleerr::kIn1AboveFull
           : p.in1 < 0   ? scaleerr::kIn1Negative
           : p.in2 > top ? scaleerr::kIn2AboveFull
           : p.in2 < 0   ? scaleerr::kIn2Negative
                         : scaleerr::kNone;
}

// The first step of the table wider than a 1023rd of the shown span, or the last.
StepRow stepFor(double span)
{
    const double width = span / 1023.0;
    for (const StepRow& row : kSteps)
        if (row.step > width)
            return row;
    return kSteps.back();
}

} // namespace

void computeScaling(LoggerRecord& r)
{
    r.scaleError = scaleerr::kNone;
    r.resetScaling();
    if (!isScaled(r.type()))
        return;
    // The falling bit follows the reset rising scale until a scaling is in force.
    setFalling(r, false);

    // On any error the reset values stay in force.
    const bool user = r.config.inputOptions() != 0;
    Points p{};
    if (user) {
        if (const int error = readUserPoints(r.config, p); error != scaleerr::kNone) {
            r.scaleError = error;
            return;
        }
    } else {
        p = factoryPoints(r.config);
    }

    const double gain = (p.out1 - p.out2) / (p.in1 - p.in2);
    const double offset = (p.out2 * p.in1 - p.out1 * p.in2) / (p.in1 - p.in2);
    if (!fitsFloat(gain) || !fitsFloat(offset)) {
        r.scaleError = scaleerr::kRange;
        return;
    }

    const double full = fullScaleInput(r.config);
    if (user) {
        if (const int error = checkInputRange(p, full); error != scaleerr::kNone) {
            r.scaleError = error;
            return;
        }
    }

    r.scaleGain = static_cast<float>(gain);
    r.scaleOffset = static_cast<float>(offset);
    double top = fullScaleValue(r);
    double bottom = r.scaleOffset;
    const bool falling = top < bottom;
    setFalling(r, falling);
    if (falling)
        std::swap(top, bottom);

    const StepRow chosen = stepFor(top - bottom);
    r.displayStep = static_cast<float>(chosen.step);
    r.displayDecimals = chosen.decimals;
}

void scaledRange(const LoggerRecord& r, double& upper, double& lower)
{
    const double a = fullScaleValue(r);
    const double b = r.scaleOffset;
    upper = r.scaleRising ? a : b;
    lower = r.scaleRising ? b : a;
    const double power = std::pow(10.0, r.displayDecimals);
    if (r.displayDecimals != 0) {
        upper *= power;
        lower *= power;
    }
    // The zero end is rounded; the full-scale end is pulled inward to whole steps.
    if (r.scaleRising) {
        lower = std::round(lower);
        if (upper < 0)
            upper -= 1;
        upper = std::trunc(upper);
    } else {
        upper = std::round(upper);
        if (lower > 0)
            lower += 1;
        lower = std::trunc(lower);
    }
    if (r.displayDecimals != 0) {
        upper /= power;
        lower /= power;
    }
}

void restoreDefaults(LoggerRecord& r)
{
    LoggerConfig& c = r.config;
    c.setText(TextSlot::Units, c.text(TextSlot::DefaultUnits));
    c.setText(TextSlot::ScaleIn1, c.text(TextSlot::DefaultIn1));
    c.setText(TextSlot::ScaleOut1, c.text(TextSlot::DefaultOut1));
    c.setText(TextSlot::ScaleIn2, c.text(TextSlot::DefaultIn2));
    c.setText(TextSlot::ScaleOut2, c.text(TextSlot::DefaultOut2));
    computeScaling(r);
}

void refreshDerivedValues(LoggerRecord& r)
{
    // computeScaling resets first and leaves the reset values for every other type.
    computeScaling(r);
}

} // namespace velmora
