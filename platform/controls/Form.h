// Forms: the top-level windows of the program. A form has a caption and a border, a
// position, a window state, the active control, and can be shown modally.
#pragma once

#include "platform/controls/WinControl.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition value) { m_position = value; }
    TWindowState WindowState() const { return m_windowState; }
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle value);
    bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool value) { m_keyPreview = value; }

    // The control with the focus when the form is active.
    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);
    bool Active() const { return m_active; }

    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult value) { m_modalResult = value; }
    // Shows the form, disables the other forms, runs a message loop until ModalResult is
    // set (or the form closes), hides it and gives activation and focus back.
    TModalResult ShowModal();
    bool IsModal() const { return m_modal; }

    void Close();
    bool CloseQuery();
    void Release(); // frees the form once its current message is handled

    // Forms are designed at this resolution and scaled to the screen's when shown.
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int value) { m_pixelsPerInch = value; }
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool value) { m_scaled = value; }
    // Scales the form to the screen resolution now (when Scaled and not yet done).
    void ScaleToScreen();

    void SetFocus() override;
    bool CanFocus() const override { return Visible() && Enabled(); }

    // Focus moves from one control to another inside the form (OnExit, OnEnter).
    void FocusControlChanged(TWinControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void WndProc(TMessage& Message) override;

    // Runs OnCreate: forms call it when their controls are made (Application::CreateForm
    // does so); a form built in code calls it at the end of its constructor.
    void DoCreate();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void VisibleChanged() override;
    void CMDialogKey(TMessage& Message) override;
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoClose(TCloseAction& Action);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void PlaceOnScreen();
    void SetActive(bool value);
    TFormBorderStyle m_borderStyle = TFormBorderStyle::bsSizeable;
    TPosition m_position = TPosition::poDesigned;
    TWindowState m_windowState = TWindowState::wsNormal;
    TFormStyle m_formStyle = TFormStyle::fsNormal;
    bool m_keyPreview = false;
    TWinControl* m_activeControl = nullptr;
    TWinControl* m_focusedControl = nullptr;
    bool m_active = false;
    bool m_modal = false;
    TModalResult m_modalResult = mrNone;
    int m_pixelsPerInch = 96;
    bool m_scaled = true;
    bool m_scaledToScreen = false;
    bool m_placed = false;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// The form a control stands on, or null.
TCustomForm* GetParentForm(const TControl* control);
