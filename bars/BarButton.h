// TzqBarButton: the command button of bars and menus. A checked button keeps a
// pressed state; checked buttons with the same GroupIndex in one manager form a group
// in which at most one is down. A drop-down button opens its DropDownMenu.
#pragma once

#include "bars/BarItem.h"

class TzqBarPopupMenu;

class TzqBarButton : public TzqBarItem {
public:
    explicit TzqBarButton(TComponent* AOwner);
    ~TzqBarButton() override;

    // Copied to every button of the same group.
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool value);
    // Changing the style raises the button; only checked buttons keep a GroupIndex.
    TzqBarButtonStyle ButtonStyle() const { return m_buttonStyle; }
    void SetButtonStyle(TzqBarButtonStyle value);
    bool CloseSubMenuOnClick() const { return m_closeSubMenuOnClick; }
    void SetCloseSubMenuOnClick(bool value) { m_closeSubMenuOnClick = value; }
    bool DropDownEnabled() const { return m_dropDownEnabled; }
    void SetDropDownEnabled(bool value);
    // Stays 0 unless the button is checked; a change raises the button.
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value);
    // Only a checked button goes down. In a group, the button that was down comes up;
    // the last button down stays down unless AllowAllUp.
    bool Down() const { return m_down; }
    void SetDown(bool value);
    TzqBarPopupMenu* DropDownMenu() const { return m_dropDownMenu; }
    void SetDropDownMenu(TzqBarPopupMenu* value);
    bool Lowered() const { return m_lowered; }
    void SetLowered(bool value);
    TzqBarPaintStyle PaintStyle() const { return m_paintStyle; }
    void SetPaintStyle(TzqBarPaintStyle value);

    // A checked button toggles Down first.
    void DirectClick() override;
    // Enabled, and outside bars always; in a bar only when the caption is shown.
    bool CanBeActivatedByKey(const TzqBarItemLink* Link) const override;
    virtual bool HasPaintStyles() const { return true; }
    // Also copies Down into the action's Checked.
    void AssignTo(TBasicAction* Dest) const override;

protected:
    virtual void ButtonStyleChanged() {}
    virtual void DownChanged() {}
    virtual void DropDownEnabledChanged() {}
    virtual void PaintStyleChanged() {}
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void StoreDown(bool value);
    // The other buttons of this button's group in its manager.
    template <typename F> void ForEachInGroup(F f) const;

    bool m_allowAllUp = false;
    TzqBarButtonStyle m_buttonStyle = TzqBarButtonStyle::bsDefault;
    bool m_closeSubMenuOnClick = true;
    bool m_dropDownEnabled = true;
    int m_groupIndex = 0;
    bool m_down = false;
    TzqBarPopupMenu* m_dropDownMenu = nullptr;
    bool m_lowered = false;
    TzqBarPaintStyle m_paintStyle = TzqBarPaintStyle::psStandard;
};
