#include "vector_state.h"

namespace velmora {

#if defined(__x86_64__) || defined(__i386__)

namespace {

__attribute__((target("avx"))) void zeroUpper() { __builtin_ia32_vzeroupper(); }

bool hasAvx()
{
    // Asked once, after the processor's features have certainly been read: a static
    // initialiser of ours could run before the runtime's own.
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx"));
    return has;
}

} // namespace

void clearUpperVectorState()
{
    if (hasAvx())
        zeroUpper();
}

#else

void clearUpperVectorState() {}

#endif

} // namespace velmora
