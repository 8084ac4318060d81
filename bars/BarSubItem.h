// Submenu items: TCustomzqBarSubItem owns the links of its menu; TzqBarSubItem is the
// submenu item of bars and menus.
#pragma once

#include "bars/BarItem.h"
#include "platform/core/Types.h"

#include <functional>
#include <memory>

class TCanvas;
class TzqBarItemLinks;

class TCustomzqBarSubItem : public TzqBarItem {
public:
    explicit TCustomzqBarSubItem(TComponent* AOwner);
    ~TCustomzqBarSubItem() override;

    TzqBarItemLinks* ItemLinks() const { return m_itemLinks.get(); }
    void SetItemLinks(const TzqBarItemLinks& value);

    // Width of the menu's side band; negative becomes 0.
    int BarSize() const { return m_barSize; }
    void SetBarSize(int value);
    bool Detachable() const { return m_detachable; }
    void SetDetachable(bool value) { m_detachable = value; }
    // Index of the bar the menu detaches into; outside -1..Bars.Count-1 it is -1.
    int DetachingBar() const;
    void SetDetachingBar(int value);
    bool ShowCaption() const { return m_showCaption; }
    void SetShowCaption(bool value) { m_showCaption = value; }

    // A submenu opens, it is not clicked; it answers shortcuts through its links.
    bool CanClicked() const override { return false; }

    TNotifyEvent OnDetaching;
    TzqBarPaintSubMenuBarEvent OnPaintBar;

protected:
    void BarManagerChanged() override;

private:
    friend class TzqBar;
    void DetachFromBar();

    std::unique_ptr<TzqBarItemLinks> m_itemLinks;
    int m_barSize = 0;
    bool m_detachable = false;
    TzqBar* m_detachingBar = nullptr;
    bool m_showCaption = true;
};

class TzqBarSubItem : public TCustomzqBarSubItem {
public:
    explicit TzqBarSubItem(TComponent* AOwner);

    bool AllowCustomizing() const { return m_allowCustomizing; }
    void SetAllowCustomizing(bool value) { m_allowCustomizing = value; }

    TNotifyEvent OnCloseUp;
    TNotifyEvent OnPopup;

private:
    bool m_allowCustomizing = true;
};
