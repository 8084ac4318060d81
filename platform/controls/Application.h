// The application: creates the forms, runs the message loop until the main form
// closes, shows errors in a message box and goes on.
#pragma once

#include "platform/controls/Form.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Prepares the window system with the Qt back end (or the headless one when asked
    // or when there is no display).
    void Initialize(int& argc, char** argv, bool headless = false);

    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& value) { m_title = value; }
    TCustomForm* MainForm() const { return m_mainForm; }
    bool Terminated() const { return m_terminated; }

    // Makes a form owned by the application; the first one becomes the main form.
    template <typename TFormClass>
    TFormClass* CreateForm()
    {
        auto* form = new TFormClass(this);
        AddForm(form);
        return form;
    }
    void AddForm(TCustomForm* form);

    // Shows the main form and handles messages until it closes.
    void Run();
    void Terminate();
    // Handles every message waiting now.
    void ProcessMessages();
    // Waits for one message and handles it (idle handling when there is none).
    void HandleMessage();
    // The application's handling of one retrieved message (dialog keys, dispatch, errors).
    void ProcessMessage(MSG& msg);

    // Shows the error's message in a message box (or OnException when assigned).
    void HandleException(const std::exception& e);
    void ShowException(const std::exception& e);
    int MessageBox(const std::string& text, const std::string& caption = {}, UINT flags = MB_OK);

    // Closing all windows except one for a modal form, and back.
    int ModalLevel() const { return m_modalLevel; }
    void ModalStarted() { ++m_modalLevel; }
    void ModalFinished() { --m_modalLevel; }

    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;

private:
    void Idle();
    std::string m_title;
    TCustomForm* m_mainForm = nullptr;
    bool m_terminated = false;
    int m_modalLevel = 0;
};

extern TApplication* Application;

// The message box of the application (caption: the application's title when empty).
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
void ShowMessage(const std::string& text);
