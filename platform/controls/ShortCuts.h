// Keyboard shortcuts: a virtual key with Shift, Ctrl and Alt bits in one word, their
// text as menus show it ("Ctrl+Shift+F4", "Alt+X") and that text read back.
#pragma once

#include "platform/controls/ControlTypes.h"

#include <string>

using TShortCut = WORD;

// Plain constants rather than an enumeration: they are or-ed with virtual-key codes.
inline constexpr TShortCut scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

// The shortcut of a key (0 for keys past 0xFF) with the Shift, Ctrl and Alt of Shift.
TShortCut ShortCut(WORD Key, TShiftState Shift);
// Splits a shortcut into its key and its shift keys.
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+Shift+Alt+" in that order before the key's name: letters and digits as
// themselves, F1 to F12, BkSp, Tab, Enter, Esc, Space, PgUp, PgDn, End, Home, Left, Up,
// Right, Down, Ins, Del, punctuation as typed on a US keyboard, "Num 0" to "Num 9" and
// "Num *", "Num +", "Num -", "Num .", "Num /" for the keypad. Empty for 0 or a key
// without a name.
std::string ShortCutToText(TShortCut ShortCut);
// The shortcut a text names, ignoring case and blanks around the parts ("ctrl + del"
// is Ctrl+Del); besides the names above it takes Shift, Ctrl, Control and Alt in any
// order and the long names Backspace, Escape, Return, PageUp, PageDown, Insert and
// Delete. 0 when the text does not name exactly one key.
TShortCut TextToShortCut(const std::string& Text);
