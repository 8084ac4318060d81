// Where the bar model meets its windows: a bar asking for layout gets a window when it
// becomes visible, loses it when hidden, moves to the site its docking style names or
// floats, and is laid out again otherwise. The windows tell the model where the user
// put them without asking for layout again.
#pragma once

#include "platform/core/Types.h"

class TzqBar;
class TzqBarItem;
class TzqBarItemLink;
class TzqBarItemLinks;
class TzqBarControl;
class TzqDockControl;

namespace TzqBarWindows {
// The bar's state changed: bring its window in line (nothing while the manager is
// loading, locked or going).
void Update(TzqBar* Bar);
// The bar goes: its window goes first.
void Release(TzqBar* Bar);
// The window docked into a site or floated at a point: the bar's docking style, site
// and float position follow.
void TellModelDocked(TzqBarControl* Control, TzqDockControl* Site);
void TellModelFloating(TzqBarControl* Control, TPoint ScreenTopLeft);
// The links shown by a window changed: it lays them out again when it next handles its
// messages (a batch of changes costs one layout).
void LinksChanged(TzqBarItemLinks* Links);
// A link shown by a window goes: its item control goes at once.
void LinkDestroying(TzqBarItemLink* Link);
// The item's controls in every window repaint (its state or look changed).
void RepaintItem(TzqBarItem* Item);
// True while a window tells the model (the model's layout requests are its own echo).
bool Telling();
} // namespace TzqBarWindows
