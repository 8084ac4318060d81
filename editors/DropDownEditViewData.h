// TzqDropDownEditViewData: what the class-level drawing of an editor with buttons needs
// beyond the text editor's view data: its buttons (width, kind, glyph, side, pressed),
// whether they are hidden, and which one is hot or pressed.
#pragma once

#include "editors/TextEditViewData.h"

#include <array>
#include <cstdint>

class TBitmap;

enum class TzqEditButtonKind : uint8_t { bkEllipsis, bkDown, bkGlyph };

struct TzqEditButtonViewInfo {
    int32_t Width = 0;
    TzqEditButtonKind Kind = TzqEditButtonKind::bkDown;
    // Not owned.
    TBitmap* Glyph = nullptr;
    // At the left of the text instead of the right.
    bool LeftAligned = false;
    bool Pressed = false;
};

class TzqDropDownEditViewData : public TzqTextEditViewData {
public:
    static constexpr int MaxButtons = 8;

    int32_t ButtonCount = 0;
    std::array<TzqEditButtonViewInfo, MaxButtons> Buttons{};
    // The editor's own glyph (not owned).
    TBitmap* Glyph = nullptr;
    // No button is shown (and none takes room).
    bool HideButtons = false;
    int32_t HotButton = -1;
    int32_t PressedButton = -1;
};
