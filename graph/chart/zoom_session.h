#pragma once
// The zoom stack and the mouse rules of the zoom box: press starts a box at the
// nearest reading, moves drag its corner inside the plot, release completes it
// (ordered, snapped outwards to the value step, limited to the full view, dropped when
// narrower than 2 seconds). Zoom out pops one level. Plain C++: the chart view feeds
// it pixels and carries out the actions it returns, tests feed it a model chart.
#include <array>
#include <optional>

#include "zoom_level.h"

namespace velmora {

// What the session asks of the chart.
class ZoomChart {
public:
    virtual ~ZoomChart() = default;
    virtual PixelRect plotRect() const = 0;
    // The X (seconds on the axis) nearest p of the steps of `interval` that run through
    // the first file's first reading. With one file, its readings; with several, the
    // view snaps to whole seconds, since the files keep no common grid.
    virtual std::int64_t pickX(PixelPoint p, std::int64_t interval) const = 0;
    virtual double mapY(PixelPoint p) const = 0;  // value on the left axis at p
    virtual double mapY2(PixelPoint p) const = 0; // value on the right axis at p
    virtual ZoomLevel shownRanges() const = 0;    // the X, Y and Y2 ranges now in force
};

// What the view has to do after an event.
struct ZoomAction {
    bool applyLevel = false;     // show level() (the stack's current entry)
    bool maximumReached = false; // beep and put up the maximum-zoom footer
    bool clearFooter = false;    // take the maximum-zoom footer down
    bool hideMarker = false;     // hide the vertical marker line
    bool bandChanged = false;    // the rubber band appeared, moved or went away
};

class ZoomSession {
public:
    static constexpr int kLevels = 24;

    struct Band {
        PixelPoint start;
        PixelPoint corner;
    };

    // A new document: level 0 shows X 0..xMax and the given zero-including ranges;
    // any box in progress and the maximum-zoom flag are forgotten.
    void bind(const ZoomLevel& full);

    ZoomAction press(PixelPoint p, const ZoomChart& chart, std::int64_t interval);
    ZoomAction move(PixelPoint p, bool leftDown, const ZoomChart& chart);
    ZoomAction release(PixelPoint p, bool leftStillDown, const ZoomChart& chart, std::int64_t interval, double step);
    ZoomAction zoomOut();
    ZoomAction doubleClick(); // zooms out and swallows the release that follows
    // Ctrl+wheel: one level in, the ranges shown halved around the pointer (see
    // zoomBoxAround), within the same stack and limits as a box.
    ZoomAction zoomInAround(PixelPoint p, const ZoomChart& chart, std::int64_t interval, double step);

    // One level in showing X from xMin to xMax (within the full view) with the values
    // as now shown: a view opened on a time range. Nothing when that is the full view,
    // narrower than 2 seconds, or no level is left.
    ZoomAction zoomToX(std::int64_t xMin, std::int64_t xMax, const ZoomChart& chart);

    int level() const { return level_; }
    const ZoomLevel& entry(int n) const { return stack_.at(static_cast<std::size_t>(n)); }
    const ZoomLevel& current() const { return entry(level_); }
    const ZoomLevel& full() const { return stack_[0]; }
    bool maximumReached() const { return maximumReached_; }
    bool skipRelease() const { return skipRelease_; }
    const std::optional<Band>& band() const { return band_; }

    // Whether a mouse move should update the pointer readout (the left button is up,
    // or the maximum-zoom footer stands and no box can be drawn anyway).
    bool readoutOnMove(bool leftDown) const { return !leftDown || maximumReached_; }

private:
    // At level 0 the automatic bounds may have moved since binding (a trace was hidden).
    void readBackFullView(const ZoomChart& chart);
    // True (and the maximum-zoom flag set) when no level is left to zoom into.
    bool atMaximum(ZoomAction& action);

    std::array<ZoomLevel, kLevels> stack_{};
    int level_ = 0;
    std::optional<Band> band_;
    bool maximumReached_ = false;
    bool skipRelease_ = false;
};

// The corner of a box being dragged: x within the plot's left and right edges, y one
// pixel inside its top and bottom edges.
PixelPoint clampBandCorner(PixelPoint p, const PixelRect& plot);

// Completes a box whose entry holds the press's X minimum, Y minimum and Y2 minimum:
// `cornerX` is the X picked at the corner, `cornerY`/`cornerY2` the values there. None
// when the box is narrower than 2 seconds.
std::optional<ZoomLevel> completeZoomBox(ZoomLevel box, std::int64_t cornerX, double cornerY, double cornerY2,
                                         const ZoomLevel& full, std::int64_t interval, double step);

// The box Ctrl+wheel zooms to from the ranges `shown`: each halved around the pointer,
// picked at X `centre`, whose values are `y` and `y2`, then completed as
// a drawn box is (whole readings, snapped outwards, within the full view). None when the
// box would be narrower than 2 seconds or no smaller than what is shown.
std::optional<ZoomLevel> zoomBoxAround(const ZoomLevel& shown, std::int64_t centre, double y, double y2,
                                       const ZoomLevel& full, std::int64_t interval, double step);

} // namespace velmora
