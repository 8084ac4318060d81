// TzqCheckEditViewData: what the check editor's class-level drawing needs beyond the
// base view data: the state of the box and whether it shows pressed.
#pragma once

#include "editors/EditViewData.h"

#include <cstdint>

enum : int { zqcbUnchecked = 0, zqcbChecked = 1, zqcbGrayed = 2 };

// How a box without a value (a null field) shows.
enum class TzqShowNullFieldStyle : uint8_t { nsUnchecked, nsInactive, nsGrayedChecked };

class TzqCheckEditViewData : public TzqEditViewData {
public:
    int32_t State = zqcbUnchecked;
    bool Pressed = false;
    // The value is null: the box shows as ShowNullFieldStyle says.
    bool IsNull = false;
    TzqShowNullFieldStyle ShowNullFieldStyle = TzqShowNullFieldStyle::nsGrayedChecked;
};
