#include "bars/BarPopupMenuLinks.h"

#include "bars/BarManager.h"
#include "bars/BarPopupMenu.h"
#include "platform/controls/Form.h"

TzqBarPopupMenuLink::TzqBarPopupMenuLink(TCollection* Collection) : TCollectionItem(Collection) {}

TzqBarManager* TzqBarPopupMenuLink::BarManager() const
{
    auto* links = static_cast<TzqBarPopupMenuLinks*>(Collection());
    return links ? links->BarManager() : nullptr;
}

void TzqBarPopupMenuLink::SetControl(TWinControl* value)
{
    TzqBarManager* manager = BarManager();
    if (value && (!manager || GetParentForm(value) != manager->OwnerForm()))
        value = nullptr;
    if (value == m_control)
        return;
    m_control = value;
    Changed(false);
}

void TzqBarPopupMenuLink::SetPopupMenu(TzqBarPopupMenu* value)
{
    if (value == m_popupMenu)
        return;
    m_popupMenu = value;
    Changed(false);
}

void TzqBarPopupMenuLink::Assign(const TCollectionItem& Source)
{
    const auto* source = dynamic_cast<const TzqBarPopupMenuLink*>(&Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetControl(source->m_control);
    SetPopupMenu(source->m_popupMenu);
    OnAction = source->OnAction;
}

TzqBarPopupMenuLinks::TzqBarPopupMenuLinks(TzqBarManager* Manager) : m_manager(Manager) {}

TzqBarPopupMenuLink* TzqBarPopupMenuLinks::FindByControl(const TWinControl* Control) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Control() == Control)
            return Items(i);
    return nullptr;
}

void TzqBarPopupMenuLinks::ComponentRemoved(const TComponent* Component)
{
    for (int i = 0; i < Count(); ++i) {
        TzqBarPopupMenuLink* link = Items(i);
        if (link->m_control == Component)
            link->m_control = nullptr;
        if (link->m_popupMenu == Component)
            link->m_popupMenu = nullptr;
    }
}

void TzqBarPopupMenuLinks::Update(TCollectionItem*)
{
    if (!m_manager)
        return;
    // Linked controls and menus are watched so that the links forget them when they go.
    for (int i = 0; i < Count(); ++i) {
        if (Items(i)->Control())
            m_manager->FreeNotification(Items(i)->Control());
        if (Items(i)->PopupMenu())
            m_manager->FreeNotification(Items(i)->PopupMenu());
    }
    m_manager->Changed();
}
