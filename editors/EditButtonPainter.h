// The buttons editors draw in their border area: the button face in each resolved
// button style (3D, flat, simple, hot-flat), and the symbols on it (the drop-down
// triangle, the ellipsis, a glyph, the spin arrows), drawn twice, embossed, when the
// editor is disabled.
#pragma once

#include "editors/DropDownEditViewData.h"
#include "editors/EditStyleTypes.h"
#include "platform/core/Color.h"
#include "platform/core/Types.h"

class TCanvas;
using HDC = TCanvas*;

enum class TzqButtonSymbol : uint8_t { bsDownArrow, bsUpArrow, bsEllipsis, bsGlyph };

struct TzqEditButtonLook {
    TzqEditButtonViewStyle Style = TzqEditButtonViewStyle::bts3D;
    bool Pressed = false;
    bool Hot = false;
    bool Enabled = true;
    // The frame colour of simple buttons (the editor's border colour).
    TColor BorderColor = clWindowFrame;
    // The separator line of flat buttons lies on this side (a button right of the text
    // has it at its left).
    bool SeparatorLeft = true;
};

// Draws the face of a button in Rect and answers the rectangle its symbol goes in
// (moved one pixel right and down when a 3D, flat or simple button is pressed), and
// the colour the symbol takes.
TRect DrawEditButtonFace(HDC DC, TRect Rect, const TzqEditButtonLook& Look, TColor& SymbolColor);

// Draws a symbol centred in Rect (disabled: embossed, highlight offset by one pixel
// under the shadow colour). The arrows and the ellipsis are sized by the width of the
// whole button (0: Rect's width).
void DrawEditButtonSymbol(HDC DC, const TRect& Rect, TzqButtonSymbol Symbol, TColor Color, bool Enabled,
                          TzqEditButtonViewStyle Style, TBitmap* Glyph = nullptr, int ButtonWidth = 0);

// A whole button: face and symbol.
void DrawEditButton(HDC DC, const TRect& Rect, const TzqEditButtonLook& Look, TzqButtonSymbol Symbol,
                    TBitmap* Glyph = nullptr);

// The triangle's width for a button of that width: half of it, made odd (at least 1).
int ArrowWidthFor(int ButtonWidth);
