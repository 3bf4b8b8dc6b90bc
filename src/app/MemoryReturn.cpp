#include "MemoryReturn.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace MemoryReturn {

void configure()
{
#if defined(__GLIBC__)
    // glibc's default, fixed: buffers of 128 KiB and more get mappings of their own.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // Each thread that allocates gets a heap of its own, up to eight per core; a few keep
    // fewer pages idle between them.
    mallopt(M_ARENA_MAX, 2);
#endif
}

void giveBack()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace MemoryReturn
