#include "platform/controls/Form.h"

#include "platform/controls/Application.h"
#include "platform/core/Exception.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* c = control;
    while (c && c->Parent())
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner)
{
    SetVisible(false);
    SetParentColor(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm()
{
    BeforeDestruction();
    if (OnDestroy)
        OnDestroy(this);
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == m_formStyle)
        return;
    m_formStyle = value;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState value)
{
    m_windowState = value;
    if (!HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    switch (value) {
    case TWindowState::wsMaximized:
        ShowWindow(Handle(), SW_SHOWMAXIMIZED);
        break;
    case TWindowState::wsMinimized:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    default:
        ShowWindow(Handle(), SW_RESTORE);
        break;
    }
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle = 0;
    switch (m_borderStyle) {
    case TFormBorderStyle::bsNone:
        Params.Style |= WS_POPUP;
        break;
    case TFormBorderStyle::bsSingle:
        Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case TFormBorderStyle::bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case TFormBorderStyle::bsToolWindow:
        Params.Style |= WS_CAPTION | WS_SYSMENU;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case TFormBorderStyle::bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    default:
        Params.Style |= WS_OVERLAPPEDWINDOW;
        break;
    }
    if (m_formStyle == TFormStyle::fsStayOnTop)
        Params.ExStyle |= WS_EX_TOPMOST;
    // Secondary forms are owned by the main form so that they stay above it.
    Params.WndParent = nullptr;
    if (Application && Application->MainForm() && Application->MainForm() != this && Application->MainForm()->HandleAllocated())
        Params.WndParent = Application->MainForm()->Handle();
    Params.WinClassName = "TForm";
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
}

void TCustomForm::ScaleToScreen()
{
    if (m_scaledToScreen || !m_scaled)
        return;
    m_scaledToScreen = true;
    const int screen = GetScreenPixelsPerInch();
    if (screen != m_pixelsPerInch && m_pixelsPerInch > 0) {
        // The client area scales; the frame keeps its size.
        const int clientW = MulDiv(ClientWidth(), screen, m_pixelsPerInch);
        const int clientH = MulDiv(ClientHeight(), screen, m_pixelsPerInch);
        const int left = MulDiv(Left(), screen, m_pixelsPerInch);
        const int top = MulDiv(Top(), screen, m_pixelsPerInch);
        DisableAlign();
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->ChangeScale(screen, m_pixelsPerInch);
        if (!ParentFont()) {
            TFont f;
            f.Assign(*Font());
            f.SetHeight(MulDiv(f.Height(), screen, m_pixelsPerInch));
            SetFont(f);
        }
        SetBounds(left, top, Width(), Height());
        SetClientWidth(clientW);
        SetClientHeight(clientH);
        EnableAlign();
        m_pixelsPerInch = screen;
    }
}

void TCustomForm::PlaceOnScreen()
{
    if (m_placed)
        return;
    m_placed = true;
    if (m_position == TPosition::poScreenCenter || m_position == TPosition::poDesktopCenter ||
        (m_position == TPosition::poMainFormCenter && !(Application && Application->MainForm()))) {
        const TRect screen = GetWorkArea();
        SetBounds(screen.Left + (screen.Width() - Width()) / 2, screen.Top + (screen.Height() - Height()) / 2, Width(), Height());
    } else if (m_position == TPosition::poMainFormCenter || m_position == TPosition::poOwnerFormCenter) {
        TCustomForm* owner = Application ? Application->MainForm() : nullptr;
        if (owner && owner != this)
            SetBounds(owner->Left() + (owner->Width() - Width()) / 2, owner->Top() + (owner->Height() - Height()) / 2, Width(), Height());
    }
}

void TCustomForm::VisibleChanged()
{
    const HWND h = Handle();
    if (!h)
        return;
    if (Visible()) {
        ScaleToScreen();
        PlaceOnScreen();
        if (OnShow)
            OnShow(this);
        if (m_windowState == TWindowState::wsMaximized)
            ShowWindow(h, SW_SHOWMAXIMIZED);
        else
            ShowWindow(h, SW_SHOW);
    } else {
        if (OnHide)
            OnHide(this);
        ShowWindow(h, SW_HIDE);
    }
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == m_activeControl)
        return;
    if (control && (control == this || !ContainsControl(control)))
        return;
    if (m_activeControl)
        m_activeControl->RemoveFreeNotification(this);
    m_activeControl = control;
    if (control)
        control->FreeNotification(this);
    if (m_active && control && control->HandleAllocated() && GetFocus() != control->Handle() && control->CanFocus())
        ::SetFocus(control->Handle());
}

void TCustomForm::FocusControlChanged(TWinControl* control)
{
    if (control == this)
        return;
    if (control != m_activeControl) {
        if (m_activeControl)
            m_activeControl->RemoveFreeNotification(this);
        m_activeControl = control;
        if (control)
            control->FreeNotification(this);
    }
    if (control == m_focusedControl)
        return;
    // OnExit for the controls left, OnEnter for the controls entered (outermost first).
    TWinControl* old = m_focusedControl;
    m_focusedControl = control;
    std::vector<TWinControl*> leaving, entering;
    for (TWinControl* c = old; c && c != this; c = c->Parent())
        if (!control || !c->ContainsControl(control))
            leaving.push_back(c);
    for (TWinControl* c = control; c && c != this; c = c->Parent())
        if (!old || !c->ContainsControl(old))
            entering.push_back(c);
    for (TWinControl* c : leaving)
        c->DoExit();
    for (auto it = entering.rbegin(); it != entering.rend(); ++it)
        (*it)->DoEnter();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_activeControl)
        m_activeControl = nullptr;
    if (AComponent == m_focusedControl)
        m_focusedControl = nullptr;
}

void TCustomForm::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window.");
    if (HandleAllocated())
        SetActiveWindow(Handle());
}

void TCustomForm::SetActive(bool value)
{
    if (value == m_active)
        return;
    m_active = value;
    if (value) {
        // The focus goes back to the active control, or the first control that takes it.
        TWinControl* target = m_activeControl;
        if (!target || !target->CanFocus())
            target = FindNextControl(nullptr, true, true, false);
        if (target && target->CanFocus())
            ::SetFocus(target->Handle());
        else
            ::SetFocus(Handle());
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::Activate()
{
    if (OnActivate)
        OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate)
        OnDeactivate(this);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose)
        OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (m_modal) {
        if (m_modalResult == mrNone)
            m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = (Application && Application->MainForm() == this) ? TCloseAction::caFree : TCloseAction::caHide;
    DoClose(action);
    switch (action) {
    case TCloseAction::caNone:
        return;
    case TCloseAction::caMinimize:
        SetWindowState(TWindowState::wsMinimized);
        return;
    case TCloseAction::caFree:
        if (Application && Application->MainForm() == this) {
            Hide();
            Application->Terminate();
        } else {
            Release();
        }
        return;
    default:
        Hide();
        return;
    }
}

void TCustomForm::Release()
{
    Hide();
    if (HandleAllocated())
        PostMessage(Handle(), CM_RELEASE, 0, 0);
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || m_modal)
        throw EInvalidOperation("Cannot make a visible window modal.");
    if (GetCapture())
        ReleaseCapture();
    const HWND previousActive = GetActiveWindow();
    HandleNeeded();
    // Every other enabled top-level window is disabled while the form runs.
    std::vector<HWND> disabled;
    for (HWND h : GetTopLevelWindows())
        if (h != Handle() && IsWindowVisible(h) && IsWindowEnabled(h)) {
            EnableWindow(h, false);
            disabled.push_back(h);
        }
    m_modal = true;
    m_modalResult = mrNone;
    if (Application)
        Application->ModalStarted();
    struct Restore {
        TCustomForm* form;
        std::vector<HWND>& windows;
        HWND previous;
        ~Restore()
        {
            form->m_modal = false;
            if (Application)
                Application->ModalFinished();
            for (HWND h : windows)
                if (IsWindow(h))
                    EnableWindow(h, true);
            if (form->Visible())
                form->Hide();
            if (previous && IsWindow(previous))
                SetActiveWindow(previous);
        }
    } restore{this, disabled, previousActive};

    Show();
    RunMessageLoop([this] {
        if (Application && Application->Terminated())
            return true;
        if (m_modalResult == mrNone)
            return false;
        // Closing may be refused (OnCloseQuery, OnClose with caNone).
        if (!CloseQuery()) {
            m_modalResult = mrNone;
            return false;
        }
        TCloseAction action = TCloseAction::caHide;
        DoClose(action);
        if (action == TCloseAction::caNone) {
            m_modalResult = mrNone;
            return false;
        }
        return true;
    });
    return m_modalResult;
}

void TCustomForm::CMDialogKey(TMessage& Message)
{
    const WORD key = static_cast<WORD>(Message.WParam);
    const bool alt = (Message.LParam & KF_ALTDOWN_LPARAM) != 0;
    if (!alt && (GetKeyState(VK_CONTROL) >= 0)) {
        switch (key) {
        case VK_TAB:
            SelectNext(m_activeControl, GetKeyState(VK_SHIFT) >= 0, true);
            Message.Result = 1;
            return;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (m_activeControl && m_activeControl->Parent()) {
                m_activeControl->Parent()->SelectNext(m_activeControl, key == VK_RIGHT || key == VK_DOWN, false);
                Message.Result = 1;
                return;
            }
            break;
        default:
            break;
        }
    }
    TWinControl::CMDialogKey(Message);
}

void TCustomForm::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ACTIVATE:
        SetActive(LoWord(Message.WParam) != WA_INACTIVE);
        return;
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        delete this;
        return;
    case WM_SYSCOMMAND:
        if ((Message.WParam & 0xFFF0) == SC_MAXIMIZE)
            m_windowState = TWindowState::wsMaximized;
        else if ((Message.WParam & 0xFFF0) == SC_RESTORE)
            m_windowState = TWindowState::wsNormal;
        TWinControl::WndProc(Message);
        return;
    default:
        TWinControl::WndProc(Message);
        return;
    }
}
