// TzqInplacePickEdit: a text chosen from a list of entries (Items). Typing completes the
// text to the first entry that begins with what was typed (case aside, the rest of the
// entry selected) and opens the list; Backspace shortens what was typed and completes
// again; with DropDownListStyle only entries can be chosen. A double click on a
// Revertable editor steps to the next entry; Step moves through the entries, wrapping
// when asked. The list drops down under the editor, as wide as its widest entry.
#pragma once

#include "editors/InplaceDropDownEdit.h"
#include "editors/PopupPickListBox.h"
#include "platform/core/StringList.h"

#include <memory>
#include <string>

class TzqInplacePickEditClass : public TzqInplaceDropDownEditClass {
public:
    TzqInplaceEdit* Create(TComponent* AOwner) const override;
};

class TzqInplacePickEdit : public TzqInplaceDropDownEdit {
public:
    explicit TzqInplacePickEdit(TComponent* AOwner);
    ~TzqInplacePickEdit() override;

    static const TzqInplaceEditClass& StaticClass();
    const TzqInplaceEditClass& EditClass() const override;

    // ---- Properties ----
    // Only entries of the list: nothing can be typed freely.
    bool DropDownListStyle() const { return m_dropDownListStyle; }
    void SetDropDownListStyle(bool Value) { m_dropDownListStyle = Value; }
    // Backspace and Delete may empty the text.
    bool CanDeleteText() const { return m_canDeleteText; }
    void SetCanDeleteText(bool Value) { m_canDeleteText = Value; }
    // A double click steps to the next entry.
    bool Revertable() const { return m_revertable; }
    void SetRevertable(bool Value) { m_revertable = Value; }
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool Value);
    TStringList* Items() const { return m_items.get(); }
    TzqPopupPickListBox* List() const { return m_list; }
    // A search by typing is running, and what it looks for.
    bool Searching() const { return m_searching; }
    const std::string& SearchTextValue() const { return m_searchText; }
    int ItemIndex() const { return m_itemIndex; }

    // The first entry, in list order, that begins with Text (case aside); -1 for an empty
    // text or none.
    int FindItem(const std::string& Text) const;

    // ---- Drop-down operations ----
    void DropDown() override;
    void CloseUp(bool Accept) override;
    void Step(int Delta, bool WrapAround) override;
    void SearchText(const std::string& Text) override;

    void SetEditValue(const Variant& Value) override;
    void SaveUndoPoint(bool Entering) override;

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DblClick() override;

private:
    // Completes the text to the entry Search begins (case aside): the entry, the part
    // after Search selected. Answers false when no entry begins so.
    bool Complete(const std::string& Search);
    // Shortens the search by one character and completes again (Backspace).
    void ShortenSearch();
    void ClearText();
    void EndSearch();
    bool WholeTextSelected();
    // Writes a text found by the editor itself (Modified when it changed).
    void SetFoundText(const std::string& Text);

    bool m_dropDownListStyle = false;
    bool m_searching = false;
    std::string m_searchText;
    int m_itemIndex = -1;
    std::unique_ptr<TStringList> m_items;
    TzqPopupPickListBox* m_list = nullptr;
    bool m_canDeleteText = false;
    bool m_revertable = false;
    bool m_sorted = false;
};
