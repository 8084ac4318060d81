// The common part of check boxes and radio buttons: a small box drawn by the frame
// control service beside a caption, pressed by the left button or Space, with a dotted
// focus rectangle around the caption.
#pragma once

#include "platform/controls/PushControl.h"
#include "platform/controls/Label.h"

class TButtonControl : public TPushControl {
public:
    explicit TButtonControl(TComponent* AOwner);

    // taRightJustify (the default) puts the caption right of the box, taLeftJustify
    // left of it.
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);

    // The box and the caption's rectangle in client coordinates.
    TRect BoxRect() const;
    TRect CaptionRect();

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void Pushed() override;
    void TextChanged() override;

    // What the user's press does (toggle or check); then Click follows.
    virtual void Toggle() = 0;
    // DFCS_* state bits of the box (type and check state).
    virtual unsigned BoxState() const = 0;

private:
    unsigned TextFlags() const;
    TAlignment m_alignment = TAlignment::taRightJustify;
    bool m_wordWrap = false;
};
