// Process-wide state of the bar managers, touched only from the user-interface
// thread: every live manager in creation order, the temporary items managers make for
// their own menus, and the platform's abilities the menus and bars ask about.
#pragma once

#include <vector>

class TComponent;
class TCustomForm;
class TzqBarItem;
class TzqBarManager;

namespace TzqBarManagerList {

// Every live manager, in creation order.
const std::vector<TzqBarManager*>& All();
// The first manager, or null.
TzqBarManager* First();
// The manager serving the form, or null.
TzqBarManager* ForForm(const TCustomForm* Form);
// The manager a new item, group or popup menu of this owner joins: the owner form's
// when it has one, else the first manager (null when there is none).
TzqBarManager* ForOwner(const TComponent* Owner);

// Items made for the manager's own menus (Category -1), freed with their menu.
const std::vector<TzqBarItem*>& TemporaryItems();
bool IsTemporary(const TzqBarItem* Item);

// The platform's abilities: menus may animate their opening and cast a layered shadow.
bool CanAnimateMenus();
bool CanUseLayeredShadows();

} // namespace TzqBarManagerList

// Called by the classes that keep the lists (an item is made temporary once).
namespace TzqBarManagerListPrivate {
void Add(TzqBarManager* Manager);
void Remove(TzqBarManager* Manager);
void AddTemporary(TzqBarItem* Item);
void RemoveTemporary(TzqBarItem* Item);
} // namespace TzqBarManagerListPrivate
