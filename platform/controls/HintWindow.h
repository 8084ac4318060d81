// THintWindow: the small yellow window that shows a hint. It is a top-level popup tool
// window above every other, never activated, transparent to the mouse (clicks go to
// what lies beneath), drawn in the application's hint colour with the status-bar font.
// Components with hints of their own (side-bar items, inspector rows, bar tooltips)
// make one, or derive theirs from it.
#pragma once

#include "platform/controls/CustomControl.h"

#include <string>

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner = nullptr);

    // The rectangle, at (0, 0), that shows the text wrapped at MaxWidth pixels (the
    // width of the screen when 0 or less), border and margins included.
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint);
    // Shows the text in the rectangle (screen coordinates), moved and cut to stay in the
    // work area of the monitor under its top-left corner; above all windows, without
    // taking the activation.
    virtual void ActivateHint(TRect Rect, const std::string& AHint);
    // Hides the window and frees it; the next ActivateHint makes it again.
    virtual void ReleaseHandle();
    // Whether the window is shown now.
    bool IsHintVisible();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;

    // The margin between the window's client edge and the text.
    static constexpr int kTextMargin = 2;
};

// The part of a hint before the first "|" (all of it without one).
std::string GetShortHint(const std::string& Hint);
// The part of a hint after the first "|" (all of it without one).
std::string GetLongHint(const std::string& Hint);
