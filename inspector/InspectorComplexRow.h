// TzqInspectorComplexRow: several rows of the same inspector shown side by side in one
// line. A row given to an item loses its own line; the complex row's caption, while it
// has none of its own, joins the item rows' captions.
#pragma once

#include "inspector/ComplexCellDivision.h"
#include "inspector/InspectorTextRow.h"

#include <vector>

class TzqInspectorComplexRow;

class TzqInspectorComplexRowItem {
public:
    explicit TzqInspectorComplexRowItem(TzqInspectorComplexRow* AOwner) : m_owner(AOwner) {}

    bool Fixed() const { return m_cell.Fixed; }
    void SetFixed(bool Value);
    int MinWidth() const { return m_cell.MinWidth; }
    void SetMinWidth(int Value);
    int Width() const { return m_cell.Width; }
    void SetWidth(int Value);
    TzqInspectorRow* Row() const { return m_row; }
    // Only a row of the same inspector that is not itself a complex row; it loses its own
    // line.
    void SetRow(TzqInspectorRow* Value);
    const TzqComplexCellItem& Cell() const { return m_cell; }

private:
    TzqInspectorComplexRow* m_owner;
    TzqComplexCellItem m_cell;
    TzqInspectorRow* m_row = nullptr;
};

class TzqInspectorComplexRow : public TzqInspectorTextRow {
public:
    using TzqInspectorTextRow::TzqInspectorTextRow;
    ~TzqInspectorComplexRow() override;

    int ItemCount() const { return static_cast<int>(m_items.size()); }
    TzqInspectorComplexRowItem* Items(int Index) const;
    TzqInspectorComplexRowItem* AddItem();
    void DeleteItem(int Index);
    // The row leaves every item that shows it.
    void ForgetRow(const TzqInspectorRow* Row);
    // Whether any item shows a row.
    bool HasItemRows() const;

    // The item cells of a cell (gaps between them are left out).
    std::vector<TRect> ItemRects(const TRect& Cell, int GapWidth) const;
    void GetDefaultCaption(std::string& Caption) const override;

    void ItemsChanged();

private:
    std::vector<std::unique_ptr<TzqInspectorComplexRowItem>> m_items;
};
