// TzqBarShadow: the shadow a menu casts on its right and bottom sides, made of two
// shadow-part windows that never take the mouse. Where the desktop composes windows it
// is 4 pixels of translucent black; elsewhere 2 pixels of the solid shadow colour.
#pragma once

#include "platform/controls/CustomControl.h"

#include <memory>

class TzqBarShadowPart : public TCustomControl {
public:
    TzqBarShadowPart(bool Translucent);
    bool Translucent() const { return m_translucent; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Paint() override;

private:
    bool m_translucent;
};

class TzqBarShadow {
public:
    static constexpr int kTranslucentSize = 4;
    static constexpr int kSolidSize = 2;
    // The opacity of a translucent shadow (of 255).
    static constexpr int kOpacity = 96;

    TzqBarShadow();
    ~TzqBarShadow();

    // Shows the shadow of a window at a screen rectangle, or moves it there.
    void Show(const TRect& WindowRect);
    void Hide();
    bool Visible() const;
    // Decided when shown: translucent where the desktop composes windows.
    bool Translucent() const { return m_translucent; }
    int Size() const { return m_translucent ? kTranslucentSize : kSolidSize; }
    // The right (0) and bottom (1) parts while shown, else null.
    TzqBarShadowPart* Part(int Index) const { return Index == 0 ? m_right.get() : m_bottom.get(); }

private:
    std::unique_ptr<TzqBarShadowPart> m_right;
    std::unique_ptr<TzqBarShadowPart> m_bottom;
    bool m_translucent = false;
};
