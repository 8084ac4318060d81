#include "editors/InplacePopupControl.h"

#include "editors/EditMessages.h"
#include "editors/InplaceEdit.h"
#include "editors/PopupFrame.h"
#include "platform/controls/Form.h"
#include "platform/window/WinApi.h"

TzqInplacePopupControl::TzqInplacePopupControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
}

TzqInplacePopupControl::~TzqInplacePopupControl()
{
    BeforeDestruction();
    if (m_edit)
        m_edit->RemoveFreeNotification(this);
}

void TzqInplacePopupControl::SetPopupBorder(TzqPopupBorder Value)
{
    if (!IsValidOrdinal(Value) || m_popupBorder == Value)
        return;
    m_popupBorder = Value;
    RecreateWnd();
}

void TzqInplacePopupControl::SetShadow(bool Value)
{
    if (m_shadow == Value)
        return;
    m_shadow = Value;
    RecreateWnd();
}

void TzqInplacePopupControl::SetIsPopup(bool Value)
{
    if (m_isPopup == Value)
        return;
    m_isPopup = Value;
    RecreateWnd();
}

void TzqInplacePopupControl::SetShowBorder(bool Value)
{
    if (m_showBorder == Value)
        return;
    m_showBorder = Value;
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TzqInplacePopupControl::SetEdit(TzqInplaceEdit* Value)
{
    if (m_edit == Value)
        return;
    if (m_edit)
        m_edit->RemoveFreeNotification(this);
    m_edit = Value;
    if (m_edit)
        m_edit->FreeNotification(this);
}

void TzqInplacePopupControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_edit)
        m_edit = nullptr;
}

HWND TzqInplacePopupControl::EditFormHandle() const
{
    TCustomForm* form = m_edit ? GetParentForm(m_edit) : nullptr;
    return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

void TzqInplacePopupControl::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TzqInplacePopupControl";
    if (!m_isPopup)
        return;
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    Params.WndParent = EditFormHandle();
}

void TzqInplacePopupControl::ShowPopup()
{
    HWND h = Handle();
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    SetVisible(true);
    if (HWND form = EditFormHandle())
        SendMessage(form, WM_NCACTIVATE, 1, 0);
}

void TzqInplacePopupControl::ClosePopup()
{
    if (HandleAllocated() && IsWindowVisible(Handle())) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        SetVisible(false);
        if (GetActiveWindow() && m_edit && m_edit->HandleAllocated())
            ::SetFocus(m_edit->Handle());
    }
    if (m_edit && m_edit->HandleAllocated())
        PostMessage(m_edit->Handle(), ZQM_CLOSEUP);
}

void TzqInplacePopupControl::CalcNonClientSize(TMessage& Message)
{
    Message.Result = 0;
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    if (!params)
        return;
    TRect& r = params->rgrc[0];
    const int border = PopupBorderWidth(m_popupBorder);
    r = r.Inflate(-border, -border);
    if (m_shadow) {
        r.Right -= m_shadowSize;
        r.Bottom -= m_shadowSize;
    }
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
}

void TzqInplacePopupControl::WndProc(TMessage& Message)
{
    if (m_isPopup) {
        switch (Message.Msg) {
        case WM_MOUSEACTIVATE:
            Message.Result = MA_NOACTIVATE;
            return;
        case WM_NCCALCSIZE:
            CalcNonClientSize(Message);
            return;
        case WM_NCPAINT:
            if (m_showBorder && HandleAllocated()) {
                const LONG style = GetWindowLong(Handle(), GWL_STYLE);
                PaintWindowFrame(Handle(), m_popupBorder, m_shadowSize, m_shadow,
                                 (style & WS_VSCROLL) && (style & WS_HSCROLL));
            }
            Message.Result = 0;
            return;
        case WM_SIZE:
            SetShadowRegion(Handle(), m_shadow, m_shadowSize);
            break;
        case WM_KILLFOCUS:
            ClosePopup();
            if (m_edit)
                m_edit->HandleKillFocus(Message);
            break;
        case WM_ACTIVATE:
            // Another window than the editor's form takes the activation: the form's
            // caption shows inactive.
            if (LoWord(Message.WParam) == WA_INACTIVE) {
                HWND form = EditFormHandle();
                if (form && reinterpret_cast<HWND>(Message.LParam) != form)
                    SendMessage(form, WM_NCACTIVATE, 0, 0);
            }
            break;
        default:
            break;
        }
    }
    TCustomControl::WndProc(Message);
}
