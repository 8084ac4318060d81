// Dock sites: TzqDockControl is a site along an edge of the owner form (the manager
// makes one per side); TzqBarDockControl is a site the application places itself. The
// bars docked in a site are laid out in rows by the bar windows.
#pragma once

#include "bars/BarTypes.h"
#include "platform/controls/WinControl.h"

class TzqDockControl : public TWinControl {
public:
    TzqDockControl(TComponent* AOwner, TzqBarManager* Manager);
    // Tells its manager.
    ~TzqDockControl() override;

    TzqBarManager* BarManager() const { return m_manager; }
    // Left, top, right or bottom by its alignment; any other alignment acts as top.
    TzqBarDockingStyle DockingStyle() const;
    bool Horizontal() const;
    bool AllowDocking() const { return m_allowDocking; }
    void SetAllowDocking(bool value) { m_allowDocking = value; }
    // Whether the site takes the bar.
    virtual bool CanDocking(const TzqBar* Bar) const { return m_allowDocking; }
    // Takes the manager's dock colour.
    virtual void UpdateColor();

protected:
    virtual void BarManagerChanged() { UpdateColor(); }
    TzqBarManager* m_manager = nullptr;

private:
    friend class TzqBarManager;
    friend class TzqBars;
    bool m_allowDocking = true;
};

class TzqBarDockControl : public TzqDockControl {
public:
    explicit TzqBarDockControl(TComponent* AOwner);
    // Leaves its manager.
    ~TzqBarDockControl() override;

    // Joining a manager lists the site there; leaving it undocks the bars docked to it.
    void SetBarManager(TzqBarManager* value);
    // The site's side: dalNone and dalTop dock at the top.
    TzqBarDockAlign Align() const { return m_dockAlign; }
    void SetAlign(TzqBarDockAlign value);
    // The site uses its own colour instead of the manager's.
    bool UseOwnColor() const { return m_useOwnColor; }
    void SetUseOwnColor(bool value);
    bool CanDocking(const TzqBar* Bar) const override;
    void UpdateColor() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TzqBarDockAlign m_dockAlign = TzqBarDockAlign::dalTop;
    bool m_useOwnColor = false;
};
