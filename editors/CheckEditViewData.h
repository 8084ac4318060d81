// TzqCheckEditViewData: what the check editor's class-level drawing needs beyond the
// base view data: the state of the box and whether it shows pressed.
#pragma once

#include "editors/EditViewData.h"

#include <cstdint>

enum : int { zqcbUnchecked = 0, zqcbChecked = 1, zqcbGrayed = 2 };

class TzqCheckEditViewData : public TzqEditViewData {
public:
    int32_t State = zqcbUnchecked;
    bool Pressed = false;
};
