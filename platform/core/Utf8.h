// UTF-8 helpers: strings are UTF-8 everywhere; editing and field sizes count code points.
#pragma once

#include <string>

std::u32string Utf8ToUtf32(const std::string& s);
std::string Utf32ToUtf8(const std::u32string& s);
std::string Utf32ToUtf8(char32_t ch);
// Number of code points.
size_t Utf8Length(const std::string& s);
// The first `count` code points.
std::string Utf8Left(const std::string& s, size_t count);
// Case mapping of one code point (Latin, Greek, Cyrillic and the common ranges).
char32_t ToUpperChar(char32_t ch);
char32_t ToLowerChar(char32_t ch);
// Whole texts; malformed bytes stay as they are. Utf8ToLower is the one case folding of
// the system: every comparison that ignores case goes through it (TextCompare.h).
std::string Utf8ToUpper(const std::string& s);
std::string Utf8ToLower(const std::string& s);
