#include "bars/DockControl.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarWindowHooks.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"
#include "bars/BarManager.h"
#include "bars/Bars.h"

// ---- TzqDockControl ----

TzqDockControl::TzqDockControl(TComponent* AOwner, TzqBarManager* Manager) : TCustomControl(AOwner), m_manager(Manager)
{
    SetControlStyle(ControlStyle() + TControlStyleFlag::csAcceptsControls);
}

TzqDockControl::~TzqDockControl()
{
    BeforeDestruction();
    // The bar windows docked here go with the site; their bars keep their state.
    std::vector<TzqBarControl*> docked;
    for (const TzqDockRow& row : m_rows)
        for (const TzqDockCol& col : row.Cols)
            docked.push_back(col.BarControl);
    m_rows.clear();
    for (TzqBarControl* control : docked) {
        control->m_dockSite = nullptr;
        delete control;
    }
    if (m_manager && m_manager->Bars())
        m_manager->Bars()->DockSiteDestroyed(this);
}

TzqBarDockingStyle TzqDockControl::DockingStyle() const
{
    switch (TControl::Align()) {
    case TAlign::alLeft:
        return TzqBarDockingStyle::dsLeft;
    case TAlign::alRight:
        return TzqBarDockingStyle::dsRight;
    case TAlign::alBottom:
        return TzqBarDockingStyle::dsBottom;
    default:
        return TzqBarDockingStyle::dsTop;
    }
}

bool TzqDockControl::Horizontal() const
{
    const TzqBarDockingStyle style = DockingStyle();
    return style == TzqBarDockingStyle::dsTop || style == TzqBarDockingStyle::dsBottom;
}

void TzqDockControl::UpdateColor()
{
    if (m_manager)
        SetColor(m_manager->DockColor());
    // The border may have changed with the colour: the rows move in or out.
    if (!m_rows.empty()) {
        InvalidateRows();
        UpdateDock();
    }
    Invalidate();
}

void TzqDockControl::Paint()
{
    TRect r = ClientRect();
    FillRectColor(Canvas(), r, Color());
    if (Sunken())
        Canvas()->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
}

void TzqDockControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        // Floating bars never take the activation; a click on a site brings the form up.
        if (m_manager && m_manager->OwnerForm() && m_manager->OwnerForm()->HandleAllocated())
            SetActiveWindow(m_manager->OwnerForm()->Handle());
        if (OnClick)
            OnClick(this);
        break;
    case WM_LBUTTONDBLCLK:
        TCustomControl::WndProc(Message);
        if (OnDblClick)
            OnDblClick(this);
        if (m_manager && !m_manager->IsCustomizing())
            m_manager->WindowHooks()->SiteDblClick(this);
        return;
    case WM_RBUTTONUP:
        // The release ends the press first (the capture it took goes).
        TCustomControl::WndProc(Message);
        if (m_manager && !m_manager->IsCustomizing())
            m_manager->WindowHooks()->ContextMenu(nullptr, ClientToScreen(PointFromLParam(Message.LParam)));
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

// ---- TzqBarDockControl ----

TzqBarDockControl::TzqBarDockControl(TComponent* AOwner) : TzqDockControl(AOwner, nullptr)
{
    TControl::SetAlign(TAlign::alTop);
}

TzqBarDockControl::~TzqBarDockControl()
{
    BeforeDestruction();
    SetBarManager(nullptr);
}

void TzqBarDockControl::SetBarManager(TzqBarManager* value)
{
    if (value == m_manager)
        return;
    if (TzqBarManager* old = m_manager) {
        // Bars docked here lose their place.
        for (int i = 0; i < old->Bars()->Count(); ++i)
            old->Bars()->Items(i)->DockControlRemoved(this);
        old->RemoveDockControl(this);
        RemoveFreeNotification(old);
    }
    m_manager = value;
    if (m_manager) {
        m_manager->AddDockControl(this);
        FreeNotification(m_manager);
    }
    BarManagerChanged();
}

void TzqBarDockControl::SetAlign(TzqBarDockAlign value)
{
    if (value == m_dockAlign)
        return;
    m_dockAlign = value;
    TAlign align = TAlign::alTop;
    switch (value) {
    case TzqBarDockAlign::dalBottom:
        align = TAlign::alBottom;
        break;
    case TzqBarDockAlign::dalLeft:
        align = TAlign::alLeft;
        break;
    case TzqBarDockAlign::dalRight:
        align = TAlign::alRight;
        break;
    default:
        break;
    }
    TzqBarManagerLock lock(m_manager);
    TControl::SetAlign(align);
    if (m_manager)
        for (int i = 0; i < m_manager->Bars()->Count(); ++i)
            if (m_manager->Bars()->Items(i)->DockControl() == this)
                m_manager->Bars()->Items(i)->RequestLayout();
}

void TzqBarDockControl::SetUseOwnColor(bool value)
{
    if (value == m_useOwnColor)
        return;
    m_useOwnColor = value;
    UpdateColor();
}

void TzqBarDockControl::UpdateColor()
{
    if (!m_useOwnColor)
        TzqDockControl::UpdateColor();
    else if (RowCount() > 0) {
        InvalidateRows();
        UpdateDock();
    }
}

void TzqBarDockControl::SetSunkenBorder(bool value)
{
    m_useOwnSunkenBorder = true;
    if (value == m_sunkenBorder)
        return;
    m_sunkenBorder = value;
    BorderChanged();
}

void TzqBarDockControl::SetUseOwnSunkenBorder(bool value)
{
    if (value == m_useOwnSunkenBorder)
        return;
    m_useOwnSunkenBorder = value;
    BorderChanged();
}

bool TzqBarDockControl::Sunken() const
{
    return m_useOwnSunkenBorder ? m_sunkenBorder : TzqDockControl::Sunken();
}

void TzqBarDockControl::SetAllowZeroSizeInDesignTime(bool value)
{
    if (value == m_allowZeroSizeInDesignTime)
        return;
    m_allowZeroSizeInDesignTime = value;
    BorderChanged();
}

int TzqBarDockControl::RowsSize() const
{
    const int rows = TzqDockControl::RowsSize();
    if (rows == 0 && IsDesigning() && !m_allowZeroSizeInDesignTime)
        return 3;
    return rows;
}

void TzqBarDockControl::BorderChanged()
{
    InvalidateRows();
    UpdateDock();
    Invalidate();
}

bool TzqBarDockControl::CanDocking(const TzqBar* Bar) const
{
    if (!AllowDocking())
        return false;
    // A site standing inside the bar's own window could not take it.
    const auto* window = Bar ? dynamic_cast<const TControl*>(Bar->Control()) : nullptr;
    for (const TControl* c = Parent(); c && window; c = c->Parent())
        if (c == window)
            return false;
    return true;
}

void TzqBarDockControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TzqDockControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_manager) {
        m_manager = nullptr;
        BarManagerChanged();
    }
}
