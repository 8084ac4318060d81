#include "bars/Bar.h"

#include "bars/BarWindows.h"

#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarSubItem.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/drawing/Font.h"

#include <algorithm>

TzqBar::TzqBar(TCollection* Collection) : TCollectionItem(Collection), m_font(std::make_unique<TFont>())
{
    m_itemLinks = std::make_unique<TzqBarItemLinks>(BarManager(), this);
    ManagerFontChanged();
    m_font->OnChange = [this](TObject*) { FontChanged(); };
}

TzqBar::~TzqBar()
{
    TzqBarManager* manager = BarManager();
    if (manager)
        manager->BarDestroying(this);
    m_visible = false;
    TzqBarWindows::Release(this);
    for (TCustomzqBarSubItem* item : std::vector<TCustomzqBarSubItem*>(m_detaching))
        item->DetachFromBar();
    m_font->OnChange = nullptr;
    m_itemLinks.reset();
}

TzqBars* TzqBar::Bars() const
{
    return static_cast<TzqBars*>(Collection());
}

TzqBarManager* TzqBar::BarManager() const
{
    TzqBars* bars = Bars();
    return bars ? bars->BarManager() : nullptr;
}

bool TzqBar::Loading() const
{
    TzqBarManager* manager = BarManager();
    return manager && manager->IsLoading();
}

void TzqBar::RequestLayout()
{
    m_layoutPending = true;
    TzqBarWindows::Update(this);
}

void TzqBar::Changed()
{
    if (TzqBarManager* manager = BarManager(); manager && !Loading())
        manager->Changed();
}

// ---- Caption and name ----

void TzqBar::SetCaption(const std::string& value)
{
    if (value == m_caption)
        return;
    TzqBarManager* manager = BarManager();
    if (manager) {
        TzqBar* other = manager->BarByCaption(value);
        if (other && other != this)
            return; // another bar has this caption
    }
    m_caption = value;
    if (m_name.empty() && !Loading())
        MakeNameFromCaption();
    Changed();
}

void TzqBar::MakeNameFromCaption()
{
    TzqBarManager* manager = BarManager();
    if (!manager || !manager->BarByName(m_caption)) {
        m_name = m_caption;
        return;
    }
    for (int n = 1;; ++n) {
        const std::string candidate = m_caption + std::to_string(n);
        if (!manager->BarByName(candidate)) {
            m_name = candidate;
            return;
        }
    }
}

// ---- Docking ----

TzqBarDockingStyle TzqBar::DockingStyle() const
{
    return m_dockControl ? m_dockControl->DockingStyle() : m_dockingStyle;
}

TzqBarDockingStyle TzqBar::DockedDockingStyle() const
{
    return m_dockedDockControl ? m_dockedDockControl->DockingStyle() : m_dockedDockingStyle;
}

void TzqBar::SetDockControl(TzqBarDockControl* value)
{
    if (value && value->BarManager() != BarManager())
        return; // only a site of the same manager
    if (Loading()) {
        m_hasPendingDockControl = true;
        m_pendingDockControl = value;
        return;
    }
    if (value == m_dockControl)
        return;
    m_dockControl = value;
    if (value)
        m_dockedDockControl = value;
    DockingStyleChanged();
}

void TzqBar::SetDockedDockControl(TzqBarDockControl* value)
{
    if (value && value->BarManager() != BarManager())
        return;
    if (value == m_dockedDockControl)
        return;
    m_dockedDockControl = value;
    Changed();
}

void TzqBar::SetDockingStyle(TzqBarDockingStyle value)
{
    if (Loading()) {
        m_hasPendingDockingStyle = true;
        m_pendingDockingStyle = value;
        return;
    }
    if (value == m_dockingStyle && !m_dockControl)
        return;
    // A side of the form: the bar leaves a user dock site.
    m_dockControl = nullptr;
    m_dockingStyle = value;
    if (value != TzqBarDockingStyle::dsNone) {
        m_dockedDockingStyle = value;
        m_dockedDockControl = nullptr;
    }
    DockingStyleChanged();
}

void TzqBar::SetDockedDockingStyle(TzqBarDockingStyle value)
{
    if (value == m_dockedDockingStyle)
        return;
    m_dockedDockingStyle = value;
    Changed();
}

void TzqBar::DockingStyleChanged()
{
    RequestLayout();
    TzqBarManager* manager = BarManager();
    TzqBars* bars = Bars();
    if (!manager || !bars)
        return;
    const auto alive = m_life.Watch();
    if (!bars->Loading() && !bars->Assigning())
        manager->DoBarDockingStyleChange(this);
    if (*alive)
        Changed();
}

void TzqBar::ApplyPendingDocking()
{
    if (m_hasPendingDockControl) {
        m_hasPendingDockControl = false;
        m_hasPendingDockingStyle = false;
        SetDockControl(m_pendingDockControl);
    } else if (m_hasPendingDockingStyle) {
        m_hasPendingDockingStyle = false;
        SetDockingStyle(m_pendingDockingStyle);
    }
}

void TzqBar::DockControlRemoved(TzqBarDockControl* Site)
{
    if (m_pendingDockControl == Site) {
        m_pendingDockControl = nullptr;
        m_hasPendingDockControl = false;
    }
    if (m_dockedDockControl == Site)
        m_dockedDockControl = nullptr;
    if (m_dockControl == Site) {
        // The bar loses its place: it is hidden and docks at the site's side of the form
        // when shown again.
        m_dockedDockingStyle = Site->DockingStyle();
        m_dockControl = nullptr;
        m_dockingStyle = TzqBarDockingStyle::dsNone;
        SetVisible(false);
    }
}

void TzqBar::SetDockedLeft(int value)
{
    value = std::max(value, 0);
    if (value == m_dockedLeft)
        return;
    m_dockedLeft = value;
    RequestLayout();
    Changed();
}

void TzqBar::SetDockedTop(int value)
{
    value = std::max(value, 0);
    if (value == m_dockedTop)
        return;
    m_dockedTop = value;
    RequestLayout();
    Changed();
}

void TzqBar::SetRow(int value)
{
    value = std::max(value, 0);
    if (value == m_row)
        return;
    m_row = value;
    RequestLayout();
    Changed();
}

// ---- Look ----

void TzqBar::SetAllowQuickCustomizing(bool value)
{
    if (value == m_allowQuickCustomizing)
        return;
    m_allowQuickCustomizing = value;
    RequestLayout();
}

void TzqBar::SetBorderStyle(TzqBarBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    RequestLayout();
    Changed();
}

void TzqBar::SetFont(const TFont& value)
{
    m_font->Assign(value);
}

void TzqBar::FontChanged()
{
    if (!m_copyingFont)
        m_useOwnFont = true;
    RequestLayout();
}

void TzqBar::SetUseOwnFont(bool value)
{
    if (value == m_useOwnFont)
        return;
    m_useOwnFont = value;
    if (!value)
        ManagerFontChanged();
}

void TzqBar::ManagerFontChanged()
{
    TzqBarManager* manager = BarManager();
    if (m_useOwnFont || !manager)
        return;
    m_copyingFont = true;
    m_font->Assign(*manager->Font());
    m_copyingFont = false;
    RequestLayout();
}

void TzqBar::SetIsMainMenu(bool value)
{
    if (value == m_isMainMenu)
        return;
    TzqBarManager* manager = BarManager();
    {
        TzqBarManagerLock lock(manager);
        if (value) {
            if (manager && manager->MainMenuBar() && manager->MainMenuBar() != this)
                manager->MainMenuBar()->SetIsMainMenu(false);
            m_isMainMenu = true;
            if (manager)
                manager->SetMainMenuBar(this);
            m_wholeRow = true;
            m_multiLine = true;
        } else {
            m_isMainMenu = false;
            if (manager && manager->MainMenuBar() == this)
                manager->SetMainMenuBar(nullptr);
            m_multiLine = false;
            m_wholeRow = false;
        }
    }
    RequestLayout();
    Changed();
}

void TzqBar::SetItemLinks(const TzqBarItemLinks& value)
{
    m_itemLinks->Assign(value);
}

void TzqBar::SetMultiLine(bool value)
{
    if (value == m_multiLine || (!value && m_isMainMenu))
        return;
    m_multiLine = value;
    RequestLayout();
    Changed();
}

void TzqBar::SetOneOnRow(bool value)
{
    if (value == m_oneOnRow)
        return;
    m_oneOnRow = value;
    RequestLayout();
    Changed();
}

void TzqBar::SetRotateWhenVertical(bool value)
{
    if (value == m_rotateWhenVertical)
        return;
    m_rotateWhenVertical = value;
    RequestLayout();
    Changed();
}

void TzqBar::SetShowMark(bool value)
{
    if (value == m_showMark)
        return;
    m_showMark = value;
    RequestLayout();
}

void TzqBar::SetSizeGrip(bool value)
{
    if (value == m_sizeGrip)
        return;
    m_sizeGrip = value;
    RequestLayout();
}

bool TzqBar::UseRecentItems() const
{
    return m_itemLinks->UseRecentItems();
}

void TzqBar::SetUseRecentItems(bool value)
{
    if (value == UseRecentItems())
        return;
    m_itemLinks->SetUseRecentItems(value);
    RequestLayout();
    Changed();
}

void TzqBar::SetUseRestSpace(bool value)
{
    if (value == m_useRestSpace)
        return;
    m_useRestSpace = value;
    RequestLayout();
    Changed();
}

void TzqBar::SetWholeRow(bool value)
{
    if (value == m_wholeRow)
        return;
    m_wholeRow = value;
    RequestLayout();
    Changed();
}

void TzqBar::SetVisible(bool value)
{
    if (Loading()) {
        m_hasPendingVisible = true;
        m_pendingVisible = value;
        return;
    }
    if (value == m_visible)
        return;
    m_visible = value;
    RequestLayout();
    TzqBarManager* manager = BarManager();
    if (!manager)
        return;
    const auto alive = m_life.Watch();
    manager->BarVisibleChanged(this);
    if (*alive)
        Changed();
}

void TzqBar::ApplyPendingVisible()
{
    if (!m_hasPendingVisible)
        return;
    m_hasPendingVisible = false;
    SetVisible(m_pendingVisible);
}

void TzqBar::AddDetaching(TCustomzqBarSubItem* Item)
{
    if (std::find(m_detaching.begin(), m_detaching.end(), Item) == m_detaching.end())
        m_detaching.push_back(Item);
}

void TzqBar::RemoveDetaching(TCustomzqBarSubItem* Item)
{
    m_detaching.erase(std::remove(m_detaching.begin(), m_detaching.end(), Item), m_detaching.end());
}

// ---- Copying ----

void TzqBar::Assign(const TCollectionItem& Source)
{
    const auto* source = dynamic_cast<const TzqBar*>(&Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    // Handlers fired by the steps may free this bar.
    const auto alive = m_life.Watch();
    SetAllowClose(source->m_allowClose);
    SetAllowCustomizing(source->m_allowCustomizing);
    SetAllowQuickCustomizing(source->m_allowQuickCustomizing);
    SetAllowReset(source->m_allowReset);
    SetCaption(source->m_caption);
    SetDockedDockControl(source->m_dockedDockControl);
    SetDockedDockingStyle(source->m_dockedDockingStyle);
    SetDockedLeft(source->m_dockedLeft);
    SetDockedTop(source->m_dockedTop);
    SetFloatLeft(source->m_floatLeft);
    SetFloatTop(source->m_floatTop);
    SetFloatClientWidth(source->m_floatClientWidth);
    SetFloatClientHeight(source->m_floatClientHeight);
    SetHidden(source->m_hidden);
    SetIsMainMenu(source->m_isMainMenu);
    SetItemLinks(*source->m_itemLinks);
    if (!*alive)
        return;
    SetNotDocking(source->m_notDocking);
    SetOneOnRow(source->m_oneOnRow);
    SetRotateWhenVertical(source->m_rotateWhenVertical);
    SetRow(source->m_row);
    SetWholeRow(source->m_wholeRow);
    if (source->m_dockControl)
        SetDockControl(source->m_dockControl);
    else
        SetDockingStyle(source->m_dockingStyle);
    if (!*alive)
        return;
    SetUseRecentItems(source->UseRecentItems());
    SetUseRestSpace(source->m_useRestSpace);
    if (source->m_useOwnFont)
        SetFont(*source->m_font);
    SetUseOwnFont(source->m_useOwnFont);
    SetVisible(source->m_visible);
}
