// TzqBar: a toolbar or the main menu bar, an item of the manager's bars collection.
// It holds its links, where it docks (a side of the form or a user dock site) or
// floats, and how it shows itself; its window is made from this model.
#pragma once

#include "bars/BarTypes.h"
#include "bars/LifeToken.h"
#include "platform/core/Collection.h"

#include <memory>
#include <string>
#include <vector>

class TFont;
class TzqBarDockControl;
class TCustomzqBarSubItem;

class TzqBar : public TCollectionItem {
public:
    explicit TzqBar(TCollection* Collection);
    // Fires OnBarDelete (unless the manager is going), hides the bar, lets its
    // detaching submenus go and frees its links.
    ~TzqBar() override;

    TzqBars* Bars() const;
    TzqBarManager* BarManager() const;

    bool AllowClose() const { return m_allowClose; }
    void SetAllowClose(bool value) { m_allowClose = value; }
    bool AllowCustomizing() const { return m_allowCustomizing; }
    void SetAllowCustomizing(bool value) { m_allowCustomizing = value; }
    bool AllowQuickCustomizing() const { return m_allowQuickCustomizing; }
    void SetAllowQuickCustomizing(bool value);
    bool AllowReset() const { return m_allowReset; }
    void SetAllowReset(bool value) { m_allowReset = value; }
    TzqBarBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TzqBarBorderStyle value);

    // A caption another bar of the manager has is ignored. A bar without a name is
    // named after its caption (with the smallest number that makes the name unique).
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value) { m_name = value; }

    // The user dock site the bar is docked to; only a site of the same manager is
    // accepted. While loading the value waits for the end of loading.
    TzqBarDockControl* DockControl() const { return m_dockControl; }
    void SetDockControl(TzqBarDockControl* value);
    TzqBarDockControl* DockedDockControl() const { return m_dockedDockControl; }
    void SetDockedDockControl(TzqBarDockControl* value);
    // The side the bar is on (dsNone: floating); the user site's side when docked there.
    TzqBarDockingStyle DockingStyle() const;
    void SetDockingStyle(TzqBarDockingStyle value);
    // The side the bar returns to when docked again.
    TzqBarDockingStyle DockedDockingStyle() const;
    void SetDockedDockingStyle(TzqBarDockingStyle value);
    // Negative values become 0.
    int DockedLeft() const { return m_dockedLeft; }
    void SetDockedLeft(int value);
    int DockedTop() const { return m_dockedTop; }
    void SetDockedTop(int value);
    int FloatLeft() const { return m_floatLeft; }
    void SetFloatLeft(int value) { m_floatLeft = value; }
    int FloatTop() const { return m_floatTop; }
    void SetFloatTop(int value) { m_floatTop = value; }
    int FloatClientWidth() const { return m_floatClientWidth; }
    void SetFloatClientWidth(int value) { m_floatClientWidth = value; }
    int FloatClientHeight() const { return m_floatClientHeight; }
    void SetFloatClientHeight(int value) { m_floatClientHeight = value; }

    // A copy of the manager's font unless UseOwnFont; changing it sets UseOwnFont.
    TFont* Font() const { return m_font.get(); }
    void SetFont(const TFont& value);
    bool UseOwnFont() const { return m_useOwnFont; }
    void SetUseOwnFont(bool value);

    bool Hidden() const { return m_hidden; }
    void SetHidden(bool value) { m_hidden = value; }
    // Setting it makes this the manager's main menu bar (the previous one stops being
    // it) and forces WholeRow and MultiLine; clearing it clears both.
    bool IsMainMenu() const { return m_isMainMenu; }
    void SetIsMainMenu(bool value);
    TzqBarItemLinks* ItemLinks() const { return m_itemLinks.get(); }
    void SetItemLinks(const TzqBarItemLinks& value);
    // Cannot be cleared while IsMainMenu.
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool value);
    TzqBarDockingStyles NotDocking() const { return m_notDocking; }
    void SetNotDocking(TzqBarDockingStyles value) { m_notDocking = value; }
    bool OneOnRow() const { return m_oneOnRow; }
    void SetOneOnRow(bool value);
    bool RotateWhenVertical() const { return m_rotateWhenVertical; }
    void SetRotateWhenVertical(bool value);
    // Negative values become 0.
    int Row() const { return m_row; }
    void SetRow(int value);
    bool ShowMark() const { return m_showMark; }
    void SetShowMark(bool value);
    bool SizeGrip() const { return m_sizeGrip; }
    void SetSizeGrip(bool value);
    bool UseRecentItems() const;
    void SetUseRecentItems(bool value);
    bool UseRestSpace() const { return m_useRestSpace; }
    void SetUseRestSpace(bool value);
    // While loading the value waits for the end of loading.
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    bool WholeRow() const { return m_wholeRow; }
    void SetWholeRow(bool value);

    // Copies AllowClose, AllowCustomizing, AllowQuickCustomizing, AllowReset, Caption,
    // DockedDockControl, DockedDockingStyle, DockedLeft, DockedTop, the float position
    // and size, Hidden, IsMainMenu, ItemLinks, NotDocking, OneOnRow, RotateWhenVertical,
    // Row, WholeRow, the docking style and site, UseRecentItems, UseRestSpace, Font,
    // UseOwnFont and Visible, in that order.
    void Assign(const TCollectionItem& Source) override;

    // The bar existed when the manager finished loading its definition.
    bool Predefined() const { return m_predefined; }
    // Hidden because a category change left it without available links.
    bool AutoHidden() const { return m_autoHidden; }
    void SetAutoHidden(bool value) { m_autoHidden = value; }
    // Layout is held while the manager is locked.
    bool HoldLayout() const { return m_holdLayout; }
    // Whether the bar's window has to lay the bar out again; RequestLayout marks it,
    // the window clears it with LayoutDone once laid out.
    bool LayoutPending() const { return m_layoutPending; }
    // Also brings the bar's window in line with the bar (shown, hidden, docked, floating).
    void RequestLayout();
    void LayoutDone() { m_layoutPending = false; }
    // Submenu items that detach into this bar.
    int DetachingCount() const { return static_cast<int>(m_detaching.size()); }
    TCustomzqBarSubItem* Detaching(int Index) const { return m_detaching[static_cast<size_t>(Index)]; }

    // The bar's window while shown (made by the bar windows), none otherwise.
    TObject* Control() const { return m_control; }
    void SetControl(TObject* value) { m_control = value; }

private:
    friend class TzqBars;
    friend class TzqBarManager;
    friend class TCustomzqBarSubItem;
    friend class TzqBarDockControl;
    bool Loading() const;
    void ApplyPendingDocking();
    void ApplyPendingVisible();
    void DockingStyleChanged();
    void FontChanged();
    void ManagerFontChanged();
    void MakeNameFromCaption();
    void AddDetaching(TCustomzqBarSubItem* Item);
    void RemoveDetaching(TCustomzqBarSubItem* Item);
    void DockControlRemoved(TzqBarDockControl* Site);
    void Changed();

    bool m_allowClose = true;
    bool m_allowCustomizing = true;
    bool m_allowQuickCustomizing = true;
    bool m_allowReset = true;
    TzqBarBorderStyle m_borderStyle = TzqBarBorderStyle::bbsSingle;
    std::string m_caption;
    std::string m_name;
    TzqBarDockControl* m_dockControl = nullptr;
    TzqBarDockControl* m_dockedDockControl = nullptr;
    TzqBarDockingStyle m_dockingStyle = TzqBarDockingStyle::dsNone;
    TzqBarDockingStyle m_dockedDockingStyle = TzqBarDockingStyle::dsTop;
    int m_dockedLeft = 0;
    int m_dockedTop = 0;
    int m_floatLeft = 0;
    int m_floatTop = 0;
    int m_floatClientWidth = 0;
    int m_floatClientHeight = 0;
    std::unique_ptr<TFont> m_font;
    bool m_useOwnFont = false;
    bool m_copyingFont = false;
    bool m_hidden = false;
    bool m_isMainMenu = false;
    std::unique_ptr<TzqBarItemLinks> m_itemLinks;
    bool m_multiLine = false;
    TzqBarDockingStyles m_notDocking;
    bool m_oneOnRow = false;
    bool m_rotateWhenVertical = true;
    int m_row = 0;
    bool m_showMark = true;
    bool m_sizeGrip = true;
    bool m_useRestSpace = false;
    bool m_visible = false;
    bool m_wholeRow = false;

    bool m_predefined = false;
    bool m_autoHidden = false;
    bool m_holdLayout = false;
    bool m_layoutPending = false;
    // Values read while loading.
    bool m_hasPendingDockControl = false;
    TzqBarDockControl* m_pendingDockControl = nullptr;
    bool m_hasPendingDockingStyle = false;
    TzqBarDockingStyle m_pendingDockingStyle = TzqBarDockingStyle::dsNone;
    bool m_hasPendingVisible = false;
    bool m_pendingVisible = false;
    std::vector<TCustomzqBarSubItem*> m_detaching;
    TObject* m_control = nullptr;
    TzqLifeToken m_life;
};
