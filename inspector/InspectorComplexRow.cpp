#include "inspector/InspectorComplexRow.h"

#include "inspector/CustomzqInspectorControl.h"

#include <algorithm>

void TzqInspectorComplexRowItem::SetFixed(bool Value)
{
    m_cell.Fixed = Value;
    m_owner->ItemsChanged();
}

void TzqInspectorComplexRowItem::SetMinWidth(int Value)
{
    m_cell.MinWidth = std::max(Value, 0);
    m_owner->ItemsChanged();
}

void TzqInspectorComplexRowItem::SetWidth(int Value)
{
    m_cell.Width = std::max(Value, 0);
    m_owner->ItemsChanged();
}

void TzqInspectorComplexRowItem::SetRow(TzqInspectorRow* Value)
{
    if (Value && (Value == m_owner || dynamic_cast<TzqInspectorComplexRow*>(Value) ||
                  Value->Inspector() != m_owner->Inspector()))
        return;
    if (Value == m_row)
        return;
    TzqInspectorRow* old = m_row;
    m_row = Value;
    if (TCustomzqInspectorControl* inspector = m_owner->Inspector()) {
        inspector->BeginUpdate();
        if (old)
            inspector->ShowRowLine(old, old->Visible());
        if (m_row)
            inspector->ShowRowLine(m_row, false);
        inspector->EndUpdate();
    }
    m_owner->ItemsChanged();
}

TzqInspectorComplexRow::~TzqInspectorComplexRow()
{
    // The rows shown here get their own lines back.
    for (auto& item : m_items)
        item->SetRow(nullptr);
}

TzqInspectorComplexRowItem* TzqInspectorComplexRow::Items(int Index) const
{
    if (Index < 0 || Index >= ItemCount())
        return nullptr;
    return m_items[static_cast<size_t>(Index)].get();
}

TzqInspectorComplexRowItem* TzqInspectorComplexRow::AddItem()
{
    m_items.push_back(std::make_unique<TzqInspectorComplexRowItem>(this));
    ItemsChanged();
    return m_items.back().get();
}

void TzqInspectorComplexRow::DeleteItem(int Index)
{
    if (Index < 0 || Index >= ItemCount())
        return;
    m_items.erase(m_items.begin() + Index);
    ItemsChanged();
}

void TzqInspectorComplexRow::ForgetRow(const TzqInspectorRow* Row)
{
    for (auto& item : m_items)
        if (item->Row() == Row)
            item->SetRow(nullptr);
}

bool TzqInspectorComplexRow::HasItemRows() const
{
    return std::any_of(m_items.begin(), m_items.end(), [](const auto& item) { return item->Row() != nullptr; });
}

std::vector<TRect> TzqInspectorComplexRow::ItemRects(const TRect& Cell, int GapWidth) const
{
    std::vector<TzqComplexCellItem> cells;
    for (const auto& item : m_items)
        cells.push_back(item->Cell());
    std::vector<TRect> all = DivideComplexCell(cells, GapWidth, Cell);
    std::vector<TRect> items;
    for (size_t i = 0; i < all.size(); i += 2)
        items.push_back(all[i]);
    return items;
}

void TzqInspectorComplexRow::GetDefaultCaption(std::string& Caption) const
{
    Caption.clear();
    const std::string own = Inspector() ? Inspector()->ComplexRowSeparator() : std::string();
    const std::string separator = own.empty() ? std::string(1, '-') : own;
    bool first = true;
    for (const auto& item : m_items) {
        if (!item->Row())
            continue;
        if (!first)
            Caption += separator;
        Caption += item->Row()->Caption();
        first = false;
    }
}

void TzqInspectorComplexRow::ItemsChanged()
{
    LayoutChanged();
}
