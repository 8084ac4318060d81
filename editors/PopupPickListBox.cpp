#include "editors/PopupPickListBox.h"

#include "platform/core/TextCompare.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

TzqPopupPickListBox::TzqPopupPickListBox(TzqInplaceDropDownEdit* Edit) : TCustomzqPopupListBox(Edit)
{
    SetStyle(TListBoxStyle::lbStandard);
}

void TzqPopupPickListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_BACK || Key == VK_ESCAPE)
        m_search.clear();
    TCustomzqPopupListBox::KeyDown(Key, Shift);
}

void TzqPopupPickListBox::KeyPress(char32_t& Key)
{
    if (Key < 32) {
        if (Key == 8 || Key == 27)
            m_search.clear();
        return;
    }
    const DWORD now = GetTickCount();
    if (DWORD(now - m_lastKeyTime) > SearchResetDelay)
        m_search.clear();
    m_lastKeyTime = now;
    const char32_t typed = Key;
    Key = 0;
    if (int(Utf8ToUtf32(m_search).size()) >= MaxSearchLength)
        return;
    const std::string search = m_search + Utf32ToUtf8(std::u32string(1, typed));
    for (int i = 0; i < Count(); ++i)
        if (StartsText(search, Items()->Strings(i))) {
            m_search = search;
            SelectByUser(i, {});
            return;
        }
    // A character that finds no line is dropped; the search stays as it was.
}
