// TzqImageEditViewData: what the image editor's class-level drawing needs beyond a
// drop-down editor's view data: the images, the entry's image and description, and
// whether the description shows.
#pragma once

#include "editors/DropDownEditViewData.h"

#include <string>

class TImageList;

class TzqImageEditViewData : public TzqDropDownEditViewData {
public:
    const TImageList* Images = nullptr; // not owned
    int32_t ImageIndex = -1;
    std::string Description;
    bool ShowDescription = false;
};
