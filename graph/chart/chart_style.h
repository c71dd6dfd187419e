#pragma once
// How a chart draws a series or a line: pattern, colour, width and point markers.
#include <QColor>
#include <QPen>

namespace velmora {

enum class LinePattern {
    None, // no line, only point markers
    Solid,
    LongDash,
    Dotted,
    ShortDash,
    LongShortLongDash,
    DashDot,
};

enum class PointStyle {
    None,
    Dot,
    Box,
    Triangle,
    Diamond,
    Star,
    Cross,
    Circle,
};

struct LineStyle {
    LinePattern pattern = LinePattern::Solid;
    QColor colour = Qt::black;
    int width = 1;

    bool operator==(const LineStyle&) const = default;
};

struct SeriesStyle {
    LinePattern pattern = LinePattern::Solid;
    QColor lineColour = Qt::black;
    int lineWidth = 1;
    PointStyle pointStyle = PointStyle::None;
    QColor pointColour = Qt::black;
    int pointSize = 5; // pixels across

    LineStyle line() const { return {pattern, lineColour, lineWidth}; }
    bool operator==(const SeriesStyle&) const = default;
};

// The pen of a line style; dash lengths stay the same in pixels whatever the width.
QPen penFor(const LineStyle& style);

} // namespace velmora
