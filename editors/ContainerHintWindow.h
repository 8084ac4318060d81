// TzqContainerHintWindow: the tooltip-like window hosts and editors show a value or a
// caption in that does not fit its cell. Borderless except for a thin raised edge,
// never activated, transparent to the mouse (clicks go to what lies beneath).
#pragma once

#include "platform/controls/HintWindow.h"

#include <string>

class TFont;

class TzqContainerHintWindow : public THintWindow {
public:
    explicit TzqContainerHintWindow(TComponent* AOwner = nullptr);

    using THintWindow::ActivateHint;
    // Shows Text at Point (screen coordinates), wrapped at MaxWidth pixels (the screen's
    // width when 0 or less), in the status-bar font with Font's name and character set
    // (and its size too when UseFontSize). The window stays on the screen: moved up from
    // its bottom, left from its right edge, never above or left of its origin.
    void ActivateHint(TPoint Point, int MaxWidth, bool UseFontSize, const TFont* Font, const std::string& Text);
    // Hides the window without activating anything.
    void HideHint();

    // Where a hint of that size shown at Point lies on the screen (cut to the screen's
    // size when larger).
    static TRect PlaceHint(TPoint Point, TSize Size, const TRect& Screen);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};
