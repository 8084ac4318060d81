#include "bars/BarCombo.h"

TCustomzqBarCombo::TCustomzqBarCombo(TComponent* AOwner) : TzqBarEdit(AOwner) {}

void TCustomzqBarCombo::SetShowEditor(bool value)
{
    if (value == m_showEditor)
        return;
    m_showEditor = value;
    SizeChanged();
    NotifyChanged();
}

TzqBarCustomCombo::TzqBarCustomCombo(TComponent* AOwner)
    : TCustomzqBarCombo(AOwner), m_items(std::make_unique<TStringList>())
{
}

TzqBarCustomCombo::~TzqBarCustomCombo()
{
    ItemDestroying();
}

TzqBarCombo::TzqBarCombo(TComponent* AOwner) : TzqBarCustomCombo(AOwner) {}

void TzqBarCombo::SetItemIndex(int value)
{
    if (value < 0 || value >= Items()->Count())
        value = -1;
    m_itemIndex = value;
    SetText(value < 0 ? std::string() : Items()->Strings(value));
}

void TzqBarCombo::SetSorted(bool value)
{
    if (value == m_sorted)
        return;
    m_sorted = value;
    Items()->SetSorted(value);
    if (value)
        SetItemIndex(Items()->IndexOf(Text()));
}
