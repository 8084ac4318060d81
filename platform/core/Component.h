// Components: objects with an owner that frees them, a name, and free notification so
// that references to a component being destroyed can be cleared.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/Set.h"

#include <string>
#include <vector>

enum class TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateFlag, uint16_t>;

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    // Frees the owned components (the most recently added first) and tells every
    // component that asked for free notification.
    ~TComponent() override;

    TComponent* Owner() const { return m_owner; }
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value) { m_name = value; }
    intptr_t Tag() const { return m_tag; }
    void SetTag(intptr_t value) { m_tag = value; }

    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const;
    TComponent* FindComponent(const std::string& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponentState ComponentState() const { return m_state; }
    bool IsLoading() const { return m_state.contains(TComponentStateFlag::csLoading); }
    bool IsDestroying() const { return m_state.contains(TComponentStateFlag::csDestroying); }
    bool IsDesigning() const { return m_state.contains(TComponentStateFlag::csDesigning); }
    void SetDesigning(bool value);

    // Loading from a stored description: while loading, setters may keep values as
    // pending; EndLoading applies them through Loaded (owned components first).
    void BeginLoading();
    void EndLoading();

    // Asks to be told (Notification with opRemove) when `component` is destroyed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

protected:
    // Called when an owned component is inserted or removed, and for components that
    // asked for free notification when they are destroyed.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void Loaded();
    // Marks the component (and what it owns) as being destroyed and tells those who asked
    // for free notification. The base destructor calls it; a class whose observers may
    // still call into it while being told calls it first in its own destructor.
    void BeforeDestruction();

private:
    TComponent* m_owner = nullptr;
    std::string m_name;
    intptr_t m_tag = 0;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    TComponentState m_state;
};
