#include "bars/BarItem.h"

#include "bars/Bar.h"
#include "bars/BarGlyph.h"
#include "bars/BarItemActionLink.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarManagerCategories.h"
#include "bars/BarManagerList.h"
#include "bars/BarWindows.h"
#include "platform/controls/Application.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/ImageList.h"

#include <algorithm>
#include <utility>

namespace {

// The caption as a hint shows it: the first "&" and the first "..." removed.
std::string HintTextOf(std::string caption)
{
    if (size_t amp = caption.find('&'); amp != std::string::npos)
        caption.erase(amp, 1);
    if (size_t dots = caption.find("..."); dots != std::string::npos)
        caption.erase(dots, 3);
    return caption;
}


} // namespace

TzqBarItem::TzqBarItem(TComponent* AOwner) : TComponent(AOwner)
{
    SetBarManager(TzqBarManagerList::ForOwner(AOwner));
}

TzqBarItem::~TzqBarItem()
{
    ItemDestroying();
}

void TzqBarItem::ItemDestroying()
{
    if (m_itemDestroying)
        return;
    m_itemDestroying = true;
    if (OnDestroy)
        OnDestroy(this);
    TzqBarManagerListPrivate::RemoveTemporary(this);
    // The item leaves every bar and menu.
    while (!m_links.empty())
        delete m_links.back();
    if (m_manager)
        m_manager->RemoveItem(this);
    m_manager = nullptr;
    // Groups holding the item hear of it now.
    BeforeDestruction();
    m_actionLink.reset();
}

void TzqBarItem::SetBarManager(TzqBarManager* value)
{
    if (value == m_manager)
        return;
    if (m_manager)
        m_manager->RemoveItem(this);
    m_manager = value;
    if (m_manager) {
        m_manager->AddItem(this);
        m_manager->JoinLoading(this);
    }
    BarManagerChanged();
}

void TzqBarItem::ManagerDestroyed()
{
    m_manager = nullptr;
    BarManagerChanged();
}

bool TzqBarItem::Loading() const
{
    return IsLoading() || (m_manager && m_manager->IsLoading());
}

void TzqBarItem::NotifyChanged()
{
    // What the item's controls show may have changed with it.
    TzqBarWindows::RepaintItem(this);
    if (m_manager && !Loading())
        m_manager->Changed();
}

void TzqBarItem::LinksChanged()
{
    for (TzqBarItemLink* link : m_links)
        if (TzqBarItemLinks* links = link->Links())
            links->ListsChanged();
}

TzqBarItemLink* TzqBarItem::Links(int Index) const
{
    return Index >= 0 && Index < LinkCount() ? m_links[static_cast<size_t>(Index)] : nullptr;
}

void TzqBarItem::RemoveLink(TzqBarItemLink* Link)
{
    auto it = std::find(m_links.rbegin(), m_links.rend(), Link);
    if (it != m_links.rend())
        m_links.erase(std::next(it).base());
}

void TzqBarItem::SetActiveLink(TzqBarItemLink* value)
{
    if (value && value->Item() != this)
        return;
    m_activeLink = value;
}

// ---- Properties ----

TBasicAction* TzqBarItem::Action() const
{
    return m_actionLink ? m_actionLink->TBasicActionLink::Action() : nullptr;
}

void TzqBarItem::SetAction(TBasicAction* value)
{
    if (value == Action())
        return;
    if (!value) {
        m_actionLink.reset();
        return;
    }
    if (!m_actionLink)
        m_actionLink = std::make_unique<TzqBarItemActionLink>(this);
    m_actionLink->SetAction(value);
    ActionChange(value, value->IsLoading() || Loading());
}

void TzqBarItem::SetAlign(TzqBarItemAlign value)
{
    if (value == m_align)
        return;
    m_align = value;
    SizeChanged();
    NotifyChanged();
}

void TzqBarItem::SetCaption(const std::string& value)
{
    if (value == m_caption)
        return;
    const std::string old = std::exchange(m_caption, value);
    // The hint follows the caption as long as it still shows the caption.
    if (!IsSubItem() && !Loading()) {
        const size_t bar = m_hint.find('|');
        const std::string shortHint = m_hint.substr(0, bar);
        if (m_hint.empty() || shortHint == HintTextOf(old))
            m_hint = HintTextOf(m_caption) + (bar == std::string::npos ? std::string() : m_hint.substr(bar));
    }
    CaptionChanged();
    SizeChanged();
    NotifyChanged();
}

void TzqBarItem::SetCategory(int value)
{
    if (value == m_category)
        return;
    if (!Loading()) {
        const int count = m_manager ? m_manager->Categories()->Count() : 0;
        if (value < 0 || value >= count)
            return;
    }
    m_category = value;
    LinksChanged();
    NotifyChanged();
}

void TzqBarItem::SetDescription(const std::string& value)
{
    if (value == m_description)
        return;
    m_description = value;
    NotifyChanged();
}

bool TzqBarItem::Enabled() const
{
    if (m_manager && m_manager->IsCustomizing() && !m_manager->Designing() && m_category >= 0)
        return true;
    return m_enabled;
}

void TzqBarItem::SetEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    LinksChanged();
    EnabledChanged();
    NotifyChanged();
}

void TzqBarItem::SetHint(const std::string& value)
{
    if (value == m_hint)
        return;
    m_hint = value;
    NotifyChanged();
}

void TzqBarItem::SetVisible(TzqBarItemVisible value)
{
    if (Loading()) {
        m_hasPendingVisible = true;
        m_pendingVisible = value;
        return;
    }
    if (value == m_visible)
        return;
    m_visible = value;
    VisibleChanged();
    NotifyChanged();
}

void TzqBarItem::ApplyPendingVisible()
{
    if (!m_hasPendingVisible)
        return;
    m_hasPendingVisible = false;
    if (m_pendingVisible == m_visible)
        return;
    m_visible = m_pendingVisible;
    VisibleChanged();
}

bool TzqBarItem::IsShown() const
{
    return m_visible == TzqBarItemVisible::ivAlways ||
           (m_visible == TzqBarItemVisible::ivInCustomizing && m_manager && m_manager->IsCustomizing());
}

TBitmap* TzqBarItem::Glyph() const
{
    return GlyphOf(m_glyph);
}

void TzqBarItem::SetGlyph(const TBitmap* value)
{
    CopyGlyph(*Glyph(), value);
    GlyphChanged();
    SizeChanged();
    NotifyChanged();
}

bool TzqBarItem::HasGlyph() const
{
    return m_glyph && !m_glyph->Empty();
}

void TzqBarItem::SetImageIndex(int value)
{
    if (value == m_imageIndex)
        return;
    m_imageIndex = value;
    GlyphChanged();
    SizeChanged();
    NotifyChanged();
}

void TzqBarItem::SetShortCut(TShortCut value)
{
    if (value == m_shortCut)
        return;
    m_shortCut = value;
    LinksChanged();
    ShortCutChanged();
    NotifyChanged();
}

bool TzqBarItem::HasHotImage() const
{
    TImageList* hot = m_manager ? m_manager->HotImages() : nullptr;
    return hot && m_imageIndex >= 0 && m_imageIndex < hot->Count();
}

// ---- Notices ----

void TzqBarItem::SizeChanged()
{
    for (TzqBarItemLink* link : m_links)
        if (TzqBarItemLinks* links = link->Links())
            if (TzqBar* bar = links->OwnerBar())
                bar->RequestLayout();
}

void TzqBarItem::VisibleChanged()
{
    const bool shown = IsShown();
    // A copy: marking a link may reach other links, never this list.
    const std::vector<TzqBarItemLink*> links = m_links;
    for (TzqBarItemLink* link : links) {
        if (TzqBarItemLinks* owner = link->Links()) {
            owner->ListsChanged();
            if (TzqBar* bar = owner->OwnerBar())
                bar->RequestLayout();
        }
        if (shown)
            link->MarkUsed(false);
        else
            link->MarkNotUsed();
    }
}

void TzqBarItem::Loaded()
{
    TComponent::Loaded();
    // Loaded apart from its manager: the visibility read waits no longer. With the
    // manager, its end of loading applies it in turn.
    if (!m_manager || !(m_manager->IsLoading() || m_manager->m_endingLoading))
        ApplyPendingVisible();
}

// ---- Clicking ----

void TzqBarItem::DirectClick()
{
    if (CanClicked())
        DoClick();
}

void TzqBarItem::DoClick()
{
    if (!Enabled())
        return;
    const auto alive = m_life.Watch();
    try {
        if (m_manager)
            m_manager->DoClickItem(this);
        if (*alive)
            Click();
    } catch (const std::exception& e) {
        if (!Application)
            throw;
        Application->HandleException(e);
    }
}

void TzqBarItem::Click()
{
    if (OnClick)
        OnClick(this);
    else if (TBasicAction* action = Action())
        action->Execute();
}

// ---- Actions ----

void TzqBarItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* action = dynamic_cast<TAction*>(Sender);
    if (!action)
        return;
    const auto alive = m_life.Watch();
    if (!CheckDefaults || m_caption.empty())
        SetCaption(action->Caption());
    if (!CheckDefaults || m_enabled)
        SetEnabled(action->Enabled());
    if (!CheckDefaults || m_helpContext == 0)
        SetHelpContext(action->HelpContext());
    if (!CheckDefaults || m_hint.empty())
        SetHint(action->Hint());
    if (!CheckDefaults || m_imageIndex == -1)
        SetImageIndex(action->ImageIndex());
    if (!CheckDefaults || m_shortCut == scNone)
        SetShortCut(action->ShortCut());
    if (*alive && (!CheckDefaults || m_visible == TzqBarItemVisible::ivAlways))
        SetVisible(action->Visible() ? TzqBarItemVisible::ivAlways : TzqBarItemVisible::ivNever);
}

void TzqBarItem::AssignTo(TBasicAction* Dest) const
{
    auto* action = dynamic_cast<TAction*>(Dest);
    if (!action)
        return;
    action->SetCaption(m_caption);
    action->SetEnabled(m_enabled);
    action->SetHelpContext(m_helpContext);
    action->SetHint(m_hint);
    action->SetImageIndex(m_imageIndex);
    action->SetShortCut(m_shortCut);
    if (m_visible != TzqBarItemVisible::ivInCustomizing)
        action->SetVisible(m_visible == TzqBarItemVisible::ivAlways);
}
