// The side bar's groups and items kept in the registry under RegistryPath (P):
//
//   P                   GroupCount
//   P\Group<i>          Caption, IconType (0 large, 1 small), ItemCount
//   P\Group<i>\Item<j>  Caption, CustomData, Hint, IsDefault, LargeImage, SmallImage,
//                       Tag, StoredItem (the linked stored item's name, when linked)
//
// Group 0's key is opened while P is open, so with a P that does not begin with "\" it
// lies at P\P\Group0 (its items still under P\Group0). Files written so far rely on
// that place, so it stays.
#include "sidebar/SideBar.h"

#include "platform/settings/Registry.h"
#include "platform/settings/SettingsError.h"
#include "platform/core/TextCompare.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/SideGroup.h"
#include "sidebar/SideGroups.h"
#include "sidebar/StoredSideItem.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace {

// The most groups read back. A missing group key between present ones still gives a
// default group, so a single key numbered in the millions would otherwise make millions
// of groups.
constexpr int MaxStoredGroups = 10000;

// The number in a key name "<prefix><digits>" (digits only, no sign), or -1.
int NumberedKey(const std::string& name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 10)
        return -1;
    if (!SameText(std::string_view(name).substr(0, prefix.size()), prefix))
        return -1;
    int value = -1;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    if (!std::all_of(first, last, [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    const auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last ? value : -1;
}

// The numbers of the "<prefix><n>" subkeys of a key (absolute path), below `limit`,
// in order.
std::vector<int> NumberedKeys(TRegistry& probe, const std::string& path, std::string_view prefix, int limit)
{
    std::vector<int> numbers;
    if (!probe.OpenKeyReadOnly(path))
        return numbers;
    for (const std::string& name : probe.KeyNames()) {
        const int n = NumberedKey(name, prefix);
        if (n >= 0 && n < limit)
            numbers.push_back(n);
    }
    probe.CloseKey();
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

// P from the root, whatever way it was written.
std::string AbsolutePath(const std::string& path)
{
    return path.starts_with('\\') ? path : "\\" + path;
}

bool NamesTheRoot(const std::string& path)
{
    return std::all_of(path.begin(), path.end(), [](char c) { return c == '\\'; });
}

std::string GroupKey(const std::string& path, int i)
{
    return path + "\\Group" + std::to_string(i);
}

std::string ItemKey(const std::string& path, int i, int j)
{
    return GroupKey(path, i) + "\\Item" + std::to_string(j);
}

} // namespace

bool TzqSideBar::RegistryEnabled() const
{
    return m_storeInRegistry && !IsDesigning() && !m_registryPath.empty() && !NamesTheRoot(m_registryPath);
}

void TzqSideBar::SaveToRegistry()
{
    const std::string& p = m_registryPath;
    if (p.empty() || NamesTheRoot(p))
        return;
    TRegistry reg;
    if (!reg.OpenKey(p, true))
        return;
    // Only the keys of our groups go: other components may keep theirs under P too.
    for (const std::string& name : reg.KeyNames())
        if (NumberedKey(name, "Group") >= 0)
            reg.DeleteKey(name);
    const bool relativeGroup0 = !p.starts_with('\\');
    if (relativeGroup0 && reg.KeyExists(GroupKey(p, 0)))
        reg.DeleteKey(GroupKey(p, 0));

    const int groupCount = m_groups->Count();
    reg.WriteInteger("GroupCount", groupCount);
    for (int i = 0; i < groupCount; ++i) {
        const TzqSideGroup* group = m_groups->Items(i);
        if (!reg.OpenKey(GroupKey(p, i), true))
            continue;
        reg.WriteString("Caption", group->Caption());
        reg.WriteInteger("IconType", group->IconType() == TzqSideGroupIconType::zqsgSmallIcon ? 1 : 0);
        const TzqSideBarItems* items = group->Items();
        reg.WriteInteger("ItemCount", items->Count());
        reg.CloseKey();
        for (int j = 0; j < items->Count(); ++j) {
            const TzqSideBarItem* item = items->Items(j);
            if (!reg.OpenKey(ItemKey(p, i, j), true))
                continue;
            reg.WriteString("Caption", item->Caption());
            reg.WriteString("CustomData", item->CustomData());
            reg.WriteString("Hint", item->Hint());
            reg.WriteBool("IsDefault", item->IsDefault());
            reg.WriteInteger("LargeImage", item->LargeImage());
            reg.WriteInteger("SmallImage", item->SmallImage());
            reg.WriteInteger("Tag", item->Tag());
            if (item->StoredItem())
                reg.WriteString("StoredItem", item->StoredItem()->Name());
            reg.CloseKey();
        }
    }
}

TzqStoredSideItem* TzqSideBar::FindStoredItem(const std::string& name) const
{
    if (!m_store)
        return nullptr;
    for (int i = 0; i < m_store->StoredItemCount(); ++i)
        if (SameText(m_store->StoredItems(i)->Name(), name))
            return m_store->StoredItems(i);
    return nullptr;
}

void TzqSideBar::LoadFromRegistry()
{
    const std::string& p = m_registryPath;
    if (p.empty() || NamesTheRoot(p))
        return;
    std::shared_ptr<TUserStore> store = TUserStore::Default();
    TRegistry reg(store);
    // Finds which numbered keys exist, without disturbing the open key of `reg`.
    TRegistry probe(store);
    if (!reg.OpenKey(p, false))
        return;
    try {
        const int groupCount = reg.ValueExists("GroupCount") ? reg.ReadInteger("GroupCount") : 0;
        if (groupCount <= 0)
            return;
        // Groups up to the last group key present (a count far beyond the keys would
        // otherwise add groups for ever).
        const std::string root = AbsolutePath(p);
        std::vector<int> present = NumberedKeys(probe, root, "Group", groupCount);
        if (!p.starts_with('\\') && probe.KeyExists(GroupKey(root + "\\" + p, 0)))
            present.insert(present.begin(), 0);
        int groupsToRead = present.empty() ? 0 : *std::max_element(present.begin(), present.end()) + 1;
        if (groupsToRead > MaxStoredGroups) {
            ReportSettingsProblem("The side bar read only the first " + std::to_string(MaxStoredGroups) +
                                  " groups under \"" + p + "\": the store names more.");
            groupsToRead = MaxStoredGroups;
        }
        m_groups->Clear();
        for (int i = 0; i < groupsToRead; ++i)
            LoadGroup(reg, probe, i);
    } catch (const ESettingsError& e) {
        // What was read stays; the side bar still opens.
        ReportSettingsProblem("The side bar could not read its groups from \"" + p + "\": " + e.Message());
    }
}

void TzqSideBar::LoadGroup(TRegistry& reg, TRegistry& probe, int i)
{
    const std::string& p = m_registryPath;
    TzqSideGroup* group = m_groups->Add();
    int itemCount = 0;
    if (!reg.OpenKey(GroupKey(p, i), false))
        return;
    group->SetCaption(reg.ReadString("Caption"));
    // Values other than 0 and 1 name no icon type: the group keeps its own.
    const int iconType = reg.ReadInteger("IconType");
    if (iconType == 0 || iconType == 1)
        group->SetIconType(iconType == 1 ? TzqSideGroupIconType::zqsgSmallIcon : TzqSideGroupIconType::zqsgLargeIcon);
    itemCount = reg.ValueExists("ItemCount") ? reg.ReadInteger("ItemCount") : 0;
    reg.CloseKey();
    if (itemCount <= 0)
        return;
    // The item keys that exist, in order: the cost follows the store, not the count.
    for (int j : NumberedKeys(probe, GroupKey(AbsolutePath(p), i), "Item", itemCount)) {
        if (!reg.OpenKey(ItemKey(p, i, j), false))
            continue;
        TzqSideBarItem* item = group->Items()->Add();
        if (m_store)
            item->SetStoredItem(FindStoredItem(reg.ReadString("StoredItem")));
        item->SetCaption(reg.ReadString("Caption"));
        item->SetCustomData(reg.ReadString("CustomData"));
        item->SetHint(reg.ReadString("Hint"));
        item->SetIsDefault(reg.ReadBool("IsDefault"));
        item->SetLargeImage(reg.ReadInteger("LargeImage"));
        item->SetSmallImage(reg.ReadInteger("SmallImage"));
        item->SetTag(reg.ReadInteger("Tag"));
        reg.CloseKey();
    }
}
