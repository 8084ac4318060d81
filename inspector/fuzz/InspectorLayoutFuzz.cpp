// The layout stream reader with any bytes: it must stop cleanly at the first bad record
// and never keep more records than the bytes can hold; a stream it read whole must
// write back to a stream that reads again to the same records.
#include "inspector/InspectorLayoutData.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TzqInspectorLayoutData read = ReadInspectorLayout(data, size);
    // Every record takes at least 12 bytes after the 8 of the total size and the count.
    if ((read.Nodes.size() + read.Expanded.size()) * 12 > size)
        std::abort();
    if (!read.Complete)
        return 0;
    const TzqInspectorLayoutData again = ReadInspectorLayout(WriteInspectorLayout(read));
    if (!again.Complete || again.Nodes.size() != read.Nodes.size() || again.Expanded != read.Expanded)
        std::abort();
    for (size_t i = 0; i < read.Nodes.size(); ++i)
        if (again.Nodes[i].Name != read.Nodes[i].Name || again.Nodes[i].ChildCount != read.Nodes[i].ChildCount)
            std::abort();
    return 0;
}
