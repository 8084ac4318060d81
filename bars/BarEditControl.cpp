#include "bars/BarEditControl.h"

#include "bars/BarEdit.h"
#include "bars/BarItemLink.h"
#include "bars/BarManager.h"
#include "bars/CustomBarControl.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Font.h"

#include <algorithm>

TzqBarEditControl::TzqBarEditControl(TzqBarItemLink* Link, TCustomzqBarControl* Parent, bool Combo)
    : TzqBarItemControl(Link, Parent), m_combo(Combo)
{
}

TzqBarItemExtent TzqBarEditControl::CalcExtent(bool Vertical, bool) const
{
    TzqBarManager* manager = Manager();
    const int length = std::max(kMinimumWidth, Link()->Width());
    const int thickness = std::max(TextHeight() + 6, manager ? manager->MenuItemHeight() : 22);
    // An edit keeps its shape in a vertical bar: its width runs across.
    if (Vertical)
        return {thickness, length};
    return {length, thickness};
}

void TzqBarEditControl::Paint(TCanvas& Canvas, const TzqBarPainter& Painter, const TzqBarLook& Look)
{
    TRect box = Rect().Inflate(-1, -1);
    const bool flat = Painter.Style() == TzqBarManagerStyle::bmsFlat;
    FillRectColor(&Canvas, box, Enabled() ? clWindow : clBtnFace);
    if (flat)
        FrameRectColor(&Canvas, box, Hot() ? clHighlight : clBtnShadow);
    else {
        TRect edge = box;
        Canvas.DrawEdge(edge, EDGE_SUNKEN, BF_RECT);
    }
    TRect text = box.Inflate(-3, -2);
    if (m_combo) {
        const int arrow = Manager() ? Manager()->ArrowWidth() + 2 : 13;
        TRect button(box.Right - 2 - arrow, box.Top + 2, box.Right - 2, box.Bottom - 2);
        TzqBarItemState state;
        state.Hot = Hot();
        state.Enabled = Enabled();
        state.DroppedDown = DroppedDown();
        FillRectColor(&Canvas, button, clBtnFace);
        Painter.DrawSplitArrow(Canvas, button, state, false, Look);
        text.Right = button.Left - 1;
    }
    const auto* item = dynamic_cast<const TzqBarWindowItem*>(Item());
    if (!item)
        return;
    Canvas.Font()->Assign(*Parent()->Font());
    Canvas.SetBkMode(TRANSPARENT);
    Canvas.SetTextColor(Enabled() ? clWindowText : clGrayText);
    Canvas.DrawText(item->Text(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
