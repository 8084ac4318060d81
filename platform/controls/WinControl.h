// TWinControl: a control with a window of its own. The window is made on demand (the
// first time Handle() is asked, or when the control's parent window is made), re-made
// when a creation parameter changes (RecreateWnd), and bound to the control so that
// every message reaches WndProc. It holds child controls, aligns them, keeps the tab
// order and turns keys and focus changes into events.
#pragma once

#include "platform/controls/Control.h"
#include "platform/core/WindowStyles.h"

#include <vector>

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    UINT WindowClassStyle = CS_DBLCLKS;
    HCURSOR WindowClassCursor = IDC_ARROW;
    TColor WindowClassBackground = 0x1FFFFFFF; // clNone: the control erases itself
    std::string WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window and makes it again with fresh creation parameters (when it
    // exists); child windows are made again with it.
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* AControl) const;
    // The child at a client point (controls without windows included); disabled ones too
    // when asked.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled) const;

    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int value);
    // Children that can take the focus in tab order, descending into containers.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // Gives the focus to the next (or previous) control after `current` in tab order.
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;

    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();

    // Alignment of children (alTop, alBottom, alLeft, alRight, alClient) inside the
    // client area.
    void Realign();
    void DisableAlign() { ++m_alignDisabled; }
    void EnableAlign();
    // Paints the children that have no window of their own.
    void PaintControls(TCanvas& canvas);

    void ChangeScale(int M, int D) override;
    void ScaleBy(int M, int D) { ChangeScale(M, D); }

    void Invalidate() override;
    void Update() override;
    TPoint ClientOrigin() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() const override;
    bool HasOwnWindow() const override { return true; }

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    // The control behind a window made by a TWinControl, or null.
    static TWinControl* FindControl(HWND hwnd);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseWheelEvent OnMouseWheel;

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    // After the window exists: children get theirs, the font and text are applied.
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // Called when the window has just been made (and after each re-make).
    virtual void WindowCreated() {}

    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual void DoEnter();
    virtual void DoExit();
    // Arranges aligned children inside `rect` (the client area at first).
    virtual void AlignControls(TControl* AControl, TRect& rect);
    // The window's own painting (the control's canvas for custom controls).
    virtual void PaintWindow(HDC dc) {}
    // Fills the background with Color; answers whether it did.
    virtual bool EraseBackground(HDC dc);

    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void Ctl3DChanged() override;

    // Handlers the framework routes here; descendants may extend them.
    virtual void WMPaint(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void CNKeyDown(TMessage& Message);
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    // A windowless child under a mouse request takes it first.
    void WMContextMenu(TMessage& Message) override;
    // A key that is the shortcut of an item of the popup menu of the control or of a
    // parent runs that item; answers whether one ran.
    bool IsMenuKey(WORD Key, LPARAM KeyData);
    // Sends a child's WM_COMMAND or WM_NOTIFY back to it as CN_COMMAND or CN_NOTIFY;
    // answers whether the message came from a child control.
    bool ReflectToChild(TMessage& Message);

    // True while the window is being destroyed (and so must not be asked to paint).
    bool m_destroyingHandle = false;

private:
    friend class TControl;
    friend class TCustomForm;
    LRESULT WindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Gives a mouse message over (or captured by) a child without a window to that child.
    bool IsControlMouseMsg(TMessage& Message);
    // CM_MOUSEENTER and CM_MOUSELEAVE for the control and its windowless children,
    // from its mouse moves and the leave notice it asks for (TrackMouseEvent).
    void TrackMouse(const TMessage& Message);
    void MouseLeftWindow();
    void SetMouseControl(TControl* control);
    void AlignChildren();
    TControl* m_capturedControl = nullptr;
    TControl* m_mouseControl = nullptr; // the windowless child the pointer is over
    bool m_mouseTracked = false;
    std::vector<TControl*> m_controls; // z-order of windowless controls: later on top
    std::vector<TWinControl*> m_tabList;
    HWND m_handle = nullptr;
    bool m_tabStop = false;
    int m_alignDisabled = 0;
    bool m_aligning = false;
    bool m_alignPending = false;
};

// The control of the program under a screen point, windowless ones included, or null;
// disabled controls only when allowed. `window`, when the caller knows it, is the window
// under the point.
TControl* FindControlAtPoint(TPoint screenPt, bool allowDisabled, HWND window = nullptr);
