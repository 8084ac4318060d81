// The item-kind registry: which item classes the bars can show, the class of the
// control each one gets in a bar window, and whether the add-item list offers it. It is
// looked up by exact class: an item of a class that is not registered gets no control.
#pragma once

#include <string>
#include <typeindex>
#include <vector>

class TzqBarItem;

struct TzqBarItemKind {
    std::type_index ItemClass;
    std::string ItemClassName;
    std::string ControlClassName;
    bool Shown;
};

namespace TzqBarItemKinds {

// Every kind, in registration order.
const std::vector<TzqBarItemKind>& All();
// The kind of exactly this item's class, or null.
const TzqBarItemKind* Find(const TzqBarItem& Item);
// The control class an item gets: window items (edits and combos) in a vertical bar
// that rotates its captions become buttons; empty for an unregistered class.
std::string ControlClassFor(const TzqBarItem& Item, bool InRotatedVerticalBar);
// Kinds offered to the user: their number, and the n-th of them (counting shown
// kinds only); null outside 0..ShownCount-1.
int ShownCount();
const TzqBarItemKind* Shown(int N);

} // namespace TzqBarItemKinds
