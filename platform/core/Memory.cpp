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
