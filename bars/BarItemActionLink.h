// The binding of a bar item to an action: every change of the action is applied to the
// item again.
#pragma once

#include "platform/controls/ActionLink.h"

class TzqBarItem;

class TzqBarItemActionLink : public TActionLink {
public:
    explicit TzqBarItemActionLink(TzqBarItem* Item);

protected:
    void Change() override;

private:
    TzqBarItem* m_item;
};
