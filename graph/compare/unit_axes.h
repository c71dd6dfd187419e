#pragma once
// Which value axis a file goes on when several share a chart: the first file's first
// channel decides the left axis's unit, the first file with another unit the right
// one's. A file whose unit is neither is refused, with a message naming it.
#include <optional>
#include <string>
#include <vector>

namespace velmora {

enum class AxisSide { Left, Right };

class UnitAxes {
public:
    // The axis for a file of first-channel unit `unit` (Windows-1252), taking the
    // right axis for it when that is still free; none when both are taken by others.
    std::optional<AxisSide> place(const std::string& unit);
    // Keeps the right axis for `unit` where it is still free and not the left one's
    // (the first file's second channel is drawn there).
    void reserveRight(const std::string& unit);

    const std::optional<std::string>& left() const { return left_; }
    const std::optional<std::string>& right() const { return right_; }

    // The message for a file `path` (UTF-8) of unit `unit` that place() refused.
    std::string refusal(const std::string& path, const std::string& unit) const;

private:
    std::optional<std::string> left_;
    std::optional<std::string> right_;
};

struct AxisPlan {
    std::vector<AxisSide> axes;         // one for each file, in order
    std::optional<std::size_t> refused; // the first file that fits neither axis
    std::string message;                // why, naming it
};

// Places the files of first-channel units `units` in order; `paths` (UTF-8) name them.
AxisPlan planAxes(const std::vector<std::string>& units, const std::vector<std::string>& paths);

struct GraphData;

// The files on one chart placed as the viewer places them: each file's first channel
// by its unit, and the first file's second channel keeping the right axis for its own
// unit. `paths` (UTF-8) name the files for the refusal.
AxisPlan planChartAxes(const std::vector<const GraphData*>& files, const std::vector<std::string>& paths);

} // namespace velmora
