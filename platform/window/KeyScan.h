// The keyboard's character map: which key, with which shift keys, types a character.
#pragma once

#include "platform/window/WindowTypes.h"

// Shift bits of VkKeyScan's high byte.
inline constexpr int16_t KEYSCAN_SHIFT = 0x100, KEYSCAN_CTRL = 0x200, KEYSCAN_ALT = 0x400;

// The virtual key (low byte) and the shift keys (high byte: KEYSCAN_*) that type the
// character, or -1 when no key types it. The back end may answer for the current
// keyboard layout; otherwise the US layout answers.
int16_t VkKeyScan(char32_t ch);
// The US layout alone.
int16_t VkKeyScanUS(char32_t ch);
