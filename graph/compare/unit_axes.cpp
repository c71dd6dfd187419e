#include "unit_axes.h"

#include "graph_data.h"
#include "graph_strings.h"
#include "text_encoding.h"

namespace velmora {

namespace {

std::string unitText(const std::optional<std::string>& unit)
{
    if (!unit || unit->empty())
        return std::string(graphtext::kNoUnit);
    return cp1252ToUtf8(*unit);
}

void fill(std::string& text, std::string_view mark, const std::string& value)
{
    if (const std::size_t at = text.find(mark); at != std::string::npos)
        text.replace(at, mark.size(), value);
}

} // namespace

std::optional<AxisSide> UnitAxes::place(const std::string& unit)
{
    if (!left_ || *left_ == unit) {
        left_ = unit;
        return AxisSide::Left;
    }
    if (!right_ || *right_ == unit) {
        right_ = unit;
        return AxisSide::Right;
    }
    return std::nullopt;
}

void UnitAxes::reserveRight(const std::string& unit)
{
    if (!right_ && (!left_ || *left_ != unit))
        right_ = unit;
}

std::string UnitAxes::refusal(const std::string& path, const std::string& unit) const
{
    std::string text(graphtext::kUnitFitsNoAxis);
    // The path last: it may hold a mark of its own.
    fill(text, "%2", unitText(unit));
    fill(text, "%3", unitText(left_));
    fill(text, "%4", unitText(right_));
    fill(text, "%1", path);
    return text;
}

AxisPlan planAxes(const std::vector<std::string>& units, const std::vector<std::string>& paths)
{
    AxisPlan plan;
    UnitAxes axes;
    for (std::size_t f = 0; f < units.size(); ++f) {
        const std::optional<AxisSide> axis = axes.place(units[f]);
        if (!axis) {
            plan.refused = f;
            plan.message = axes.refusal(f < paths.size() ? paths[f] : std::string(), units[f]);
            return plan;
        }
        plan.axes.push_back(*axis);
    }
    return plan;
}

AxisPlan planChartAxes(const std::vector<const GraphData*>& files, const std::vector<std::string>& paths)
{
    AxisPlan plan;
    UnitAxes axes;
    for (std::size_t f = 0; f < files.size(); ++f) {
        const std::optional<AxisSide> axis = axes.place(files[f]->channel1.unit);
        if (!axis) {
            plan.refused = f;
            plan.message = axes.refusal(f < paths.size() ? paths[f] : std::string(), files[f]->channel1.unit);
            return plan;
        }
        plan.axes.push_back(*axis);
        if (f == 0 && files[f]->channel2.present)
            axes.reserveRight(files[f]->channel2.unit);
    }
    return plan;
}

} // namespace velmora
