// The window messages of TzqInplaceEdit: dialog codes, blocked keys, focus handed to
// the host, the emulated double click, wheel forwarding, the non-client border and the
// painting of the client area.
#include "editors/InplaceEdit.h"

#include "editors/CustomzqContainer.h"
#include "editors/EditMessages.h"
#include "platform/controls/Form.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

void TzqInplaceEdit::WndProc(TMessage& Message)
{
    if (HandleWindowMessage(Message))
        return;
    TWinControl::WndProc(Message);
}

bool TzqInplaceEdit::HandleWindowMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: {
        DefaultHandler(Message);
        Message.Result |= DLGC_WANTCHARS | DLGC_WANTALLKEYS;
        if (m_container && m_container->EditWantsTab())
            Message.Result |= DLGC_WANTTAB;
        else
            Message.Result &= ~LRESULT(DLGC_WANTTAB);
        return true;
    }
    case CN_KEYDOWN:
        // All keys are wanted, except Tab when the host does not want it: then it is
        // the form's (the next control gets the focus).
        if (Message.WParam == VK_TAB && !(Perform(WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB)) {
            TCustomForm* form = GetParentForm(this);
            Message.Result = form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0 ? 1 : 0;
            return true;
        }
        return false;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
        if (m_container && m_container->EditKeysBlocked()) {
            Message.Result = 0;
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return HandleMouseButton(Message);
    case WM_MOUSEWHEEL:
        if (HandlesMouseWheel())
            return false;
        ForwardWheel(Message);
        return true;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
        if (CanModify())
            return false;
        Message.Result = 0;
        return true;
    case WM_NCCALCSIZE:
        CalcNonClientSize(Message);
        return true;
    case WM_NCPAINT:
        PaintNonClient();
        Message.Result = 0;
        return true;
    case WM_PRINT:
        // Painted into another device context (a picture of the editor): the whole look
        // from a paint-copy view data.
        if (HDC dc = reinterpret_cast<HDC>(Message.WParam)) {
            std::unique_ptr<TzqEditViewData> data = CreateViewData(true);
            data->Bounds = TRect(0, 0, Width(), Height());
            EditClass().Draw(dc, *data, nullptr);
        }
        Message.Result = 0;
        return true;
    case WM_SIZE:
        TWinControl::WMSize(Message);
        UpdateBounds();
        return true;
    case WM_SETCURSOR:
        if (static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) == HTCLIENT) {
            TPoint p;
            GetCursorPos(p);
            p = ScreenToClient(p);
            const std::unique_ptr<TzqEditViewData> data = CreateViewData(false);
            const TCursor cursor = EditClass().GetCursor(p.X, p.Y, *data);
            if (cursor != crDefault) {
                ::SetCursor(cursor);
                Message.Result = 1;
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

bool TzqInplaceEdit::HandleMouseButton(TMessage& Message)
{
    if (Message.Msg == WM_LBUTTONDOWN) {
        // A press soon after the press on the host that opened the editor is the
        // second click of a double click.
        if (m_container && m_container->EmulateEditDblClick() && m_clickTime != 0 &&
            GetMessageTime() - m_clickTime < GetDoubleClickTime())
            Message.Msg = WM_LBUTTONDBLCLK;
        m_clickTime = 0;
    }
    if (!IsNativeEdit() && HandleAllocated() && GetFocus() != Handle())
        ::SetFocus(Handle());
    TWinControl::WndProc(Message);
    return true;
}

void TzqInplaceEdit::ForwardWheel(TMessage& Message)
{
    if (!m_container || !m_container->HandleAllocated()) {
        Message.Result = 0;
        return;
    }
    HWND host = m_container->Handle();
    SendMessage(host, WM_CANCELMODE);
    Message.Result = SendMessage(host, WM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TzqInplaceEdit::WMSetFocus(TMessage& Message)
{
    // The form's focused control is the host: the editor is part of the host's cell.
    if (TCustomForm* form = GetParentForm(this); form && m_container)
        form->FocusControlChanged(m_container);
    DefaultHandler(Message);
    if (m_container)
        m_container->EditFocusChanged();
    FocusChanged();
}

void TzqInplaceEdit::WMKillFocus(TMessage& Message)
{
    HandleKillFocus(Message);
    TWinControl::WMKillFocus(Message);
}

void TzqInplaceEdit::HandleKillFocus(TMessage& Message)
{
    if (TracksHotState())
        UpdateBounds();
    if (!IsNativeEdit())
        Invalidate();
    HWND next = reinterpret_cast<HWND>(Message.WParam);
    if (m_container && (!m_container->HandleAllocated() || next != m_container->Handle()))
        m_container->EditFocusChanged();
}

void TzqInplaceEdit::WMKeyDown(TMessage& Message)
{
    // The character Enter (and a Tab the editor does not take) would make is dropped,
    // so the native window does not beep at it.
    if (Message.WParam == VK_RETURN || (Message.WParam == VK_TAB && !WantTabs()))
        if (HandleAllocated())
            RemovePendingMessage(Handle(), WM_CHAR);
    TWinControl::WMKeyDown(Message);
}

void TzqInplaceEdit::CalcNonClientSize(TMessage& Message)
{
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    Message.Result = 0;
    if (!params)
        return;
    TRect& r = params->rgrc[0];
    std::unique_ptr<TzqEditViewData> data = CreateViewData(false);
    data->Bounds = TRect(0, 0, r.Width(), r.Height());
    TzqEditViewInfo info;
    EditClass().CalcViewInfo(*data, false, info);
    r.Left += info.ClientRect.Left - info.Bounds.Left;
    r.Top += info.ClientRect.Top - info.Bounds.Top;
    r.Right -= info.Bounds.Right - info.ClientRect.Right;
    r.Bottom -= info.Bounds.Bottom - info.ClientRect.Bottom;
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
}

void TzqInplaceEdit::PaintNonClient()
{
    if (!HandleAllocated())
        return;
    HWND h = Handle();
    HDC dc = GetWindowDC(h);
    if (!dc)
        return;
    const TRect window = WindowRect(h);
    std::unique_ptr<TzqEditViewData> data = CreateViewData(false);
    data->Bounds = TRect(0, 0, window.Width(), window.Height());
    TzqEditViewInfo info;
    EditClass().CalcViewInfo(*data, false, info);
    EditClass().DrawBorder(dc, info, *data);
    const LONG style = GetWindowLong(h, GWL_STYLE);
    if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
        const TRect& c = info.ClientRect;
        FillRectColor(dc,
                      TRect(c.Right - GetSystemMetrics(SM_CXVSCROLL), c.Bottom - GetSystemMetrics(SM_CYHSCROLL),
                            c.Right, c.Bottom),
                      clBtnFace);
    }
    ReleaseDC(h, dc);
}

void TzqInplaceEdit::PaintWindow(HDC DC)
{
    std::unique_ptr<TzqEditViewData> data = CreateViewData(false);
    EditClass().DrawContent(DC, ClientRect(), true, *data);
}

bool TzqInplaceEdit::EraseBackground(HDC DC)
{
    // Native edits erase as usual; the others paint their background in WM_PAINT.
    if (IsNativeEdit())
        return TWinControl::EraseBackground(DC);
    return true;
}

void TzqInplaceEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    // Shown and hidden by Show and Hide only.
    Params.Style &= ~DWORD(WS_VISIBLE | WS_TABSTOP);
    Params.WinClassName = "TzqInplaceEdit";
}

void TzqInplaceEdit::WindowCreated()
{
    TWinControl::WindowCreated();
    UpdateBounds();
    if (m_shown)
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void TzqInplaceEdit::MouseEnter()
{
    SetHot(true);
    if (TracksHotState())
        UpdateBounds();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TzqInplaceEdit::MouseLeave()
{
    SetHot(false);
    if (TracksHotState())
        UpdateBounds();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TzqInplaceEdit::TextChanged()
{
    TWinControl::TextChanged();
    if (!IsNativeEdit())
        Invalidate();
}

void TzqInplaceEdit::FontChanged()
{
    TWinControl::FontChanged();
    UpdateBounds();
}

void TzqInplaceEdit::ColorChanged()
{
    TWinControl::ColorChanged();
    StyleChanged();
}

void TzqInplaceEdit::EnabledChanged()
{
    TWinControl::EnabledChanged();
    StyleChanged();
}

void TzqInplaceEdit::VisibleChanged()
{
    // The editor shows and hides its window itself (Show, Hide).
}
