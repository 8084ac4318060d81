// The side bar's background gradient: bands `Step` pixels thick running from BeginColor
// to EndColor down the client area (bfsHorz) or across it (bfsVert).
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"
#include "sidebar/SideBarTypes.h"

#include <functional>

class TzqSideBarBackGround : public TObject {
public:
    // `Changed` is told of every change (the side bar repaints).
    explicit TzqSideBarBackGround(std::function<void()> Changed = {});

    TColor BeginColor() const { return m_beginColor; }
    void SetBeginColor(TColor value);
    TColor EndColor() const { return m_endColor; }
    void SetEndColor(TColor value);
    TzqSideBarFillStyle FillStyle() const { return m_fillStyle; }
    void SetFillStyle(TzqSideBarFillStyle value);
    int Step() const { return m_step; }
    // Only values above 0 are taken.
    void SetStep(int value);

    void Assign(const TzqSideBarBackGround& Source);

    // True when a gradient is drawn in a client area of the size: a fill style, two
    // different colours and a span of at least one pixel.
    bool HasGradient(TSize clientSize) const;
    // Calls `band` for each band of the gradient that covers part of `area` (client
    // coordinates), in order, with the band's part of the area and its solid colour.
    // Nothing is called when HasGradient is false.
    void ForEachBand(const TRect& area, TSize clientSize, const std::function<void(const TRect&, TColor)>& band) const;

private:
    void Change();

    TColor m_beginColor = clGrayText;
    TColor m_endColor = clGrayText;
    TzqSideBarFillStyle m_fillStyle = TzqSideBarFillStyle::bfsNone;
    int m_step = 2;
    std::function<void()> m_changed;
};
