// Combo items: TCustomzqBarCombo adds the drop-down to the edit item,
// TzqBarCustomCombo the string list it drops down, TzqBarCombo the selected index.
#pragma once

#include "bars/BarEdit.h"
#include "platform/core/StringList.h"
#include "platform/core/Messages.h"
#include "platform/core/Types.h"

#include <functional>
#include <memory>

class TCanvas;


using TzqBarCheckKeyForDropDownWindowEvent = std::function<void(TObject* Sender, WORD Key, TShiftState Shift, bool& AcceptKey)>;
using TzqBarGetDropDownWindowEvent = std::function<void(TObject* Sender, HWND& Window)>;
using TzqBarDrawItemEvent = std::function<void(TObject* Sender, int AIndex, const TRect& ARect, unsigned AState)>;
using TzqBarMeasureItemEvent = std::function<void(TObject* Sender, int AIndex, int& AHeight)>;

class TCustomzqBarCombo : public TzqBarEdit {
public:
    explicit TCustomzqBarCombo(TComponent* AOwner);

    // Without the editor the value can only be chosen from the drop-down list.
    bool ShowEditor() const { return m_showEditor; }
    void SetShowEditor(bool value);

    TzqBarCheckKeyForDropDownWindowEvent OnCheckKeyForDropDownWindow;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;
    TzqBarGetDropDownWindowEvent OnGetDropDownWindow;

private:
    bool m_showEditor = true;
};

class TzqBarCustomCombo : public TCustomzqBarCombo {
public:
    explicit TzqBarCustomCombo(TComponent* AOwner);
    ~TzqBarCustomCombo() override;

    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int value) { m_dropDownCount = value; }
    // 0: as wide as the control.
    int DropDownWidth() const { return m_dropDownWidth; }
    void SetDropDownWidth(int value) { m_dropDownWidth = value; }
    TStringList* Items() const { return m_items.get(); }
    void SetItems(const TStrings& value) { m_items->Assign(value); }

    TzqBarDrawItemEvent OnDrawItem;
    TzqBarMeasureItemEvent OnMeasureItem;

private:
    int m_dropDownCount = 8;
    int m_dropDownWidth = 0;
    std::unique_ptr<TStringList> m_items;
};

class TzqBarCombo : public TzqBarCustomCombo {
public:
    explicit TzqBarCombo(TComponent* AOwner);

    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int value) { m_itemHeight = value; }
    // An index outside the strings becomes -1; the text becomes the chosen string.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int value);
    // Sorting keeps the current text chosen.
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool value);

private:
    int m_itemHeight = 0;
    int m_itemIndex = -1;
    bool m_sorted = false;
};
