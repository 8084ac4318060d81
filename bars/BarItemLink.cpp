#include "bars/BarItemLink.h"

#include "bars/Bar.h"
#include "bars/BarAccelerator.h"
#include "bars/BarButton.h"
#include "bars/BarEdit.h"
#include "bars/BarErrors.h"
#include "bars/BarGlyph.h"
#include "bars/BarItemLinks.h"
#include "bars/BarLinksWalk.h"
#include "bars/BarManager.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarSubItem.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Bitmap.h"

#include <algorithm>

TzqBarItemLink::TzqBarItemLink(TCollection* Collection) : TCollectionItem(Collection) {}

TzqBarItemLink::~TzqBarItemLink()
{
    for (TzqBarItemLink* copy : m_copies)
        copy->m_originalLink = nullptr;
    if (m_originalLink) {
        auto& copies = m_originalLink->m_copies;
        copies.erase(std::remove(copies.begin(), copies.end(), this), copies.end());
    }
    if (TzqBarItemLinks* links = Links())
        links->LinkDestroying(this);
    if (m_item) {
        if (m_item->m_activeLink == this)
            m_item->m_activeLink = nullptr;
        m_item->RemoveLink(this);
    }
}

TzqBarItemLinks* TzqBarItemLink::Links() const
{
    return static_cast<TzqBarItemLinks*>(Collection());
}

TzqBarManager* TzqBarItemLink::BarManager() const
{
    TzqBarItemLinks* links = Links();
    return links ? links->BarManager() : nullptr;
}

bool TzqBarItemLink::Loading() const
{
    TzqBarManager* manager = BarManager();
    return manager && manager->IsLoading();
}

void TzqBarItemLink::LinkChanged()
{
    if (TzqBarManager* manager = BarManager(); manager && !Loading())
        manager->LinkChanged(this);
}

// ---- Item ----

void TzqBarItemLink::CheckRecursion(const TzqBarItem* Item) const
{
    TzqBarItemLinks* links = Links();
    const TCustomzqBarSubItem* subItem = links ? links->OwnerSubItem() : nullptr;
    if (!subItem)
        return;
    bool recursive = Item == subItem;
    if (!recursive && Item->IsSubItem())
        recursive = static_cast<const TCustomzqBarSubItem*>(Item)->ItemLinks()->Contains(subItem);
    if (!recursive && Item->IsButton())
        if (TzqBarPopupMenu* menu = static_cast<const TzqBarButton*>(Item)->DropDownMenu())
            recursive = menu->ItemLinks()->Contains(subItem);
    if (recursive)
        throw EzqBarError("You cannot create recursive subitems");
}

void TzqBarItemLink::SetItem(TzqBarItem* value)
{
    if (value == m_item)
        return;
    if (!value) {
        delete this;
        return;
    }
    CheckRecursion(value);
    if (m_item) {
        if (m_item->m_activeLink == this)
            m_item->m_activeLink = nullptr;
        m_item->RemoveLink(this);
    }
    m_item = value;
    m_item->AddLink(this);
    if (TzqBarItemLinks* links = Links())
        links->ListsChanged();
    LinkChanged();
}

// ---- Overrides ----

bool TzqBarItemLink::BeginGroup() const
{
    TzqBarItemLinks* links = Links();
    if (!links)
        return m_beginGroup;
    const int displayed = DisplayedIndex();
    if (displayed < 0)
        return m_beginGroup;
    if (displayed == 0)
        return false;
    if (m_beginGroup)
        return true;
    // A separator of a link that is not displayed moves to the next displayed link.
    const TzqBarItemLink* previous = links->DisplayedItems(displayed - 1);
    for (int a = previous->m_availableIndex + 1; a < m_availableIndex; ++a)
        if (links->AvailableItems(a)->m_beginGroup)
            return true;
    return false;
}

void TzqBarItemLink::SetBeginGroup(bool value)
{
    if (value == m_beginGroup)
        return;
    m_beginGroup = value;
    LinkChanged();
}

void TzqBarItemLink::SetMostRecentlyUsed(bool value)
{
    if (value == m_mostRecentlyUsed)
        return;
    m_mostRecentlyUsed = value;
    if (Loading())
        return;
    TzqBarManager* manager = BarManager();
    if (value) {
        m_useCount = manager ? manager->UsageThreshold() : 0;
        MarkUsed(false);
    } else {
        m_useCount = 0;
        MarkNotUsed();
    }
    if (TzqBarItemLinks* links = Links())
        if (TzqBar* bar = links->OwnerBar())
            bar->RequestLayout();
    LinkChanged();
}

void TzqBarItemLink::SetUserCaption(const std::string& value)
{
    const bool changed = value != m_userCaption || !m_userDefine.contains(TzqBarUserDefine::udCaption);
    m_userCaption = value;
    m_userDefine.include(TzqBarUserDefine::udCaption);
    if (changed)
        LinkChanged();
}

void TzqBarItemLink::SetUserDefine(TzqBarUserDefines value)
{
    if (value == m_userDefine)
        return;
    const TzqBarUserDefines removed = m_userDefine - value;
    m_userDefine = value;
    if (removed.contains(TzqBarUserDefine::udCaption))
        m_userCaption.clear();
    if (removed.contains(TzqBarUserDefine::udGlyph) && m_userGlyph)
        m_userGlyph->SetSize(0, 0);
    if (removed.contains(TzqBarUserDefine::udPaintStyle))
        m_userPaintStyle = TzqBarPaintStyle::psStandard;
    if (removed.contains(TzqBarUserDefine::udWidth))
        m_userWidth = 0;
    LinkChanged();
}

TBitmap* TzqBarItemLink::UserGlyph() const
{
    return GlyphOf(m_userGlyph);
}

void TzqBarItemLink::SetUserGlyph(const TBitmap* value)
{
    CopyGlyph(*UserGlyph(), value);
    m_userDefine.include(TzqBarUserDefine::udGlyph);
    LinkChanged();
}

void TzqBarItemLink::SetUserPaintStyle(TzqBarPaintStyle value)
{
    const bool changed = value != m_userPaintStyle || !m_userDefine.contains(TzqBarUserDefine::udPaintStyle);
    m_userPaintStyle = value;
    m_userDefine.include(TzqBarUserDefine::udPaintStyle);
    if (changed)
        LinkChanged();
}

void TzqBarItemLink::SetUserWidth(int value)
{
    value = std::max(value, 20);
    const bool changed = value != m_userWidth || !m_userDefine.contains(TzqBarUserDefine::udWidth);
    m_userWidth = value;
    m_userDefine.include(TzqBarUserDefine::udWidth);
    if (changed)
        LinkChanged();
}

void TzqBarItemLink::SetVisible(bool value)
{
    if (Loading()) {
        m_hasPendingVisible = true;
        m_pendingVisible = value;
        return;
    }
    if (value == m_visible)
        return;
    m_visible = value;
    if (TzqBarItemLinks* links = Links())
        links->ListsChanged();
    LinkChanged();
}

void TzqBarItemLink::ApplyPendingVisible()
{
    if (!m_hasPendingVisible)
        return;
    m_hasPendingVisible = false;
    if (m_pendingVisible == m_visible)
        return;
    m_visible = m_pendingVisible;
    if (TzqBarItemLinks* links = Links())
        links->ListsChanged();
}

// ---- Effective values ----

const std::string& TzqBarItemLink::Caption() const
{
    if (m_userDefine.contains(TzqBarUserDefine::udCaption) || !m_item)
        return m_userCaption;
    return m_item->Caption();
}

TBitmap* TzqBarItemLink::Glyph() const
{
    TBitmap* glyph = nullptr;
    if (m_userDefine.contains(TzqBarUserDefine::udGlyph))
        glyph = UserGlyph();
    else if (m_item)
        glyph = m_item->Glyph();
    return glyph && !glyph->Empty() ? glyph : nullptr;
}

TzqBarPaintStyle TzqBarItemLink::PaintStyle() const
{
    if (m_userDefine.contains(TzqBarUserDefine::udPaintStyle))
        return m_userPaintStyle;
    if (m_item && m_item->IsButton())
        return static_cast<const TzqBarButton*>(m_item)->PaintStyle();
    return TzqBarPaintStyle::psStandard;
}

int TzqBarItemLink::Width() const
{
    if (m_userDefine.contains(TzqBarUserDefine::udWidth))
        return m_userWidth;
    if (m_item && m_item->IsEditItem())
        return static_cast<const TzqBarEdit*>(m_item)->Width();
    return 0;
}

char32_t TzqBarItemLink::Accelerator() const
{
    return AcceleratorOf(Caption());
}

bool TzqBarItemLink::Matches(WORD Key, TShiftState Shift) const
{
    return AcceleratorMatches(Accelerator(), Key, Shift);
}

// ---- Derived lists ----

bool TzqBarItemLink::IsAvailable() const
{
    if (!m_item)
        return false;
    TzqBarManager* manager = BarManager();
    return (manager && manager->Designing()) || m_item->IsShown();
}

int TzqBarItemLink::AvailableIndex() const
{
    TzqBarItemLinks* links = Links();
    if (!links)
        return -1;
    links->EnsureLists();
    return m_availableIndex;
}

int TzqBarItemLink::VisibleIndex() const
{
    TzqBarItemLinks* links = Links();
    if (!links)
        return -1;
    links->EnsureLists();
    return m_visibleIndex;
}

int TzqBarItemLink::DisplayedIndex() const
{
    TzqBarItemLinks* links = Links();
    if (!links)
        return -1;
    links->EnsureLists();
    return m_displayedIndex;
}

// ---- Recent use ----

int TzqBarItemLink::RecentIndex() const
{
    TzqBarItemLinks* links = Links();
    if (!links)
        return -1;
    for (int i = 0; i < links->RecentCount(); ++i)
        if (links->RecentItems(i) == this)
            return i;
    return -1;
}

void TzqBarItemLink::SetPendingUsage(int UseCount, int RecentIndex)
{
    m_pendingUseCount = UseCount;
    m_pendingRecentIndex = RecentIndex;
}

void TzqBarItemLink::MarkUsed(bool Increment)
{
    TzqBarLinksWalk walk;
    MarkUsed(Increment, walk);
}

void TzqBarItemLink::MarkUsed(bool Increment, TzqBarLinksWalk& Walk)
{
    TzqBarItemLinks* links = Links();
    if (!links || !Walk.Enter(this) || !IsVisibleNow())
        return;
    TzqBar* bar = links->OwnerBar();
    const bool wasDisplayed = !bar || DisplayedIndex() >= 0;
    links->MoveToRecentFront(this);
    if (Increment)
        ++m_useCount;
    if (!wasDisplayed)
        links->RequestBarLayout();
    // The mark reaches the link that opened the menu, and the container a generated
    // link stands for.
    if (TzqBarItemLink* opener = links->OpenerLink())
        opener->MarkUsed(Increment, Walk);
    if (m_originalLink)
        m_originalLink->MarkUsed(Increment, Walk);
}

void TzqBarItemLink::MarkNotUsed()
{
    TzqBarItemLinks* links = Links();
    if (!links)
        return;
    const bool wasDisplayed = links->OwnerBar() && DisplayedIndex() >= 0;
    links->MoveToRecentEnd(this);
    if (wasDisplayed)
        links->RequestBarLayout();
}

void TzqBarItemLink::AssignUsage(const TzqBarItemLink& Source)
{
    m_useCount = Source.m_useCount;
    m_mostRecentlyUsed = Source.m_mostRecentlyUsed;
}

void TzqBarItemLink::SetOriginalLink(TzqBarItemLink* value)
{
    if (value == m_originalLink || value == this)
        return;
    if (m_originalLink) {
        auto& copies = m_originalLink->m_copies;
        copies.erase(std::remove(copies.begin(), copies.end(), this), copies.end());
    }
    m_originalLink = value;
    if (m_originalLink)
        m_originalLink->m_copies.push_back(this);
}

// ---- Copying ----

void TzqBarItemLink::Assign(const TCollectionItem& Source)
{
    const auto* source = dynamic_cast<const TzqBarItemLink*>(&Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    // The overrides are copied quietly; the item and the rest tell the manager.
    m_data = source->m_data;
    m_userCaption = source->m_userCaption;
    if (source->m_userGlyph && !source->m_userGlyph->Empty())
        UserGlyph()->Assign(*source->m_userGlyph);
    else if (m_userGlyph)
        m_userGlyph->SetSize(0, 0);
    m_userPaintStyle = source->m_userPaintStyle;
    m_userWidth = source->m_userWidth;
    // During a reset the source belongs to the definition's scratch form: the item of
    // the same name in this form is the one meant.
    TzqBarItem* item = source->m_item;
    TzqBarManager* manager = BarManager();
    if (item && manager && manager->Resetting() && item->BarManager() != manager)
        item = manager->OwnerForm() ? dynamic_cast<TzqBarItem*>(manager->OwnerForm()->FindComponent(item->Name())) : nullptr;
    if (!item) {
        delete this;
        return;
    }
    // Each step tells the manager, whose handlers may free this link.
    const auto alive = m_life.Watch();
    SetItem(item);
    if (!*alive)
        return;
    SetUserDefine(source->m_userDefine);
    if (!*alive)
        return;
    SetBeginGroup(source->BeginGroup());
    if (!*alive)
        return;
    SetVisible(source->m_visible);
}
