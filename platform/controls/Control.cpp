#include "platform/controls/Control.h"

#include "platform/controls/Application.h"
#include "platform/controls/DragObject.h"
#include "platform/controls/Form.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/WinControl.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), m_font(std::make_unique<TFont>())
{
    m_font->OnChange = [this](TObject*) {
        if (!m_settingParentFont)
            m_parentFont = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    BeforeDestruction();
    DragManager::Forget(this);
    if (Application)
        Application->ControlDestroyed(this);
    m_font->OnChange = nullptr;
    if (m_parent)
        m_parent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == m_parent)
        return;
    if (AParent == this)
        return;
    if (m_parent)
        m_parent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

TWinControl* TControl::ParentForm() const
{
    return GetParentForm(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (ALeft == m_left && ATop == m_top && AWidth == m_width && AHeight == m_height)
        return;
    // A control without a window repaints its old and new place on the parent.
    if (m_parent && Visible())
        Invalidate();
    UpdateBoundsFromWindow(ALeft, ATop, AWidth, AHeight);
    if (m_parent && Visible())
        Invalidate();
}

void TControl::UpdateBoundsFromWindow(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool resized = AWidth != m_width || AHeight != m_height;
    const bool moved = ALeft != m_left || ATop != m_top;
    m_left = ALeft;
    m_top = ATop;
    m_width = AWidth;
    m_height = AHeight;
    if ((resized || moved) && m_align != TAlign::alNone)
        RequestAlign();
    if (resized)
        Resize();
}

TRect TControl::ClientRect() const
{
    return TRect(0, 0, m_width, m_height);
}

void TControl::SetClientWidth(int value)
{
    SetWidth(value + (Width() - ClientWidth()));
}

void TControl::SetClientHeight(int value)
{
    SetHeight(value + (Height() - ClientHeight()));
}

TPoint TControl::ClientOrigin() const
{
    if (!m_parent)
        return {m_left, m_top};
    return m_parent->ClientOrigin() + TPoint(m_left, m_top);
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    return p + ClientOrigin();
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    return p - ClientOrigin();
}

void TControl::SetAlign(TAlign value)
{
    if (value == m_align)
        return;
    m_align = value;
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (m_parent)
        m_parent->Realign();
}

void TControl::SetVisible(bool value)
{
    if (value == m_visible)
        return;
    if (!value && m_parent)
        Invalidate();
    m_visible = value;
    VisibleChanged();
    if (value && m_parent)
        Invalidate();
    RequestAlign();
}

bool TControl::Showing() const
{
    if (!m_visible)
        return false;
    return m_parent ? m_parent->Showing() : true;
}

void TControl::SetEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    EnabledChanged();
}

void TControl::SetColor(TColor value)
{
    if (value == m_color && !m_parentColor)
        return;
    m_parentColor = false;
    if (value == m_color)
        return;
    m_color = value;
    ColorChanged();
}

void TControl::SetParentColor(bool value)
{
    if (value == m_parentColor)
        return;
    m_parentColor = value;
    if (value && m_parent)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!m_parentColor || !m_parent)
        return;
    if (m_color != m_parent->Color()) {
        m_color = m_parent->Color();
        ColorChanged();
    }
}

void TControl::SetFont(const TFont& value)
{
    m_font->Assign(value);
}

void TControl::SetParentFont(bool value)
{
    if (value == m_parentFont)
        return;
    m_parentFont = value;
    if (value && m_parent)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!m_parentFont || !m_parent)
        return;
    m_settingParentFont = true;
    m_font->Assign(*m_parent->Font());
    m_settingParentFont = false;
}

void TControl::SetCtl3D(bool value)
{
    m_parentCtl3D = false;
    if (value == m_ctl3D)
        return;
    m_ctl3D = value;
    Ctl3DChanged();
}

void TControl::SetParentCtl3D(bool value)
{
    if (value == m_parentCtl3D)
        return;
    m_parentCtl3D = value;
    if (value && m_parent)
        ParentCtl3DChanged();
}

void TControl::ParentCtl3DChanged()
{
    if (!m_parentCtl3D || !m_parent || m_parent->Ctl3D() == m_ctl3D)
        return;
    m_ctl3D = m_parent->Ctl3D();
    Ctl3DChanged();
}

void TControl::SetShowHint(bool value)
{
    m_parentShowHint = false;
    m_showHint = value;
}

void TControl::SetParentShowHint(bool value)
{
    m_parentShowHint = value;
    if (value)
        ParentShowHintChanged();
}

void TControl::ParentShowHintChanged()
{
    if (m_parentShowHint && m_parent)
        m_showHint = m_parent->ShowHint();
}

void TControl::SetText(const std::string& value)
{
    if (value == GetText())
        return;
    m_text = value;
    TextChanged();
}

void TControl::SetPopupMenu(TPopupMenu* value)
{
    if (value == m_popupMenu)
        return;
    if (m_popupMenu)
        m_popupMenu->RemoveFreeNotification(this);
    m_popupMenu = value;
    if (value)
        value->FreeNotification(this);
}

void TControl::SetCursor(TCursor value)
{
    m_cursor = value;
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_popupMenu)
        m_popupMenu = nullptr;
}

void TControl::Invalidate()
{
    if (!m_parent || !m_parent->HandleAllocated())
        return;
    const TRect r = BoundsRect();
    InvalidateRect(m_parent->Handle(), &r, true);
}

void TControl::Update()
{
    if (m_parent)
        m_parent->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (!m_parent)
        return;
    auto& list = m_parent->m_controls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!m_parent)
        return;
    auto& list = m_parent->m_controls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    Invalidate();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::BeginDrag(bool Immediate, int Threshold)
{
    DragManager::Begin(this, Immediate, Threshold);
}

bool TControl::Dragging() const
{
    return DragManager::IsDragging(this);
}

void TControl::EndDrag(bool Drop)
{
    if (Dragging())
        DragManager::End(Drop);
}

void TControl::DoDragMsg(int DragMessage, TObject* Source, TPoint ClientPt, bool& Accept)
{
    switch (DragMessage) {
    case dmDragEnter:
        DragOver(Source, ClientPt.X, ClientPt.Y, TDragState::dsDragEnter, Accept);
        break;
    case dmDragMove:
        DragOver(Source, ClientPt.X, ClientPt.Y, TDragState::dsDragMove, Accept);
        break;
    case dmDragLeave:
        DragOver(Source, ClientPt.X, ClientPt.Y, TDragState::dsDragLeave, Accept);
        break;
    case dmDragDrop:
        DragDrop(Source, ClientPt.X, ClientPt.Y);
        break;
    default:
        break;
    }
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (OnStartDrag)
        OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
    if (OnEndDrag)
        OnEndDrag(this, Target, X, Y);
}

void TControl::DragCanceled() {}

void TControl::ChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    const int l = MulDiv(m_left, M, D);
    const int t = MulDiv(m_top, M, D);
    const int w = MulDiv(m_left + m_width, M, D) - l;
    const int h = MulDiv(m_top + m_height, M, D) - t;
    SetBounds(l, t, w, h);
    if (!m_parentFont) {
        m_settingParentFont = true;
        m_font->SetHeight(MulDiv(m_font->Height(), M, D));
        m_settingParentFont = false;
    }
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::FontChanged()
{
    Invalidate();
}

void TControl::ColorChanged()
{
    Invalidate();
}

void TControl::EnabledChanged()
{
    Invalidate();
}

void TControl::VisibleChanged() {}

bool TControl::MouseCapture() const
{
    if (HasOwnWindow())
        return GetCapture() && GetCapture() == static_cast<const TWinControl*>(this)->m_handle;
    return m_parent && m_parent->m_capturedControl == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (value == MouseCapture())
        return;
    if (HasOwnWindow()) {
        auto* self = static_cast<TWinControl*>(this);
        if (value)
            SetCapture(self->Handle());
        else
            ReleaseCapture();
        return;
    }
    if (!m_parent)
        return;
    if (value) {
        m_parent->m_capturedControl = this;
        SetCapture(m_parent->Handle());
    } else {
        m_parent->m_capturedControl = nullptr;
        if (GetCapture() == m_parent->Handle())
            ReleaseCapture();
    }
}

void TControl::HandleMouseMessage(TMessage& Message)
{
    const TPoint p = PointFromLParam(Message.LParam);
    TShiftState shift = ShiftStateFromMouseFlags(Message.WParam);
    auto press = [&](TMouseButton button, bool dbl) {
        if (m_controlStyle.contains(TControlStyleFlag::csCaptureMouse))
            SetMouseCapture(true);
        if (button == TMouseButton::mbLeft && m_controlStyle.contains(TControlStyleFlag::csClickEvents))
            m_controlState.include(TControlStateFlag::csClicked);
        if (dbl) {
            if (m_controlStyle.contains(TControlStyleFlag::csDoubleClicks))
                DblClick();
            shift.include(TShiftStateFlag::ssDouble);
        } else if (button == TMouseButton::mbLeft && m_dragMode == TDragMode::dmAutomatic) {
            BeginDrag(false);
        }
        MouseDown(button, shift, p.X, p.Y);
    };
    auto release = [&](TMouseButton button) {
        if (m_controlStyle.contains(TControlStyleFlag::csCaptureMouse))
            SetMouseCapture(false);
        if (button == TMouseButton::mbLeft && m_controlState.contains(TControlStateFlag::csClicked)) {
            m_controlState.exclude(TControlStateFlag::csClicked);
            if (ClientRect().Contains(p))
                Click();
        }
        MouseUp(button, shift, p.X, p.Y);
    };
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        press(TMouseButton::mbLeft, false);
        break;
    case WM_LBUTTONDBLCLK:
        press(TMouseButton::mbLeft, true);
        break;
    case WM_RBUTTONDOWN:
        press(TMouseButton::mbRight, false);
        break;
    case WM_RBUTTONDBLCLK:
        press(TMouseButton::mbRight, true);
        break;
    case WM_MBUTTONDOWN:
        press(TMouseButton::mbMiddle, false);
        break;
    case WM_MBUTTONDBLCLK:
        press(TMouseButton::mbMiddle, true);
        break;
    case WM_LBUTTONUP:
        release(TMouseButton::mbLeft);
        break;
    case WM_RBUTTONUP:
        release(TMouseButton::mbRight);
        break;
    case WM_MBUTTONUP:
        release(TMouseButton::mbMiddle);
        break;
    case WM_MOUSEMOVE:
        MouseMove(shift, p.X, p.Y);
        break;
    default:
        break;
    }
}

TPoint TControl::KeyboardContextPoint()
{
    // A windowless control has no caret of its own.
    if (HasOwnWindow()) {
        auto* self = static_cast<TWinControl*>(this);
        TPoint caret;
        if (self->HandleAllocated() && GetCaretWindow() == self->Handle() && GetCaretPos(caret))
            return caret;
    }
    return {0, 0};
}

TPoint TControl::ContextMenuPoint(const TMessage& Message)
{
    if (IsKeyboardContextMenu(Message.LParam))
        return KeyboardContextPoint();
    return ScreenToClient(PointFromLParam(Message.LParam));
}

bool TControl::DoContextPopup(TPoint MousePos)
{
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(this, MousePos, handled);
    if (handled)
        return true;
    TPopupMenu* menu = m_popupMenu;
    if (!menu || !menu->AutoPopup())
        return false;
    menu->SetPopupComponent(this);
    const TPoint at = ClientToScreen(MousePos);
    menu->Popup(at.X, at.Y);
    return true;
}

void TControl::WMContextMenu(TMessage& Message)
{
    if (Message.Result != 0)
        return;
    if (DoContextPopup(ContextMenuPoint(Message))) {
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message);
}

void TControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CONTEXTMENU:
        WMContextMenu(Message);
        break;
    case CM_MOUSEENTER:
        m_mouseInControl = true;
        MouseEnter();
        break;
    case CM_MOUSELEAVE:
        m_mouseInControl = false;
        MouseLeave();
        if (Application)
            Application->HintControlLeft(this);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        HandleMouseMessage(Message);
        if (HasOwnWindow())
            DefaultHandler(Message);
        break;
    default:
        DefaultHandler(Message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& Message)
{
    Message.Result = 0;
}
