// TzqPopupPickListBox: the list a pick editor drops down.
#pragma once

#include "editors/CustomzqPopupListBox.h"

#include <string>

// The pick editor's list: its own type-ahead for characters that reach it (reset after
// 2000 ms without typing, by Backspace and by Escape; at most 32 characters; a character
// that finds no line is dropped).
class TzqPopupPickListBox : public TCustomzqPopupListBox {
public:
    static constexpr DWORD SearchResetDelay = 2000;
    static constexpr int MaxSearchLength = 32;

    explicit TzqPopupPickListBox(TzqInplaceDropDownEdit* Edit);

    const std::string& TypedSearch() const { return m_search; }
    void ResetSearch() { m_search.clear(); }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    std::string m_search;
    DWORD m_lastKeyTime = 0;
};
