#include "envelope_spans.h"

#include <algorithm>

namespace velmora {

namespace {

// The column the line is in, on the device grid: its own two rows, widened by the
// half-steps to its neighbours, written out when the line moves on. Rows are whole
// numbers here; the grid's offset is added as a rectangle is written.
struct OpenColumn {
    long column = 0;
    long first = 0; // rows of its two points, in the line's order
    long second = 0;
    long lo = 0;
    long hi = 0;
    double y1 = 0.0; // its two points before the grid: one point when they are equal
    double y2 = 0.0;
};

// floor(y) for the pixel y of a trace, which lies within ±kTracePixelLimit.
long rowOf(double y)
{
    const long truncated = static_cast<long>(y);
    return truncated - (y < static_cast<double>(truncated) ? 1 : 0);
}

// round(d / 2), halves away from zero, as std::round has it. Without a branch: the
// sign of a step between two columns is as good as random.
long halfStep(long d)
{
    const long sign = d >> (sizeof(long) * 8 - 1); // 0 or -1
    const long size = ((d ^ sign) - sign + 1) >> 1;
    return (size ^ sign) - sign;
}

class SpanBuilder {
public:
    SpanBuilder(int deviceWidth, EnvelopeSpans& out)
        : half_(gridOffset(deviceWidth)), halfWidth_(deviceWidth / 2.0), out_(out)
    {
    }

    // False when the line would join columns that are not neighbours.
    bool add(long column, bool joined, double y1, double y2)
    {
        OpenColumn next;
        next.column = column;
        next.first = rowOf(y1);
        next.second = rowOf(y2);
        next.lo = std::min(next.first, next.second);
        next.hi = std::max(next.first, next.second);
        next.y1 = y1;
        next.y2 = y2;
        if (isOpen_ && joined) {
            if (column != open_.column + 1)
                return false;
            // A step between neighbouring columns splits at its middle row, each half
            // joining its own column (as columnSpans splits it). A level step's middle
            // is its row, which both columns hold already.
            const long middle = open_.second + halfStep(next.first - open_.second);
            widen(open_, middle);
            widen(next, middle);
            emit(open_);
            runColumns_ += 1;
        } else {
            finishRun();
        }
        open_ = next;
        isOpen_ = true;
        return true;
    }

    void finishRun()
    {
        if (!isOpen_)
            return;
        if (runColumns_ == 0 && open_.y1 == open_.y2)
            out_.dots.push_back({out_.rects.size(), TracePoint{static_cast<double>(open_.column), open_.y1}});
        else
            emit(open_);
        isOpen_ = false;
        runColumns_ = 0;
    }

private:
    static void widen(OpenColumn& c, long row)
    {
        c.lo = std::min(c.lo, row);
        c.hi = std::max(c.hi, row);
    }
    void emit(const OpenColumn& c)
    {
        const double x = static_cast<double>(c.column) + half_;
        out_.rects.push_back({x - halfWidth_, static_cast<double>(c.lo) + half_ - halfWidth_, x + halfWidth_,
                              static_cast<double>(c.hi) + half_ + halfWidth_});
    }

    double half_;
    double halfWidth_;
    EnvelopeSpans& out_;
    OpenColumn open_;
    bool isOpen_ = false;
    int runColumns_ = 0; // columns of the current run already written out
};

} // namespace

bool envelopeSpans(const ColumnEnvelope& envelope, const TraceMapping& map, int deviceWidth, EnvelopeSpans& out)
{
    out.clear();
    SpanBuilder spans(deviceWidth, out);
    bool neighbours = true;
    walkColumns(envelope, map, [&](long column, bool joined, double y1, double y2) {
        neighbours = neighbours && spans.add(column, joined, y1, y2);
    });
    spans.finishRun();
    return neighbours;
}

} // namespace velmora
