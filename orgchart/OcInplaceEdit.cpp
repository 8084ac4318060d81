#include "orgchart/OcInplaceEdit.h"

#include "orgchart/CustomOrgChart.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TzqOcInplaceEdit::TzqOcInplaceEdit(TzqCustomOrgChart* AChart) : TCustomEdit(AChart), m_chart(AChart)
{
    // Hidden until editing starts, no tab stop, flat, its size given by the chart.
    SetVisible(false);
    SetTabStop(false);
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetBorderStyle(TBorderStyle::bsNone);
    SetAutoSelect(false);
    SetParent(AChart);
}

TzqOcInplaceEdit::~TzqOcInplaceEdit() = default;

bool TzqOcInplaceEdit::WordWrapWanted() const
{
    return m_chart->EditMode().contains(TzqOcEditModeFlag::emWrap);
}

void TzqOcInplaceEdit::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.WinClassName = "TzqOcInplaceEdit";
    Params.Style &= ~(ES_CENTER | ES_RIGHT | ES_UPPERCASE | ES_LOWERCASE | ES_AUTOHSCROLL | WS_BORDER);
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    Params.Style |= ES_MULTILINE | ES_WANTRETURN;
    const TzqOcEditMode mode = m_chart->EditMode();
    if (mode.contains(TzqOcEditModeFlag::emCenter))
        Params.Style |= ES_CENTER;
    if (mode.contains(TzqOcEditModeFlag::emRight))
        Params.Style |= ES_RIGHT;
    // Without wrapping the text scrolls sideways instead of breaking at the edge.
    if (!mode.contains(TzqOcEditModeFlag::emWrap))
        Params.Style |= ES_AUTOHSCROLL;
    if (mode.contains(TzqOcEditModeFlag::emUpper))
        Params.Style |= ES_UPPERCASE;
    if (mode.contains(TzqOcEditModeFlag::emLower))
        Params.Style |= ES_LOWERCASE;
}

void TzqOcInplaceEdit::AdjustSize()
{
    const TRect client = ClientRect();
    TRect r = client;
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->Font()->Assign(*Font());
    // Room for two more characters and a line to grow into before the next measure.
    m_chart->DrawTextFlags(scratch.Canvas(), Text() + "WW\r\n\r\nWW", DT_CALCRECT, r);
    const int w = std::clamp(r.Width(), m_minWidth, std::max(m_minWidth, m_maxWidth));
    const int h = std::clamp(r.Height(), m_minHeight, std::max(m_minHeight, m_maxHeight));
    int dw = w - client.Width();
    const int dh = h - client.Height();
    if (m_chart->EditMode().contains(TzqOcEditModeFlag::emWrap))
        dw = 0;
    if (dw == 0 && dh == 0)
        return;
    // Grow to the right and bottom, then move back by half: the centre stays put.
    TRect b = BoundsRect();
    b.Right += dw;
    b.Bottom += dh;
    b = b.Offset(-dw / 2, -dh / 2);
    SetBoundsRect(b);
}

void TzqOcInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    const TShiftState modifiers = Shift * TShiftState{TShiftStateFlag::ssShift, TShiftStateFlag::ssAlt,
                                                      TShiftStateFlag::ssCtrl};
    if (modifiers == TShiftState{TShiftStateFlag::ssAlt}) {
        switch (Key) {
        case VK_RETURN:
            m_chart->HideEditor(true);
            Key = 0;
            return;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            // The plain arrow moves the selection; editing follows the new node.
            WORD arrow = Key;
            Key = 0;
            m_chart->EditorArrowKey(arrow);
            return;
        }
        default:
            return;
        }
    }
    if (modifiers.empty()) {
        if (Key == VK_ESCAPE) {
            SetModified(false);
            Key = 0;
            m_chart->HideEditor(false);
        } else if (Key == VK_F2) {
            Key = 0;
            m_chart->HideEditor(true);
        }
    }
}

void TzqOcInplaceEdit::KeyPress(char32_t& Key)
{
    // The chart sees the character first (its OnKeyPress may clear it).
    m_chart->EditorKeyPress(Key);
    if (Key == 0)
        return;
    TCustomEdit::KeyPress(Key);
    if (Key == 0)
        return;
    AdjustSize();
}

void TzqOcInplaceEdit::WMKeyUp(TMessage& Message)
{
    // Key releases belong to the chart's key-up handling, not the editor's.
    WORD key = static_cast<WORD>(Message.WParam);
    m_chart->EditorKeyUp(key, KeyDataToShiftState(Message.LParam));
}

void TzqOcInplaceEdit::WMKillFocus(TMessage& Message)
{
    TCustomEdit::WMKillFocus(Message);
    if (m_chart->IsEditing())
        m_chart->HideEditor(true);
}

void TzqOcInplaceEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        // Every key stays in the editor: none leaves it for dialog navigation.
        Message.Result = DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        return;
    }
    TCustomEdit::WndProc(Message);
}
