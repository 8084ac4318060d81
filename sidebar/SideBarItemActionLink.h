// The binding of a stored side-bar item to an action. The action's caption, enabled
// state, hint and image index reach the stored item only while the stored item still
// holds the action's current value: a value set on the stored item itself stays. Hiding
// the action disables the stored item.
#pragma once

#include "platform/controls/ActionLink.h"

class TzqStoredSideItem;

class TzqSideBarItemActionLink : public TActionLink {
public:
    explicit TzqSideBarItemActionLink(TzqStoredSideItem* Client);

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsImageIndexLinked() const override;

protected:
    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetHint(const std::string& value) override;
    void SetImageIndex(int value) override;
    void SetVisible(bool value) override;

private:
    TzqStoredSideItem* m_client;
    // Hiding the action disabled a stored item that followed the action's enabled state:
    // showing the action again gives it the action's enabled state back.
    bool m_disabledByHiding = false;
};
