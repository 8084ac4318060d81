#include "bars/BarSubItemControl.h"

#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarSubItem.h"
#include "bars/BarSubMenuControl.h"
#include "platform/window/WinApi.h"

void TzqBarSubItemControl::MouseDown(TPoint)
{
    if (!Enabled())
        return;
    TCustomzqBarControl* parent = Parent();
    // In a bar a second press on the item closes its menu and menu mode.
    if (!parent->IsSubMenu() && MenuOpen()) {
        parent->HideAll();
        return;
    }
    DropDown(true);
}

void TzqBarSubItemControl::DropDown(bool ByMouse)
{
    auto* sub = dynamic_cast<TCustomzqBarSubItem*>(Item());
    TCustomzqBarControl* parent = Parent();
    TzqBarManager* manager = Manager();
    if (!sub || !Enabled() || !manager)
        return;
    if (TzqBarSubMenuControl* open = parent->ChildMenu(); open && open->OpenerControl() == this) {
        if (!ByMouse && !open->SelectedControl())
            open->SelectControl(open->FirstSelectable());
        return;
    }
    parent->CloseChildOpenedBy(nullptr);
    if (!parent->InChain())
        parent->ActivateKeyboard(this);
    if (parent->SelectedControl() != this)
        parent->SetSelectedControl(this);

    // The handlers may free the item, its bar or the menu this item sits in.
    const auto parentAlive = parent->Watch();
    const auto itemAlive = sub->Watch();
    TzqBarItemLink* link = Link();
    const auto stillHere = [&] { return *parentAlive && *itemAlive && parent->HasItemControl(this); };
    sub->SetActiveLink(link);
    if (auto* item = dynamic_cast<TzqBarSubItem*>(sub); item && item->OnPopup) {
        item->OnPopup(item);
        if (!stillHere())
            return;
    }
    sub->DoClick();
    if (!stillHere() || !parent->InChain() || !sub->ItemLinks())
        return;

    TzqBarMenuAnchor anchor = TzqBarMenuAnchor::FromHorizontalBar;
    if (parent->IsSubMenu())
        anchor = TzqBarMenuAnchor::FromMenu;
    else if (parent->Vertical())
        anchor = TzqBarMenuAnchor::FromVerticalBar;
    const TRect r = Rect();
    const TPoint topLeft = parent->ClientToScreen(TPoint{r.Left, r.Top});
    const TRect onScreen(topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height());

    auto* menu = new TzqBarSubMenuControl(manager, sub->ItemLinks(), nullptr);
    menu->Font()->Assign(*parent->Font());
    menu->SetAnimate(ByMouse && manager->MenuAnimations() != TzqBarMenuAnimations::maNone &&
                     sub->ItemLinks()->VisibleCount() > 0 && !manager->IsCustomizing());
    PlaySystemSound("MenuPopup");
    menu->ShowFrom(anchor, onScreen, this);
    SetDroppedDown(true);
    if (!ByMouse)
        menu->SelectControl(menu->FirstSelectable());
}
