// The thread hooks that serve every bar manager: installed with the first manager and
// removed with the last. The keyboard hook sends keys to the open menu, enters menu mode
// on Alt and F10, runs shortcuts and Alt+letter accelerators, and opens the linked popup
// menu of the focused control on the context key or Shift+F10. The mouse hook closes
// menus on a press outside them and opens linked popup menus on a right click. The
// window-procedure hook passes the messages of managed forms to their manager.
#pragma once

#include "bars/BarTypes.h"
#include "platform/controls/ShortCuts.h"

class TWinControl;

namespace TzqBarMenuHooks {

void ManagerAdded();
void ManagerRemoved();
bool Installed();

// The manager that handles keys now: the active form's, or the main form's when it
// allows calls from other forms and the main form is enabled.
TzqBarManager* HandlingManager();
// Runs a shortcut: the popup menus linked to the focused control (their OnAction may
// veto), the main menu bar, then the other visible bars. Answers whether one ran.
bool DispatchShortCut(TzqBarManager* Manager, TShortCut ShortCut);
// Opens the popup menu linked to the control (or the nearest parent that has one).
// Answers whether one opened.
bool OpenLinkedPopup(TzqBarManager* Manager, TWinControl* Control, TPoint ScreenPt, bool ByMouse);

} // namespace TzqBarMenuHooks
