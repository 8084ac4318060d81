// DrawCellText: draws, or only measures, the text of one cell the way editors and the
// inspector show values: aligned in a text rectangle over a filled background
// rectangle, on one line or word-wrapped, with ellipses and a focus rectangle.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Types.h"

#include <string>

class TCanvas;
class TFont;
class TBrush;
using HDC = TCanvas*;

// The flag word.
enum : WORD {
    // Bits 0-1: horizontal alignment.
    CTF_LEFT = 0x0000,
    CTF_CENTER = 0x0001,
    CTF_RIGHT = 0x0002,
    // Bits 2-4: the line mode.
    CTF_TOP = 0x0000,       // one line at the top
    CTF_VCENTER = 0x0004,   // one line centred vertically
    CTF_BOTTOM = 0x0008,    // one line at the bottom
    CTF_WORDBREAK = 0x0010, // word-wrapped lines
    CTF_END_ELLIPSIS = 0x0100,
    CTF_PATH_ELLIPSIS = 0x0200,
    // A focus rectangle around the text rectangle, or around the text alone with
    // CTF_FOCUSTEXT.
    CTF_FOCUSRECT = 0x0400,
    CTF_FOCUSTEXT = 0x0800,
    // The background is left as it is.
    CTF_TRANSPARENT = 0x1000,
    // "&" underlines the next character ("&&" is one "&").
    CTF_PREFIX = 0x2000,
    // Nothing is drawn; the height the text needs is answered.
    CTF_MEASURE = 0x4000,
    // The text is drawn in the device context's background mode (else transparently).
    CTF_KEEPBKMODE = 0x8000,
};

// Draws Text (its first Count characters; -1 or any negative count: all of it) in
// TextRect over BackRect filled with Brush, in TextColor on BkColor and in Font (null:
// the device context's font). The device context's font and colours are as before
// afterwards.
//
// Answers the height the cell needs for the text: BackRect's margins above and below
// TextRect plus the height of the text. With CTF_MEASURE nothing is drawn; then, when
// Height is given, it receives the height of a line of the text, and an empty text
// answers 0 at once.
int DrawCellText(HDC DC, const std::string& Text, int Count, int* Height, TColor TextColor, TColor BkColor,
                 const TFont* Font, const TBrush* Brush, WORD Flags, const TRect& TextRect, const TRect& BackRect);
