// TzqBarEditControl: an edit (or combo) item in a bar: a text box as long as the link's
// width (at least 20 pixels), showing the item's text, with a drop-down button for
// combos. Editing in place belongs to the edit items' own window.
#pragma once

#include "bars/BarItemControl.h"

class TzqBarEditControl : public TzqBarItemControl {
public:
    static constexpr int kMinimumWidth = 20;

    TzqBarEditControl(TzqBarItemLink* Link, TCustomzqBarControl* Parent, bool Combo);

    bool Combo() const { return m_combo; }
    TzqBarItemExtent CalcExtent(bool Vertical, bool Rotated) const override;
    bool CanStretch() const override { return true; }
    void Paint(TCanvas& Canvas, const TzqBarPainter& Painter, const TzqBarLook& Look) override;
    // An edit is not clicked.
    void Click() override {}

private:
    bool m_combo;
};
