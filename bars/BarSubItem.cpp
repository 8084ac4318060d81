#include "bars/BarSubItem.h"

#include "bars/Bar.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/Bars.h"

#include <algorithm>

TCustomzqBarSubItem::TCustomzqBarSubItem(TComponent* AOwner)
    : TzqBarItem(AOwner), m_itemLinks(std::make_unique<TzqBarItemLinks>(BarManager(), this))
{
    AddKind(kSubItemKind);
}

TCustomzqBarSubItem::~TCustomzqBarSubItem()
{
    ItemDestroying();
    DetachFromBar();
    m_itemLinks.reset();
}

void TCustomzqBarSubItem::SetItemLinks(const TzqBarItemLinks& value)
{
    m_itemLinks->Assign(value);
}

void TCustomzqBarSubItem::BarManagerChanged()
{
    TzqBarItem::BarManagerChanged();
    if (m_itemLinks)
        m_itemLinks->SetBarManager(BarManager());
    DetachFromBar();
}

void TCustomzqBarSubItem::SetBarSize(int value)
{
    value = std::max(value, 0);
    if (value == m_barSize)
        return;
    m_barSize = value;
    NotifyChanged();
}

int TCustomzqBarSubItem::DetachingBar() const
{
    return m_detachingBar ? m_detachingBar->Index() : -1;
}

void TCustomzqBarSubItem::SetDetachingBar(int value)
{
    TzqBarManager* manager = BarManager();
    TzqBar* bar = manager && value >= 0 && value < manager->Bars()->Count() ? manager->Bars()->Items(value) : nullptr;
    if (bar == m_detachingBar)
        return;
    DetachFromBar();
    m_detachingBar = bar;
    if (m_detachingBar)
        m_detachingBar->AddDetaching(this);
    NotifyChanged();
}

void TCustomzqBarSubItem::DetachFromBar()
{
    if (m_detachingBar)
        m_detachingBar->RemoveDetaching(this);
    m_detachingBar = nullptr;
}

TzqBarSubItem::TzqBarSubItem(TComponent* AOwner) : TCustomzqBarSubItem(AOwner) {}
