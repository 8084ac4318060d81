// The application: creates the forms, runs the message loop until the main form
// closes, shows errors in a message box and goes on.
#pragma once

#include "platform/controls/Form.h"
#include "platform/controls/HintInfo.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class THintWindow;

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

    // Control hints: a control whose ShowHint is set shows the short part of its Hint
    // (of the nearest parent with one) after the pointer rested HintPause ms on it, for
    // HintHidePause ms; moving on to another control while a hint shows takes only
    // HintShortPause ms. A press, a key or the wheel cancels the hint, as does leaving
    // the control.
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    TColor HintColor() const { return m_hintColor; }
    void SetHintColor(TColor value);
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int value) { m_hintPause = std::max(0, value); }
    int HintShortPause() const { return m_hintShortPause; }
    void SetHintShortPause(int value) { m_hintShortPause = std::max(0, value); }
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int value) { m_hintHidePause = std::max(0, value); }
    // Whether shortcuts are added to hints (" (Ctrl+S)"); for components that do so.
    bool HintShortCuts() const { return m_hintShortCuts; }
    void SetHintShortCuts(bool value) { m_hintShortCuts = value; }
    // Hides the hint and forgets the control; it comes back after the pause when the
    // pointer moves on it again.
    void CancelHint();
    // Shows the hint of the control under the pointer now, without waiting.
    void ActivateHint(TPoint CursorPos);
    // The application's hint window (made on first use).
    THintWindow* HintWindow();
    // The long part of the hint of the control under the pointer (for a status bar);
    // OnHint fires when it changes.
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value);

    // The window system's notices to the hint machinery: the pointer moved to a screen
    // point over a control (or none), a control was left by the pointer, a control is
    // going away.
    void HintMouseMove(TControl* Control, TPoint ScreenPt);
    void HintControlLeft(TControl* Control);
    void ControlDestroyed(TControl* Control);

    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TShowHintEvent OnShowHint;
    TNotifyEvent OnHint;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Idle();
    // Hint timers and showing.
    void StartHintTimer(int ms);
    void StopHintTimers();
    void HintTimerFired();
    void HideHintTimerFired();
    void HideHintWindow();
    void HintMessage(const MSG& msg);
    bool m_showHint = true;
    TColor m_hintColor = clInfoBk;
    int m_hintPause = 500;
    int m_hintShortPause = 50;
    int m_hintHidePause = 2500;
    bool m_hintShortCuts = false;
    std::string m_hint;
    THintWindow* m_hintWindow = nullptr;
    TControl* m_hintControl = nullptr; // the control the pointer rests on (or its hint parent)
    TRect m_hintCursorRect;            // screen area where the pointer keeps the hint
    bool m_hintActive = false;         // a hint shows now
    std::optional<DWORD> m_hintLeftTick; // when the pointer left a control whose hint showed
    uintptr_t m_hintTimer = 0;
    uintptr_t m_hideTimer = 0;
    std::string m_title;
    TCustomForm* m_mainForm = nullptr;
    bool m_terminated = false;
    int m_modalLevel = 0;
};

extern TApplication* Application;

// The message box of the application (caption: the application's title when empty).
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
void ShowMessage(const std::string& text);
