// A panel: a container drawn with an outer and an inner bevel around a border of its
// own colour, and an optional caption. Aligned children sit inside the bevels.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/controls/Label.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);

    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return m_bevelWidth; }
    // At least 1.
    void SetBevelWidth(int value);
    int BorderWidth() const { return m_borderWidth; }
    // Not below 0.
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);

    // The area left for aligned children: the client area less bevels and border.
    TRect InnerRect() const;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& rect) override;

private:
    int FrameSize() const;
    void FrameChanged();
    TBevelCut m_bevelOuter = TBevelCut::bvRaised;
    TBevelCut m_bevelInner = TBevelCut::bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TBorderStyle m_borderStyle = TBorderStyle::bsNone;
    TAlignment m_alignment = TAlignment::taCenter;
};
