// TzqInplaceCheckEdit: a check box over a cell. Its value is the state as a whole
// number (0 unchecked, 1 checked, 2 grayed). Space and the left button press the box
// while they are down and toggle it when released (the mouse only when released over
// the editor); the host's click toggles it too. Toggling goes unchecked -> checked ->
// unchecked, or unchecked -> grayed -> checked -> unchecked with AllowGrayed. Left and
// Right move to the neighbouring cells. The box is drawn in the editor's button style.
#pragma once

#include "editors/CheckEditViewData.h"
#include "editors/InplaceEdit.h"

#include <functional>
#include <string>

// Sender, the editor's text (the state as text) and the new state.
using TzqToggleClickEvent = std::function<void(TObject* Sender, const std::string& Text, int State)>;

class TzqInplaceCheckEditClass : public TzqInplaceEditClass {
public:
    static constexpr int BoxSize = 13;

    TzqInplaceEdit* Create(TComponent* AOwner) const override;
    TzqEditViewDataClass GetViewDataClass() const override;
    // The background, and the box aligned by the view data's alignment, centred
    // vertically: 3D, flat (btsFlat, btsHotFlat) or a single frame (btsSimple).
    bool DrawContent(HDC DC, const TRect& Rect, bool IsWindowPaint, TzqEditViewData& ViewData) const override;
    // Where the box lies in a cell.
    static TRect BoxRect(const TRect& Cell, TAlignment Alignment);
};

class TzqInplaceCheckEdit : public TzqInplaceEdit {
public:
    explicit TzqInplaceCheckEdit(TComponent* AOwner);
    ~TzqInplaceCheckEdit() override;

    static const TzqInplaceEditClass& StaticClass();
    const TzqInplaceEditClass& EditClass() const override;

    int State() const { return m_state; }
    // 0, 1 or 2; anything else is ignored.
    void SetState(int Value);
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool Value) { m_allowGrayed = Value; }
    // How a null value shows: unchecked, an inactive box, or grayed and checked.
    TzqShowNullFieldStyle ShowNullFieldStyle() const { return m_showNullFieldStyle; }
    void SetShowNullFieldStyle(TzqShowNullFieldStyle Value);
    // The value is null (loaded so and not toggled since).
    bool IsNull() const { return m_isNull; }
    // The box is shown pressed (Space or the left button held).
    bool Pressed() const { return m_pressed; }

    // The next state, when the value may change; Modified; OnToggleClick.
    void Toggle();

    // The state as a whole number; a value that is not 0, 1 or 2 is unchecked, and a null
    // value stays null (State 0) until the box is toggled.
    void SetEditValue(const Variant& Value) override;
    void GetEditValue(Variant& Value) override;
    void GetDisplayValue(Variant& Value, bool IsPaintCopy) override;
    std::unique_ptr<TzqEditViewData> CreateViewData(bool IsPaintCopy) override;
    bool CanRestoreUndoPoint() override;
    void HostClick() override;
    void HandleKillFocus(TMessage& Message) override;

    void WndProc(TMessage& Message) override;

    TzqToggleClickEvent OnToggleClick;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void TextChanged() override;

private:
    void SetPressed(bool Value);
    void EndMousePress();

    int m_state = zqcbUnchecked;
    bool m_isNull = false;
    TzqShowNullFieldStyle m_showNullFieldStyle = TzqShowNullFieldStyle::nsGrayedChecked;
    bool m_allowGrayed = false;
    bool m_pressed = false;
    bool m_spaceDown = false;
    bool m_mouseDown = false;
};
