// What the class-level drawing operations of an editor need to paint an editor, or a
// cell that is not being edited, exactly as the editor would show it: the view data
// (filled by the editor's CreateViewData or by a host) and the view info computed
// from it (CalcViewInfo).
#pragma once

#include "editors/EditStyleTypes.h"
#include "platform/controls/ControlTypes.h"
#include "platform/controls/Label.h"
#include "platform/core/Color.h"
#include "platform/core/Types.h"
#include "platform/data/Variant.h"

#include <cstdint>
#include <memory>

class TBrush;
class TFont;

class TzqEditViewData : public TObject {
public:
    bool Enabled = true;
    bool Focused = false;
    bool Hot = false;
    TColor BorderColor = clWindowFrame;
    // After the hot-tracking raise.
    TzqEditBorderStyle BorderStyle = TzqEditBorderStyle::xbs3D;
    // Never btsDefault once made by CreateViewData.
    TzqEditButtonViewStyle ButtonStyle = TzqEditButtonViewStyle::bts3D;
    bool ButtonTransparent = false;
    TzqEditEdges Edges = zqAllEdges;
    bool Shadow = false;
    // The background is not filled.
    bool Transparent = false;
    // The editor's own rectangle, (0, 0, width, height).
    TRect Bounds;
    // Inner margins of the text inside the client area.
    TRect TextOffsets;
    TAlignment Alignment = TAlignment::taLeftJustify;
    // 0: a single line (the only mode the base uses).
    uint8_t LayoutMode = 0;
    // Not owned.
    const TBrush* Brush = nullptr;
    // Explicit (RGB) colours.
    TColor BkColor = 0;
    TColor TextColor = 0;
    // Not owned.
    const TFont* Font = nullptr;
    bool IsNativeEdit = false;
    // The value to draw.
    Variant Data;
    int32_t DataLength = 0;
    // crDefault (0): the default cursor.
    TCursor Cursor = crDefault;
};

// A view data class: makes a new, empty view data object of that class.
using TzqEditViewDataClass = std::unique_ptr<TzqEditViewData> (*)();
template <typename T>
std::unique_ptr<TzqEditViewData> NewViewDataOf()
{
    return std::make_unique<T>();
}

// Where the parts of an editor lie, for the view data it was computed from.
struct TzqEditViewInfo {
    int32_t BorderWidth = 0;
    int32_t ShadowSize = 0;
    TRect Bounds;
    TRect ClientRect;
    uint8_t EdgeLeft = 0;
    uint8_t EdgeTop = 0;
    uint8_t EdgeRight = 0;
    uint8_t EdgeBottom = 0;
    TRect BorderRect;
    TRect ShadowRect;
};
