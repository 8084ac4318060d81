#include "bars/Bars.h"

#include "bars/BarManager.h"
#include "bars/DockControl.h"
#include "platform/controls/Form.h"

namespace {

TAlign AlignOf(TzqBarDockingStyle style)
{
    switch (style) {
    case TzqBarDockingStyle::dsLeft:
        return TAlign::alLeft;
    case TzqBarDockingStyle::dsRight:
        return TAlign::alRight;
    case TzqBarDockingStyle::dsBottom:
        return TAlign::alBottom;
    default:
        return TAlign::alTop;
    }
}

// Ends the assigning state however Assign is left.
struct AssignGuard {
    bool& flag;
    explicit AssignGuard(bool& f) : flag(f) { flag = true; }
    ~AssignGuard() { flag = false; }
};

} // namespace

TzqBars::TzqBars(TzqBarManager* Manager) : TCollectionOf<TzqBar>(Manager), m_manager(Manager)
{
    TCustomForm* form = Manager ? Manager->OwnerForm() : nullptr;
    for (TzqBarDockingStyle style : {TzqBarDockingStyle::dsLeft, TzqBarDockingStyle::dsTop, TzqBarDockingStyle::dsRight,
                                     TzqBarDockingStyle::dsBottom}) {
        auto* site = new TzqDockControl(Manager, Manager);
        site->SetName("zqBarDockControl" + std::to_string(static_cast<int>(style)));
        site->SetAlign(AlignOf(style));
        if (style == TzqBarDockingStyle::dsLeft || style == TzqBarDockingStyle::dsRight)
            site->SetWidth(0);
        else
            site->SetHeight(0);
        site->SetParent(form);
        site->UpdateColor();
        m_dockSites[static_cast<size_t>(style)] = site;
    }
}

TzqBars::~TzqBars()
{
    // The bars go before the sites they may be docked in.
    BeginUpdate();
    while (Count() > 0)
        delete Items(Count() - 1);
    EndUpdate();
    for (TzqDockControl*& site : m_dockSites)
        if (site) {
            TzqDockControl* doomed = site;
            site = nullptr;
            doomed->m_manager = nullptr;
            delete doomed;
        }
}

TzqDockControl* TzqBars::DockSite(TzqBarDockingStyle Style) const
{
    return m_dockSites[static_cast<size_t>(Style)];
}

void TzqBars::DockSiteDestroyed(TzqDockControl* Site)
{
    for (TzqDockControl*& site : m_dockSites)
        if (site == Site)
            site = nullptr;
}

void TzqBars::Assign(const TCollection& Source)
{
    AssignGuard guard(m_assigning);
    TCollectionOf<TzqBar>::Assign(Source);
}

void TzqBars::Update(TCollectionItem*)
{
    if (m_manager && !m_manager->IsDestroying())
        m_manager->Changed();
}

void TzqBars::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    if (Action == TCollectionNotification::cnAdded && m_manager && !m_manager->IsLoading() && m_manager->OnBarAdd)
        m_manager->OnBarAdd(m_manager, static_cast<TzqBar*>(Item));
}
