// Memory given back to the system.
#pragma once

#include <cstddef>

// Returns the free memory the allocator still holds to the system, after a large piece
// of work (loading a big table) has freed its temporaries: without it the freed blocks
// stay counted against the program, scattered between the blocks that live on.
// Does nothing where the allocator offers no such call.
void ReleaseFreeMemory();

// Makes every large allocation (128 KiB and more) a mapping of its own, given back to
// the system the moment it is freed, instead of letting the allocator raise that limit
// as large blocks come and go. With the limit raised, the large temporaries of a big
// load land in the heap between blocks that live on, and once freed they leave holes
// that stay counted against the program. Called once when the application starts.
// Does nothing where the allocator offers no such setting.
void KeepLargeBlocksMapped();
