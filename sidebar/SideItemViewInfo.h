// The layout record of one placed item: the item, its image rectangle, its caption
// rectangle and the frame drawn around the image. The item frame is the part whose
// edges show focus and selection: the image frame, or (in the W2K look) a frame as wide
// as the items area.
#pragma once

#include "platform/core/Types.h"

#include <algorithm>

class TzqSideBarItem;

class TzqSideItemViewInfo {
public:
    virtual ~TzqSideItemViewInfo() = default;

    virtual TRect ItemFrame() const { return ImageFrame; }
    // The item's extent: from the higher to the lower of image frame and caption.
    int Top() const { return std::min(ImageFrame.Top, CaptionRect.Top); }
    int Bottom() const { return std::max(ImageFrame.Bottom, CaptionRect.Bottom); }

    TzqSideBarItem* Item = nullptr;
    // The item's position in its group.
    int Index = 0;
    TRect ImageRect;
    TRect CaptionRect;
    TRect ImageFrame;
    // The item reaches below the items area.
    bool CutOff = false;
};

class TzqSideItemW2KViewInfo : public TzqSideItemViewInfo {
public:
    TRect ItemFrame() const override { return FullFrame; }

    TRect FullFrame;
};
