#include "platform/controls/Application.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/backend/qt/QtBackend.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/MessageBoxForm.h"
#include "platform/core/Memory.h"
#include "platform/drawing/GraphicsSystem.h"
#include "platform/window/WinApi.h"

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr)
{
    Application = this;
}

TApplication::~TApplication()
{
    CancelHint();
    // Forms go before the window system they live in.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    SetMessageProcessor({});
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize(int& argc, char** argv, bool headless)
{
    KeepLargeBlocksMapped();
    if (!WindowBackend()) {
        std::unique_ptr<TWindowBackend> backend;
        if (!headless && DisplayAvailable())
            backend = CreateQtBackend(argc, argv);
        if (!backend) {
            EnsureGraphicsSystem();
            backend = std::make_unique<THeadlessBackend>();
        }
        SetWindowBackend(std::move(backend));
    }
    SetMessageProcessor([this](MSG& msg) { ProcessMessage(msg); });
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == static_cast<TComponent*>(m_hintWindow))
        m_hintWindow = nullptr;
}

void TApplication::AddForm(TCustomForm* form)
{
    if (!form)
        return;
    if (form->Owner() != this)
        InsertComponent(form);
    if (!m_mainForm)
        m_mainForm = form;
    // An error in OnCreate ends it and is shown; the form is there all the same.
    try {
        form->DoCreate();
    } catch (const std::exception& e) {
        HandleException(e);
    }
}

namespace {

// Keys go to the control first as CN_ messages, so it can pass dialog keys (Tab,
// Enter, Esc, arrows it does not want) to its form.
bool IsKeyMsg(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    TWinControl* control = nullptr;
    for (HWND h = msg.hwnd; h && !control; h = GetParent(h))
        control = TWinControl::FindControl(h);
    if (!control)
        return false;
    return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

} // namespace

void TApplication::ProcessMessage(MSG& msg)
{
    try {
        HintMessage(msg);
        bool handled = false;
        if (OnMessage)
            OnMessage(msg, handled);
        if (handled || IsKeyMsg(msg))
            return;
        TranslateMessage(msg);
        DispatchMessage(msg);
    } catch (const std::exception& e) {
        HandleException(e);
    }
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            m_terminated = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ProcessMessage(msg);
    }
}

void TApplication::Idle()
{
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (const std::exception& e) {
            HandleException(e);
        }
    }
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            m_terminated = true;
            return;
        }
        ProcessMessage(msg);
        return;
    }
    Idle();
    WaitMessage();
}

void TApplication::Run()
{
    if (m_mainForm && !m_mainForm->Visible())
        m_mainForm->Show();
    while (!m_terminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception& e)
{
    if (OnException) {
        OnException(this, e);
        return;
    }
    ShowException(e);
}

void TApplication::ShowException(const std::exception& e)
{
    std::string text = e.what();
    if (!text.empty() && text.back() != '.')
        text += '.';
    MessageBox(text, m_title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    return RunMessageBoxForm(text, caption.empty() ? m_title : caption, flags);
}

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    if (Application)
        return Application->MessageBox(text, caption, flags);
    return RunMessageBoxForm(text, caption, flags);
}

void ShowMessage(const std::string& text)
{
    ShowMessageBox(text, Application ? Application->Title() : std::string(), MB_OK);
}
