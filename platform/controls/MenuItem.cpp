#include "platform/controls/MenuItem.h"

#include "platform/controls/PopupMenu.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    BeforeDestruction();
    if (m_menu)
        m_menu->ItemDestroyed(this);
}

void TMenuItem::SetChecked(bool value)
{
    if (value == m_checked)
        return;
    m_checked = value;
    if (value && m_radioItem)
        UncheckGroupSiblings();
}

void TMenuItem::SetRadioItem(bool value)
{
    if (value == m_radioItem)
        return;
    m_radioItem = value;
    if (value && m_checked)
        UncheckGroupSiblings();
}

void TMenuItem::SetGroupIndex(int value)
{
    if (value == m_groupIndex)
        return;
    m_groupIndex = value;
    if (m_radioItem && m_checked)
        UncheckGroupSiblings();
}

void TMenuItem::UncheckGroupSiblings()
{
    if (!m_menu)
        return;
    for (int i = 0; i < m_menu->Count(); ++i) {
        TMenuItem* other = m_menu->Items(i);
        if (other != this && other->m_radioItem && other->m_groupIndex == m_groupIndex)
            other->m_checked = false;
    }
}

void TMenuItem::SetDefault(bool value)
{
    if (value == m_default)
        return;
    // One default item per menu.
    if (value && m_menu)
        for (int i = 0; i < m_menu->Count(); ++i)
            m_menu->Items(i)->m_default = false;
    m_default = value;
}

void TMenuItem::Click()
{
    if (!m_enabled)
        return;
    if (m_autoCheck)
        SetChecked(m_radioItem || !m_checked);
    if (OnClick)
        OnClick(this);
}
