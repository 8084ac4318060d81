// Popup menu links: which bar popup menu a control of the form shows as its context
// menu. The linked menu also takes part in shortcut dispatch while its control has the
// focus.
#pragma once

#include "bars/BarTypes.h"
#include "platform/core/Collection.h"

#include <functional>

class TWinControl;
class TzqBarPopupMenu;

using TzqBarPopupMenuLinkActionEvent =
    std::function<void(TObject* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TzqBarPopupMenuLink : public TCollectionItem {
public:
    explicit TzqBarPopupMenuLink(TCollection* Collection);

    TzqBarManager* BarManager() const;
    // Accepted only when the control stands on the manager's form; otherwise none.
    TWinControl* Control() const { return m_control; }
    void SetControl(TWinControl* value);
    TzqBarPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TzqBarPopupMenu* value);

    void Assign(const TCollectionItem& Source) override;

    TzqBarPopupMenuLinkActionEvent OnAction;

private:
    friend class TzqBarPopupMenuLinks;
    TWinControl* m_control = nullptr;
    TzqBarPopupMenu* m_popupMenu = nullptr;
};

class TzqBarPopupMenuLinks : public TCollectionOf<TzqBarPopupMenuLink> {
public:
    explicit TzqBarPopupMenuLinks(TzqBarManager* Manager);

    TzqBarManager* BarManager() const { return m_manager; }
    // The first link of a control, or null.
    TzqBarPopupMenuLink* FindByControl(const TWinControl* Control) const;
    // A component went away: links lose their control or menu.
    void ComponentRemoved(const TComponent* Component);

protected:
    void Update(TCollectionItem* Item) override;

private:
    TzqBarManager* m_manager;
};
