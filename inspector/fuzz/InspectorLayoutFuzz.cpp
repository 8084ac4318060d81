// The layout stream reader with any bytes: it must stop cleanly at the first bad record,
// and what it kept must write back to a stream that reads again to the same records.
#include "inspector/InspectorLayoutData.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TzqInspectorLayoutData read = ReadInspectorLayout(data, size);
    TzqInspectorLayoutData kept = read;
    if (!kept.HasExpandedSection)
        kept.Expanded.clear();
    const std::vector<uint8_t> written = WriteInspectorLayout(kept);
    const TzqInspectorLayoutData again = ReadInspectorLayout(written);
    if (!again.Complete || again.Nodes.size() != kept.Nodes.size() || again.Expanded != kept.Expanded)
        std::abort();
    for (size_t i = 0; i < kept.Nodes.size(); ++i)
        if (again.Nodes[i].Name != kept.Nodes[i].Name || again.Nodes[i].ChildCount != kept.Nodes[i].ChildCount)
            std::abort();
    return 0;
}
