// The submenu window: building its rows (containers expanded, personalized menus
// collapsed), measuring and placing it, opening and closing it.
#include "bars/BarSubMenuControl.h"

#include "bars/Bar.h"
#include "bars/BarContainerItem.h"
#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarMenuChain.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarSubItem.h"
#include "bars/BarTooltips.h"
#include "bars/Bars.h"
#include "platform/controls/Form.h"
#include "platform/controls/ShortCuts.h"
#include "platform/controls/TextMeasure.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Font.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TzqBarSubMenuControl::TzqBarSubMenuControl(TzqBarManager* Manager, TzqBarItemLinks* Links, HWND OwnerWindow)
    : TCustomzqBarControl(Manager), m_links(Links), m_ownerWindow(OwnerWindow)
{
    SetVisible(false);
    if (Manager)
        Font()->Assign(*Manager->Font());
    if (m_links)
        m_links->SetControl(this);
}

TzqBarSubMenuControl::~TzqBarSubMenuControl()
{
    BeforeDestruction();
    for (TimerId id : {kOpenTimer, kCloseTimer, kScrollTimer, kExpandTimer, kHotExpandTimer})
        StopTimer(id);
    LeaveChain();
    ClearItemControls();
    m_containerLinks.clear();
    if (m_links && m_links->Control() == this)
        m_links->SetControl(nullptr);
}

TzqBarLook TzqBarSubMenuControl::Look() const
{
    TzqBarLook look = TCustomzqBarControl::Look();
    look.Vertical = false;
    return look;
}

void TzqBarSubMenuControl::CreateParams(TCreateParams& Params)
{
    TCustomzqBarControl::CreateParams(Params);
    Params.WinClassName = "TzqBarSubMenuControl";
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    Params.WindowClassStyle = CS_SAVEBITS | CS_DBLCLKS;
    HWND owner = m_ownerWindow && IsWindow(m_ownerWindow) ? m_ownerWindow : nullptr;
    if (!owner && BarManager() && BarManager()->OwnerForm() && BarManager()->OwnerForm()->HandleAllocated())
        owner = BarManager()->OwnerForm()->Handle();
    Params.WndParent = owner;
}

bool TzqBarSubMenuControl::IsSelectable(const TzqBarItemControl* Control) const
{
    // Rows scrolled out of view can be selected: the menu scrolls to them.
    return Control && Control->Item();
}

// ---- Personalized menus ----

bool TzqBarSubMenuControl::Personalized() const
{
    TzqBarManager* manager = BarManager();
    return manager && m_links && manager->Style() != TzqBarManagerStyle::bmsStandard &&
           manager->MenusShowRecentItemsFirst() && m_links->PersonalizedBehaviour();
}

bool TzqBarSubMenuControl::RarelyUsed(const TzqBarItemLink* Link) const
{
    return std::find(m_rare.begin(), m_rare.end(), Link) != m_rare.end();
}

void TzqBarSubMenuControl::SetExpandState(int State)
{
    State = std::clamp(State, 0, 2);
    if (State == m_expandState)
        return;
    m_expandState = State;
    if (State == 1 && BarManager() && BarManager()->ShowFullMenusAfterDelay())
        StartTimer(kHotExpandTimer, kHotExpandDelay);
    else
        StopTimer(kHotExpandTimer);
    RepaintRect(ExpandButtonRect());
}

void TzqBarSubMenuControl::Expand()
{
    if (!m_expandButton)
        return;
    TzqBarMenuChain::SetExpanded(true);
    CloseChildOpenedBy(nullptr);
    StopTimer(kExpandTimer);
    StopTimer(kHotExpandTimer);
    m_expandState = 2;
    TzqBarItemLink* selected = SelectedControl() ? SelectedControl()->Link() : nullptr;
    Rebuild(true);
    if (selected)
        if (TzqBarItemControl* c = ControlOf(selected))
            SelectControl(c);
}

void TzqBarSubMenuControl::StartExpandTimer()
{
    TzqBarManager* manager = BarManager();
    if (m_expandButton && m_expandState == 0 && manager && manager->ShowFullMenusAfterDelay())
        StartTimer(kExpandTimer, kExpandDelay);
}

TzqBarItemLink* TzqBarSubMenuControl::HiddenAccelerator(WORD Key, TShiftState Shift) const
{
    if (!m_expandButton || !m_links)
        return nullptr;
    for (int i = 0; i < m_links->VisibleCount(); ++i) {
        TzqBarItemLink* link = m_links->VisibleItems(i);
        if (!ControlOf(link) && link->Item() && link->Item()->Enabled() && link->Matches(Key, Shift))
            return link;
    }
    return nullptr;
}

void TzqBarSubMenuControl::ShowHiddenLink(TzqBarItemLink* Link)
{
    Expand();
    if (TzqBarItemControl* c = ControlOf(Link))
        SelectControl(c);
}

// ---- Building and placing ----

std::vector<TzqBarItemLink*> TzqBarSubMenuControl::BuildLinks()
{
    std::vector<TzqBarItemLink*> out;
    m_rare.clear();
    if (!m_links)
        return out;
    TzqBarManager* manager = BarManager();
    const bool personalized = Personalized();
    const bool expanded = TzqBarMenuChain::Expanded() || (manager && manager->IsCustomizing());
    int recentCount = -1;
    if (personalized) {
        recentCount = m_links->CalcRecentItemCount();
        m_links->SetRecentItemCount(expanded ? -1 : recentCount);
    }
    m_expandButton = personalized && m_links->DisplayedCount() < m_links->VisibleCount();
    if (personalized && expanded && recentCount >= 0) {
        // The links a collapsed menu would hide are the rarely used ones.
        std::vector<const TzqBarItemLink*> recent;
        for (int i = 0; i < m_links->RecentCount() && static_cast<int>(recent.size()) < recentCount; ++i)
            if (m_links->RecentItems(i)->VisibleIndex() >= 0)
                recent.push_back(m_links->RecentItems(i));
        for (int i = 0; i < m_links->VisibleCount(); ++i)
            if (std::find(recent.begin(), recent.end(), m_links->VisibleItems(i)) == recent.end())
                m_rare.push_back(m_links->VisibleItems(i));
    }
    m_containerLinks.clear();
    // A list or container opened from a bar shows its content.
    if (auto* container = m_opener ? dynamic_cast<TCustomzqBarContainerItem*>(m_opener->Item()) : nullptr) {
        AppendContent(container, m_opener->Link(), false, out);
        return out;
    }
    std::vector<TzqBarItemLink*> displayed;
    for (int i = 0; i < m_links->DisplayedCount(); ++i)
        displayed.push_back(m_links->DisplayedItems(i));
    for (TzqBarItemLink* link : displayed) {
        if (auto* container = dynamic_cast<TCustomzqBarContainerItem*>(link->Item()))
            AppendContent(container, link, RarelyUsed(link), out);
        else
            out.push_back(link);
    }
    return out;
}

void TzqBarSubMenuControl::AppendContent(TCustomzqBarContainerItem* Container, TzqBarItemLink* ContainerLink, bool Rare,
                                         std::vector<TzqBarItemLink*>& Out)
{
    // The content is made afresh for each opening, in a collection the menu owns.
    const auto alive = Watch();
    const auto itemAlive = Container->Watch();
    Container->DoGetData();
    if (!*alive || !*itemAlive)
        return;
    auto content = std::make_unique<TzqBarItemLinks>(BarManager(), this);
    Container->InsertContent(content.get(), 0, ContainerLink);
    for (int i = 0; i < content->Count(); ++i) {
        TzqBarItemLink* entry = content->Items(i);
        if (!entry->Item() || !entry->Item()->IsShown() || !entry->Visible())
            continue;
        Out.push_back(entry);
        if (Rare)
            m_rare.push_back(entry);
    }
    m_containerLinks.push_back(std::move(content));
}

TSize TzqBarSubMenuControl::Measure()
{
    const bool flat = BarManager() && BarManager()->Style() == TzqBarManagerStyle::bmsFlat;
    m_metrics = TzqBarSubMenuMetrics::For(*Font(), flat);
    m_rows.assign(static_cast<size_t>(ItemControlCount()), Row{});
    int y = 0;
    int widest = 0;
    for (int i = 0; i < ItemControlCount(); ++i) {
        TzqBarItemLink* link = ItemControls(i)->Link();
        const bool own = link->Links() == m_links;
        const bool separator = i > 0 && (own ? link->BeginGroup() : link->BeginGroupFlag());
        if (separator)
            y += m_metrics.SeparatorHeight;
        m_rows[static_cast<size_t>(i)] = Row{y, separator};
        y += m_metrics.ItemHeight;
        const TzqBarItem* item = link->Item();
        const std::string shortCut = item && item->ShortCut() != scNone ? ShortCutToText(item->ShortCut()) : "";
        const int captionWidth = MeasureText(*Font(), StripAccelerator(link->Caption())).cx;
        const int shortCutWidth = shortCut.empty() ? 0 : MeasureText(*Font(), shortCut).cx;
        widest = std::max(widest, m_metrics.ItemWidth(captionWidth, shortCutWidth));
    }
    m_rowsHeight = y;
    const int width = m_metrics.MenuWidth(widest, m_barSize, ItemControlCount() == 0);
    int height = y + m_metrics.ExtraHeight;
    if (m_expandButton)
        height += m_metrics.TextRowHeight;
    if (m_detachable)
        height += m_metrics.DetachBarHeight;
    return {width, height};
}

int TzqBarSubMenuControl::RowsTop() const
{
    int top = m_metrics.Border + (m_detachable ? m_metrics.DetachBarHeight : 0);
    if (m_cut)
        top += m_metrics.ExpandButtonHeight;
    return top;
}

int TzqBarSubMenuControl::RowsBottom() const
{
    int bottom = Height() - (m_metrics.ExtraHeight - m_metrics.Border);
    if (m_expandButton)
        bottom -= m_metrics.TextRowHeight;
    if (m_cut)
        bottom -= m_metrics.ExpandButtonHeight;
    return bottom;
}

int TzqBarSubMenuControl::VisibleRowCount() const
{
    if (!m_cut)
        return ItemControlCount();
    int count = 0;
    const int room = RowsBottom() - RowsTop();
    const int origin = m_topIndex < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(m_topIndex)].Top : 0;
    for (size_t i = static_cast<size_t>(m_topIndex); i < m_rows.size(); ++i) {
        if (m_rows[i].Top - origin + m_metrics.ItemHeight > room)
            break;
        ++count;
    }
    return std::max(count, 1);
}

void TzqBarSubMenuControl::Arrange()
{
    const int left = m_metrics.Border + m_barSize;
    const int right = Width() - m_metrics.Border;
    const int top = RowsTop();
    const int bottom = RowsBottom();
    const int origin = m_cut && m_topIndex < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(m_topIndex)].Top : 0;
    for (int i = 0; i < ItemControlCount(); ++i) {
        const Row& row = m_rows[static_cast<size_t>(i)];
        const int y = top + row.Top - origin;
        const bool shown = !m_cut || (i >= m_topIndex && y + m_metrics.ItemHeight <= bottom);
        ItemControls(i)->SetRect(shown ? TRect(left, y, right, y + m_metrics.ItemHeight) : TRect());
    }
}

void TzqBarSubMenuControl::SetTopIndex(int value)
{
    const int last = std::max(0, ItemControlCount() - 1);
    value = std::clamp(value, 0, last);
    if (m_cut) {
        // No room is left empty below the last row.
        int first = ItemControlCount();
        const int room = RowsBottom() - RowsTop();
        const int end = m_rowsHeight;
        while (first > 0 && end - m_rows[static_cast<size_t>(first - 1)].Top <= room)
            --first;
        value = std::min(value, std::max(first, 0));
    } else {
        value = 0;
    }
    if (value == m_topIndex)
        return;
    m_topIndex = value;
    Arrange();
    Invalidate();
}

void TzqBarSubMenuControl::Rebuild(bool KeepPlace)
{
    const TRect before = BoundsRect();
    // The changes made here (the recent count, a container's content) ask for no layout.
    m_building = true;
    std::vector<TzqBarItemLink*> links = BuildLinks();
    SyncItemControls(links);
    m_building = false;
    const TSize size = Measure();
    TzqBarMenuPlacement place;
    const bool flat = m_metrics.Flat;
    if (KeepPlace) {
        place = PlaceSubMenu(size, TzqBarMenuAnchor::AtPoint, TRect(before.Left, before.Top, before.Left, before.Top),
                             false, flat, MonitorWorkAreaAt);
        // Growing from where it stands: moved up only as far as it must, else cut.
        const TRect work = MonitorWorkAreaAt(TPoint{before.Left, before.Top});
        int y = before.Top;
        int h = size.cy;
        if (y + h > work.Bottom)
            y = std::max(work.Top, work.Bottom - h);
        place.Cut = y + h > work.Bottom;
        if (place.Cut)
            h = work.Bottom - y;
        place.Bounds = TRect(before.Left, y, before.Left + size.cx, y + h);
        place.OpensLeft = m_opensLeft;
        place.OpensUp = m_opensUp;
    } else {
        const bool preferLeft = ParentControl() && ParentControl()->IsSubMenu() &&
                                static_cast<TzqBarSubMenuControl*>(ParentControl())->OpensLeft();
        place = PlaceSubMenu(size, m_anchor, m_openerRect, preferLeft, flat, MonitorWorkAreaAt);
    }
    m_opensLeft = place.OpensLeft;
    m_opensUp = place.OpensUp;
    m_cut = place.Cut;
    m_topIndex = 0;
    SetBounds(place.Bounds.Left, place.Bounds.Top, place.Bounds.Width(), place.Bounds.Height());
    Arrange();
    Invalidate();
}

void TzqBarSubMenuControl::LayoutScheduled()
{
    if (!m_closing && Visible())
        Rebuild(true);
}

void TzqBarSubMenuControl::ShowFrom(TzqBarMenuAnchor Anchor, const TRect& Opener, TzqBarItemControl* OpenerControl)
{
    m_anchor = Anchor;
    m_openerRect = Opener;
    m_opener = OpenerControl;
    m_flipWidth = Anchor == TzqBarMenuAnchor::FromMenu || Anchor == TzqBarMenuAnchor::FromVerticalBar ? Opener.Width() : 0;
    m_flipHeight = Anchor == TzqBarMenuAnchor::FromHorizontalBar ? Opener.Height() : 0;
    TCustomzqBarControl* parent = OpenerControl ? OpenerControl->Parent() : nullptr;
    if (auto* sub = OpenerControl ? dynamic_cast<TCustomzqBarSubItem*>(OpenerControl->Item()) : nullptr) {
        m_barSize = sub->BarSize();
        m_detachable = sub->Detachable();
    }
    JoinChain(parent);
    if (parent)
        parent->SetChildMenu(this);
    m_expandState = 0;
    Rebuild(false);
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetVisible(true);
    StartExpandTimer();
}

void TzqBarSubMenuControl::Close()
{
    if (m_closing)
        return;
    m_closing = true;
    for (TimerId id : {kOpenTimer, kCloseTimer, kScrollTimer, kExpandTimer, kHotExpandTimer})
        StopTimer(id);
    CloseChildOpenedBy(nullptr);
    TCustomzqBarControl* parent = ParentControl();
    TzqBarItemControl* opener = m_opener;
    if (parent && !parent->HasItemControl(opener))
        opener = nullptr;
    auto* subItem = opener ? dynamic_cast<TzqBarSubItem*>(opener->Item()) : nullptr;
    const auto itemAlive = subItem ? subItem->Watch() : nullptr;
    if (BarManager())
        BarManager()->Tooltips()->Hide();
    LeaveChain();
    if (opener) {
        opener->SetDroppedDown(false);
        // The selection goes back to the item that opened the menu.
        if (parent->SelectedControl() != opener)
            parent->SetSelectedControl(opener);
    }
    if (GetCapture() && HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    SetVisible(false);
    std::function<void()> closed = std::move(OnClosed);
    delete this;
    if (closed)
        closed();
    if (subItem && *itemAlive && subItem->OnCloseUp)
        subItem->OnCloseUp(subItem);
}
