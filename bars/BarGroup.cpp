#include "bars/BarGroup.h"

#include "bars/BarErrors.h"
#include "bars/BarItem.h"
#include "bars/BarManager.h"
#include "bars/BarManagerList.h"
#include "platform/controls/Form.h"

#include <algorithm>

TzqBarGroup::TzqBarGroup(TComponent* AOwner) : TComponent(AOwner)
{
    m_manager = TzqBarManagerList::ForOwner(AOwner);
    if (m_manager) {
        m_manager->AddGroup(this);
        m_manager->JoinLoading(this);
    }
}

TzqBarGroup::~TzqBarGroup()
{
    BeforeDestruction();
    if (m_manager)
        m_manager->RemoveGroup(this);
}

TComponent* TzqBarGroup::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? m_members[static_cast<size_t>(Index)] : nullptr;
}

int TzqBarGroup::IndexOf(const TComponent* Member) const
{
    auto it = std::find(m_members.begin(), m_members.end(), Member);
    return it == m_members.end() ? -1 : static_cast<int>(it - m_members.begin());
}

bool TzqBarGroup::Contains(const TComponent* Member) const
{
    // Groups cannot contain themselves, so this walk ends.
    for (TComponent* member : m_members) {
        if (member == Member)
            return true;
        if (auto* group = dynamic_cast<const TzqBarGroup*>(member); group && group->Contains(Member))
            return true;
    }
    return false;
}

void TzqBarGroup::Add(TComponent* Member)
{
    if (!Member || IndexOf(Member) >= 0)
        return;
    auto* group = dynamic_cast<TzqBarGroup*>(Member);
    if (!group && !dynamic_cast<TzqBarItem*>(Member))
        return;
    if (group == this || (group && group->Contains(this)))
        throw EzqBarError("You cannot create recursive groups");
    m_members.push_back(Member);
    FreeNotification(Member);
    if (m_manager && !IsLoading())
        m_manager->Changed();
}

void TzqBarGroup::Remove(TComponent* Member)
{
    const int index = IndexOf(Member);
    if (index < 0)
        return;
    m_members.erase(m_members.begin() + index);
    RemoveFreeNotification(Member);
    if (m_manager && !IsLoading() && !IsDestroying())
        m_manager->Changed();
}

template <typename F>
void TzqBarGroup::ForEachMember(F f)
{
    // A copy: a handler reached through a member may change the group.
    for (TComponent* member : std::vector<TComponent*>(m_members))
        if (IndexOf(member) >= 0)
            f(member);
}

void TzqBarGroup::SetEnabled(bool value)
{
    m_enabled = value;
    if (IsLoading() || IsDestroying())
        return;
    TzqBarManagerLock lock(m_manager);
    ForEachMember([value](TComponent* member) {
        if (auto* item = dynamic_cast<TzqBarItem*>(member))
            item->SetEnabled(value);
        else if (auto* group = dynamic_cast<TzqBarGroup*>(member))
            group->SetEnabled(value);
    });
}

void TzqBarGroup::SetVisible(TzqBarItemVisible value)
{
    m_visible = value;
    if (IsLoading() || IsDestroying())
        return;
    TzqBarManagerLock lock(m_manager);
    ForEachMember([value](TComponent* member) {
        if (auto* item = dynamic_cast<TzqBarItem*>(member))
            item->SetVisible(value);
        else if (auto* group = dynamic_cast<TzqBarGroup*>(member))
            group->SetVisible(value);
    });
}

std::vector<std::string> TzqBarGroup::ItemNames() const
{
    std::vector<std::string> names;
    for (TComponent* member : m_members)
        names.push_back(member->Name());
    return names;
}

void TzqBarGroup::SetItemNames(const std::vector<std::string>& Names)
{
    m_pendingNames = Names;
    if (!IsLoading())
        Loaded();
}

void TzqBarGroup::Loaded()
{
    TComponent::Loaded();
    const std::vector<std::string> names = std::move(m_pendingNames);
    m_pendingNames.clear();
    TComponent* form = m_manager && m_manager->OwnerForm() ? static_cast<TComponent*>(m_manager->OwnerForm()) : Owner();
    if (!form)
        return;
    for (const std::string& name : names)
        if (TComponent* member = form->FindComponent(name))
            Add(member);
}

void TzqBarGroup::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) {
        const int index = IndexOf(AComponent);
        if (index >= 0)
            m_members.erase(m_members.begin() + index);
    }
}
