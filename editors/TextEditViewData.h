// TzqTextEditViewData: what the text editor's class-level drawing needs beyond the base
// view data: the forced case, the password character and the selection bar, and the
// fields of a measuring request, through which a host asks how high a cell's text is
// instead of drawing it.
#pragma once

#include "editors/EditViewData.h"
#include "platform/controls/EditBuffer.h"

#include <cstdint>

class TzqTextEditViewData : public TzqEditViewData {
public:
    TEditCharCase CharCase = TEditCharCase::ecNormal;
    // Shown instead of every character; 0: none.
    char32_t PasswordChar = 0;
    // An 8-pixel selection margin at the left.
    bool SelectionBar = false;
    // The text's length in characters; -1 until the drawing computes it.
    int32_t TextLength = -1;

    // A measuring request: with MeasureOnly nothing is drawn and the outputs are set.
    bool MeasureOnly = false;
    int32_t LineCount = 0;
    int32_t LineHeight = 0;
    int32_t TotalHeight = 0;

    // For hosts that paint without the 2-pixel in-place frame.
    bool OneBorder = false;
    bool EndEllipsis = false;
    // A focused cell asks for a focus rectangle around its text.
    bool FocusRect = false;
};
