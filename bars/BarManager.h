// TzqBarManager: the non-visual component that gives a form its menus and toolbars.
// One manager serves one form. It lists the form's items (commands) by category, owns
// the bars, the groups and the popup menus with their links to controls, and keeps the
// style metrics and colours the bar windows are drawn with. The application gives its
// bar configuration as a definition (a function that builds it); the manager runs it
// while loading, and again into a scratch form when the user resets a bar.
#pragma once

#include "bars/BarTypes.h"
#include "bars/LifeToken.h"
#include "platform/core/Color.h"
#include "platform/core/Component.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TBrush;
class TCustomForm;
class TFont;
class TImageList;
class TStrings;
class TzqBarLinksWalk;
class TzqBarDockControl;
class TzqBarGroup;
class TzqBarManagerCategories;
class TzqBarPopupMenu;
class TzqBarPopupMenuLinks;
class TzqBarTooltips;
class TzqBarWindowHooks;

// Builds a manager's configuration: categories, bars, items (owned by the manager's
// OwnerForm and named), links, groups and popup menus, and the manager's properties.
// It sets no event handlers: it is run again into a scratch form to learn what a reset
// restores.
using TzqBarManagerDefinition = std::function<void(TzqBarManager& Manager)>;

class TzqBarManager : public TComponent {
public:
    // The owner must be a form (the application's main form when none is given) that
    // has no manager yet; otherwise raises "TzqBarManager should have as its Owner -
    // TForm (TCustomForm)" or "A Form should contain only a single TzqBarManager".
    explicit TzqBarManager(TComponent* AOwner);
    // Leaves customize mode, frees the popup menus, groups, bars and categories and
    // leaves the manager list.
    ~TzqBarManager() override;

    TCustomForm* OwnerForm() const { return m_ownerForm; }

    // ---- Published properties ----
    bool AllowCallFromAnotherForm() const { return m_allowCallFromAnotherForm; }
    void SetAllowCallFromAnotherForm(bool value) { m_allowCallFromAnotherForm = value; }
    bool AllowReset() const { return m_allowReset; }
    void SetAllowReset(bool value) { m_allowReset = value; }
    bool AlwaysMerge() const { return m_alwaysMerge; }
    void SetAlwaysMerge(bool value) { m_alwaysMerge = value; }
    bool AlwaysSaveText() const { return m_alwaysSaveText; }
    void SetAlwaysSaveText(bool value) { m_alwaysSaveText = value; }
    // While set, DockColor reads the form's colour.
    bool AutoDockColor() const { return m_autoDockColor; }
    void SetAutoDockColor(bool value);
    // Setting it false clears every bar's auto-hidden mark.
    bool AutoHideEmptyBars() const { return m_autoHideEmptyBars; }
    void SetAutoHideEmptyBars(bool value);
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool value);
    // The system menu font while UseSystemFont; setting a font outside loading turns
    // UseSystemFont off.
    TFont* Font() const { return m_font.get(); }
    void SetFont(const TFont& value);
    TzqBars* Bars() const { return m_bars.get(); }
    void SetBars(const TzqBars& value);
    // Values below 2 are ignored.
    int ButtonArrowWidth() const { return m_buttonArrowWidth; }
    void SetButtonArrowWidth(int value);
    bool CanCustomize() const { return m_canCustomize; }
    void SetCanCustomize(bool value) { m_canCustomize = value; }
    TzqBarManagerCategories* Categories() const { return m_categories.get(); }
    void SetCategories(const TStrings& value);
    // The form's colour while AutoDockColor; setting it turns AutoDockColor off.
    TColor DockColor() const;
    void SetDockColor(TColor value);
    bool FlatCloseButton() const { return m_flatCloseButton; }
    void SetFlatCloseButton(bool value);
    TBitmap* HelpButtonGlyph() const { return m_helpButtonGlyph.get(); }
    void SetHelpButtonGlyph(const TBitmap* value);
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int value) { m_helpContext = value; }
    bool HideFloatingBarsWhenInactive() const { return m_hideFloatingBarsWhenInactive; }
    void SetHideFloatingBarsWhenInactive(bool value) { m_hideFloatingBarsWhenInactive = value; }
    TImageList* HotImages() const { return m_hotImages; }
    void SetHotImages(TImageList* value);
    TColor ImageListBkColor() const { return m_imageListBkColor; }
    void SetImageListBkColor(TColor value);
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* value);
    const std::string& IniFileName() const { return m_iniFileName; }
    void SetIniFileName(const std::string& value) { m_iniFileName = value; }
    TImageList* LargeImages() const { return m_largeImages; }
    void SetLargeImages(TImageList* value);
    // Values below 2 are ignored.
    int LargeButtonArrowWidth() const { return m_largeButtonArrowWidth; }
    void SetLargeButtonArrowWidth(int value);
    bool LargeIcons() const { return m_largeIcons; }
    void SetLargeIcons(bool value);
    TzqBarMenuAnimations MenuAnimations() const { return m_menuAnimations; }
    void SetMenuAnimations(TzqBarMenuAnimations value) { m_menuAnimations = value; }
    bool MenusShowRecentItemsFirst() const { return m_menusShowRecentItemsFirst; }
    void SetMenusShowRecentItemsFirst(bool value);
    // Values above 100 become 100; the usage threshold follows.
    int MostRecentItemsPercents() const { return m_mostRecentItemsPercents; }
    void SetMostRecentItemsPercents(int value);
    TzqBarDockingStyles NotDocking() const { return m_notDocking; }
    void SetNotDocking(TzqBarDockingStyles value) { m_notDocking = value; }
    TzqBarPopupMenuLinks* PopupMenuLinks() const { return m_popupMenuLinks.get(); }
    void SetPopupMenuLinks(const TzqBarPopupMenuLinks& value);
    const std::string& RegistryPath() const { return m_registryPath; }
    void SetRegistryPath(const std::string& value) { m_registryPath = value; }
    bool ShowCloseButton() const { return m_showCloseButton; }
    void SetShowCloseButton(bool value);
    bool ShowFullMenusAfterDelay() const { return m_showFullMenusAfterDelay; }
    void SetShowFullMenusAfterDelay(bool value) { m_showFullMenusAfterDelay = value; }
    bool ShowHelpButton() const { return m_showHelpButton; }
    void SetShowHelpButton(bool value) { m_showHelpButton = value; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value) { m_showHint = value; }
    bool ShowHintForDisabledItems() const { return m_showHintForDisabledItems; }
    void SetShowHintForDisabledItems(bool value) { m_showHintForDisabledItems = value; }
    bool ShowShortCutInHint() const { return m_showShortCutInHint; }
    void SetShowShortCutInHint(bool value) { m_showShortCutInHint = value; }
    bool StoreInIniFile() const { return m_storeInIniFile; }
    void SetStoreInIniFile(bool value) { m_storeInIniFile = value; }
    bool StoreInRegistry() const { return m_storeInRegistry; }
    void SetStoreInRegistry(bool value) { m_storeInRegistry = value; }
    bool StretchGlyphs() const { return m_stretchGlyphs; }
    void SetStretchGlyphs(bool value);
    TzqBarManagerStyle Style() const { return m_style; }
    void SetStyle(TzqBarManagerStyle value);
    bool SunkenBorder() const { return m_sunkenBorder; }
    void SetSunkenBorder(bool value);
    bool UseF10ForMenu() const { return m_useF10ForMenu; }
    void SetUseF10ForMenu(bool value) { m_useF10ForMenu = value; }
    bool UseFullReset() const { return m_useFullReset; }
    void SetUseFullReset(bool value) { m_useFullReset = value; }
    bool UseSystemFont() const { return m_useSystemFont; }
    void SetUseSystemFont(bool value);
    // Negative values are ignored.
    int WaitForDockingTime() const { return m_waitForDockingTime; }
    void SetWaitForDockingTime(int value);

    // Widths of the left and right built-in dock sites and heights of the top and
    // bottom ones, in that order (stored with the form).
    std::array<int, 4> DockControlHeights() const;
    void SetDockControlHeights(const std::array<int, 4>& value);

    // ---- Events ----
    TzqBarEvent OnBarAdd;
    TzqBarEvent OnBarAfterReset;
    TzqBarEvent OnBarBeforeReset;
    TzqBarEvent OnBarClose;
    TzqBarEvent OnBarDelete;
    TzqBarEvent OnBarDockingStyleChange;
    TzqBarVisibleChangeEvent OnBarVisibleChange;
    TzqBarItemLinkEvent OnItemLinkAdd;
    TzqBarItemLinkEvent OnItemLinkChange;
    TzqBarItemLinkEvent OnItemLinkDelete;
    TNotifyEvent OnCloseButtonClick;
    TzqBarCanDockingEvent OnDocking;
    TNotifyEvent OnHelpButtonClick;
    TNotifyEvent OnHideCustomizingForm;
    TNotifyEvent OnShowCustomizingForm;
    TzqBarMenuMergeEvent OnMenuMerge;
    TzqBarShowPopupEvent OnShowCustomizingPopup;
    TzqBarShowPopupEvent OnShowToolbarsPopup;
    TzqBarClickItemEvent OnClickItem;

    // ---- Style metrics (set by Style and LargeIcons) ----
    int BorderWidth() const;
    int GripSize() const;
    int SeparatorSize() const;
    int GlyphSize() const { return 16 * (1 + (m_largeIcons ? 1 : 0)); }
    int ButtonSize() const { return GlyphSize() + 7; }
    int MenuItemHeight() const { return GlyphSize() + 6; }
    // The drop-down arrow width: odd, one less in the flat style.
    int ArrowWidth() const;

    // The flat style's colours, made from the system colours when the manager is made
    // and when the system colours change (RefreshSystemColors).
    TBrush* FlatShadowBrush() const { return m_brushes[0].get(); }
    TBrush* FlatMenuBrush() const { return m_brushes[1].get(); }
    // Selection colours 0 to 2: light, strong and checked.
    TBrush* FlatSelectBrush(int Index) const;
    void RefreshSystemColors();

    // ---- Items, categories, groups ----
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    TzqBarItem* Items(int Index) const;
    // Case-insensitive; the first match, or null.
    TzqBarItem* ItemByName(const std::string& Name) const;
    int GroupCount() const { return static_cast<int>(m_groups.size()); }
    TzqBarGroup* Groups(int Index) const;
    // Exact comparison; the first match, or null.
    TzqBar* BarByCaption(const std::string& Caption) const;
    TzqBar* BarByName(const std::string& Name) const;
    // The items of a category in pool order (none for an index outside the list);
    // answers their number.
    int GetItemsByCategory(int Category, std::vector<TzqBarItem*>& List) const;
    // The same, keeping only items that can be shown and are not hidden in lists.
    int GetShownItemsByCategory(int Category, std::vector<TzqBarItem*>& List) const;
    // Index of the N-th visible category (-1 when none); while designing, N.
    int ShownCategoryToIndex(int N) const;
    TzqBarItemVisible CategoryItemsVisible(int Index) const;
    void SetCategoryItemsVisible(int Index, TzqBarItemVisible Value);
    bool CategoryVisible(int Index) const;
    void SetCategoryVisible(int Index, bool Value);
    // Reorder the item pool.
    void MoveItem(int CurIndex, int NewIndex);
    void ExchangeItems(int Index1, int Index2);

    // Popup menus bound to the manager.
    int PopupMenuCount() const { return static_cast<int>(m_popupMenus.size()); }
    TzqBarPopupMenu* PopupMenus(int Index) const;
    // User dock sites bound to the manager.
    int DockControlCount() const { return static_cast<int>(m_dockControls.size()); }
    TzqBarDockControl* DockControls(int Index) const;

    // ---- State ----
    bool Designing() const { return IsDesigning(); }
    bool IsCustomizing() const { return m_isCustomizing; }
    // Enters or leaves customize mode: items shown only while customizing become
    // available and every derived list is rebuilt.
    void SetCustomizing(bool Value);
    TzqBar* MainMenuBar() const { return m_mainMenuBar; }
    TzqBarItemLink* SelectedLink() const { return m_selectedLink; }
    void SetSelectedLink(TzqBarItemLink* value) { m_selectedLink = value; }
    // The tooltips of the bar items (the manager's one hint window).
    TzqBarTooltips* Tooltips();
    // What the bar windows watch of the owner form (its activation) and what they ask of
    // the manager's other parts (right clicks and double clicks on bars and sites).
    TzqBarWindowHooks* WindowHooks();
    // The use count a new link starts with.
    int UsageThreshold() const { return m_usageThreshold; }
    // How many times a definition was read into the manager.
    int ReadCount() const { return m_readCount; }
    bool Modified() const { return m_modified; }
    void SetModified(bool value) { m_modified = value; }
    // Marks the manager changed (outside loading and destruction).
    void Changed();

    // A message sent to the owner form (or an MDI child form of it): floating bars follow
    // its activation and state, colours and metrics follow the system's.
    void HandleFormMessage(UINT Message, WPARAM WParam, LPARAM LParam);
    // Reads true while the manager lives.
    std::shared_ptr<const bool> Watch() const { return m_life.Watch(); }

    // Layout and painting of the bars and dock sites are held between BeginLock and
    // the matching EndLock; the last EndLock lays everything out again.
    void BeginLock();
    void EndLock();
    bool LockUpdate() const { return m_lockCount > 0; }

    // ---- Definition and resets ----
    // Runs the definition with the manager loading and ends loading; it is kept for
    // resets. Raises what the definition raises (loading is ended first).
    void ReadDefinition(const TzqBarManagerDefinition& Definition);
    // True while reading the scratch copy a reset compares with.
    bool ReadingDefinitionCopy() const { return m_readingDefinitionCopy; }
    // True while a reset assigns links (links find their item by name in the form).
    bool Resetting() const { return m_resetting > 0; }
    // Whether a bar may be reset: its AllowReset and the manager's, one definition read.
    bool CanReset(const TzqBar* Bar) const;
    // Asks, then restores the bar from the definition (algorithm of resets).
    void ResetBar(TzqBar* Bar);
    // Asks, then restores the recent-use marks of every bar and submenu.
    void ResetUsageData();

    // Whether a bar may dock on a side or in a user site (OnDocking may change it).
    virtual bool CanDocking(TzqBar* Bar, TzqBarDockingStyle Style, TzqDockControl* DockControl);
    // Fires OnClickItem.
    virtual void DoClickItem(TzqBarItem* Item);
    virtual void DoBarAfterReset(TzqBar* Bar);
    virtual void DoBarBeforeReset(TzqBar* Bar);
    virtual void DoBarClose(TzqBar* Bar);
    virtual void DoBarDockingStyleChange(TzqBar* Bar);
    virtual void DoCloseButtonClick();
    virtual void DoHelpButtonClick();
    virtual void DoShowCustomizingPopup(TzqBarItemLinks* PopupItemLinks);
    virtual void DoShowToolbarsPopup(TzqBarItemLinks* PopupItemLinks);

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Reads the stored layout (registry, then INI file) at the end of loading.
    virtual void RestoreStoredLayout() {}

private:
    friend class TzqBar;
    friend class TzqBars;
    friend class TzqBarItem;
    friend class TzqBarItemLink;
    friend class TzqBarItemLinks;
    friend class TzqBarGroup;
    friend class TzqBarPopupMenu;
    friend class TzqBarDockControl;
    friend class TzqDockControl;
    friend class TzqBarManagerCategories;

    // Lists the manager keeps for its parts.
    void AddItem(TzqBarItem* Item);
    void RemoveItem(TzqBarItem* Item);
    void AddGroup(TzqBarGroup* Group);
    void RemoveGroup(TzqBarGroup* Group);
    void AddPopupMenu(TzqBarPopupMenu* Menu);
    void RemovePopupMenu(TzqBarPopupMenu* Menu);
    void AddDockControl(TzqBarDockControl* Site);
    void RemoveDockControl(TzqBarDockControl* Site);
    void AddLinks(TzqBarItemLinks* Links);
    void RemoveLinks(TzqBarItemLinks* Links);
    // A component joining the manager while it loads loads with it, and ends its
    // loading with the manager.
    void JoinLoading(TComponent* Component);

    void SetMainMenuBar(TzqBar* Bar);
    void LinkAdded(TzqBarItemLink* Link);
    void LinkChanged(TzqBarItemLink* Link);
    void LinkDestroying(TzqBarItemLink* Link);
    void BarVisibleChanged(TzqBar* Bar);
    void BarDestroying(TzqBar* Bar);
    void AllListsChanged();
    void RelayoutBars();
    void ImagesChanged();
    void FontChanged();
    void DockSitesChanged();
    void ApplySystemFont();
    void EndLoadingChildren();
    // The pool with a token per item telling whether it still lives: handlers run
    // while walking it may free items.
    std::vector<std::pair<TzqBarItem*, std::shared_ptr<const bool>>> WatchedItems() const;
    std::unique_ptr<TCustomForm> ReadDefinitionCopy();
    void ResetSubItems(TzqBarItemLinks* Links, TzqBarManager& Definition, TzqBarLinksWalk& Walk);

    TCustomForm* m_ownerForm = nullptr;
    bool m_allowCallFromAnotherForm = false;
    bool m_allowReset = true;
    bool m_alwaysMerge = false;
    bool m_alwaysSaveText = false;
    bool m_autoDockColor = true;
    bool m_autoHideEmptyBars = false;
    bool m_scaled = true;
    std::unique_ptr<TFont> m_font;
    bool m_settingFont = false;
    std::unique_ptr<TzqBars> m_bars;
    int m_buttonArrowWidth = 11;
    bool m_canCustomize = true;
    std::unique_ptr<TzqBarManagerCategories> m_categories;
    TColor m_dockColor;
    bool m_flatCloseButton = false;
    std::unique_ptr<TBitmap> m_helpButtonGlyph;
    int m_helpContext = 0;
    bool m_hideFloatingBarsWhenInactive = true;
    TImageList* m_hotImages = nullptr;
    TColor m_imageListBkColor;
    TImageList* m_images = nullptr;
    std::string m_iniFileName;
    TImageList* m_largeImages = nullptr;
    int m_largeButtonArrowWidth = 13;
    bool m_largeIcons = false;
    TzqBarMenuAnimations m_menuAnimations = TzqBarMenuAnimations::maNone;
    bool m_menusShowRecentItemsFirst = true;
    int m_mostRecentItemsPercents = 95;
    TzqBarDockingStyles m_notDocking;
    std::unique_ptr<TzqBarPopupMenuLinks> m_popupMenuLinks;
    std::string m_registryPath;
    bool m_showCloseButton = false;
    bool m_showFullMenusAfterDelay = true;
    bool m_showHelpButton = false;
    bool m_showHint = true;
    bool m_showHintForDisabledItems = true;
    bool m_showShortCutInHint = false;
    bool m_storeInIniFile = false;
    bool m_storeInRegistry = false;
    bool m_stretchGlyphs = true;
    TzqBarManagerStyle m_style = TzqBarManagerStyle::bmsEnhanced;
    bool m_sunkenBorder = false;
    bool m_useF10ForMenu = true;
    bool m_useFullReset = false;
    bool m_useSystemFont = true;
    int m_waitForDockingTime = 21;

    std::array<std::unique_ptr<TBrush>, 5> m_brushes;
    std::vector<TzqBarItem*> m_items;
    std::vector<TzqBarGroup*> m_groups;
    std::vector<TzqBarPopupMenu*> m_popupMenus;
    std::vector<TzqBarDockControl*> m_dockControls;
    std::vector<TzqBarItemLinks*> m_allLinks;
    std::vector<TComponent*> m_loadingChildren;
    bool m_isCustomizing = false;
    TzqBar* m_mainMenuBar = nullptr;
    TzqBarItemLink* m_selectedLink = nullptr;
    int m_usageThreshold = 20;
    int m_readCount = 0;
    // The end of loading is being carried out: items leave their pending values to it.
    bool m_endingLoading = false;
    bool m_modified = false;
    int m_lockCount = 0;
    std::unique_ptr<TzqBarTooltips> m_tooltips;
    std::unique_ptr<TzqBarWindowHooks> m_windowHooks;
    TzqBarManagerDefinition m_definition;
    bool m_readingDefinitionCopy = false;
    int m_resetting = 0;
    TzqLifeToken m_life;
};

// Holds a manager locked for a scope, however the scope is left.
class TzqBarManagerLock {
public:
    explicit TzqBarManagerLock(TzqBarManager* Manager) : m_manager(Manager)
    {
        if (m_manager)
            m_manager->BeginLock();
    }
    ~TzqBarManagerLock()
    {
        if (m_manager)
            m_manager->EndLock();
    }
    TzqBarManagerLock(const TzqBarManagerLock&) = delete;
    TzqBarManagerLock& operator=(const TzqBarManagerLock&) = delete;

private:
    TzqBarManager* m_manager;
};
