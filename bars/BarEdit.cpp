#include "bars/BarEdit.h"

#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"

#include <algorithm>

TzqBarWindowItem::TzqBarWindowItem(TComponent* AOwner) : TzqBarItem(AOwner)
{
    AddKind(kWindowItemKind);
}

void TzqBarWindowItem::SetText(const std::string& value)
{
    if (value == m_text)
        return;
    m_text = value;
    TextChanged();
    if (OnChange && !Loading()) {
        const auto alive = m_life.Watch();
        OnChange(this);
        if (!*alive)
            return;
    }
    TextChanged();
}

TzqBarEdit::TzqBarEdit(TComponent* AOwner) : TzqBarWindowItem(AOwner)
{
    AddKind(kEditKind);
}

void TzqBarEdit::SetMaxLength(int value)
{
    value = std::max(value, 0);
    if (value == m_maxLength)
        return;
    m_maxLength = value;
    NotifyChanged();
}

void TzqBarEdit::SetShowCaption(bool value)
{
    if (value == m_showCaption)
        return;
    m_showCaption = value;
    SizeChanged();
    NotifyChanged();
}

void TzqBarEdit::SetWidth(int value)
{
    value = std::max(value, 20);
    if (value == m_width)
        return;
    m_width = value;
    SizeChanged();
    NotifyChanged();
}

bool TzqBarEdit::CanBeActivatedByKey(const TzqBarItemLink* Link) const
{
    if (!Enabled())
        return false;
    return !Link || !Link->Links() || !Link->Links()->InBar() || m_showCaption;
}
