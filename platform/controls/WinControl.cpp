#include "platform/controls/WinControl.h"

#include "platform/controls/Form.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/ShortCuts.h"
#include "platform/core/Exception.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::unordered_map<HWND, TWinControl*>& ControlsByHandle()
{
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}

bool IsMouseMessage(UINT msg)
{
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL;
}

} // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl()
{
    BeforeDestruction();
    // Children go with their parent.
    while (!m_controls.empty()) {
        TControl* child = m_controls.back();
        RemoveControl(child);
        delete child;
    }
    if (m_handle)
        DestroyHandle();
}

TWinControl* TWinControl::FindControl(HWND hwnd)
{
    auto& map = ControlsByHandle();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

HWND TWinControl::Handle()
{
    if (!m_handle) {
        if (IsDestroying())
            return nullptr;
        CreateHandle();
    }
    return m_handle;
}

void TWinControl::CreateHandle()
{
    if (m_handle)
        return;
    if (Parent() && !Parent()->HandleAllocated()) {
        Parent()->Handle(); // makes ours too
        if (m_handle)
            return;
    }
    CreateWnd();
    if (!m_handle)
        return;
    // Children get their windows in z-order (creation order is tab order).
    std::vector<TControl*> children = m_controls;
    for (TControl* c : children)
        if (c->HasOwnWindow())
            static_cast<TWinControl*>(c)->CreateHandle();
    Realign();
    WindowCreated();
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = m_text;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    // A container paints around its children, never over them: a child that painted
    // first (a control repainting itself at once while the window is being shown) is
    // not overdrawn by its parent's later paint.
    if (m_controlStyle.contains(TControlStyleFlag::csAcceptsControls))
        Params.Style |= WS_CLIPCHILDREN;
    if (Visible())
        Params.Style |= WS_VISIBLE;
    if (m_tabStop)
        Params.Style |= WS_TABSTOP;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WndParent = Parent() ? Parent()->m_handle : nullptr;
    Params.WinClassName = "TWinControl";
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window.");
    // One window class per name and class style.
    const std::string className = params.WinClassName + "#" + std::to_string(params.WindowClassStyle);
    if (!IsClassRegistered(className)) {
        WNDCLASS wc;
        wc.lpszClassName = className;
        wc.style = params.WindowClassStyle;
        wc.hCursor = params.WindowClassCursor;
        wc.hbrBackground = params.WindowClassBackground;
        wc.lpfnWndProc = DefWindowProc;
        RegisterClass(wc);
    }
    params.WinClassName = className;
    CreateWindowHandle(params);
    if (!m_handle)
        throw EPlatformError("Cannot create the window of control '" + Name() + "'.");
}

void TWinControl::CreateWindowHandle(const TCreateParams& P)
{
    CreateWindowEx(P.ExStyle, P.WinClassName, P.Caption, P.Style, P.X, P.Y, P.Width, P.Height, P.WndParent, 0, this,
                   [this](HWND h, UINT m, WPARAM w, LPARAM l) { return WindowProcedure(h, m, w, l); });
}

LRESULT TWinControl::WindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_handle && msg != WM_NCDESTROY) {
        // The first message of a new window binds it to the control.
        m_handle = hwnd;
        ControlsByHandle()[hwnd] = this;
    }
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    if (msg == WM_NCDESTROY && m_handle == hwnd) {
        ControlsByHandle().erase(hwnd);
        m_handle = nullptr;
        // A new window asks for its own leave notice.
        m_mouseTracked = false;
    }
    return m.Result;
}

void TWinControl::DestroyWnd()
{
    if (m_handle)
        DestroyWindow(m_handle);
}

void TWinControl::DestroyHandle()
{
    if (!m_handle)
        return;
    m_destroyingHandle = true;
    DestroyWnd();
    m_destroyingHandle = false;
}

void TWinControl::RecreateWnd()
{
    if (!m_handle)
        return;
    const bool hadFocus = Focused();
    DestroyHandle();
    CreateHandle();
    if (hadFocus && CanFocus())
        SetFocus();
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        return nullptr;
    return m_controls[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* AControl)
{
    if (!AControl || AControl->m_parent == this)
        return;
    m_controls.push_back(AControl);
    AControl->m_parent = this;
    if (AControl->HasOwnWindow()) {
        auto* win = static_cast<TWinControl*>(AControl);
        m_tabList.push_back(win);
        if (win->m_handle) {
            if (m_handle)
                ::SetParent(win->m_handle, m_handle);
            else
                win->DestroyHandle();
        } else if (m_handle) {
            win->CreateHandle();
        }
    }
    AControl->ParentFontChanged();
    AControl->ParentColorChanged();
    AControl->ParentCtl3DChanged();
    AControl->ParentShowHintChanged();
    if (AControl->Align() != TAlign::alNone)
        Realign();
    if (!AControl->HasOwnWindow())
        AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), AControl);
    if (it == m_controls.end())
        return;
    if (!AControl->HasOwnWindow())
        AControl->Invalidate();
    m_controls.erase(it);
    m_tabList.erase(std::remove(m_tabList.begin(), m_tabList.end(), AControl), m_tabList.end());
    if (m_capturedControl == AControl)
        m_capturedControl = nullptr;
    if (m_mouseControl == AControl)
        m_mouseControl = nullptr;
    AControl->m_parent = nullptr;
    if (AControl->HasOwnWindow()) {
        auto* win = static_cast<TWinControl*>(AControl);
        if (win->m_handle && !IsDestroying())
            win->DestroyHandle();
    }
    if (AControl->Align() != TAlign::alNone)
        Realign();
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
}

bool TWinControl::ContainsControl(const TControl* AControl) const
{
    for (const TControl* c = AControl; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled) const
{
    // Later controls lie on top; windows lie on top of controls without windows.
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
            TControl* c = *it;
            if (c->HasOwnWindow() != (pass == 0))
                continue;
            if (!c->Visible() || (!allowDisabled && !c->Enabled()))
                continue;
            if (c->BoundsRect().Contains(pos))
                return c;
        }
    }
    return nullptr;
}

void TWinControl::SetTabStop(bool value)
{
    if (value == m_tabStop)
        return;
    m_tabStop = value;
    if (m_handle) {
        const DWORD style = static_cast<DWORD>(GetWindowLong(m_handle, GWL_STYLE));
        SetWindowLong(m_handle, GWL_STYLE, static_cast<LONG>(value ? style | WS_TABSTOP : style & ~WS_TABSTOP));
    }
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (!Parent())
        return;
    auto& list = Parent()->m_tabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : m_tabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int n = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == n)
        start = goForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current)
            break;
        if (!c->CanFocus())
            continue;
        if (checkTabStop && !c->TabStop())
            continue;
        if (checkParent && c->Parent() != this)
            continue;
        return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

bool TWinControl::Focused() const
{
    return m_handle && GetFocus() == m_handle;
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this); form && form != this) {
        form->SetActiveControl(this);
        if (!form->Active() && form->HandleAllocated() && IsWindowVisible(form->Handle()))
            SetActiveWindow(form->Handle());
    }
    if (Handle())
        ::SetFocus(m_handle);
}

void TWinControl::Realign()
{
    if (m_alignDisabled > 0 || m_aligning) {
        m_alignPending = true;
        return;
    }
    AlignChildren();
}

void TWinControl::EnableAlign()
{
    if (m_alignDisabled > 0 && --m_alignDisabled == 0 && m_alignPending)
        Realign();
}

void TWinControl::AlignChildren()
{
    m_aligning = true;
    m_alignPending = false;
    TRect rect = ClientRect();
    AlignControls(nullptr, rect);
    m_aligning = false;
    if (m_alignPending) {
        m_alignPending = false;
        m_aligning = true;
        TRect again = ClientRect();
        AlignControls(nullptr, again);
        m_aligning = false;
    }
}

void TWinControl::AlignControls(TControl* AControl, TRect& rect)
{
    // Each alignment in turn takes its strip of what is left: top, bottom, left, right,
    // then the client fill. Controls of one alignment line up by where they stand (the
    // outermost first), and by creation order where they stand level.
    const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient};
    for (TAlign align : order) {
        std::vector<TControl*> group;
        for (TControl* c : m_controls)
            if (c->Align() == align && c->Visible())
                group.push_back(c);
        std::stable_sort(group.begin(), group.end(), [align](const TControl* a, const TControl* b) {
            switch (align) {
            case TAlign::alTop:
                return a->Top() < b->Top();
            case TAlign::alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case TAlign::alLeft:
                return a->Left() < b->Left();
            case TAlign::alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        });
        for (TControl* c : group) {
            TRect r;
            switch (align) {
            case TAlign::alTop:
                r = TRect::FromSize(rect.Left, rect.Top, rect.Width(), c->Height());
                rect.Top = std::min(rect.Bottom, rect.Top + c->Height());
                break;
            case TAlign::alBottom:
                r = TRect::FromSize(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
                rect.Bottom = std::max(rect.Top, rect.Bottom - c->Height());
                break;
            case TAlign::alLeft:
                r = TRect::FromSize(rect.Left, rect.Top, c->Width(), rect.Height());
                rect.Left = std::min(rect.Right, rect.Left + c->Width());
                break;
            case TAlign::alRight:
                r = TRect::FromSize(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
                rect.Right = std::max(rect.Left, rect.Right - c->Width());
                break;
            default:
                r = rect;
                break;
            }
            c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        }
    }
}

void TWinControl::PaintControls(TCanvas& canvas)
{
    if (!canvas.HasSurface())
        return;
    const TRegion clip = canvas.ClipRegion();
    for (TControl* c : m_controls) {
        if (c->HasOwnWindow() || !c->Visible())
            continue;
        const TRect bounds = c->BoundsRect();
        const TRegion childClip = clip.Intersected(TRegion(bounds));
        if (childClip.IsEmpty())
            continue;
        TCanvas childCanvas;
        const TPoint origin = canvas.Origin();
        childCanvas.BindSurface(canvas.Surface(), origin + bounds.TopLeft(), childClip.Translated(origin.X, origin.Y));
        childCanvas.SetFont(*c->Font());
        c->PaintOnParent(childCanvas);
    }
}

void TWinControl::ChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    DisableAlign();
    TControl::ChangeScale(M, D);
    for (TControl* c : std::vector<TControl*>(m_controls))
        c->ChangeScale(M, D);
    EnableAlign();
}

void TWinControl::Invalidate()
{
    if (m_handle)
        InvalidateRect(m_handle, nullptr, !m_controlStyle.contains(TControlStyleFlag::csOpaque));
}

void TWinControl::Update()
{
    if (m_handle)
        UpdateWindow(m_handle);
}

TPoint TWinControl::ClientOrigin() const
{
    if (m_handle) {
        TPoint p;
        ::ClientToScreen(m_handle, p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height())
        return;
    if (m_handle) {
        // The window reports its new place back through WM_WINDOWPOSCHANGED.
        SetWindowPos(m_handle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        if (Left() != ALeft || Top() != ATop || Width() != AWidth || Height() != AHeight)
            UpdateBoundsFromWindow(ALeft, ATop, AWidth, AHeight);
    } else {
        UpdateBoundsFromWindow(ALeft, ATop, AWidth, AHeight);
        Realign();
    }
}

TRect TWinControl::ClientRect() const
{
    if (m_handle)
        return ::ClientRect(m_handle);
    return TControl::ClientRect();
}

void TWinControl::TextChanged()
{
    if (m_handle)
        SetWindowText(m_handle, m_text);
    Invalidate();
}

void TWinControl::FontChanged()
{
    Invalidate();
    for (TControl* c : m_controls)
        c->ParentFontChanged();
}

void TWinControl::ColorChanged()
{
    Invalidate();
    for (TControl* c : m_controls)
        c->ParentColorChanged();
}

void TWinControl::EnabledChanged()
{
    if (m_handle)
        EnableWindow(m_handle, Enabled());
    Invalidate();
}

void TWinControl::VisibleChanged()
{
    if (!m_handle)
        return;
    ShowWindow(m_handle, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::Ctl3DChanged()
{
    for (TControl* c : m_controls)
        c->ParentCtl3DChanged();
    Invalidate();
}

bool TWinControl::EraseBackground(HDC dc)
{
    if (!dc)
        return false;
    FillRectColor(dc, dc->ClipRect(), Color());
    return true;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

bool TWinControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message)
{
    if (!IsMouseMessage(Message.Msg))
        return false;
    const TPoint p = PointFromLParam(Message.LParam);
    TControl* target = m_capturedControl;
    if (!target && GetCapture() != m_handle) {
        TControl* at = ControlAtPos(p, false);
        if (at && !at->HasOwnWindow())
            target = at;
    }
    if (!target)
        return false;
    TMessage inner = Message;
    inner.LParam = LParamFromPoint(p - target->BoundsRect().TopLeft());
    target->WndProc(inner);
    Message.Result = inner.Result;
    return true;
}

void TWinControl::TrackMouse(const TMessage& Message)
{
    if (!m_mouseTracked && m_handle) {
        // Told once the pointer leaves the window (to a child window too).
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_handle;
        m_mouseTracked = TrackMouseEvent(tme);
        if (m_mouseTracked)
            Perform(CM_MOUSEENTER);
    }
    if (!m_handle)
        return;
    TControl* under = m_capturedControl;
    if (!under && GetCapture() != m_handle) {
        TControl* at = ControlAtPos(PointFromLParam(Message.LParam), false);
        under = at && !at->HasOwnWindow() ? at : nullptr;
    }
    SetMouseControl(under);
}

void TWinControl::SetMouseControl(TControl* control)
{
    if (control == m_mouseControl)
        return;
    TControl* old = m_mouseControl;
    m_mouseControl = control;
    if (old)
        old->Perform(CM_MOUSELEAVE);
    if (control && control == m_mouseControl)
        control->Perform(CM_MOUSEENTER);
}

void TWinControl::MouseLeftWindow()
{
    m_mouseTracked = false;
    SetMouseControl(nullptr);
    Perform(CM_MOUSELEAVE);
}

void TWinControl::WMContextMenu(TMessage& Message)
{
    if (Message.Result == 0 && !IsKeyboardContextMenu(Message.LParam)) {
        const TPoint p = ScreenToClient(PointFromLParam(Message.LParam));
        TControl* child = m_capturedControl ? m_capturedControl : ControlAtPos(p, false);
        if (child && !child->HasOwnWindow()) {
            Message.Result = child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
            if (Message.Result != 0)
                return;
        }
    }
    TControl::WMContextMenu(Message);
}

bool TWinControl::ReflectToChild(TMessage& Message)
{
    HWND from = nullptr;
    if (Message.Msg == WM_COMMAND)
        from = reinterpret_cast<HWND>(Message.LParam);
    else if (const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam))
        from = header->hwndFrom;
    TWinControl* child = from ? FindControl(from) : nullptr;
    if (!child || child == this || child->Parent() != this)
        return false;
    Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}

bool TWinControl::IsMenuKey(WORD Key, LPARAM KeyData)
{
    const TShortCut shortCut = ShortCut(Key, KeyDataToShiftState(KeyData));
    if (shortCut == scNone)
        return false;
    for (TControl* c = this; c; c = c->Parent())
        if (TPopupMenu* menu = c->PopupMenu(); menu && menu->IsShortCut(shortCut))
            return true;
    return false;
}

void TWinControl::WMPaint(TMessage& Message)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_handle, ps);
    if (dc) {
        PaintWindow(dc);
        PaintControls(*dc);
    }
    EndPaint(m_handle, ps);
}

void TWinControl::WMSize(TMessage& Message)
{
    Realign();
    DefaultHandler(Message);
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    if (pos && m_handle && !(pos->flags & SWP_NOMOVE && pos->flags & SWP_NOSIZE && !(pos->flags & SWP_FRAMECHANGED))) {
        TRect r = WindowRect(m_handle);
        if (Parent() && Parent()->m_handle)
            r = MapWindowRect(nullptr, Parent()->m_handle, r);
        UpdateBoundsFromWindow(r.Left, r.Top, r.Width(), r.Height());
    }
    DefaultHandler(Message);
}

void TWinControl::WMSetFocus(TMessage& Message)
{
    DefaultHandler(Message);
    if (TCustomForm* form = GetParentForm(this))
        form->FocusControlChanged(this);
}

void TWinControl::WMKillFocus(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::CNKeyDown(TMessage& Message)
{
    const WORD key = static_cast<WORD>(Message.WParam);
    if (IsMenuKey(key, Message.LParam)) {
        Message.Result = 1;
        return;
    }
    LRESULT mask = 0;
    switch (key) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    Message.Result = 0;
    if (!mask)
        return;
    if (Perform(CM_WANTSPECIALKEY, key, Message.LParam) != 0)
        return;
    const LRESULT code = Perform(WM_GETDLGCODE, key, 0);
    if (code & (mask | DLGC_WANTALLKEYS))
        return;
    // A key the control does not want is a dialog key of its form.
    if (TCustomForm* form = GetParentForm(this))
        if (form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0)
            Message.Result = 1;
}

void TWinControl::WMKeyDown(TMessage& Message)
{
    WORD key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
        form->KeyDown(key, shift);
        if (key == 0)
            return;
    }
    KeyDown(key, shift);
    if (key == 0)
        return;
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    WORD key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
        form->KeyUp(key, shift);
        if (key == 0)
            return;
    }
    KeyUp(key, shift);
    if (key == 0)
        return;
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    char32_t key = static_cast<char32_t>(Message.WParam);
    if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
        form->KeyPress(key);
        if (key == 0)
            return;
    }
    KeyPress(key);
    if (key == 0)
        return;
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::CMDialogKey(TMessage& Message)
{
    // Offered to every child until one takes it (default and cancel buttons do).
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        if (!c->HasOwnWindow() || !c->Visible() || !c->Enabled())
            continue;
        const LRESULT r = c->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam);
        if (r != 0) {
            Message.Result = r;
            return;
        }
    }
    Message.Result = 0;
}

void TWinControl::CMDialogChar(TMessage& Message)
{
    Message.Result = 0;
}

void TWinControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEMOVE)
        TrackMouse(Message);
    if (IsControlMouseMsg(Message)) {
        // The window's default handling still follows (a right-button release asks
        // for the context menu, which the child under the pointer then answers).
        if (Message.Result == 0 && m_handle)
            DefWindowProc(m_handle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    switch (Message.Msg) {
    case WM_MOUSELEAVE:
        MouseLeftWindow();
        DefaultHandler(Message);
        return;
    case WM_COMMAND:
    case WM_NOTIFY:
        // A child control's notice goes back to that control (CN_COMMAND, CN_NOTIFY).
        if (ReflectToChild(Message))
            return;
        DefaultHandler(Message);
        return;
    case WM_PAINT:
        WMPaint(Message);
        return;
    case WM_ERASEBKGND:
        Message.Result = EraseBackground(reinterpret_cast<HDC>(Message.WParam)) ? 1 : 0;
        return;
    case WM_SIZE:
        WMSize(Message);
        return;
    case WM_WINDOWPOSCHANGED:
        WMWindowPosChanged(Message);
        return;
    case WM_SETFOCUS:
        WMSetFocus(Message);
        return;
    case WM_KILLFOCUS:
        WMKillFocus(Message);
        return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        CNKeyDown(Message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        WMKeyDown(Message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(Message);
        return;
    case WM_CHAR:
        WMChar(Message);
        return;
    case CM_DIALOGKEY:
        CMDialogKey(Message);
        return;
    case CM_DIALOGCHAR:
        CMDialogChar(Message);
        return;
    case WM_MOUSEWHEEL: {
        const TPoint pos = PointFromLParam(Message.LParam);
        const int delta = static_cast<int16_t>(HiWord(Message.WParam));
        if (DoMouseWheel(ShiftStateFromMouseFlags(LoWord(Message.WParam)), delta, pos)) {
            Message.Result = 1;
            return;
        }
        DefaultHandler(Message);
        return;
    }
    case WM_SETCURSOR:
        if (static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) == HTCLIENT) {
            TPoint p;
            GetCursorPos(p);
            p = ScreenToClient(p);
            TControl* at = m_capturedControl ? m_capturedControl : ControlAtPos(p, false);
            const TCursor cursor = at && !at->HasOwnWindow() && at->Cursor() != crDefault ? at->Cursor() : Cursor();
            if (cursor != crDefault) {
                ::SetCursor(cursor);
                Message.Result = 1;
                return;
            }
        }
        DefaultHandler(Message);
        return;
    default:
        TControl::WndProc(Message);
        return;
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (!m_handle) {
        Message.Result = 0;
        return;
    }
    Message.Result = DefWindowProc(m_handle, Message.Msg, Message.WParam, Message.LParam);
}

TControl* FindControlAtPoint(TPoint screenPt, bool allowDisabled, HWND window)
{
    HWND h = window ? window : WindowFromPoint(screenPt);
    TWinControl* win = nullptr;
    for (; h && !win; h = GetParent(h))
        win = TWinControl::FindControl(h);
    if (!win)
        return nullptr;
    TControl* inner = win->ControlAtPos(win->ScreenToClient(screenPt), allowDisabled);
    if (inner && !inner->HasOwnWindow())
        return inner;
    return allowDisabled || win->Enabled() ? win : nullptr;
}
