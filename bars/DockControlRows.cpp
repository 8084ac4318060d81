// The rows of a dock site: which bar windows share a row, how a row shares its length
// among them, how thick the site gets, and where a dragged bar lands.
#include "bars/DockControl.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarManager.h"
#include "bars/BarWindowHooks.h"
#include "bars/DockRowLayout.h"
#include "platform/controls/Form.h"

#include <algorithm>

namespace {

// The coordinate along the rows and the one across them.
int Along(TPoint p, bool horizontal)
{
    return horizontal ? p.X : p.Y;
}

int Across(TPoint p, bool horizontal)
{
    return horizontal ? p.Y : p.X;
}

} // namespace

int TzqDockControl::RowLength() const
{
    const TRect client = ClientRect();
    return Horizontal() ? client.Width() : client.Height();
}

int TzqDockControl::RowsSize() const
{
    int size = 0;
    for (const TzqDockRow& row : m_rows)
        size += row.Thickness;
    return size;
}

bool TzqDockControl::Sunken() const
{
    return m_manager && m_manager->SunkenBorder();
}

bool TzqDockControl::Find(const TzqBarControl* Bar, int& Row, int& Col) const
{
    for (size_t r = 0; r < m_rows.size(); ++r)
        for (size_t c = 0; c < m_rows[r].Cols.size(); ++c)
            if (m_rows[r].Cols[c].BarControl == Bar) {
                Row = static_cast<int>(r);
                Col = static_cast<int>(c);
                return true;
            }
    return false;
}

void TzqDockControl::UpdateDock()
{
    if (m_updating || (m_manager && (m_manager->LockUpdate() || m_manager->IsDestroying())))
        return;
    TCustomForm* form = m_manager ? m_manager->OwnerForm() : nullptr;
    if (form && form->IsDestroying())
        return;
    m_updating = true;
    const int inset = Sunken() ? 1 : 0;
    int across = inset;
    const int length = std::max(0, RowLength());
    for (TzqDockRow& row : m_rows) {
        if (row.Dirty || row.LaidOutLength != length || row.LaidOutStart != across) {
            LayoutRow(row, across, length);
            row.Dirty = false;
            row.LaidOutLength = length;
            row.LaidOutStart = across;
        }
        across += row.Thickness;
    }
    m_updating = false;
    // An empty user site keeps no thickness of its own (3 pixels while designing).
    const bool emptyUserSite = m_rows.empty() && dynamic_cast<const TzqBarDockControl*>(this);
    SetThickness(emptyUserSite ? RowsSize() : RowsSize() + 2 * inset);
}

void TzqDockControl::BarChanged(TzqBarControl* Bar)
{
    int row = 0, col = 0;
    if (Find(Bar, row, col))
        m_rows[static_cast<size_t>(row)].Dirty = true;
    UpdateDock();
}

void TzqDockControl::InvalidateRows()
{
    for (TzqDockRow& row : m_rows)
        row.Dirty = true;
}

void TzqDockControl::LayoutRow(TzqDockRow& Row, int AcrossStart, int Length)
{
    const bool horizontal = Horizontal();
    std::vector<TzqDockRowBar> bars(Row.Cols.size());
    for (size_t i = 0; i < Row.Cols.size(); ++i) {
        TzqBarControl* control = Row.Cols[i].BarControl;
        control->PrepareRowLayout();
        TzqDockRowBar& b = bars[i];
        b.MinLength = control->MinLength();
        b.MaxLength = control->MaxLength();
        // Room for the mark button truncation would show.
        if (b.MinLength != b.MaxLength && !control->MarkCounted() && control->Bar()->ShowMark())
            b.MinLength = std::min(b.MinLength + TzqBarControl::kMarkSize, b.MaxLength);
        b.Desired = Along(Row.Cols[i].Pos, horizontal);
        b.WholeRow = control->Bar()->WholeRow();
        b.MultiLine = control->MultiLine();
        b.UseRestSpace = control->Bar()->UseRestSpace();
        b.Dragged = control->Moving();
    }
    LayoutDockRow(bars, Length);
    int thickness = 0;
    for (size_t i = 0; i < bars.size(); ++i)
        thickness = std::max(thickness, Row.Cols[i].BarControl->ThicknessForLength(bars[i].Length));
    Row.Thickness = thickness;
    for (size_t i = 0; i < bars.size(); ++i) {
        const TzqDockRowBar& b = bars[i];
        const TRect r = horizontal ? TRect(b.Position, AcrossStart, b.Position + b.Length, AcrossStart + thickness)
                                   : TRect(AcrossStart, b.Position, AcrossStart + thickness, b.Position + b.Length);
        Row.Cols[i].BarControl->PlaceDocked(r, b.Truncated);
    }
}

void TzqDockControl::SetThickness(int Thickness)
{
    // A user site that holds nothing keeps no thickness; so does every empty site.
    const TzqBarDockingStyle style = DockingStyle();
    const int old = Horizontal() ? Height() : Width();
    if (Thickness == old)
        return;
    // Right and bottom sites keep their far edge where it is.
    m_settingThickness = true;
    switch (style) {
    case TzqBarDockingStyle::dsBottom:
        SetBounds(Left(), Top() + Height() - Thickness, Width(), Thickness);
        break;
    case TzqBarDockingStyle::dsRight:
        SetBounds(Left() + Width() - Thickness, Top(), Thickness, Height());
        break;
    case TzqBarDockingStyle::dsLeft:
        SetBounds(Left(), Top(), Thickness, Height());
        break;
    default:
        SetBounds(Left(), Top(), Width(), Thickness);
        break;
    }
    m_settingThickness = false;
    if (m_manager)
        m_manager->WindowHooks()->SiteThicknessChanged(this);
}

void TzqDockControl::Resize()
{
    TCustomControl::Resize();
    // A site without bars keeps the size it was given; its own thickness changes need
    // no new layout.
    if (!m_settingThickness && !m_rows.empty())
        UpdateDock();
}

TzqDockTarget TzqDockControl::TargetAt(TPoint ScreenPt, const TzqBarControl* Bar) const
{
    const bool horizontal = Horizontal();
    const TzqBarDockingStyle style = DockingStyle();
    const bool outerAtStart = style == TzqBarDockingStyle::dsTop || style == TzqBarDockingStyle::dsLeft;
    std::vector<TzqDockRowSpan> spans;
    int start = Sunken() ? 1 : 0;
    for (const TzqDockRow& row : m_rows) {
        spans.push_back({start, row.Thickness});
        start += row.Thickness;
    }
    const TPoint client = ScreenToClient(ScreenPt);
    const TzqDockRowTarget found = LocateDockRow(spans, outerAtStart, Across(client, horizontal));
    TzqDockTarget target{found.Row, found.NewRow};
    if (target.NewRow || target.Row >= RowCount())
        return {std::min(target.Row, RowCount()), true};
    // Bars that must be alone in their row.
    const TzqDockRow& row = m_rows[static_cast<size_t>(target.Row)];
    const bool alreadyAlone = row.Cols.size() == 1 && row.Cols.front().BarControl == Bar;
    bool alone = Bar && (Bar->Bar()->OneOnRow() || Bar->Bar()->WholeRow());
    for (const TzqDockCol& col : row.Cols)
        if (col.BarControl != Bar && col.BarControl->Bar()->WholeRow())
            alone = true;
    if (alone && !alreadyAlone)
        return {target.Row + 1, true};
    return target;
}

int TzqDockControl::RowMiddle(int Row) const
{
    const TzqBarDockingStyle style = DockingStyle();
    const bool outerAtStart = style == TzqBarDockingStyle::dsTop || style == TzqBarDockingStyle::dsLeft;
    std::vector<TzqDockRowSpan> spans;
    int start = Sunken() ? 1 : 0;
    for (const TzqDockRow& row : m_rows) {
        spans.push_back({start, row.Thickness});
        start += row.Thickness;
    }
    return DockRowMiddle(spans, outerAtStart, Row);
}

void TzqDockControl::InsertBar(TzqBarControl* Bar, TzqDockTarget Target, int InsertAt, int Position)
{
    const bool horizontal = Horizontal();
    int oldRow = 0, oldCol = 0;
    if (Find(Bar, oldRow, oldCol)) {
        m_rows[static_cast<size_t>(oldRow)].Dirty = true;
        auto& cols = m_rows[static_cast<size_t>(oldRow)].Cols;
        cols.erase(cols.begin() + oldCol);
        if (cols.empty()) {
            m_rows.erase(m_rows.begin() + oldRow);
            if (!Target.NewRow && Target.Row == oldRow)
                Target.NewRow = true; // its own row went: it gets a new one there
            else if (Target.Row > oldRow)
                --Target.Row;
        }
    }
    // The bar leaves its old site (whose layout may run and move this site) before it
    // joins a row here.
    Bar->AttachToSite(this);
    Target.Row = std::clamp(Target.Row, 0, RowCount());
    if (Target.NewRow || Target.Row == RowCount()) {
        m_rows.insert(m_rows.begin() + Target.Row, TzqDockRow{});
    }
    m_rows[static_cast<size_t>(Target.Row)].Dirty = true;
    auto& cols = m_rows[static_cast<size_t>(Target.Row)].Cols;
    // Before the first bar whose window lies at or beyond the position.
    auto at = std::find_if(cols.begin(), cols.end(), [&](const TzqDockCol& col) {
        const TRect r = col.BarControl->BoundsRect();
        return (horizontal ? r.Left : r.Top) >= InsertAt;
    });
    TzqDockCol col;
    col.BarControl = Bar;
    const int along = std::max(0, Position);
    col.Pos = horizontal ? TPoint{along, 0} : TPoint{0, along};
    cols.insert(at, col);
    UpdateDock();
}

void TzqDockControl::DockBarAt(TzqBarControl* Bar, TPoint ScreenPt, TPoint GrabOffset)
{
    const bool horizontal = Horizontal();
    const TPoint client = ScreenToClient(ScreenPt);
    const int position = std::max(0, Along(client, horizontal) - Along(GrabOffset, horizontal));
    // The bar goes before the first bar at or beyond the point; it wants to start at the
    // point less its grab offset.
    InsertBar(Bar, TargetAt(ScreenPt, Bar), Along(client, horizontal), position);
}

void TzqDockControl::RemoveBar(TzqBarControl* Bar)
{
    int row = 0, col = 0;
    if (!Find(Bar, row, col))
        return;
    m_rows[static_cast<size_t>(row)].Dirty = true;
    auto& cols = m_rows[static_cast<size_t>(row)].Cols;
    cols.erase(cols.begin() + col);
    if (cols.empty())
        m_rows.erase(m_rows.begin() + row);
    UpdateDock();
}

void TzqDockControl::RefreshPositions()
{
    for (size_t r = 0; r < m_rows.size(); ++r)
        for (TzqDockCol& col : m_rows[r].Cols) {
            const TRect bounds = col.BarControl->BoundsRect();
            col.Pos = bounds.TopLeft();
            TzqBar* bar = col.BarControl->Bar();
            bar->SetDockedLeft(bounds.Left);
            bar->SetDockedTop(bounds.Top);
            bar->SetRow(static_cast<int>(r));
        }
}
