// The combo box: an edit (csDropDown) or a fixed text (csDropDownList) with a button
// that drops a list of the items down in a popup window of its own. The list never
// takes the activation or the focus; it closes when an item is chosen (click, Enter),
// on Esc, on a click outside it and when the combo box loses the focus.
//
// Keys on the closed box: Up, Down, Home, End, Page Up and Page Down choose items,
// F4 and Alt+Down open the list; a letter chooses the next item starting with it
// (csDropDownList). OnChange fires when the text changes by typing or the user
// chooses another item; OnSelect when the user chooses an item; setting ItemIndex or
// Text from the program fires neither.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/core/StringList.h"

#include <memory>

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboEdit;
class TComboDropDown;
class TCustomEdit;
class TCustomListBox;

class TComboBox : public TCustomControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

    TStrings* Items() const { return m_items.get(); }
    void SetItems(const TStrings& value) { m_items->Assign(value); }
    bool Sorted() const { return m_items->Sorted(); }
    void SetSorted(bool value);
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return m_style; }
    void SetStyle(TComboBoxStyle value);
    // Rows the list shows before it scrolls (at least 1).
    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int value);
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value);
    void SelectAll();

    bool DroppedDown() const;
    void SetDroppedDown(bool value);

    // The edit of a csDropDown box (null for csDropDownList) and the drop-down list.
    TCustomEdit* EditControl() const;
    TCustomListBox* ListControl() const;
    TRect ButtonRect() const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    friend class TComboEdit;
    friend class TComboDropDown;
    void CreateParams(TCreateParams& Params) override;
    void WindowCreated() override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    std::string GetText() const override;
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void Resize() override;

    // The keys both the box and its edit hand here; true when used.
    bool HandleKey(WORD key, TShiftState shift);
    void DropDown();
    void CloseUp(bool accept);
    // The user's choice: the text follows, then OnChange and OnSelect.
    void SelectByUser(int index);
    void EditTextChanged();

private:
    int FixedHeight() const;
    void PlaceEdit();
    void ItemsChanged();
    void ShowItemText();
    void UpdateTabStops();

    std::unique_ptr<TStringList> m_items;
    TComboBoxStyle m_style = TComboBoxStyle::csDropDown;
    TComboEdit* m_edit = nullptr;
    TComboDropDown* m_list = nullptr;
    int m_itemIndex = -1;
    int m_dropDownCount = 8;
    int m_maxLength = 0;
    std::string m_listText; // the text of a csDropDownList box
    bool m_settingText = false;
};
