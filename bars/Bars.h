// TzqBars: the manager's collection of bars. It also holds the four built-in dock
// sites, one per side of the owner form.
#pragma once

#include "bars/Bar.h"

#include <array>

class TzqBars : public TCollectionOf<TzqBar> {
public:
    // Makes the four built-in dock sites on the manager's form.
    explicit TzqBars(TzqBarManager* Manager);
    ~TzqBars() override;

    TzqBarManager* BarManager() const { return m_manager; }
    // The built-in site of a side; null for dsNone.
    TzqDockControl* DockSite(TzqBarDockingStyle Style) const;

    void Assign(const TCollection& Source) override;
    // Being loaded or assigned: docking changes fire no event.
    bool Loading() const { return m_loading; }
    bool Assigning() const { return m_assigning; }

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    friend class TzqBarManager;
    friend class TzqDockControl;
    void SetLoading(bool value) { m_loading = value; }
    void DockSiteDestroyed(TzqDockControl* Site);

    TzqBarManager* m_manager;
    std::array<TzqDockControl*, 5> m_dockSites{};
    bool m_loading = false;
    bool m_assigning = false;
};
