// Comparing texts without regard to case, through the one case folding (Utf8ToLower).
#pragma once

#include <string_view>

// <0, 0 or >0 as the folded texts compare byte by byte.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// True when `text` begins with `prefix`, ignoring case.
bool StartsText(std::string_view prefix, std::string_view text);
