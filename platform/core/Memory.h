// Memory given back to the system.
#pragma once

#include <cstddef>

// Returns the free memory the allocator still holds to the system, after a large piece
// of work (loading a big table) has freed its temporaries: without it the freed blocks
// stay counted against the program, scattered between the blocks that live on.
// Does nothing where the allocator offers no such call.
void ReleaseFreeMemory();
