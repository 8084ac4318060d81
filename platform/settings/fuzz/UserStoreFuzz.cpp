// The user store's reader on any bytes: it refuses or reads, never crashes or hangs, and
// what it reads is written back in a form that reads back the same.
#include "platform/settings/UserStore_p.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TUserStore::Key root;
    std::string error;
    if (!userstore::Parse(text, root, error)) {
        if (error.empty())
            std::abort(); // a refusal always says why
        return 0;
    }
    const std::string written = userstore::Serialize(root);
    TUserStore::Key again;
    if (!userstore::Parse(written, again, error) || userstore::Serialize(again) != written)
        std::abort();
    return 0;
}
