// TzqInplaceMaskEdit: the text editor with an optional edit mask. Without a mask it is
// the text editor. With one, the text always has one character per mask position: the
// caret sits on a position (shown as a one-character selection), typed characters are
// checked against the position, literals stay in place, Delete and Backspace blank
// positions, pastes are laid in character by character, and leaving with a required
// position empty raises the validation error. The mask's rules live in
// TzqMaskEditState; the editor keeps that state and the edit window in step.
//
// Every editor with an edit field derives from this one.
#pragma once

#include "editors/InplaceTextEdit.h"
#include "editors/MaskEditState.h"

class TzqInplaceMaskEditClass : public TzqInplaceTextEditClass {
public:
    TzqInplaceEdit* Create(TComponent* AOwner) const override;
};

class TzqInplaceMaskEdit : public TzqInplaceTextEdit {
public:
    // Bits of MaskState().
    static constexpr uint8_t msMasked = 0x01;
    static constexpr uint8_t msShowingError = 0x02;

    explicit TzqInplaceMaskEdit(TComponent* AOwner);
    ~TzqInplaceMaskEdit() override;

    static const TzqInplaceEditClass& StaticClass();
    const TzqInplaceEditClass& EditClass() const override;

    const std::string& EditMask() const { return m_editMask; }
    // The text is taken out with the old mask and laid into the new one; Modified
    // stays as it was.
    virtual void SetEditMask(const std::string& Mask);
    virtual std::string GetDefaultEditMask();
    // The edit window's selection (0, 0 for an editor that is not a native edit).
    virtual void GetSel(int& Start, int& Finish);

    bool IsMasked() const { return (m_maskState & msMasked) != 0; }
    uint8_t MaskState() const { return m_maskState; }
    // The mask position the caret is at.
    int CursorPosition() const { return m_state.Cursor(); }
    int MaskLength() const { return m_state.Mask().Length(); }
    bool SaveLiterals() const { return m_state.Mask().SaveLiterals(); }
    char32_t BlankChar() const { return m_state.Mask().Blank(); }
    bool KeyHandled() const { return m_keyHandled; }

    void SetEditValue(const Variant& Value) override;
    void GetEditValue(Variant& Value) override;
    void GetDisplayValue(Variant& Value, bool IsPaintCopy) override;
    // With a mask and a modified value, every required position must be filled.
    void ValidateEdit() override;
    bool HasDropCallback() override;
    void RestoreDefaults() override;

    void WndProc(TMessage& Message) override;

protected:
    std::string WindowClassName() const override { return "TzqInplaceMaskEdit"; }
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void WMSetFocus(TMessage& Message) override;

private:
    // The state takes the window's text when something else changed it.
    void SyncFromWindow();
    // The window shows the state's text (as one edit when it differs) and its cursor.
    void ShowState(bool textChanged);
    // The cursor follows the window's selection, on the nearest input position.
    void RecheckCursor();
    // WM_CLEAR, WM_CUT, WM_PASTE and EM_REPLACESEL with a mask; false: not handled.
    bool HandleMaskedClipboard(TMessage& Message);
    bool MayModify();

    TzqMaskEditState m_state;
    uint8_t m_maskState = 0;
    bool m_keyHandled = false;
    bool m_recheckAfterKey = false;
    bool m_recheckOnKeyUp = false;
    std::string m_editMask;
};
