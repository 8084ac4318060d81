#include "bars/BarItemKinds.h"

#include "bars/BarButton.h"
#include "bars/BarCombo.h"
#include "bars/BarContainerItem.h"
#include "bars/BarEdit.h"
#include "bars/BarInternalItems.h"
#include "bars/BarSubItem.h"

#include <typeinfo>

namespace {

template <typename TItem>
TzqBarItemKind Kind(const char* itemClass, const char* controlClass, bool shown)
{
    return TzqBarItemKind{std::type_index(typeid(TItem)), itemClass, controlClass, shown};
}

const std::vector<TzqBarItemKind>& Registry()
{
    static const std::vector<TzqBarItemKind> kinds = {
        Kind<TzqBarButton>("TzqBarButton", "TzqBarButtonControl", true),
        Kind<TzqBarEdit>("TzqBarEdit", "TzqBarEditControl", true),
        Kind<TCustomzqBarCombo>("TCustomzqBarCombo", "TCustomzqBarComboControl", true),
        Kind<TzqBarCombo>("TzqBarCombo", "TzqBarComboControl", true),
        Kind<TzqBarSubItem>("TzqBarSubItem", "TzqBarSubItemControl", true),
        Kind<TzqBarListItem>("TzqBarListItem", "TzqBarContainerItemControl", true),
        Kind<TzqBarContainerItem>("TzqBarContainerItem", "TzqBarContainerItemControl", true),
        Kind<TzqBarQuickCustExtButton>("TzqBarQuickCustExtButton", "TzqBarQuickCustExtButtonControl", false),
        Kind<TzqBarQuickCustItem>("TzqBarQuickCustItem", "TzqBarQuickCustItemControl", false),
        Kind<TSystemMenuSubItem>("TSystemMenuSubItem", "TSystemMenuSubItemControl", false),
    };
    return kinds;
}

} // namespace

namespace TzqBarItemKinds {

const std::vector<TzqBarItemKind>& All()
{
    return Registry();
}

const TzqBarItemKind* Find(const TzqBarItem& Item)
{
    const std::type_index itemClass(typeid(Item));
    for (const TzqBarItemKind& kind : Registry())
        if (kind.ItemClass == itemClass)
            return &kind;
    return nullptr;
}

std::string ControlClassFor(const TzqBarItem& Item, bool InRotatedVerticalBar)
{
    const TzqBarItemKind* kind = Find(Item);
    if (!kind)
        return {};
    if (InRotatedVerticalBar && dynamic_cast<const TzqBarWindowItem*>(&Item))
        return "TzqBarButtonControl";
    return kind->ControlClassName;
}

int ShownCount()
{
    int count = 0;
    for (const TzqBarItemKind& kind : Registry())
        count += kind.Shown ? 1 : 0;
    return count;
}

const TzqBarItemKind* Shown(int N)
{
    if (N < 0)
        return nullptr;
    for (const TzqBarItemKind& kind : Registry())
        if (kind.Shown && N-- == 0)
            return &kind;
    return nullptr;
}

} // namespace TzqBarItemKinds
