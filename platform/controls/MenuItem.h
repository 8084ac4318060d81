// TMenuItem: one command of a popup menu: a caption with an & before its accelerator
// ("-" makes a separator line), a shortcut, a check mark (a dot for radio items, of
// which one per group is checked), enabled and visible states, the bold default item,
// and OnClick.
#pragma once

#include "platform/controls/ShortCuts.h"
#include "platform/core/Component.h"

#include <string>

class TPopupMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner = nullptr);
    // Leaves its menu.
    ~TMenuItem() override;

    // The menu the item is in (TPopupMenu::Add puts it there), or null.
    TPopupMenu* Menu() const { return m_menu; }

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value) { m_caption = value; }
    // A separator line ("-").
    bool IsLine() const { return m_caption == "-"; }
    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut value) { m_shortCut = value; }
    bool Checked() const { return m_checked; }
    // Checking a radio item unchecks the other radio items of its group in the menu.
    void SetChecked(bool value);
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool value);
    // Radio items with the same group index form one group.
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value);
    // A click checks the item (a radio item) or toggles its check mark.
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool value) { m_autoCheck = value; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { m_visible = value; }
    bool Default() const { return m_default; }
    void SetDefault(bool value);
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value) { m_hint = value; }

    // What choosing the item does: AutoCheck, then OnClick. Disabled items do nothing.
    virtual void Click();

    TNotifyEvent OnClick;

private:
    friend class TPopupMenu;
    void UncheckGroupSiblings();

    TPopupMenu* m_menu = nullptr;
    std::string m_caption;
    TShortCut m_shortCut = scNone;
    bool m_checked = false;
    bool m_radioItem = false;
    int m_groupIndex = 0;
    bool m_autoCheck = false;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_default = false;
    std::string m_hint;
};
