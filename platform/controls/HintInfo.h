// What the application knows about a hint it is about to show; a control answering
// CM_HINTSHOW (LParam: THintInfo*) may change it, or cancel the hint with a non-zero
// result.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Types.h"

#include <string>

class TControl;

struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;          // screen point of the hint window's top-left corner
    int HintMaxWidth = 0;    // the text wraps at this width (0: the screen's)
    TColor HintColor = 0;
    TRect CursorRect;        // client coordinates of HintControl: the hint stays while the pointer is in it
    TPoint CursorPos;        // client coordinates of HintControl
    int ReshowTimeout = 0;   // ms after which the hint is asked for again (0: never)
    int HideTimeout = 0;     // ms the hint shows (0: until the pointer leaves)
    std::string HintStr;
};
