// Actions: commands kept apart from the controls and menu items that run them. An
// action knows what to do (OnExecute) and how to find out whether it can
// (OnUpdate); its clients reach it through action links, which it tells of every change
// and clears when it is destroyed.
#pragma once

#include "platform/core/Component.h"

#include <vector>

class TBasicActionLink;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner = nullptr);
    // Every link still bound to the action is cleared (its Action becomes null).
    ~TBasicAction() override;

    // Runs OnExecute; answers whether there was one to run.
    virtual bool Execute();
    // Runs OnUpdate; answers whether there was one to run.
    virtual bool Update();

    // The links bound to the action, in the order they were bound.
    int ClientCount() const { return static_cast<int>(m_clients.size()); }
    TBasicActionLink* Clients(int index) const;

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    // Tells every link that the action changed.
    virtual void Change();
    // The links, for descendants telling them of a property change.
    std::vector<TBasicActionLink*> ClientList() const { return m_clients; }

private:
    friend class TBasicActionLink;
    void RegisterChanges(TBasicActionLink* link);
    void UnregisterChanges(TBasicActionLink* link);
    std::vector<TBasicActionLink*> m_clients;
};

// A client's binding to an action: it follows the action's changes for its client.
class TBasicActionLink : public TObject {
public:
    // `Client` is the object the link works for (a menu item, a stored side-bar item).
    explicit TBasicActionLink(TObject* Client);
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;
    ~TBasicActionLink() override;

    TObject* Client() const { return m_client; }
    TBasicAction* Action() const { return m_action; }
    // Binds the link to another action (or to none).
    virtual void SetAction(TBasicAction* value);

    // Runs the action for the client; false without an action or without OnExecute.
    virtual bool Execute();
    // Asks the action to update itself.
    virtual bool Update();

    // Fired after every change of the action (Change).
    TNotifyEvent OnChange;

protected:
    // The action changed; the base fires OnChange.
    virtual void Change();
    // The action is being destroyed; the link is already cleared when this runs.
    virtual void ActionDestroyed() {}

private:
    friend class TBasicAction;
    TObject* m_client;
    TBasicAction* m_action = nullptr;
};
