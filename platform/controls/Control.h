// TControl: the base of every visual control. It keeps bounds, alignment, visibility,
// enabling, colour and font (inherited from the parent unless set), hint and popup
// menu slot, and turns window messages into the mouse, drag and click events.
// Controls without a window of their own (TGraphicControl) are painted by their parent
// and receive the mouse through it.
#pragma once

#include "platform/core/Component.h"
#include "platform/controls/ControlTypes.h"
#include "platform/core/Color.h"
#include "platform/drawing/Font.h"

#include <memory>
#include <string>

class TWinControl;
class TCanvas;
class TPopupMenu;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* AParent);
    // The form (or other top-level control) the control stands on.
    TWinControl* ParentForm() const;

    // Bounds in the parent's client coordinates.
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int value) { SetBounds(value, m_top, m_width, m_height); }
    void SetTop(int value) { SetBounds(m_left, value, m_width, m_height); }
    void SetWidth(int value) { SetBounds(m_left, m_top, value, m_height); }
    void SetHeight(int value) { SetBounds(m_left, m_top, m_width, value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return TRect::FromSize(m_left, m_top, m_width, m_height); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return m_align; }
    void SetAlign(TAlign value);

    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a top-level control that is shown.
    bool Showing() const;

    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool value);

    TFont* Font() const { return m_font.get(); }
    void SetFont(const TFont& value);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool value);

    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return m_parentCtl3D; }
    void SetParentCtl3D(bool value);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& value);

    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value) { m_hint = value; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool value);

    // The control's context menu: shown when the control is asked for its context menu
    // (right-button release, menu key, Shift+F10) and OnContextPopup leaves the request,
    // when its AutoPopup is set. Cleared when the menu is destroyed.
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor value);
    TDragMode DragMode() const { return m_dragMode; }
    void SetDragMode(TDragMode value) { m_dragMode = value; }
    TCursor DragCursor() const { return m_dragCursor; }
    void SetDragCursor(TCursor value) { m_dragCursor = value; }

    TControlStyle ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(TControlStyle value) { m_controlStyle = value; }
    TControlState ControlState() const { return m_controlState; }

    // Repaint requests: Invalidate marks the whole control, Update paints what is
    // pending now, Repaint does both.
    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Sends a message straight to the control's message handling.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    // Dragging (the platform's drag machinery): starts now, or once the pointer moved
    // Threshold pixels (the platform's drag distance when negative).
    void BeginDrag(bool Immediate, int Threshold = -1);
    bool Dragging() const;
    void EndDrag(bool Drop);

    // Every message of the control passes through here; descendants handle theirs and
    // pass the rest on.
    virtual void WndProc(TMessage& Message);
    // Messages nobody handled: the window's default procedure.
    virtual void DefaultHandler(TMessage& Message);

    // Events.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    TContextPopupEvent OnContextPopup;

    // A request for the control's context menu at a client point (for a request from
    // the keyboard: the caret, or the top-left corner): OnContextPopup first, then the
    // popup menu when AutoPopup. Answers whether either took it.
    virtual bool DoContextPopup(TPoint MousePos);
    // Where a context menu asked for from the keyboard opens, in client coordinates:
    // the caret when the control's window has it, else the top-left corner.
    virtual TPoint KeyboardContextPoint();
    // Whether the pointer is over the control (between CM_MOUSEENTER and CM_MOUSELEAVE).
    bool MouseInControl() const { return m_mouseInControl; }

    // Framework entry points used by the drag machinery.
    void DoDragMsg(int DragMessage, TObject* Source, TPoint ClientPt, bool& Accept);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void DragCanceled();
    virtual void DoStartDrag(TDragObject*& DragObject);

    // Scales bounds and font from one resolution to another (forms designed at 120 ppi).
    virtual void ChangeScale(int M, int D);

    // Paints a control without a window of its own (TGraphicControl) on its parent's canvas.
    virtual void PaintOnParent(TCanvas& canvas) {}
    virtual bool HasOwnWindow() const { return false; }

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void Resize();
    virtual std::string GetText() const { return m_text; }
    // Called after the text changed.
    virtual void TextChanged() {}
    // Called after the font, colour, enabled state or visibility changed.
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void Ctl3DChanged() {}
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Stores new bounds without moving a window (used when the window moved).
    void UpdateBoundsFromWindow(int ALeft, int ATop, int AWidth, int AHeight);
    // Asks the parent to re-arrange aligned children (after a change of alignment,
    // bounds or visibility); descendants may follow their new alignment first.
    virtual void RequestAlign();
    void SetControlStateFlag(TControlStateFlag flag, bool on) { m_controlState.set(flag, on); }
    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    // The message handlers of the mouse.
    void HandleMouseMessage(TMessage& Message);
    // WM_CONTEXTMENU: DoContextPopup, and the default handling (the parent is asked)
    // when nothing took it.
    virtual void WMContextMenu(TMessage& Message);
    // The pointer came over the control, or left it (CM_MOUSEENTER, CM_MOUSELEAVE).
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // The client point of a WM_CONTEXTMENU (its screen point, or the keyboard point
    // for -1, -1).
    TPoint ContextMenuPoint(const TMessage& Message);

    std::string m_text;
    TControlStyle m_controlStyle{TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csClickEvents,
                                 TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};

private:
    friend class TWinControl;
    void ParentFontChanged();
    void ParentColorChanged();
    void ParentCtl3DChanged();
    void ParentShowHintChanged();

    TWinControl* m_parent = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TAlign m_align = TAlign::alNone;
    bool m_visible = true;
    bool m_enabled = true;
    TColor m_color = clWindow;
    bool m_parentColor = true;
    std::unique_ptr<TFont> m_font;
    bool m_parentFont = true;
    bool m_settingParentFont = false;
    bool m_ctl3D = true;
    bool m_parentCtl3D = true;
    std::string m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TPopupMenu* m_popupMenu = nullptr;
    bool m_mouseInControl = false;
    TCursor m_cursor = crDefault;
    TDragMode m_dragMode = TDragMode::dmManual;
    TCursor m_dragCursor = crDrag;
    TControlState m_controlState;
};
