// TzqInplaceEdit: the base of the small editor windows a host control (a
// TCustomzqContainer) lays over one of its cells while the user edits a value. The
// editor is owned by its host and a child window of it, never in the tab order; it
// hands navigation keys to the host, validates its value before the focus or the cell
// changes, and keeps an undo point Escape returns to.
//
// Its look comes from its edit style and the style controllers. The drawing is done
// by class-level operations (TzqInplaceEditClass) on a view data object, so that a
// host paints the cells that are not being edited exactly as the editor would show
// them, without an editor window.
#pragma once

#include "editors/EditStyle.h"
#include "editors/EditViewData.h"
#include "platform/controls/WinControl.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Region.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TCustomzqContainer;
class TzqEditStyleController;
class TzqInplaceEdit;
class TRegion;

using TzqEditValidateEvent = std::function<void(TObject* Sender, std::string& ErrorText, bool& Accept)>;
// An edit style class: makes the style of an editor.
using TzqEditStyleClass = std::unique_ptr<TzqEditStyle> (*)(TzqInplaceEdit* Edit);
template <typename T>
std::unique_ptr<TzqEditStyle> NewEditStyleOf(TzqInplaceEdit* Edit)
{
    return std::make_unique<T>(Edit);
}

// The class-level operations of an editor class, callable without an editor: a host
// keeps the class of each cell's editor and paints with it. Every editor class has one
// object of its class type (its StaticClass), whose operations derived classes
// override; an editor answers its own with EditClass().
class TzqInplaceEditClass {
public:
    virtual ~TzqInplaceEditClass() = default;

    // A new editor of this class, owned by its host.
    virtual TzqInplaceEdit* Create(TComponent* AOwner) const;
    // Makes the style of an editor of this class (hosts may choose their own).
    virtual TzqEditStyleClass GetEditStyleClass() const;
    virtual TzqEditViewDataClass GetViewDataClass() const;
    // Ctrl is down and Alt is not (the keyboard now).
    virtual bool IsCtrlOnlyDown() const;
    // Where border, shadow and client area lie for the view data. AutoHeight is for
    // editors that size themselves; the in-place editors here do not.
    virtual void CalcViewInfo(const TzqEditViewData& ViewData, bool AutoHeight, TzqEditViewInfo& ViewInfo) const;
    // The whole editor: border, shadow and content. With a Region, the editor's outline
    // is taken out of it, so a host can paint around the cells already drawn.
    virtual void Draw(HDC DC, TzqEditViewData& ViewData, TRegion* Region) const;
    virtual void DrawBorder(HDC DC, const TzqEditViewInfo& ViewInfo, const TzqEditViewData& ViewData) const;
    // The client area's content: the background here. Answers whether it drew.
    virtual bool DrawContent(HDC DC, const TRect& Rect, bool IsWindowPaint, TzqEditViewData& ViewData) const;
    // The cursor over a client point (crDefault: no change).
    virtual TCursor GetCursor(int X, int Y, const TzqEditViewData& ViewData) const;
    // The height an editor needs for one line of its font.
    virtual int GetDefaultHeight(const TzqEditViewData& ViewData) const;
    // An extra area inside the editor (a toolbar); empty here.
    virtual void GetAuxRect(const TzqEditViewData& ViewData, TRect& Rect) const;
    virtual bool IsInplace() const;

    // Border thickness of a border style.
    static int BorderWidthOf(TzqEditBorderStyle Style);
};

// The class of editor TEdit, with the class-level operations of Base.
template <typename TEdit, typename Base = TzqInplaceEditClass>
class TzqInplaceEditClassOf : public Base {
public:
    TzqInplaceEdit* Create(TComponent* AOwner) const override { return new TEdit(AOwner); }
};

// The border style hot tracking raises a hot editor to (xbsNone to xbsFlat, xbsSingle
// to xbsThick, xbsFlat to xbs3D; the others stay); Raise false answers Style.
TzqEditBorderStyle HotTrackedBorderStyle(TzqEditBorderStyle Style, bool Raise);
// btsDefault resolved from the border style: xbsNone btsSimple, xbsSingle btsHotFlat,
// xbsFlat btsFlat, xbsThick and xbs3D bts3D; any other style stays.
TzqEditButtonViewStyle ResolvedButtonStyle(TzqEditButtonViewStyle Style, TzqEditBorderStyle BorderStyle);
// The editor's outline: its border rectangle, with the shadow rectangle when it has one.
TRegion EditOutline(const TzqEditViewInfo& Info);

class TzqInplaceEdit : public TWinControl {
public:
    // An editor of `AOwner` (its host when that is a TCustomzqContainer); the host makes
    // the style.
    explicit TzqInplaceEdit(TComponent* AOwner);
    ~TzqInplaceEdit() override;

    static const TzqInplaceEditClass& StaticClass();
    // The class-level operations of the editor's class.
    virtual const TzqInplaceEditClass& EditClass() const;

    TCustomzqContainer* Container() const { return m_container; }

    // ---- Properties ----
    TAlignment Alignment() const { return m_alignment; }
    // Stores it and makes the window again.
    virtual void SetAlignment(TAlignment Value);
    bool ReadOnly() const { return m_readOnly; }
    virtual void SetReadOnly(bool Value);
    // The pointer is over the editor.
    bool Hot() const { return m_hot; }
    virtual void SetHot(bool Value);
    // An unfocused transparent editor leaves its background alone.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool Value);
    // Margins of the text inside the client area; a different rectangle makes the
    // window again.
    const TRect& TextOffsets() const { return m_textOffsets; }
    void SetTextOffsets(const TRect& Value);
    TzqEditStyle* Style() const { return m_style.get(); }
    // A controller whose values the style follows where it sets none (not owned; it
    // becomes null when the controller is destroyed).
    TzqEditStyleController* StyleController() const { return m_styleController; }
    void SetStyleController(TzqEditStyleController* Value);
    // The editor shows over its host.
    bool Shown() const { return m_shown; }
    // Above 0 while a key is being handed to the host.
    int KeyLock() const { return m_keyLock; }
    // The message time of the last left-button press on the host (written by the host;
    // 0: none).
    DWORD ClickTime() const { return m_clickTime; }
    void SetClickTime(DWORD Value) { m_clickTime = Value; }
    // Set by derived editors: a list editor writing a value found by its own search (a
    // data-bound host does not reload the editor meanwhile), an editor that drops down
    // at once, an editor storing a new value of its own.
    bool SelfUpdating() const { return m_selfUpdating; }
    bool ImmediateDrop() const { return m_immediateDrop; }
    bool SettingValue() const { return m_settingValue; }
    // Which properties were set explicitly (bit 0 Alignment, bit 6 ReadOnly).
    uint8_t StoredValues() const { return m_storedValues; }
    void SetStoredValues(uint8_t Value) { m_storedValues = Value; }

    // ---- The value ----
    // Null (or unassigned) empties the text; any other value shows as its text.
    virtual void SetEditValue(const Variant& Value);
    virtual void GetDisplayValue(Variant& Value, bool IsPaintCopy);
    virtual void GetEditValue(Variant& Value);
    virtual void GetDisplayText(std::string& Text);
    virtual bool GetModified();
    virtual void SetModified(bool Value);
    // Sets the text as if typed (when the value may change) and marks it modified.
    virtual void SetTextModified(const std::string& Text);
    // The saved text and Modified flag Escape returns to.
    virtual void SaveUndoPoint(bool Entering);
    virtual void RestoreUndoPoint();
    virtual bool CanRestoreUndoPoint();
    // Raises EzqEditInvalidInput (after a beep, with the focus back in the editor) when
    // a modified value is refused by OnValidate; not while a key is handed to the host.
    virtual void ValidateEdit();

    // ---- Questions ----
    virtual bool IsValidChar(char32_t Key);
    virtual bool CanModify();
    virtual bool CanEditText();
    virtual bool IsModifyingKey(WORD Key, TShiftState Shift);
    virtual bool HandlesMouseWheel();
    virtual bool WantTabs();
    virtual bool IsNativeEdit();
    virtual bool IsFocused();
    virtual bool IsHot();
    virtual TAlignment GetDefaultAlignment();
    virtual bool GetDefaultReadOnly();

    // ---- Showing over a cell ----
    // Lays the editor over the cell (its client area covers Rect, its border lies
    // around it), shows it, gives it the focus and selects its text; AfterShow the
    // first time.
    void ShowAt(const TRect& Rect);
    // Shows the window where it is.
    virtual void Show();
    // Hides it and has the host repaint the cell under it.
    virtual void Hide();
    virtual void AfterShow();
    virtual void SelectAll();
    virtual void MoveCaretToEnd();
    virtual void HostMouseDown(int X, int Y);
    virtual void HostClick();
    virtual void NavigateHost(bool Backward);
    virtual void RestoreDefaults();

    // ---- Look ----
    // The view data of the editor as it is now (the caller owns it).
    virtual std::unique_ptr<TzqEditViewData> CreateViewData(bool IsPaintCopy);
    // The style or a controller changed: new size and region, repainted.
    virtual void StyleChanged();
    virtual void FocusChanged();
    // Size and window region from the view info of the editor's view data.
    void UpdateBounds();
    virtual void HandleKillFocus(TMessage& Message);

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TzqEditValidateEvent OnValidate;

protected:
    // The value changed: the change notice to the parent, then OnChange.
    virtual void Change();

    void SetSelfUpdating(bool Value) { m_selfUpdating = Value; }
    void SetImmediateDrop(bool Value) { m_immediateDrop = Value; }
    void SetSettingValue(bool Value) { m_settingValue = Value; }

    void CreateParams(TCreateParams& Params) override;
    // A window made again (new alignment or text offsets) keeps the editor's region and,
    // while the editor is shown, shows again.
    void WindowCreated() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DblClick() override;
    void DoEnter() override;
    void DoExit() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void PaintWindow(HDC DC) override;
    bool EraseBackground(HDC DC) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMKeyDown(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The editor's background brush, in its colour.
    TBrush* Brush();

private:
    // Message handlers (InplaceEditMessages.cpp); each answers whether it took the
    // message.
    bool HandleWindowMessage(TMessage& Message);
    bool HandleMouseButton(TMessage& Message);
    void CalcNonClientSize(TMessage& Message);
    void PaintNonClient();
    // Hot tracking or button transparence: the look follows the pointer and the focus.
    bool TracksHotState();
    void ForwardWheel(TMessage& Message);
    void SubscribeTo(TzqEditStyleController* Controller);

    TCustomzqContainer* m_container = nullptr;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_modified = false;
    TRect m_textOffsets;
    std::string m_savedText;
    bool m_savedModified = false;
    bool m_readOnly = false;
    bool m_hot = false;
    bool m_transparent = false;
    std::unique_ptr<TzqEditStyle> m_style;
    TzqEditStyleController* m_defaultController = nullptr; // subscribed to for life
    TzqEditStyleController* m_styleController = nullptr;
    bool m_shown = false;
    int32_t m_keyLock = 0;
    bool m_selfUpdating = false;
    bool m_immediateDrop = false;
    bool m_settingValue = false;
    DWORD m_clickTime = 0;
    uint8_t m_storedValues = 0;
    bool m_updatingBounds = false;
    TBrush m_brush;
};
