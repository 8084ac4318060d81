// TzqSpinEditViewData: what the spin editor's class-level drawing needs beyond the text
// editor's view data: its button column and which half is hot or pressed.
#pragma once

#include "editors/TextEditViewData.h"

#include <cstdint>

// The spin column's halves.
enum : uint8_t { zqSpinNone = 0, zqSpinUp = 1, zqSpinDown = 2 };

class TzqSpinEditViewData : public TzqTextEditViewData {
public:
    uint8_t HotButton = zqSpinNone;
    uint8_t PressedButton = zqSpinNone;
    int32_t ButtonWidth = 0;
};
