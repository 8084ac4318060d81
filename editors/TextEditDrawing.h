// The class-level drawing of the text editors: a cell that is not being edited painted
// exactly as the editor shows its value, or only measured. The pieces are separate so
// that hosts and tests can reach each of them.
#pragma once

#include "editors/TextEditViewData.h"
#include "platform/core/Types.h"

#include <string>

class TCanvas;
using HDC = TCanvas*;

// The text a cell shows: the value as text, in the forced case, or one password
// character per character. Sets the view data's TextLength when it is unknown.
std::string TextEditDisplayText(TzqTextEditViewData& ViewData);
// Where the text goes inside the content rectangle `Rect`.
TRect TextEditTextRect(const TRect& Rect, const TzqTextEditViewData& ViewData);
// The DrawCellText flag word for the view data (without the measuring bit).
WORD TextEditDrawFlags(const TzqTextEditViewData& ViewData);
// Draws the cell's text into `Rect`, or with MeasureOnly fills the request's line count,
// line height and total height. A transparent view data is left alone in a window paint
// (the window shows it). Answers whether it drew or measured.
bool DrawTextEditContent(HDC DC, const TRect& Rect, bool IsWindowPaint, TzqTextEditViewData& ViewData);
