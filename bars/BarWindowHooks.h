// TzqBarWindowHooks: what a manager's bar windows share beyond the model: following the
// owner form's activation (floating bars hide while it is inactive and come back
// without taking the activation; the manager passes the form's messages on), and the
// requests the bar windows and dock sites pass
// on to the menus and the customization (context menus, double clicks, the mark
// button, closing an open menu when a site changes its thickness).
#pragma once

#include "bars/BarTypes.h"
#include "platform/core/Types.h"
#include "platform/window/WindowTypes.h"

#include <functional>

class TCustomzqBarControl;
class TzqBarControl;

class TzqBarWindowHooks {
public:
    explicit TzqBarWindowHooks(TzqBarManager* Manager);
    ~TzqBarWindowHooks();

    // Filled by the menus and the customization; each is called only when set.
    std::function<void(TCustomzqBarControl* Control, TPoint ScreenPt)> OnContextMenu;
    std::function<void(TzqDockControl* Site)> OnSiteDblClick;
    std::function<void(TzqBarControl* Control)> OnMarkButtonClick;
    std::function<void()> OnCloseMenus;

    // A right click on a bar or site (not while customizing): the toolbar list.
    void ContextMenu(TCustomzqBarControl* Control, TPoint ScreenPt);
    // A double click on a site: customize mode when the manager allows it.
    void SiteDblClick(TzqDockControl* Site);
    void MarkButtonClicked(TzqBarControl* Control);
    // A site changed its thickness: an open menu closes.
    void SiteThicknessChanged(TzqDockControl* Site);
    // Shows or hides every floating bar by the owner form's activation.
    void UpdateFloatingBars();

private:
    TzqBarManager* m_manager;
};
