// The active menu chain: at most one per process. Its root is a bar in menu mode or the
// first menu of a popup menu; each submenu opened from it joins at the end, and the
// head (the last one) receives every key while the chain lives.
#pragma once

#include "platform/window/WindowTypes.h"

#include <vector>

class TCustomzqBarControl;
class TzqBarManager;

namespace TzqBarMenuChain {

// The windows of the chain, root first; empty while no menu is active.
const std::vector<TCustomzqBarControl*>& Windows();
TCustomzqBarControl* Root();
TCustomzqBarControl* Head();
bool Active();
// Whether a window (or a window inside it) belongs to the chain.
bool Contains(HWND Window);
// The manager whose bar or menu is the root, or null.
TzqBarManager* Manager();
// Whether the chain was expanded (personalized menus): every menu of it opens with all
// its links. Reset when a new chain starts.
bool Expanded();
void SetExpanded(bool value);

// Called by the windows themselves as they join and leave.
void Join(TCustomzqBarControl* Control);
void Leave(TCustomzqBarControl* Control);

} // namespace TzqBarMenuChain
