#include "platform/core/TextCompare.h"

#include "platform/core/Utf8.h"

#include <algorithm>
#include <string>

namespace {

bool IsAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

} // namespace

int CompareText(std::string_view a, std::string_view b)
{
    if (IsAscii(a) && IsAscii(b)) {
        // The common case, without building folded copies; the same order as below.
        const size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n; ++i) {
            const char x = AsciiLower(a[i]), y = AsciiLower(b[i]);
            if (x != y)
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    const int c = Utf8ToLower(std::string(a)).compare(Utf8ToLower(std::string(b)));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() == b.size() && a == b)
        return true;
    return CompareText(a, b) == 0;
}

bool StartsText(std::string_view prefix, std::string_view text)
{
    if (IsAscii(prefix) && IsAscii(text)) {
        if (prefix.size() > text.size())
            return false;
        for (size_t i = 0; i < prefix.size(); ++i)
            if (AsciiLower(prefix[i]) != AsciiLower(text[i]))
                return false;
        return true;
    }
    const std::string p = Utf8ToLower(std::string(prefix));
    const std::string t = Utf8ToLower(std::string(text));
    return t.compare(0, p.size(), p) == 0;
}
