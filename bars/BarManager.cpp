#include "bars/BarManager.h"

#include "bars/Bar.h"
#include "bars/BarCursors.h"
#include "bars/BarErrors.h"
#include "bars/BarGlyph.h"
#include "bars/BarGroup.h"
#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManagerCategories.h"
#include "bars/BarManagerList.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarPopupMenuLinks.h"
#include "bars/BarTooltips.h"
#include "bars/BarWindowHooks.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/controls/Application.h"
#include "platform/core/TextCompare.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/ImageList.h"
#include "platform/drawing/SystemMetrics.h"

#include <algorithm>

namespace {

// The form a manager serves: its owner, or the application's main form without one.
TCustomForm* ServedForm(TComponent* owner)
{
    if (!owner && Application)
        return Application->MainForm();
    return dynamic_cast<TCustomForm*>(owner);
}

template <typename T>
void EraseFromBack(std::vector<T*>& list, const T* value)
{
    auto it = std::find(list.rbegin(), list.rend(), value);
    if (it != list.rend())
        list.erase(std::next(it).base());
}

} // namespace

TzqBarManager::TzqBarManager(TComponent* AOwner)
    : TComponent(AOwner), m_font(std::make_unique<TFont>()), m_dockColor(clBtnFace), m_imageListBkColor(clFuchsia)
{
    TCustomForm* form = ServedForm(AOwner);
    if (!form)
        throw EzqBarError("TzqBarManager should have as its Owner - TForm (TCustomForm)");
    if (TzqBarManagerList::ForForm(form))
        throw EzqBarError("A Form should contain only a single TzqBarManager");
    if (!AOwner)
        form->InsertComponent(this);
    m_ownerForm = form;
    TzqBarManagerListPrivate::Add(this);
    RegisterBarCursors();

    m_categories = std::make_unique<TzqBarManagerCategories>(this);
    if (form->IsLoading())
        BeginLoading();
    else
        m_categories->Add("Default");
    m_font->OnChange = [this](TObject*) { FontChanged(); };
    ApplySystemFont();
    m_bars = std::make_unique<TzqBars>(this);
    m_popupMenuLinks = std::make_unique<TzqBarPopupMenuLinks>(this);
    m_helpButtonGlyph = std::make_unique<TBitmap>();
    for (auto& brush : m_brushes)
        brush = std::make_unique<TBrush>();
    RefreshSystemColors();
    SetMostRecentItemsPercents(m_mostRecentItemsPercents);
    m_modified = false; // made, not changed
}

TzqBarManager::~TzqBarManager()
{
    BeforeDestruction();
    m_isCustomizing = false;
    // Popup menus and groups are freed with the manager; items stay with the form.
    while (!m_popupMenus.empty())
        delete m_popupMenus.back();
    while (!m_groups.empty())
        delete m_groups.back();
    for (TzqBarItem* item : std::vector<TzqBarItem*>(m_items))
        item->ManagerDestroyed();
    m_items.clear();
    m_bars.reset();
    for (TzqBarDockControl* site : std::vector<TzqBarDockControl*>(m_dockControls)) {
        site->m_manager = nullptr;
        site->RemoveFreeNotification(this);
    }
    m_dockControls.clear();
    for (TzqBarItemLinks* links : std::vector<TzqBarItemLinks*>(m_allLinks))
        links->m_manager = nullptr;
    m_allLinks.clear();
    m_popupMenuLinks.reset();
    m_font->OnChange = nullptr;
    m_categories.reset();
    m_tooltips.reset();
    m_windowHooks.reset();
    TzqBarManagerListPrivate::Remove(this);
}

// ---- Lists the manager keeps ----

void TzqBarManager::AddItem(TzqBarItem* Item)
{
    m_items.push_back(Item);
    if (!IsLoading())
        Changed();
}

void TzqBarManager::RemoveItem(TzqBarItem* Item)
{
    EraseFromBack(m_items, Item);
    if (!IsDestroying())
        Changed();
}

void TzqBarManager::AddGroup(TzqBarGroup* Group)
{
    m_groups.push_back(Group);
}

void TzqBarManager::RemoveGroup(TzqBarGroup* Group)
{
    EraseFromBack(m_groups, Group);
}

void TzqBarManager::AddPopupMenu(TzqBarPopupMenu* Menu)
{
    m_popupMenus.push_back(Menu);
}

void TzqBarManager::RemovePopupMenu(TzqBarPopupMenu* Menu)
{
    EraseFromBack(m_popupMenus, Menu);
}

void TzqBarManager::AddDockControl(TzqBarDockControl* Site)
{
    m_dockControls.push_back(Site);
}

void TzqBarManager::RemoveDockControl(TzqBarDockControl* Site)
{
    EraseFromBack(m_dockControls, Site);
}

void TzqBarManager::AddLinks(TzqBarItemLinks* Links)
{
    m_allLinks.push_back(Links);
}

void TzqBarManager::RemoveLinks(TzqBarItemLinks* Links)
{
    EraseFromBack(m_allLinks, Links);
}

void TzqBarManager::JoinLoading(TComponent* Component)
{
    if (!IsLoading() || Component->IsLoading())
        return;
    Component->BeginLoading();
    m_loadingChildren.push_back(Component);
    FreeNotification(Component);
}

TzqBarItem* TzqBarManager::Items(int Index) const
{
    return Index >= 0 && Index < ItemCount() ? m_items[static_cast<size_t>(Index)] : nullptr;
}

TzqBarGroup* TzqBarManager::Groups(int Index) const
{
    return Index >= 0 && Index < GroupCount() ? m_groups[static_cast<size_t>(Index)] : nullptr;
}

TzqBarPopupMenu* TzqBarManager::PopupMenus(int Index) const
{
    return Index >= 0 && Index < PopupMenuCount() ? m_popupMenus[static_cast<size_t>(Index)] : nullptr;
}

TzqBarDockControl* TzqBarManager::DockControls(int Index) const
{
    return Index >= 0 && Index < DockControlCount() ? m_dockControls[static_cast<size_t>(Index)] : nullptr;
}

TzqBarItem* TzqBarManager::ItemByName(const std::string& Name) const
{
    for (TzqBarItem* item : m_items)
        if (SameText(item->Name(), Name))
            return item;
    return nullptr;
}

TzqBar* TzqBarManager::BarByCaption(const std::string& Caption) const
{
    for (int i = 0; i < m_bars->Count(); ++i)
        if (m_bars->Items(i)->Caption() == Caption)
            return m_bars->Items(i);
    return nullptr;
}

TzqBar* TzqBarManager::BarByName(const std::string& Name) const
{
    for (int i = 0; i < m_bars->Count(); ++i)
        if (m_bars->Items(i)->Name() == Name)
            return m_bars->Items(i);
    return nullptr;
}

int TzqBarManager::GetItemsByCategory(int Category, std::vector<TzqBarItem*>& List) const
{
    List.clear();
    if (Category < 0 || Category >= m_categories->Count())
        return 0;
    for (TzqBarItem* item : m_items)
        if (item->Category() == Category)
            List.push_back(item);
    return static_cast<int>(List.size());
}

int TzqBarManager::GetShownItemsByCategory(int Category, std::vector<TzqBarItem*>& List) const
{
    GetItemsByCategory(Category, List);
    if (!Designing())
        List.erase(std::remove_if(List.begin(), List.end(),
                                  [](TzqBarItem* item) { return !item->IsShown() || item->HiddenInCustomizingLists(); }),
                   List.end());
    return static_cast<int>(List.size());
}

int TzqBarManager::ShownCategoryToIndex(int N) const
{
    if (Designing())
        return N;
    for (int i = 0; i < m_categories->Count(); ++i)
        if (m_categories->Visible(i) && N-- == 0)
            return i;
    return -1;
}

void TzqBarManager::MoveItem(int CurIndex, int NewIndex)
{
    if (CurIndex < 0 || CurIndex >= ItemCount() || NewIndex < 0 || NewIndex >= ItemCount() || CurIndex == NewIndex)
        return;
    TzqBarItem* item = m_items[static_cast<size_t>(CurIndex)];
    m_items.erase(m_items.begin() + CurIndex);
    m_items.insert(m_items.begin() + NewIndex, item);
    Changed();
}

void TzqBarManager::ExchangeItems(int Index1, int Index2)
{
    if (Index1 < 0 || Index1 >= ItemCount() || Index2 < 0 || Index2 >= ItemCount() || Index1 == Index2)
        return;
    std::swap(m_items[static_cast<size_t>(Index1)], m_items[static_cast<size_t>(Index2)]);
    Changed();
}

// ---- Properties ----

void TzqBarManager::SetAutoDockColor(bool value)
{
    if (value == m_autoDockColor)
        return;
    m_autoDockColor = value;
    DockSitesChanged();
}

void TzqBarManager::SetAutoHideEmptyBars(bool value)
{
    if (value == m_autoHideEmptyBars)
        return;
    m_autoHideEmptyBars = value;
    if (!value)
        for (int i = 0; i < m_bars->Count(); ++i)
            m_bars->Items(i)->SetAutoHidden(false);
}

void TzqBarManager::SetScaled(bool value)
{
    if (value == m_scaled)
        return;
    m_scaled = value;
    ApplySystemFont();
}

void TzqBarManager::SetFont(const TFont& value)
{
    if (!IsLoading())
        m_useSystemFont = false;
    m_font->Assign(value);
}

void TzqBarManager::ApplySystemFont()
{
    NONCLIENTMETRICS metrics;
    if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return;
    m_settingFont = true;
    if (m_useSystemFont)
        m_font->AssignLogFont(metrics.lfMenuFont);
    else if (m_scaled)
        m_font->SetHeight(metrics.lfMenuFont.lfHeight);
    m_settingFont = false;
    FontChanged();
}

void TzqBarManager::SetUseSystemFont(bool value)
{
    if (value == m_useSystemFont)
        return;
    m_useSystemFont = value;
    if (value && !IsLoading())
        ApplySystemFont();
}

void TzqBarManager::FontChanged()
{
    if (m_settingFont)
        return;
    if (m_bars)
        for (int i = 0; i < m_bars->Count(); ++i)
            m_bars->Items(i)->ManagerFontChanged();
    for (TzqBarPopupMenu* menu : m_popupMenus)
        menu->ManagerFontChanged();
}

void TzqBarManager::SetBars(const TzqBars& value)
{
    m_bars->Assign(value);
}

void TzqBarManager::SetButtonArrowWidth(int value)
{
    if (value < 2 || value == m_buttonArrowWidth)
        return;
    m_buttonArrowWidth = value;
    RelayoutBars();
}

void TzqBarManager::SetLargeButtonArrowWidth(int value)
{
    if (value < 2 || value == m_largeButtonArrowWidth)
        return;
    m_largeButtonArrowWidth = value;
    RelayoutBars();
}

void TzqBarManager::SetCategories(const TStrings& value)
{
    m_categories->Assign(value);
}

TColor TzqBarManager::DockColor() const
{
    return m_autoDockColor && m_ownerForm ? m_ownerForm->Color() : m_dockColor;
}

void TzqBarManager::SetDockColor(TColor value)
{
    m_dockColor = value;
    m_autoDockColor = false;
    DockSitesChanged();
}

void TzqBarManager::DockSitesChanged()
{
    if (!m_bars)
        return;
    for (TzqBarDockingStyle style : {TzqBarDockingStyle::dsLeft, TzqBarDockingStyle::dsTop, TzqBarDockingStyle::dsRight,
                                     TzqBarDockingStyle::dsBottom})
        if (TzqDockControl* site = m_bars->DockSite(style))
            site->UpdateColor();
    for (TzqBarDockControl* site : m_dockControls)
        site->UpdateColor();
}

void TzqBarManager::SetFlatCloseButton(bool value)
{
    if (value == m_flatCloseButton)
        return;
    m_flatCloseButton = value;
    if (m_mainMenuBar)
        m_mainMenuBar->RequestLayout();
}

void TzqBarManager::SetShowCloseButton(bool value)
{
    if (value == m_showCloseButton)
        return;
    m_showCloseButton = value;
    if (m_mainMenuBar)
        m_mainMenuBar->RequestLayout();
}

void TzqBarManager::SetHelpButtonGlyph(const TBitmap* value)
{
    CopyGlyph(*m_helpButtonGlyph, value);
}

void TzqBarManager::SetHotImages(TImageList* value)
{
    if (value == m_hotImages)
        return;
    m_hotImages = value;
    if (value)
        FreeNotification(value);
    ImagesChanged();
}

void TzqBarManager::SetImages(TImageList* value)
{
    if (value == m_images)
        return;
    m_images = value;
    if (value)
        FreeNotification(value);
    ImagesChanged();
}

void TzqBarManager::SetLargeImages(TImageList* value)
{
    if (value == m_largeImages)
        return;
    m_largeImages = value;
    if (value)
        FreeNotification(value);
    ImagesChanged();
}

void TzqBarManager::ImagesChanged()
{
    RelayoutBars();
}

void TzqBarManager::SetImageListBkColor(TColor value)
{
    m_imageListBkColor = value;
}

void TzqBarManager::SetLargeIcons(bool value)
{
    if (value == m_largeIcons)
        return;
    m_largeIcons = value;
    RelayoutBars();
}

void TzqBarManager::SetMenusShowRecentItemsFirst(bool value)
{
    m_menusShowRecentItemsFirst = value;
}

void TzqBarManager::SetMostRecentItemsPercents(int value)
{
    m_mostRecentItemsPercents = std::clamp(value, 0, 100);
    // The smallest N with N * (100 - P) / 100 (rounded down) above 0; 0 for P = 100.
    const int rest = 100 - m_mostRecentItemsPercents;
    m_usageThreshold = rest == 0 ? 0 : (100 + rest - 1) / rest;
}

void TzqBarManager::SetPopupMenuLinks(const TzqBarPopupMenuLinks& value)
{
    m_popupMenuLinks->Assign(value);
}

void TzqBarManager::SetStretchGlyphs(bool value)
{
    if (value == m_stretchGlyphs)
        return;
    m_stretchGlyphs = value;
    RelayoutBars();
}

void TzqBarManager::SetStyle(TzqBarManagerStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    // Personalized behaviour depends on the style.
    AllListsChanged();
    RelayoutBars();
}

void TzqBarManager::SetSunkenBorder(bool value)
{
    if (value == m_sunkenBorder)
        return;
    m_sunkenBorder = value;
    DockSitesChanged();
}

void TzqBarManager::SetWaitForDockingTime(int value)
{
    if (value >= 0)
        m_waitForDockingTime = value;
}

std::array<int, 4> TzqBarManager::DockControlHeights() const
{
    auto size = [this](TzqBarDockingStyle style, bool width) {
        TzqDockControl* site = m_bars->DockSite(style);
        return site ? (width ? site->Width() : site->Height()) : 0;
    };
    return {size(TzqBarDockingStyle::dsLeft, true), size(TzqBarDockingStyle::dsRight, true),
            size(TzqBarDockingStyle::dsTop, false), size(TzqBarDockingStyle::dsBottom, false)};
}

void TzqBarManager::SetDockControlHeights(const std::array<int, 4>& value)
{
    if (TzqDockControl* site = m_bars->DockSite(TzqBarDockingStyle::dsLeft))
        site->SetWidth(std::max(value[0], 0));
    if (TzqDockControl* site = m_bars->DockSite(TzqBarDockingStyle::dsRight))
        site->SetWidth(std::max(value[1], 0));
    if (TzqDockControl* site = m_bars->DockSite(TzqBarDockingStyle::dsTop))
        site->SetHeight(std::max(value[2], 0));
    if (TzqDockControl* site = m_bars->DockSite(TzqBarDockingStyle::dsBottom))
        site->SetHeight(std::max(value[3], 0));
}

// ---- State ----

void TzqBarManager::SetCustomizing(bool Value)
{
    if (Value == m_isCustomizing)
        return;
    m_isCustomizing = Value;
    AllListsChanged();
    if (Value ? OnShowCustomizingForm : OnHideCustomizingForm)
        (Value ? OnShowCustomizingForm : OnHideCustomizingForm)(this);
}

void TzqBarManager::AllListsChanged()
{
    for (TzqBarItemLinks* links : m_allLinks)
        links->ListsChanged();
}

void TzqBarManager::RelayoutBars()
{
    if (!m_bars)
        return;
    for (int i = 0; i < m_bars->Count(); ++i)
        m_bars->Items(i)->RequestLayout();
}

void TzqBarManager::SetMainMenuBar(TzqBar* Bar)
{
    m_mainMenuBar = Bar;
}

void TzqBarManager::Changed()
{
    if (!IsLoading() && !IsDestroying())
        m_modified = true;
}

TzqBarTooltips* TzqBarManager::Tooltips()
{
    if (!m_tooltips)
        m_tooltips = std::make_unique<TzqBarTooltips>(this);
    return m_tooltips.get();
}

TzqBarWindowHooks* TzqBarManager::WindowHooks()
{
    if (!m_windowHooks)
        m_windowHooks = std::make_unique<TzqBarWindowHooks>(this);
    return m_windowHooks.get();
}

void TzqBarManager::BeginLock()
{
    if (m_lockCount++ > 0)
        return;
    for (int i = 0; i < m_bars->Count(); ++i)
        m_bars->Items(i)->m_holdLayout = true;
}

void TzqBarManager::EndLock()
{
    if (m_lockCount == 0 || --m_lockCount > 0)
        return;
    // Everything held is laid out again.
    for (int i = 0; i < m_bars->Count(); ++i) {
        TzqBar* bar = m_bars->Items(i);
        bar->m_holdLayout = false;
        if (bar->DockingStyle() != TzqBarDockingStyle::dsNone)
            bar->RequestLayout();
    }
    for (TzqBarDockingStyle style : {TzqBarDockingStyle::dsLeft, TzqBarDockingStyle::dsTop, TzqBarDockingStyle::dsRight,
                                     TzqBarDockingStyle::dsBottom})
        if (TzqDockControl* site = m_bars->DockSite(style); site && site->Visible()) {
            site->Realign();
            site->Invalidate();
        }
}

// ---- Notices from the parts ----

void TzqBarManager::LinkAdded(TzqBarItemLink* Link)
{
    if (OnItemLinkAdd)
        OnItemLinkAdd(this, Link);
    Changed();
}

void TzqBarManager::LinkChanged(TzqBarItemLink* Link)
{
    if (IsDestroying())
        return;
    Changed();
    if (OnItemLinkChange)
        OnItemLinkChange(this, Link);
}

void TzqBarManager::LinkDestroying(TzqBarItemLink* Link)
{
    if (m_selectedLink == Link)
        m_selectedLink = nullptr;
    if (IsDestroying())
        return;
    Changed();
    if (OnItemLinkDelete)
        OnItemLinkDelete(this, Link);
}

void TzqBarManager::BarVisibleChanged(TzqBar* Bar)
{
    if (OnBarVisibleChange)
        OnBarVisibleChange(this, Bar);
}

void TzqBarManager::BarDestroying(TzqBar* Bar)
{
    if (m_mainMenuBar == Bar)
        m_mainMenuBar = nullptr;
    if (IsDestroying())
        return;
    Changed();
    if (OnBarDelete)
        OnBarDelete(this, Bar);
}

void TzqBarManager::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_images)
        m_images = nullptr;
    if (AComponent == m_hotImages)
        m_hotImages = nullptr;
    if (AComponent == m_largeImages)
        m_largeImages = nullptr;
    m_loadingChildren.erase(std::remove(m_loadingChildren.begin(), m_loadingChildren.end(), AComponent),
                            m_loadingChildren.end());
    if (m_popupMenuLinks)
        m_popupMenuLinks->ComponentRemoved(AComponent);
}

// ---- Docking and clicks ----

bool TzqBarManager::CanDocking(TzqBar* Bar, TzqBarDockingStyle Style, TzqDockControl* DockControl)
{
    bool result = true;
    auto* userSite = dynamic_cast<TzqBarDockControl*>(DockControl);
    if (Bar && Bar->NotDocking().contains(Style))
        result = false;
    else if (!userSite)
        result = !m_notDocking.contains(Style);
    else
        result = userSite->CanDocking(Bar);
    if (OnDocking)
        OnDocking(Bar, Style, DockControl, result);
    return result;
}

void TzqBarManager::DoClickItem(TzqBarItem* Item)
{
    if (OnClickItem)
        OnClickItem(this, Item);
}

void TzqBarManager::DoBarAfterReset(TzqBar* Bar)
{
    if (OnBarAfterReset)
        OnBarAfterReset(this, Bar);
}

void TzqBarManager::DoBarBeforeReset(TzqBar* Bar)
{
    if (OnBarBeforeReset)
        OnBarBeforeReset(this, Bar);
}

void TzqBarManager::DoBarClose(TzqBar* Bar)
{
    if (OnBarClose)
        OnBarClose(this, Bar);
}

void TzqBarManager::DoBarDockingStyleChange(TzqBar* Bar)
{
    if (OnBarDockingStyleChange)
        OnBarDockingStyleChange(this, Bar);
}

void TzqBarManager::DoCloseButtonClick()
{
    if (OnCloseButtonClick)
        OnCloseButtonClick(this);
}

void TzqBarManager::DoHelpButtonClick()
{
    if (OnHelpButtonClick)
        OnHelpButtonClick(this);
}

void TzqBarManager::DoShowCustomizingPopup(TzqBarItemLinks* PopupItemLinks)
{
    if (OnShowCustomizingPopup)
        OnShowCustomizingPopup(this, PopupItemLinks);
}

void TzqBarManager::DoShowToolbarsPopup(TzqBarItemLinks* PopupItemLinks)
{
    if (OnShowToolbarsPopup)
        OnShowToolbarsPopup(this, PopupItemLinks);
}
