#include "platform/core/Memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void ReleaseFreeMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void KeepLargeBlocksMapped()
{
#if defined(__GLIBC__)
    // Setting the limit also stops the allocator from moving it.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
