// A group box: an etched frame with its caption set into the top line. Children are
// placed in the box's coordinates; aligned children stay inside the frame.
#pragma once

#include "platform/controls/CustomControl.h"

class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);

    // The area inside the frame and below the caption.
    TRect InnerRect();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& rect) override;
    void TextChanged() override;
    void FontChanged() override;

private:
    int CaptionHeight();
};
