#include "editors/InplacePickEdit.h"

#include "editors/InplacePopupControl.h"
#include "platform/controls/TextMeasure.h"
#include "platform/core/TextCompare.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

int CharCount(const std::string& text)
{
    return int(Utf8ToUtf32(text).size());
}

// The text without its last character.
std::string WithoutLastChar(const std::string& text)
{
    std::u32string chars = Utf8ToUtf32(text);
    if (!chars.empty())
        chars.pop_back();
    return Utf32ToUtf8(chars);
}

} // namespace

// ---- The class ----

TzqInplaceEdit* TzqInplacePickEditClass::Create(TComponent* AOwner) const
{
    return new TzqInplacePickEdit(AOwner);
}

// ---- The editor ----

TzqInplacePickEdit::TzqInplacePickEdit(TComponent* AOwner)
    : TzqInplaceDropDownEdit(AOwner), m_items(std::make_unique<TStringList>())
{
    SetIncrementalKeys(true);
    m_list = new TzqPopupPickListBox(this);
}

TzqInplacePickEdit::~TzqInplacePickEdit() = default;

const TzqInplaceEditClass& TzqInplacePickEdit::StaticClass()
{
    static const TzqInplacePickEditClass instance;
    return instance;
}

const TzqInplaceEditClass& TzqInplacePickEdit::EditClass() const
{
    return StaticClass();
}

void TzqInplacePickEdit::SetSorted(bool Value)
{
    m_sorted = Value;
    m_items->SetSorted(Value);
}

int TzqInplacePickEdit::FindItem(const std::string& Text) const
{
    if (Text.empty())
        return -1;
    for (int i = 0; i < m_items->Count(); ++i)
        if (StartsText(Text, m_items->Strings(i)))
            return i;
    return -1;
}

void TzqInplacePickEdit::EndSearch()
{
    m_searching = false;
    m_searchText.clear();
}

bool TzqInplacePickEdit::WholeTextSelected()
{
    const int length = CharCount(Text());
    return GetSelStart() == 0 && GetSelLength() == length;
}

void TzqInplacePickEdit::SetFoundText(const std::string& Text)
{
    if (!CanModify() || Text == this->Text())
        return;
    // A data-bound host does not reload the editor while it writes what it found.
    SetSelfUpdating(true);
    try {
        SetText(Text);
        SetModified(true);
    } catch (...) {
        SetSelfUpdating(false);
        throw;
    }
    SetSelfUpdating(false);
}

void TzqInplacePickEdit::ClearText()
{
    EndSearch();
    m_itemIndex = -1;
    if (CanModify() && !Text().empty()) {
        SetText(std::string());
        SetModified(true);
    }
}

bool TzqInplacePickEdit::Complete(const std::string& Search)
{
    const int index = FindItem(Search);
    if (index < 0)
        return false;
    SetFoundText(m_items->Strings(index));
    const int from = std::min(CharCount(Search), CharCount(Text()));
    Perform(EM_SETSEL, WPARAM(from), LPARAM(CharCount(Text())));
    if (DroppedDown())
        m_list->SetItemIndex(index);
    return true;
}

void TzqInplacePickEdit::ShortenSearch()
{
    if (!m_searching) {
        // No search yet: what precedes the selection counts as typed.
        m_searchText = Utf32ToUtf8(Utf8ToUtf32(Text()).substr(0, size_t(std::max(0, GetSelStart()))));
        m_searching = true;
    }
    m_searchText = WithoutLastChar(m_searchText);
    if (m_searchText.empty()) {
        if (m_canDeleteText || !m_dropDownListStyle)
            ClearText();
        return;
    }
    if (Complete(m_searchText))
        return;
    if (!m_dropDownListStyle) {
        // Nothing begins so: the text is what was typed.
        SetFoundText(m_searchText);
        MoveCaretToEnd();
    }
}

// ---- Keys ----

void TzqInplacePickEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    const bool plain = !Shift.contains(TShiftStateFlag::ssCtrl) && !Shift.contains(TShiftStateFlag::ssAlt);
    if (Key == VK_ESCAPE)
        EndSearch();
    if (Key == VK_DELETE && plain && !ReadOnly()) {
        if (m_dropDownListStyle) {
            if (m_canDeleteText && WholeTextSelected())
                ClearText();
            Key = 0;
            return;
        }
        EndSearch();
    }
    if (Key == VK_BACK && plain && !ReadOnly()) {
        const bool caretAtEnd = GetSelStart() + GetSelLength() == CharCount(Text());
        if (m_dropDownListStyle) {
            if (m_canDeleteText && WholeTextSelected())
                ClearText();
            else
                ShortenSearch();
            Key = 0;
            return;
        }
        if (m_searching && caretAtEnd) {
            ShortenSearch();
            Key = 0;
            return;
        }
        EndSearch();
    }
    TzqInplaceDropDownEdit::KeyDown(Key, Shift);
}

void TzqInplacePickEdit::KeyPress(char32_t& Key)
{
    // Backspace was handled as a key: with DropDownListStyle its character does
    // nothing more.
    if (Key == 8 && m_dropDownListStyle) {
        Key = 0;
        return;
    }
    if (Key < 32 || ReadOnly()) {
        TzqInplaceDropDownEdit::KeyPress(Key);
        return;
    }
    const std::u32string chars = Utf8ToUtf32(Text());
    const int start = std::clamp(GetSelStart(), 0, int(chars.size()));
    const int end = std::clamp(start + GetSelLength(), start, int(chars.size()));
    const std::string typed = Utf32ToUtf8(std::u32string(1, Key));
    std::string search;
    if (MaxLength() > 0 && int(chars.size()) >= MaxLength() && start == end) {
        search = typed; // the text is full: a new search
    } else if (m_searching && start == end && end == int(chars.size())) {
        search = m_searchText + typed;
    } else {
        search = Utf32ToUtf8(chars.substr(0, size_t(start)) + chars.substr(size_t(end))) + typed;
    }
    m_searching = true;
    m_searchText = search;
    m_itemIndex = -1;
    if (Complete(search)) {
        Key = 0;
        if (ImmediateDropDown() && !DroppedDown())
            DropDown();
        return;
    }
    if (m_dropDownListStyle) {
        // Only entries: what finds none is not typed.
        m_searchText = WithoutLastChar(search);
        Key = 0;
        return;
    }
    TzqInplaceDropDownEdit::KeyPress(Key);
}

void TzqInplacePickEdit::DblClick()
{
    if (m_revertable && m_items->Count() >= 2) {
        Step(1, true);
        return;
    }
    TzqInplaceDropDownEdit::DblClick();
}

// ---- Value ----

void TzqInplacePickEdit::SetEditValue(const Variant& Value)
{
    EndSearch();
    m_itemIndex = -1;
    TzqInplaceDropDownEdit::SetEditValue(Value);
}

void TzqInplacePickEdit::SaveUndoPoint(bool Entering)
{
    EndSearch();
    TzqInplaceDropDownEdit::SaveUndoPoint(Entering);
}

void TzqInplacePickEdit::Step(int Delta, bool WrapAround)
{
    const int count = m_items->Count();
    if (count == 0)
        return;
    const int current = m_itemIndex >= 0 && m_itemIndex < count ? m_itemIndex : FindItem(Text());
    int index = 0;
    if (current >= 0) {
        index = std::max(0, current + Delta);
        if (index >= count)
            index = WrapAround ? 0 : count - 1;
    }
    EndSearch();
    m_itemIndex = index;
    SetFoundText(m_items->Strings(index));
    SelectAll();
}

// ---- The list ----

void TzqInplacePickEdit::DropDown()
{
    if (HandleAllocated() && GetFocus() != Handle())
        ::SetFocus(Handle());
    if (!HandleAllocated() || GetFocus() != Handle())
        return;
    DoDropDown();
    if (m_items->Empty())
        return;
    m_list->SetColor(Color());
    m_list->Font()->Assign(*Font());
    m_list->SetPopupBorder(ResolvedPopupBorder());
    m_list->SetShadow(Style()->Shadow());
    m_list->Items()->Assign(*m_items);
    const int lineHeight = m_list->ItemHeight();
    const int rows = std::min(DropDownRows(), m_items->Count());
    int width = DropDownWidth();
    if (width <= 0) {
        int widest = 10;
        for (int i = 0; i < m_items->Count(); ++i)
            widest = std::max(widest, MeasureText(*Font(), m_items->Strings(i)).cx);
        width = widest + 4;
        // Room for the scroll bar when the list scrolls.
        if (m_items->Count() > rows)
            width += GetSystemMetrics(SM_CXVSCROLL);
    }
    m_list->SetClientSizeOfPopup(width, rows * lineHeight);
    int selected = -1;
    for (int i = 0; i < m_items->Count() && selected < 0; ++i)
        if (SameText(m_items->Strings(i), Text()))
            selected = i;
    m_list->SetItemIndex(selected);
    m_list->ResetSearch();
    PositionPopup(m_list->Frame(), true);
    m_list->ShowPopup();
    SetDropDownWindow(m_list);
    SetDroppedDown(true);
}

void TzqInplacePickEdit::CloseUp(bool Accept)
{
    EndSearch();
    if (!m_list->IsShown())
        return;
    const int index = m_list->ItemIndex();
    m_list->ClosePopup();
    RepaintButtons();
    std::string value = index >= 0 && index < m_list->Count() ? m_list->Items()->Strings(index) : Text();
    DoCloseUp(value, Accept);
    if (!Accept || !CanModify())
        return;
    if (value != Text()) {
        SetText(value);
        SetModified(true);
    }
    SelectAll();
}

void TzqInplacePickEdit::SearchText(const std::string& Text)
{
    if (DroppedDown())
        m_list->SetItemIndex(FindItem(Text));
}

void TzqInplacePickEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
        // Only entries: nothing comes into the text from outside.
        if (m_dropDownListStyle) {
            Message.Result = 0;
            return;
        }
        EndSearch();
        break;
    default:
        break;
    }
    TzqInplaceDropDownEdit::WndProc(Message);
}
