#include "bars/BarManagerList.h"

#include "bars/BarMenuHooks.h"

#include "bars/BarManager.h"
#include "platform/controls/Form.h"

#include <algorithm>

namespace {

std::vector<TzqBarManager*>& Managers()
{
    static std::vector<TzqBarManager*> managers;
    return managers;
}

std::vector<TzqBarItem*>& Temporary()
{
    static std::vector<TzqBarItem*> items;
    return items;
}

template <typename T>
void Erase(std::vector<T*>& list, const T* value)
{
    auto it = std::find(list.rbegin(), list.rend(), value);
    if (it != list.rend())
        list.erase(std::next(it).base());
}

} // namespace

namespace TzqBarManagerList {

const std::vector<TzqBarManager*>& All()
{
    return Managers();
}

TzqBarManager* First()
{
    return Managers().empty() ? nullptr : Managers().front();
}

TzqBarManager* ForForm(const TCustomForm* Form)
{
    if (!Form)
        return nullptr;
    for (TzqBarManager* manager : Managers())
        if (manager->OwnerForm() == Form)
            return manager;
    return nullptr;
}

TzqBarManager* ForOwner(const TComponent* Owner)
{
    if (TzqBarManager* manager = ForForm(dynamic_cast<const TCustomForm*>(Owner)))
        return manager;
    return First();
}

const std::vector<TzqBarItem*>& TemporaryItems()
{
    return Temporary();
}

bool IsTemporary(const TzqBarItem* Item)
{
    const auto& items = Temporary();
    return std::find(items.begin(), items.end(), Item) != items.end();
}

// Menus here are real windows of their own that can be revealed gradually and can be
// given a translucent shadow.
bool CanAnimateMenus()
{
    return true;
}

bool CanUseLayeredShadows()
{
    return true;
}

} // namespace TzqBarManagerList

namespace TzqBarManagerListPrivate {

void Add(TzqBarManager* Manager)
{
    Managers().push_back(Manager);
    TzqBarMenuHooks::ManagerAdded();
}

void Remove(TzqBarManager* Manager)
{
    const size_t before = Managers().size();
    Erase(Managers(), Manager);
    if (Managers().size() < before)
        TzqBarMenuHooks::ManagerRemoved();
}

void AddTemporary(TzqBarItem* Item)
{
    Temporary().push_back(Item);
}

void RemoveTemporary(TzqBarItem* Item)
{
    Erase(Temporary(), Item);
}

} // namespace TzqBarManagerListPrivate
