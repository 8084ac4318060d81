// TActionLink: a client's binding to a TAction, one virtual per property. When a
// property of the action changes, the action calls the link's setter for it while still
// holding the old value; a descendant written for one kind of client copies the value
// into its client when the matching Is...Linked answers true (typically: the client
// still shows the action's old value, so a value the user changed on the client stays).
#pragma once

#include "platform/controls/Action.h"

class TActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;

    // Whether the client's property follows the action; the base answers true while
    // the link is bound to a TAction.
    virtual bool IsCaptionLinked() const { return BoundToAction(); }
    virtual bool IsCheckedLinked() const { return BoundToAction(); }
    virtual bool IsEnabledLinked() const { return BoundToAction(); }
    virtual bool IsHelpContextLinked() const { return BoundToAction(); }
    virtual bool IsHintLinked() const { return BoundToAction(); }
    virtual bool IsImageIndexLinked() const { return BoundToAction(); }
    virtual bool IsShortCutLinked() const { return BoundToAction(); }
    virtual bool IsVisibleLinked() const { return BoundToAction(); }

    // The bound action as a TAction, or null.
    TAction* Action() const { return dynamic_cast<TAction*>(TBasicActionLink::Action()); }

protected:
    friend class TAction;
    // A property of the action is about to take `value`; the base does nothing.
    virtual void SetCaption(const std::string&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHelpContext(THelpContext) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(TShortCut) {}
    virtual void SetVisible(bool) {}

private:
    bool BoundToAction() const { return Action() != nullptr; }
};
