// TCustomControl: a windowed control that draws itself on its own canvas in Paint.
// The canvas is bound to the window (clipped to the area being painted) during Paint;
// outside Paint it may be bound for immediate drawing with BeginCanvasDraw.
#pragma once

#include "platform/controls/WinControl.h"

#include <memory>

class TCanvas;

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return m_canvas.get(); }
    // True while the canvas is bound to the window.
    bool CanvasBound() const { return m_canvasBound; }

    // Binds the canvas to the window for drawing outside Paint (animation frames, drag
    // feedback); EndCanvasDraw makes the drawing reach the screen. Nested calls nest.
    bool BeginCanvasDraw();
    void EndCanvasDraw();

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void WMPaint(TMessage& Message) override;

private:
    std::unique_ptr<TCanvas> m_canvas;
    bool m_canvasBound = false;
    int m_drawDepth = 0;
};

// A control without a window of its own, painted on its parent's canvas and given the
// mouse by its parent (labels, bevels, splitters).
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    // The parent's canvas, with the origin moved to this control, while painting.
    TCanvas* Canvas() const { return m_canvas; }
    void PaintOnParent(TCanvas& canvas) override;

protected:
    virtual void Paint() {}

private:
    TCanvas* m_canvas = nullptr;
};
