// TzqBarButtonControl: a button in a bar: a glyph, a caption or both by the link's paint
// style, checked buttons that stay down, and the arrow part of a drop-down button that
// opens its menu instead of clicking.
#pragma once

#include "bars/BarItemControl.h"

class TzqBarButton;

class TzqBarButtonControl : public TzqBarItemControl {
public:
    TzqBarButtonControl(TzqBarItemLink* Link, TCustomzqBarControl* Parent);

    // The button item, or null for another kind shown as a button.
    TzqBarButton* Button() const;
    // The paint style in a bar: psStandard without a glyph or image acts as psCaption;
    // psCaptionInMenu shows the glyph only.
    TzqBarPaintStyle BarPaintStyle() const;
    bool ShowsCaption() const;
    bool ShowsGlyph() const;
    bool HasGlyph() const;
    // A drop-down button with its arrow part.
    bool Split() const;
    // The arrow part of a split button (empty otherwise).
    TRect ArrowRect() const;

    TzqBarItemExtent CalcExtent(bool Vertical, bool Rotated) const override;
    void Paint(TCanvas& Canvas, const TzqBarPainter& Painter, const TzqBarLook& Look) override;
    void MouseDown(TPoint Pt) override;

protected:
    // The caption drawn (the link's caption).
    virtual std::string DisplayCaption() const;
    TzqBarItemState State() const;
    void PaintFace(TCanvas& Canvas, const TzqBarPainter& Painter, const TzqBarLook& Look, const TRect& Face,
                   const TzqBarItemState& State);
};
