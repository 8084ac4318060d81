#include "editors/CustomzqPopupListBox.h"

#include "editors/InplaceDropDownEdit.h"
#include "editors/InplacePopupControl.h"
#include "editors/PopupFrame.h"
#include "platform/window/WinApi.h"

TCustomzqPopupListBox::TCustomzqPopupListBox(TzqInplaceDropDownEdit* Edit) : TCustomListBox(Edit), m_edit(Edit)
{
    m_frame = new TzqInplacePopupControl(Edit);
    m_frame->SetEdit(Edit);
    m_frame->SetIsPopup(true);
    SetTabStop(false);
    SetParent(m_frame);
    SetAlign(TAlign::alClient);
    SetStyle(TListBoxStyle::lbOwnerDrawVariable);
}

TCustomzqPopupListBox::~TCustomzqPopupListBox()
{
    BeforeDestruction();
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
}

void TCustomzqPopupListBox::CreateParams(TCreateParams& Params)
{
    TCustomListBox::CreateParams(Params);
    // The frame draws the border.
    Params.Style &= ~DWORD(WS_BORDER);
    Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
}

TzqPopupBorder TCustomzqPopupListBox::PopupBorder() const
{
    return m_frame->PopupBorder();
}

void TCustomzqPopupListBox::SetPopupBorder(TzqPopupBorder Value)
{
    m_frame->SetPopupBorder(Value);
}

bool TCustomzqPopupListBox::Shadow() const
{
    return m_frame->Shadow();
}

void TCustomzqPopupListBox::SetShadow(bool Value)
{
    m_frame->SetShadow(Value);
}

TSize TCustomzqPopupListBox::FrameSizeFor(int ClientWidth, int ClientHeight) const
{
    const int border = PopupBorderWidth(m_frame->PopupBorder());
    const int shadow = m_frame->Shadow() ? m_frame->ShadowSize() : 0;
    return TSize(ClientWidth + 2 * border + shadow, ClientHeight + 2 * border + shadow);
}

void TCustomzqPopupListBox::SetClientSizeOfPopup(int ClientWidth, int ClientHeight)
{
    const TSize size = FrameSizeFor(ClientWidth, ClientHeight);
    m_frame->SetBounds(m_frame->Left(), m_frame->Top(), size.cx, size.cy);
}

void TCustomzqPopupListBox::ShowPopup()
{
    m_frame->ShowPopup();
    SetVisible(true);
    if (ItemIndex() >= 0)
        MakeVisible(ItemIndex());
}

void TCustomzqPopupListBox::ClosePopup()
{
    m_pressed = false;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    m_frame->ClosePopup();
}

bool TCustomzqPopupListBox::IsShown() const
{
    return m_frame->HandleAllocated() && IsWindowVisible(m_frame->Handle());
}

void TCustomzqPopupListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomListBox::MouseDown(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft && HandleAllocated()) {
        // The release closes the list wherever it happens.
        m_pressed = true;
        SetCapture(Handle());
    }
}

void TCustomzqPopupListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomListBox::MouseMove(Shift, X, Y);
    if (!m_trackMouse || m_pressed || !ClientRect().Contains(X, Y))
        return;
    const int index = ItemAtPos(TPoint(X, Y), true);
    if (index >= 0 && index != ItemIndex())
        SetItemIndex(index);
}

void TCustomzqPopupListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomListBox::MouseUp(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !m_pressed)
        return;
    m_pressed = false;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    const bool inside = ClientRect().Contains(X, Y);
    if (m_edit)
        m_edit->CloseUp(inside);
}
