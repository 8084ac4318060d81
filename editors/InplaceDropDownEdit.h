// TzqInplaceDropDownEdit: the base of the editors with buttons in their border area and,
// for most of them, a drop-down window (a list, a calendar, a calculator). It draws its
// buttons by the resolved button style, makes the button under the pointer hot, presses
// a button with the mouse (a press opens the drop-down; one press-drag-release picks an
// item of it), opens and closes the drop-down with Alt+Down, Alt+Up, F4, Enter and
// Escape, hands the keys left over to the open drop-down, scrolls it with the wheel
// (or steps the value while it is closed), and places it under the editor inside the
// monitor's work area.
//
// The drop-down window belongs to the derived editor; this class only shows where it
// goes, routes to it and hears when it closes (ZQM_CLOSEUP).
#pragma once

#include "editors/DropDownEditViewData.h"
#include "editors/InplaceMaskEdit.h"

#include <functional>
#include <string>

class TBitmap;

// Sender, the value chosen (may be changed), Accept (false refuses it).
using TzqCloseUpEvent = std::function<void(TObject* Sender, std::string& Value, bool& Accept)>;

class TzqInplaceDropDownEditClass : public TzqInplaceMaskEditClass {
public:
    TzqInplaceEdit* Create(TComponent* AOwner) const override;
    TzqEditViewDataClass GetViewDataClass() const override;
    // The client area gives the buttons' room up, at the right (or left) inside the
    // border.
    void CalcViewInfo(const TzqEditViewData& ViewData, bool AutoHeight, TzqEditViewInfo& ViewInfo) const override;
    // The border, then the buttons.
    void DrawBorder(HDC DC, const TzqEditViewInfo& ViewInfo, const TzqEditViewData& ViewData) const override;

    // The rectangle of button Index (editor coordinates) for a view info computed by
    // CalcViewInfo; empty when there is no such button or buttons are hidden.
    static TRect ButtonRect(const TzqEditViewInfo& ViewInfo, const TzqDropDownEditViewData& ViewData, int Index);
    // The button at a point of the editor's window, -1 for none.
    static int ButtonAt(const TzqEditViewInfo& ViewInfo, const TzqDropDownEditViewData& ViewData, TPoint Point);
};

class TzqInplaceDropDownEdit : public TzqInplaceMaskEdit {
public:
    explicit TzqInplaceDropDownEdit(TComponent* AOwner);
    ~TzqInplaceDropDownEdit() override;

    static const TzqInplaceEditClass& StaticClass();
    const TzqInplaceEditClass& EditClass() const override;

    // ---- Properties ----
    int DropDownRows() const { return m_dropDownRows; }
    // At least 1.
    void SetDropDownRows(int Value);
    // 0: as wide as the drop-down's content needs.
    int DropDownWidth() const { return m_dropDownWidth; }
    void SetDropDownWidth(int Value);
    bool ImmediateDropDown() const { return m_immediateDropDown; }
    void SetImmediateDropDown(bool Value) { m_immediateDropDown = Value; }
    bool ImmediatePopup() const { return m_immediatePopup; }
    void SetImmediatePopup(bool Value) { m_immediatePopup = Value; }
    TAlignment PopupAlignment() const { return m_popupAlignment; }
    void SetPopupAlignment(TAlignment Value) { m_popupAlignment = Value; }
    TzqPopupBorder PopupBorder() const { return m_popupBorder; }
    void SetPopupBorder(TzqPopupBorder Value);
    // The border the drop-down gets: PopupBorder, or for pbDefault the host's answer,
    // or without a host pbSingle for single and 3D editor borders, pbFlat for flat ones
    // and pbFrame3D otherwise.
    TzqPopupBorder ResolvedPopupBorder();
    // A picture for the button (a copy is kept); null or empty: the drop-down arrow.
    TBitmap* ButtonGlyph() const { return m_glyph.get(); }
    void SetButtonGlyph(const TBitmap* Value);

    int HotButton() const { return m_hotButton; }
    int PressedButton() const { return m_pressedButton; }
    bool DroppedDown() const { return m_droppedDown; }
    // The window shown as drop-down (owned by the derived editor), or null.
    TWinControl* DropDownWindow() const { return m_dropDownWindow; }
    // Keys reach the open drop-down through the editor (editors whose drop-down takes
    // the focus itself clear it).
    bool PopupKeys() const { return m_popupKeys; }
    // Typing in the text also searches the open drop-down (list editors).
    bool IncrementalKeys() const { return m_incrementalKeys; }

    // ---- Operations ----
    // Places Control under the editor: the editor's client width (at least, with
    // KeepWidth, the control's own), aligned by PopupAlignment, inside the work area of
    // the monitor at the editor (above it when there is more room there).
    virtual void PositionPopup(TWinControl* Control, bool KeepWidth);
    // Closes the drop-down, taking its value when Accept (nothing here).
    virtual void CloseUp(bool Accept);
    // A press on button Index (FromText: a press in the text of an editor that drops
    // down at once): the button is pressed and a drop-down requested.
    virtual void ButtonDown(bool FromText, int Index);
    // A press and release over button Index (nothing here).
    virtual void ButtonClick(int Index);
    // The value a drop-down closes with: OnCloseUp may change or refuse it.
    virtual void DoCloseUp(std::string& Value, bool& Accept);
    // Alt+Down, Alt+Up and F4 toggle the drop-down; Enter and Escape close an open one.
    // Key is 0 afterwards when it was taken.
    virtual void HandleDropDownKey(WORD& Key, TShiftState Shift);
    // Moves the value Delta entries (nothing here).
    virtual void Step(int Delta, bool WrapAround);
    // Opens the drop-down (nothing here).
    virtual void DropDown();
    // The drop-down is about to open: OnDropDownNotify (the row's notice), then
    // OnDropDown.
    virtual void DoDropDown();
    // The text typed while a list is open (nothing here).
    virtual void SearchText(const std::string& Text);
    // The buttons of the view data: one, hidden with ebtHideInactive while the editor is
    // neither focused nor hot, a glyph button when a glyph is set, else a drop-down one.
    virtual void CalcButtons(TzqDropDownEditViewData& ViewData);
    // The glyph's width + 2 (+1 flat and simple, +2 3D), else SM_CXVSCROLL (-1 flat and
    // simple).
    virtual int GetButtonWidth(const TzqDropDownEditViewData& ViewData, int Index);

    std::unique_ptr<TzqEditViewData> CreateViewData(bool IsPaintCopy) override;
    bool HandlesMouseWheel() override;
    // A press on the host at (X, Y) (the host's client coordinates) that opened the
    // editor: a button under the point is pressed as if the press had been on it.
    void HostMouseDown(int X, int Y) override;
    void HostClick() override;
    void AfterShow() override;
    void HandleKillFocus(TMessage& Message) override;

    void WndProc(TMessage& Message) override;

    TzqCloseUpEvent OnCloseUp;
    TNotifyEvent OnDropDownNotify;
    TNotifyEvent OnDropDown;

protected:
    void SetDropDownWindow(TWinControl* Value) { m_dropDownWindow = Value; }
    // Set when the derived editor shows its drop-down; cleared by ZQM_CLOSEUP.
    void SetDroppedDown(bool Value) { m_droppedDown = Value; }
    void SetPopupKeys(bool Value) { m_popupKeys = Value; }
    void SetIncrementalKeys(bool Value) { m_incrementalKeys = Value; }
    // The editor's window rectangle on the screen and its view info.
    void CurrentViewInfo(TzqDropDownEditViewData*& Data, TzqEditViewInfo& Info,
                         std::unique_ptr<TzqEditViewData>& Holder);
    void SetHotButton(int Index);
    // Lets the pressed button go (repainted); no click.
    void ReleasePressedButton();
    void RepaintButtons();

    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    // Non-client hit test: the button under the point becomes hot; answered as border.
    void HitTest(TMessage& Message);
    void NonClientButtonDown(TMessage& Message);
    // While a button is pressed: a move into the open drop-down hands the press over.
    bool PassPressToDropDown(TMessage& Message);
    void ButtonUp(TMessage& Message);
    // A key message while the drop-down is open; true when it was routed or dropped.
    bool RouteKeyToDropDown(TMessage& Message);
    void MouseWheel(TMessage& Message);

    int m_hotButton = -1;
    std::unique_ptr<TBitmap> m_glyph;
    int m_dropDownRows = 7;
    int m_dropDownWidth = 0;
    bool m_immediateDropDown = true;
    bool m_immediatePopup = false;
    TAlignment m_popupAlignment = TAlignment::taLeftJustify;
    TzqPopupBorder m_popupBorder = TzqPopupBorder::pbDefault;
    int m_pressedButton = -1;
    TWinControl* m_dropDownWindow = nullptr;
    bool m_droppedDown = false;
    bool m_popupKeys = true;
    bool m_incrementalKeys = false;
    bool m_trackingLeave = false;
};
