// TzqInspectorCellViewData: what a row needs to paint its value cell. The inspector
// fills one object for each value cell it paints and reuses it.
#pragma once

#include "platform/controls/ControlTypes.h"
#include "platform/controls/Label.h"
#include "platform/core/Color.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <string>

class TBrush;
class TFont;
class TzqInspectorNode;

class TzqInspectorCellViewData {
public:
    const TBrush* Brush = nullptr;
    const TFont* Font = nullptr;
    TColor BkColor = 0;
    TColor FontColor = 0;
    TAlignment Alignment = TAlignment::taLeftJustify;
    std::string Text;
    bool EndEllipsis = false;
    const TzqInspectorNode* Node = nullptr;
    bool IsHot = false;
    // The value rectangle, inflated by 2 pixels on every side.
    TRect Bounds;
};
