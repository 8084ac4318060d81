// The layout record of one group header: the group and its header rectangle.
#pragma once

#include "platform/core/Types.h"

class TzqSideGroup;

class TzqSideGroupViewInfo {
public:
    TzqSideGroupViewInfo(TzqSideGroup* Group, const TRect& Rect) : Group(Group), Rect(Rect) {}
    virtual ~TzqSideGroupViewInfo() = default;

    TzqSideGroup* Group;
    TRect Rect;
};
