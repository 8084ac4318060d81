#include "platform/core/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    BeforeDestruction();
    // Free what we own, newest first.
    while (!m_components.empty()) {
        TComponent* child = m_components.back();
        delete child; // its destructor removes it from m_components
    }
    if (m_owner)
        m_owner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        return nullptr;
    return m_components[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    for (TComponent* c : m_components)
        if (!name.empty() && c->m_name == name)
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->m_owner == this)
        return;
    if (component->m_owner)
        component->m_owner->RemoveComponent(component);
    component->m_owner = this;
    m_components.push_back(component);
    if (IsDesigning())
        component->SetDesigning(true);
    Notification(component, TOperation::opInsert);
}

namespace {

// Components mostly go newest first, so the search starts at the end.
std::vector<TComponent*>::iterator FindFromBack(std::vector<TComponent*>& list, const TComponent* component)
{
    auto it = std::find(list.rbegin(), list.rend(), component);
    return it == list.rend() ? list.end() : std::next(it).base();
}

} // namespace

void TComponent::RemoveComponent(TComponent* component)
{
    if (FindFromBack(m_components, component) == m_components.end())
        return;
    Notification(component, TOperation::opRemove);
    // The notification may have taken it out already.
    auto it = FindFromBack(m_components, component);
    if (it != m_components.end())
        m_components.erase(it);
    component->m_owner = nullptr;
}

void TComponent::SetDesigning(bool value)
{
    m_state.set(TComponentStateFlag::csDesigning, value);
    for (TComponent* c : m_components)
        c->SetDesigning(value);
}

void TComponent::BeginLoading()
{
    m_state.include(TComponentStateFlag::csLoading);
    for (TComponent* c : m_components)
        c->BeginLoading();
}

void TComponent::EndLoading()
{
    for (TComponent* c : m_components)
        c->EndLoading();
    if (m_state.contains(TComponentStateFlag::csLoading)) {
        m_state.exclude(TComponentStateFlag::csLoading);
        Loaded();
    }
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
        m_freeNotifies.push_back(component);
    auto& theirs = component->m_freeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), component), m_freeNotifies.end());
    auto& theirs = component->m_freeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {}

void TComponent::Loaded() {}

void TComponent::BeforeDestruction()
{
    if (!m_state.contains(TComponentStateFlag::csDestroying)) {
        m_state.include(TComponentStateFlag::csDestroying);
        for (TComponent* c : m_components)
            c->m_state.include(TComponentStateFlag::csDestroying);
    }
    // Tell those who hold a reference to us.
    while (!m_freeNotifies.empty()) {
        TComponent* other = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        auto& theirs = other->m_freeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, TOperation::opRemove);
    }
}
