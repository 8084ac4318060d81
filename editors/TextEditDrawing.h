// The class-level drawing of the text editors: a cell that is not being edited painted
// exactly as the editor shows its value, or only measured. The pieces are separate so
// that hosts and tests can reach each of them.
#pragma once

#include "editors/TextEditViewData.h"
#include "platform/controls/ControlTypes.h"
#include "platform/core/Types.h"

#include <string>

class TCanvas;
using HDC = TCanvas*;

// The text a cell shows: the value as text, in the forced case, or one password
// character per character. Sets the view data's TextLength when it is unknown.
std::string TextEditDisplayText(TzqTextEditViewData& ViewData);
// Where the text goes inside the content rectangle `Rect`.
TRect TextEditTextRect(const TRect& Rect, const TzqTextEditViewData& ViewData);
// The edit window's formatting rectangle (EM_SETRECT) for its client rectangle: 1 pixel
// in on every side, the selection bar's 8 pixels more on the left, 1 pixel less on the
// right for right alignment, then the text offsets (left, top, right).
TRect TextEditFormatRect(const TRect& Client, bool SelectionBar, TAlignment Alignment, const TRect& TextOffsets);
// The DrawCellText flag word for the view data (without the measuring bit).
WORD TextEditDrawFlags(const TzqTextEditViewData& ViewData);
// Draws the cell's text into `Rect`, or with MeasureOnly fills the request's line count,
// line height and total height. A transparent view data is left alone in a window paint
// (the window shows it). Answers whether it drew or measured.
bool DrawTextEditContent(HDC DC, const TRect& Rect, bool IsWindowPaint, TzqTextEditViewData& ViewData);
