// A bevel: a box, frame or single line in the classic etched look, drawn on its
// parent (it has no window).
#pragma once

#include "platform/controls/CustomControl.h"

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return m_shape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return m_style; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape m_shape = TBevelShape::bsBox;
    TBevelStyle m_style = TBevelStyle::bsLowered;
};
