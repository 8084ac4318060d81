#include "sidebar/SideBarItemActionLink.h"

#include "platform/controls/Action.h"
#include "sidebar/StoredSideItem.h"

TzqSideBarItemActionLink::TzqSideBarItemActionLink(TzqStoredSideItem* Client)
    : TActionLink(Client), m_client(Client)
{
}

// The action still holds its old value when a setter below runs, so "linked" means the
// stored item shows what the action showed until now.
bool TzqSideBarItemActionLink::IsCaptionLinked() const
{
    return TActionLink::IsCaptionLinked() && m_client->Caption() == Action()->Caption();
}

bool TzqSideBarItemActionLink::IsEnabledLinked() const
{
    return TActionLink::IsEnabledLinked() && m_client->Enabled() == Action()->Enabled();
}

bool TzqSideBarItemActionLink::IsHintLinked() const
{
    return TActionLink::IsHintLinked() && m_client->Hint() == Action()->Hint();
}

bool TzqSideBarItemActionLink::IsImageIndexLinked() const
{
    return TActionLink::IsImageIndexLinked() && m_client->LargeImage() == Action()->ImageIndex();
}

void TzqSideBarItemActionLink::SetCaption(const std::string& value)
{
    if (IsCaptionLinked())
        m_client->SetCaption(value);
}

void TzqSideBarItemActionLink::SetEnabled(bool value)
{
    if (IsEnabledLinked())
        m_client->SetEnabled(value);
}

void TzqSideBarItemActionLink::SetHint(const std::string& value)
{
    if (IsHintLinked())
        m_client->SetHint(value);
}

void TzqSideBarItemActionLink::SetImageIndex(int value)
{
    if (IsImageIndexLinked())
        m_client->SetLargeImage(value);
}

void TzqSideBarItemActionLink::SetVisible(bool value)
{
    // A stored item has no visibility of its own: a hidden action disables it. Shown
    // again, the action enables it only when the hiding was what disabled it (the rule
    // "visible, linked and enabled" alone would leave it disabled for good, its enabled
    // state no longer matching the action's).
    if (!IsVisibleLinked())
        return;
    const bool linked = IsEnabledLinked() || (value && m_disabledByHiding);
    if (!value)
        m_disabledByHiding = linked && m_client->Enabled();
    else
        m_disabledByHiding = false;
    m_client->SetEnabled(value && linked && Action()->Enabled());
}
