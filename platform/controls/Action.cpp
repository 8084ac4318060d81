#include "platform/controls/Action.h"

#include "platform/controls/ActionLink.h"

TAction::TAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TAction::~TAction()
{
    BeforeDestruction();
}

template <typename T, typename Apply>
void TAction::Set(T& field, const T& value, Apply toLink)
{
    if (field == value)
        return;
    // The links see the new value while the action still holds the old one.
    for (TBasicActionLink* link : ClientList())
        if (auto* actionLink = dynamic_cast<TActionLink*>(link); actionLink && actionLink->Action() == this)
            toLink(*actionLink, value);
    field = value;
    Change();
}

void TAction::SetCaption(const std::string& value)
{
    Set(m_caption, value, [](TActionLink& l, const std::string& v) { l.SetCaption(v); });
}

void TAction::SetChecked(bool value)
{
    Set(m_checked, value, [](TActionLink& l, bool v) { l.SetChecked(v); });
}

void TAction::SetEnabled(bool value)
{
    Set(m_enabled, value, [](TActionLink& l, bool v) { l.SetEnabled(v); });
}

void TAction::SetHelpContext(THelpContext value)
{
    Set(m_helpContext, value, [](TActionLink& l, THelpContext v) { l.SetHelpContext(v); });
}

void TAction::SetHint(const std::string& value)
{
    Set(m_hint, value, [](TActionLink& l, const std::string& v) { l.SetHint(v); });
}

void TAction::SetImageIndex(int value)
{
    Set(m_imageIndex, value, [](TActionLink& l, int v) { l.SetImageIndex(v); });
}

void TAction::SetShortCut(TShortCut value)
{
    Set(m_shortCut, value, [](TActionLink& l, TShortCut v) { l.SetShortCut(v); });
}

void TAction::SetVisible(bool value)
{
    Set(m_visible, value, [](TActionLink& l, bool v) { l.SetVisible(v); });
}

void TAction::SetCategory(const std::string& value)
{
    if (value == m_category)
        return;
    m_category = value;
    Change();
}

bool TAction::Execute()
{
    // OnUpdate first decides whether the action can run now.
    Update();
    if (!m_enabled)
        return false;
    return TBasicAction::Execute();
}

bool TAction::DoHint(std::string& HintStr)
{
    bool canShow = true;
    if (OnHint)
        OnHint(HintStr, canShow);
    return canShow;
}
