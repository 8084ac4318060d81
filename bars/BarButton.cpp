#include "bars/BarButton.h"

#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarWindows.h"

TzqBarButton::TzqBarButton(TComponent* AOwner) : TzqBarItem(AOwner)
{
    AddKind(kButtonKind);
}

TzqBarButton::~TzqBarButton()
{
    ItemDestroying();
}

template <typename F>
void TzqBarButton::ForEachInGroup(F f) const
{
    TzqBarManager* manager = BarManager();
    if (!manager || m_groupIndex == 0)
        return;
    for (int i = 0; i < manager->ItemCount(); ++i) {
        TzqBarItem* item = manager->Items(i);
        if (item == this || !item->IsButton())
            continue;
        auto* button = static_cast<TzqBarButton*>(item);
        if (button->m_buttonStyle == TzqBarButtonStyle::bsChecked && button->m_groupIndex == m_groupIndex)
            f(button);
    }
}

void TzqBarButton::SetAllowAllUp(bool value)
{
    if (value == m_allowAllUp)
        return;
    m_allowAllUp = value;
    ForEachInGroup([value](TzqBarButton* button) { button->m_allowAllUp = value; });
    NotifyChanged();
}

void TzqBarButton::SetButtonStyle(TzqBarButtonStyle value)
{
    if (value == m_buttonStyle)
        return;
    m_buttonStyle = value;
    if (value != TzqBarButtonStyle::bsChecked)
        m_groupIndex = 0;
    StoreDown(false);
    LinksChanged();
    ButtonStyleChanged();
    SizeChanged();
    NotifyChanged();
}

void TzqBarButton::SetDropDownEnabled(bool value)
{
    if (value == m_dropDownEnabled)
        return;
    m_dropDownEnabled = value;
    DropDownEnabledChanged();
    NotifyChanged();
}

void TzqBarButton::SetGroupIndex(int value)
{
    if (m_buttonStyle != TzqBarButtonStyle::bsChecked)
        value = 0;
    if (value == m_groupIndex)
        return;
    m_groupIndex = value;
    StoreDown(false);
    NotifyChanged();
}

void TzqBarButton::StoreDown(bool value)
{
    if (value == m_down)
        return;
    m_down = value;
    DownChanged();
    TzqBarWindows::RepaintItem(this);
}

void TzqBarButton::SetDown(bool value)
{
    if (m_buttonStyle != TzqBarButtonStyle::bsChecked)
        value = false;
    if (value == m_down)
        return;
    if (m_groupIndex != 0 && !Loading()) {
        if (value) {
            ForEachInGroup([](TzqBarButton* button) { button->StoreDown(false); });
        } else if (!m_allowAllUp) {
            bool otherDown = false;
            ForEachInGroup([&otherDown](TzqBarButton* button) { otherDown = otherDown || button->m_down; });
            if (!otherDown)
                return; // the last button down of the group stays down
        }
    }
    StoreDown(value);
    NotifyChanged();
}

void TzqBarButton::SetDropDownMenu(TzqBarPopupMenu* value)
{
    if (value == m_dropDownMenu)
        return;
    if (m_dropDownMenu)
        RemoveFreeNotification(m_dropDownMenu);
    m_dropDownMenu = value;
    if (m_dropDownMenu)
        FreeNotification(m_dropDownMenu);
    LinksChanged();
    NotifyChanged();
}

void TzqBarButton::SetLowered(bool value)
{
    if (value == m_lowered)
        return;
    m_lowered = value;
    SizeChanged();
    NotifyChanged();
}

void TzqBarButton::SetPaintStyle(TzqBarPaintStyle value)
{
    if (value == m_paintStyle)
        return;
    m_paintStyle = value;
    PaintStyleChanged();
    SizeChanged();
    NotifyChanged();
}

void TzqBarButton::DirectClick()
{
    if (Enabled() && m_buttonStyle == TzqBarButtonStyle::bsChecked)
        SetDown(!m_down);
    TzqBarItem::DirectClick();
}

bool TzqBarButton::CanBeActivatedByKey(const TzqBarItemLink* Link) const
{
    if (!Enabled())
        return false;
    if (!Link || !Link->Links() || !Link->Links()->InBar())
        return true;
    const TzqBarPaintStyle style = Link->PaintStyle();
    return style == TzqBarPaintStyle::psCaption || style == TzqBarPaintStyle::psCaptionGlyph;
}

void TzqBarButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TzqBarItem::ActionChange(Sender, CheckDefaults);
    if (auto* action = dynamic_cast<TAction*>(Sender))
        if (!CheckDefaults || !m_down)
            SetDown(action->Checked());
}

void TzqBarButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TzqBarItem::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_dropDownMenu) {
        m_dropDownMenu = nullptr;
        LinksChanged();
    }
}

void TzqBarButton::AssignTo(TBasicAction* Dest) const
{
    TzqBarItem::AssignTo(Dest);
    if (auto* action = dynamic_cast<TAction*>(Dest))
        action->SetChecked(m_down);
}
