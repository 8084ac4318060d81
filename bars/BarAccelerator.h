// Accelerators: the character after the last "&" of a caption that is not part of a
// "&&" pair (a literal ampersand), and whether a key press matches it.
#pragma once

#include "platform/controls/ControlTypes.h"

#include <string>

// 0 when the caption has none.
char32_t AcceleratorOf(const std::string& Caption);
// An upper-case accelerator ignores Shift; a digit matches its key without Shift or
// Ctrl; any other character matches the key and shift keys the keyboard types it with.
// Alt is never looked at, neither in the request nor in what the keyboard needs.
bool AcceleratorMatches(char32_t Accelerator, WORD Key, TShiftState Shift);
// The caption without accelerator marks: "&&" becomes "&", a single "&" goes.
std::string StripAccelerators(const std::string& Caption);
