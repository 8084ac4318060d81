#include "bars/BarWindows.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/controls/Form.h"
#include "platform/window/WinApi.h"

#include <climits>

namespace {

int g_telling = 0;

struct TellingScope {
    TellingScope() { ++g_telling; }
    ~TellingScope() { --g_telling; }
};

TzqBarControl* ControlOf(TzqBar* bar)
{
    return static_cast<TzqBarControl*>(bar->Control());
}

// The site the bar's state names: its user site, else the built-in site of its side.
TzqDockControl* WantedSite(TzqBar* bar)
{
    if (bar->DockingStyle() == TzqBarDockingStyle::dsNone)
        return nullptr;
    if (bar->DockControl())
        return bar->DockControl();
    return bar->Bars() ? bar->Bars()->DockSite(bar->DockingStyle()) : nullptr;
}

// Shows a docked bar at its row and docked position.
void DockAtStoredPlace(TzqBarControl* control, TzqDockControl* site)
{
    TzqBar* bar = control->Bar();
    const bool horizontal = site->Horizontal();
    const int position = horizontal ? bar->DockedLeft() : bar->DockedTop();
    // A row past the last one (up to INT_MAX) asks for a new row after the last.
    TzqDockTarget target;
    if (bar->Row() >= site->RowCount()) {
        target = {site->RowCount(), true};
    } else {
        target = {bar->Row(), false};
        const TzqDockRow& row = site->Rows(bar->Row());
        bool alone = bar->OneOnRow() || bar->WholeRow();
        for (const TzqDockCol& col : row.Cols)
            if (col.BarControl->Bar()->WholeRow())
                alone = true;
        if (alone)
            target = {bar->Row() + 1, true};
    }
    site->InsertBar(control, target, position, position);
}

} // namespace

namespace TzqBarWindows {

bool Telling()
{
    return g_telling > 0;
}

void Update(TzqBar* Bar)
{
    TzqBarManager* manager = Bar->BarManager();
    if (!manager || manager->IsLoading() || manager->IsDestroying() || Telling())
        return;
    if (Bar->Bars() && (Bar->Bars()->Loading() || Bar->Bars()->Assigning()))
        return;
    TCustomForm* form = manager->OwnerForm();
    if (!form || form->IsDestroying())
        return;
    TzqBarControl* control = ControlOf(Bar);
    if (control && control->Arranging())
        return;
    if (!Bar->Visible()) {
        delete control;
        return;
    }
    if (Bar->HoldLayout())
        return;
    Bar->LayoutDone();
    TzqDockControl* site = WantedSite(Bar);
    if (site && !site->CanDocking(Bar))
        site = nullptr;
    if (!control) {
        control = new TzqBarControl(Bar);
        if (site)
            DockAtStoredPlace(control, site);
        else
            control->MakeFloating({Bar->FloatLeft(), Bar->FloatTop()});
        return;
    }
    // The style or the bar's settings may have changed what the frame shows.
    if (control->HandleAllocated())
        RedrawWindow(control->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    if (site && control->DockSite() != site) {
        DockAtStoredPlace(control, site);
        return;
    }
    if (!site && !control->Floating()) {
        control->MakeFloating({Bar->FloatLeft(), Bar->FloatTop()});
        return;
    }
    if (site) {
        site->BarChanged(control);
        return;
    }
    const TSize size = control->FloatSizeFor(Bar->FloatClientWidth());
    control->SetBounds(control->Left(), control->Top(), size.cx, size.cy);
    control->Relayout();
}

void LinksChanged(TzqBarItemLinks* Links)
{
    if (auto* window = dynamic_cast<TCustomzqBarControl*>(Links->Control()))
        window->ScheduleLayout();
}

void LinkDestroying(TzqBarItemLink* Link)
{
    auto* control = static_cast<TzqBarItemControl*>(Link->Control());
    control->Parent()->RemoveItemControl(control);
    Link->SetControl(nullptr);
}

void RepaintItem(TzqBarItem* Item)
{
    for (int i = 0; i < Item->LinkCount(); ++i)
        if (auto* control = static_cast<TzqBarItemControl*>(Item->Links(i)->Control()))
            control->Parent()->RepaintRect(control->Rect());
}

void Release(TzqBar* Bar)
{
    delete ControlOf(Bar);
}

void TellModelDocked(TzqBarControl* Control, TzqDockControl* Site)
{
    TellingScope telling;
    TzqBar* bar = Control->Bar();
    if (auto* user = dynamic_cast<TzqBarDockControl*>(Site)) {
        if (bar->DockControl() != user)
            bar->SetDockControl(user);
    } else if (bar->DockingStyle() != Site->DockingStyle() || bar->DockControl()) {
        bar->SetDockingStyle(Site->DockingStyle());
    }
}

void TellModelFloating(TzqBarControl* Control, TPoint ScreenTopLeft)
{
    TellingScope telling;
    TzqBar* bar = Control->Bar();
    bar->SetFloatLeft(ScreenTopLeft.X);
    bar->SetFloatTop(ScreenTopLeft.Y);
    if (bar->DockingStyle() != TzqBarDockingStyle::dsNone)
        bar->SetDockingStyle(TzqBarDockingStyle::dsNone);
}

} // namespace TzqBarWindows
