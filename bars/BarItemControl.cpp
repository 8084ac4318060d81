#include "bars/BarItemControl.h"

#include "bars/BarButtonControl.h"
#include "bars/BarButton.h"
#include "bars/BarItemLinks.h"
#include "bars/BarEditControl.h"
#include "bars/BarSubItemControl.h"
#include "bars/BarItem.h"
#include "bars/BarItemKinds.h"
#include "bars/BarItemLink.h"
#include "bars/BarManager.h"
#include "bars/CustomBarControl.h"
#include "platform/controls/Action.h"
#include "platform/controls/Application.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/ShortCuts.h"
#include "platform/controls/TextMeasure.h"
#include "platform/window/WinApi.h"

std::string StripAccelerator(const std::string& Caption)
{
    std::string out;
    out.reserve(Caption.size());
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&') {
            if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += Caption[i];
    }
    return out;
}

TzqBarItemControl::TzqBarItemControl(TzqBarItemLink* Link, TCustomzqBarControl* Parent) : m_link(Link), m_parent(Parent)
{
    m_link->SetControl(this);
}

TzqBarItemControl::~TzqBarItemControl()
{
    if (m_link->Control() == this)
        m_link->SetControl(nullptr);
}

TzqBarItem* TzqBarItemControl::Item() const
{
    return m_link->Item();
}

TzqBarManager* TzqBarItemControl::Manager() const
{
    return m_parent->BarManager();
}

bool TzqBarItemControl::Enabled() const
{
    return Item() && Item()->Enabled();
}

void TzqBarItemControl::SetRect(const TRect& value)
{
    if (value == m_rect)
        return;
    Repaint();
    m_rect = value;
    m_link->SetItemRect(value);
    Repaint();
}

void TzqBarItemControl::Repaint()
{
    if (!m_rect.IsEmpty())
        m_parent->RepaintRect(m_rect);
}

void TzqBarItemControl::SetHot(bool value)
{
    if (value == m_hot)
        return;
    m_hot = value;
    if (Item())
        Item()->SetActiveLink(value ? m_link : nullptr);
    Repaint();
}

void TzqBarItemControl::SetPressed(bool value)
{
    if (value == m_pressed)
        return;
    m_pressed = value;
    Repaint();
}

void TzqBarItemControl::SetDroppedDown(bool value)
{
    if (value == m_droppedDown)
        return;
    m_droppedDown = value;
    Repaint();
}

void TzqBarItemControl::MouseDown(TPoint)
{
    if (Enabled())
        SetPressed(true);
}

void TzqBarItemControl::MouseUp(TPoint Pt)
{
    const bool click = m_pressed && m_rect.Contains(Pt) && Enabled();
    SetPressed(false);
    if (click)
        Click(); // may free this control: nothing follows
}

void TzqBarItemControl::Click()
{
    TzqBarItem* item = Item();
    if (!item)
        return;
    TCustomzqBarControl* parent = m_parent;
    TzqBarItemLink* link = m_link;
    // A link a container put into a menu lives as long as the menu; its use counts for
    // the container's link too.
    const bool generated = link->Links() && link->Links()->LinksOwner() == parent;
    link->MarkUsed(true);
    if (TzqBarItemLink* original = link->OriginalLink(); original && generated)
        original->MarkUsed(true);
    if (parent->IsSubMenu() && item->CanClicked())
        PlaySystemSound("MenuCommand");
    auto* button = dynamic_cast<TzqBarButton*>(item);
    const bool closeFirst = !button || button->CloseSubMenuOnClick();
    const auto itemAlive = item->Watch();
    const auto parentAlive = parent->Watch();
    if (closeFirst && parent->InChain()) {
        parent->HideAll(); // may free this control and its window
        if (!*itemAlive)
            return;
    }
    const bool here = *parentAlive && parent->HasItemControl(this);
    const bool showPressed = here && button && !closeFirst && button->UnclickAfterDoing();
    if (showPressed)
        SetPressed(true);
    item->SetActiveLink(generated ? nullptr : link);
    item->DirectClick();
    if (showPressed && *parentAlive && parent->HasItemControl(this))
        SetPressed(false);
}

std::string TzqBarItemControl::HintText() const
{
    TzqBarItem* item = Item();
    TzqBarManager* manager = Manager();
    if (!item || !manager)
        return {};
    if (!item->Enabled() && !manager->ShowHintForDisabledItems())
        return {};
    std::string text = GetShortHint(item->Hint());
    // A bound action may change the hint or refuse it.
    if (auto* action = dynamic_cast<TAction*>(item->Action()); action && !action->DoHint(text))
        return {};
    if (text.empty())
        return {};
    const bool withShortCut = manager->ShowShortCutInHint() || (Application && Application->HintShortCuts());
    if (withShortCut && item->ShortCut() != scNone)
        text += " (" + ShortCutToText(item->ShortCut()) + ")";
    return text;
}

int TzqBarItemControl::TextHeight() const
{
    return FontLineHeight(*m_parent->Font());
}

int TzqBarItemControl::TextWidth(const std::string& Text) const
{
    return MeasureText(*m_parent->Font(), StripAccelerator(Text)).cx;
}

std::unique_ptr<TzqBarItemControl> CreateBarItemControl(TzqBarItemLink* Link, TCustomzqBarControl* Parent, bool Rotated)
{
    TzqBarItem* item = Link ? Link->Item() : nullptr;
    if (!item)
        return nullptr;
    const std::string kind = TzqBarItemKinds::ControlClassFor(*item, Rotated);
    if (kind.empty())
        return nullptr;
    if (kind == "TzqBarEditControl" || kind == "TCustomzqBarComboControl" || kind == "TzqBarComboControl")
        return std::make_unique<TzqBarEditControl>(Link, Parent, kind != "TzqBarEditControl");
    if (kind == "TzqBarButtonControl")
        return std::make_unique<TzqBarButtonControl>(Link, Parent);
    // Submenus, lists and containers show as a captioned button that opens a menu.
    return std::make_unique<TzqBarSubItemControl>(Link, Parent);
}
