#pragma once
// Qt's raster engine can leave the upper halves of the processor's AVX registers in
// use after drawing. Until they are cleared, each plain SSE instruction that follows
// waits on them (it merges into the full register), and the chart's own arithmetic
// and pixel writes for a series are all such instructions: measured, a fifth of a
// twenty-file overlay frame. Clearing them costs a few cycles; on a processor without
// AVX it does nothing.
namespace velmora {

void clearUpperVectorState();

} // namespace velmora
