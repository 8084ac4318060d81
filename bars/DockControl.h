// Dock sites: TzqDockControl is a site along an edge of the owner form (the manager
// makes one per side); TzqBarDockControl is a site the application places itself. A
// site holds its bar windows in rows: it shares each row's length among its bars, grows
// as thick as its rows, and tells a dragged bar which row a point asks for.
#pragma once

#include "bars/BarTypes.h"
#include "platform/controls/CustomControl.h"

#include <vector>

class TzqBarControl;

// One bar window in a row of a site and where it wants to be along the row (in the
// site's client coordinates; only the coordinate along the row counts).
struct TzqDockCol {
    TzqBarControl* BarControl = nullptr;
    TPoint Pos;
};

// A row of a site: its bars in order, and the thickness the last layout gave it.
struct TzqDockRow {
    std::vector<TzqDockCol> Cols;
    int Thickness = 0;
    // Laid out again only when something in it changed, or its length or place did.
    bool Dirty = true;
    int LaidOutLength = -1;
    int LaidOutStart = -1;
};

// Where a bar docks in a site: a row to join, or a new row inserted before Row.
struct TzqDockTarget {
    int Row = 0;
    bool NewRow = false;
};

class TzqDockControl : public TCustomControl {
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
    // The sum of the row thicknesses.
    virtual int RowsSize() const;
    // The border is sunken (the manager's setting, or the user site's own).
    virtual bool Sunken() const;

    // ---- Rows ----
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const TzqDockRow& Rows(int Index) const { return m_rows[static_cast<size_t>(Index)]; }
    // The row and column of a bar window docked here; false when it is not.
    bool Find(const TzqBarControl* Bar, int& Row, int& Col) const;
    // Where a screen point (across the rows) asks a bar to go: an existing row or a new
    // one; a bar that must be alone in its row gets a new one.
    TzqDockTarget TargetAt(TPoint ScreenPt, const TzqBarControl* Bar) const;
    // The middle of the stretch across the rows (client coordinate) that keeps a point
    // in the row.
    int RowMiddle(int Row) const;
    // Puts the bar window into the row (or a new row before Row), before the first bar
    // whose window lies at or beyond InsertAt along the row, wanting to start at Position
    // (client coordinates), and lays out.
    void InsertBar(TzqBarControl* Bar, TzqDockTarget Target, int InsertAt, int Position);
    // Docks at a screen point minus the grab offset (the point within the bar window).
    void DockBarAt(TzqBarControl* Bar, TPoint ScreenPt, TPoint GrabOffset);
    // Takes the bar window out (an emptied row goes) and lays out.
    void RemoveBar(TzqBarControl* Bar);
    // Every bar's wish becomes where its window is now.
    void RefreshPositions();
    // Lays out the rows that changed and sets the site's thickness (nothing while the
    // manager is locked or the form is going).
    void UpdateDock();
    // A docked bar changed (its links, size or style): its row is laid out again.
    void BarChanged(TzqBarControl* Bar);
    // Every row is laid out again on the next UpdateDock.
    void InvalidateRows();
    // The length of the rows (client width of a top or bottom site, height of a side one).
    int RowLength() const;

    // Right clicks and double clicks ask the manager's window hooks.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    // Changes of the site's own bounds lay the rows out again.
    void Resize() override;
    virtual void BarManagerChanged() { UpdateColor(); }
    TzqBarManager* m_manager = nullptr;

private:
    friend class TzqBarManager;
    friend class TzqBars;
    void LayoutRow(TzqDockRow& Row, int Across, int Length);
    void SetThickness(int Thickness);
    bool m_allowDocking = true;
    std::vector<TzqDockRow> m_rows;
    bool m_updating = false;
    bool m_settingThickness = false;
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
    // The site's own sunken border (setting it makes the site use it), else the
    // manager's.
    bool SunkenBorder() const { return m_sunkenBorder; }
    void SetSunkenBorder(bool value);
    bool UseOwnSunkenBorder() const { return m_useOwnSunkenBorder; }
    void SetUseOwnSunkenBorder(bool value);
    bool Sunken() const override;
    // While designing an empty site keeps 3 pixels unless this is set.
    bool AllowZeroSizeInDesignTime() const { return m_allowZeroSizeInDesignTime; }
    void SetAllowZeroSizeInDesignTime(bool value);
    int RowsSize() const override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void BorderChanged();
    TzqBarDockAlign m_dockAlign = TzqBarDockAlign::dalTop;
    bool m_useOwnColor = false;
    bool m_sunkenBorder = false;
    bool m_useOwnSunkenBorder = false;
    bool m_allowZeroSizeInDesignTime = false;
};
