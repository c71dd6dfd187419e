#pragma once
// A condensed series drawn at one device pixel a logical pixel, straight from its
// column envelope to filled pixel rectangles: the pixels columnSpans covers for the
// series' trace once on the device grid, without the trace's points in between. A
// twenty-file overlay draws twenty such series a frame; making their points, moving
// them onto the grid and splitting them into spans again cost more than filling.
// Plain C++.
#include <cstddef>
#include <utility>
#include <vector>

#include "column_envelope.h"
#include "column_spans.h"

namespace velmora {

struct EnvelopeSpans {
    std::vector<PixelRect> rects;
    // A stretch of the line that is a single point (a reading with gaps on both sides)
    // is a dot, drawn in its turn: after rects[0..first) and before the rest.
    std::vector<std::pair<std::size_t, TracePoint>> dots;

    void clear()
    {
        rects.clear();
        dots.clear();
    }
};

// `deviceWidth`: the pen's width in device pixels. False, with `out` unfinished, when
// two columns the line joins are not neighbours: such a series is drawn from its trace.
bool envelopeSpans(const ColumnEnvelope& envelope, const TraceMapping& map, int deviceWidth, EnvelopeSpans& out);

} // namespace velmora
