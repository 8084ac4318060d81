#include "platform/controls/BasicAction.h"

#include <algorithm>

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    // Clients asked for free notification drop their links first, while we are whole.
    BeforeDestruction();
    while (!m_clients.empty()) {
        TBasicActionLink* link = m_clients.back();
        m_clients.pop_back();
        link->m_action = nullptr;
        link->ActionDestroyed();
    }
}

TBasicActionLink* TBasicAction::Clients(int index) const
{
    if (index < 0 || index >= ClientCount())
        return nullptr;
    return m_clients[static_cast<size_t>(index)];
}

bool TBasicAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::Change()
{
    // A link told of the change may unbind itself or others: walk a copy, and skip
    // links that left meanwhile.
    for (TBasicActionLink* link : ClientList())
        if (std::find(m_clients.begin(), m_clients.end(), link) != m_clients.end())
            link->Change();
}

void TBasicAction::RegisterChanges(TBasicActionLink* link)
{
    if (std::find(m_clients.begin(), m_clients.end(), link) == m_clients.end())
        m_clients.push_back(link);
}

void TBasicAction::UnregisterChanges(TBasicActionLink* link)
{
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), link), m_clients.end());
}

TBasicActionLink::TBasicActionLink(TObject* Client) : m_client(Client) {}

TBasicActionLink::~TBasicActionLink()
{
    if (m_action)
        m_action->UnregisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* value)
{
    if (value == m_action)
        return;
    if (m_action)
        m_action->UnregisterChanges(this);
    m_action = value;
    if (value)
        value->RegisterChanges(this);
}

bool TBasicActionLink::Execute()
{
    return m_action && m_action->Execute();
}

bool TBasicActionLink::Update()
{
    return m_action && m_action->Update();
}

void TBasicActionLink::Change()
{
    if (OnChange)
        OnChange(this);
}
