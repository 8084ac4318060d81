// The list box: a scrolling column of strings with one selected item (or several with
// MultiSelect), drawn by itself (lbStandard) or by OnDrawItem at a fixed height
// (lbOwnerDrawFixed) or at the height OnMeasureItem gives each item
// (lbOwnerDrawVariable). Keys: Up, Down, Home, End, Page Up, Page Down and the first
// letter of an item; Shift extends a multiple selection. OnClick fires whenever the
// user changes the selection; setting ItemIndex from the program does not fire it.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/core/StringList.h"

#include <memory>
#include <vector>

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

enum class TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag, uint16_t>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TListBoxStrings;

class TCustomListBox : public TCustomControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    // The items; changing them updates the list at once.
    TStrings* Items() const;
    void SetItems(const TStrings& value);
    int Count() const;
    void Clear();
    bool Sorted() const;
    void SetSorted(bool value);

    // The selected item (with MultiSelect: the item with the focus), -1 for none.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int value);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void SelectAll();
    void ClearSelection();

    TListBoxStyle Style() const { return m_style; }
    void SetStyle(TListBoxStyle value);
    // The height of every item but in lbOwnerDrawVariable (where it is the default
    // OnMeasureItem starts from). 0 (the default) follows the font.
    int ItemHeight() const;
    void SetItemHeight(int value);
    // The first item shown.
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int value);
    // Items that fit in the client area from TopIndex on (at least 1).
    int VisibleCount();

    // The item's rectangle in client coordinates (empty when it is not shown).
    TRect ItemRect(int index);
    // The item under a client point; -1 when none (or, without `existing`, the
    // nearest item when the point is below the last one).
    int ItemAtPos(TPoint pos, bool existing);
    // Scrolls so that the item is fully shown.
    void MakeVisible(int index);

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    friend class TListBoxStrings;
    void CreateParams(TCreateParams& Params) override;
    void WindowCreated() override;
    void Paint() override;
    void Resize() override;
    void FontChanged() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

    // Draws one item; the canvas brush and font colour are set for its state. The
    // default calls OnDrawItem, or fills and writes the text.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    // Called after the items changed (the list is updated by then).
    virtual void ItemsChanged() {}
    // The user's choice of an item by mouse or key: selection, focus, OnClick.
    void SelectByUser(int index, TShiftState Shift);

    // Bits kept with each item.
    enum : uint32_t { kSelectedBit = 1, kCaretBit = 2, kItemUser = 4 };
    uint32_t ItemBits(int index) const;
    void SetItemBits(int index, uint32_t bits);

private:
    void ListChanged();
    void UpdateHeights();
    int HeightOf(int index);
    int MaxTopIndex();
    void UpdateScrollBar();
    void Scroll(int code);
    void SetCaret(int index);
    void SelectRange(int from, int to, bool keepOthers);
    bool SelectionSnapshotDiffers(const std::vector<uint32_t>& before) const;
    std::vector<uint32_t> SelectionSnapshot() const;

    std::unique_ptr<TListBoxStrings> m_items;
    TListBoxStyle m_style = TListBoxStyle::lbStandard;
    int m_itemHeight = 0;
    int m_itemIndex = -1;
    int m_topIndex = 0;
    int m_anchor = -1;
    bool m_multiSelect = false;
    std::vector<int> m_heights;
    bool m_heightsValid = false;
    bool m_tracking = false;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
