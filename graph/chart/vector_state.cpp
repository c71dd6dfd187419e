#include "vector_state.h"

namespace velmora {

#if defined(__x86_64__) || defined(__i386__)

namespace {

__attribute__((target("avx"))) void zeroUpper() { __builtin_ia32_vzeroupper(); }

const bool kHasAvx = __builtin_cpu_supports("avx");

} // namespace

void clearUpperVectorState()
{
    if (kHasAvx)
        zeroUpper();
}

#else

void clearUpperVectorState() {}

#endif

} // namespace velmora
