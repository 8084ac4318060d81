// How bars look in each of the manager's three styles: the bar colour, grips,
// separators, the mark button, the floating title and close button, and the background,
// frame, glyph and caption of an item. TzqBarPainter::For answers the painter of a style;
// the standard and enhanced styles share raised and sunken edges, the flat style uses
// selection fills and one-pixel lines.
#pragma once

#include "bars/BarGlyphDrawing.h"
#include "bars/BarTypes.h"
#include "platform/core/Color.h"
#include "platform/core/Types.h"

#include <string>

class TCanvas;

// The state an item is drawn in.
struct TzqBarItemState {
    bool Hot = false;
    bool Pressed = false;
    bool Down = false;        // a checked button that is down
    bool Enabled = true;
    bool DroppedDown = false; // its drop-down part or menu is open
};

// What a bar tells the painter about itself.
struct TzqBarLook {
    TzqBarManager* Manager = nullptr;
    bool Vertical = false;
    bool MainMenu = false;
    bool BorderlessBottom = false; // a bar without border docked at the bottom
    bool Floating = false;
    bool OwnerActive = true;       // the owner form is the active window
};

class TzqBarPainter {
public:
    virtual ~TzqBarPainter() = default;
    static const TzqBarPainter& For(TzqBarManagerStyle Style);

    virtual TzqBarManagerStyle Style() const = 0;
    // The colour the client area of a bar is filled with.
    virtual TColor BarColor(const TzqBarLook& Look) const;
    // The grip (the drag handle) in its rectangle; in a vertical bar it runs across.
    virtual void DrawGrip(TCanvas& Canvas, const TRect& R, bool Vertical) const;
    // A separator band before a link: the line runs across Band (Vertical: across a
    // vertical bar, i.e. horizontally).
    virtual void DrawSeparator(TCanvas& Canvas, const TRect& Band, bool LineAcross) const;
    // The mark button (State 0 normal, 1 hot, 2 pressed): a down-pointing triangle and,
    // when the bar is truncated, two chevrons pointing along the bar.
    virtual void DrawMarkButton(TCanvas& Canvas, const TRect& R, int State, bool Truncated, bool Vertical,
                                bool InTitle) const = 0;
    // The title of a floating bar with its caption, and the close button in it.
    virtual void DrawTitle(TCanvas& Canvas, const TRect& R, const std::string& Caption, const TzqBarLook& Look) const;
    virtual void DrawCloseButton(TCanvas& Canvas, const TRect& R, int State, const TzqBarLook& Look) const;
    // The frame around a floating bar's client area (the window's non-client part
    // without the title).
    virtual void DrawFloatingFrame(TCanvas& Canvas, const TRect& Window, const TRect& Client,
                                   const TzqBarLook& Look) const;

    // An item's background and frame (a split button's parts are drawn one by one).
    virtual void DrawItemBackground(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State,
                                    const TzqBarLook& Look) const = 0;
    // The glyph effect an item in this state gets.
    virtual TzqBarGlyphEffect GlyphEffect(const TzqBarItemState& State) const;
    // How far the glyph and caption move while the item is pressed or down.
    virtual int PressedOffset(const TzqBarItemState& State) const;
    // A caption with its accelerator underlined (without when Rotated), greyed when
    // disabled; Rotated draws it reading downwards, centred in R.
    virtual void DrawCaption(TCanvas& Canvas, const TRect& R, const std::string& Caption, bool Enabled, bool Rotated,
                             unsigned Align) const;
    // The arrow part of a split button: a small triangle after a thin edge.
    virtual void DrawSplitArrow(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State, bool Vertical,
                                const TzqBarLook& Look) const;

protected:
    // The caption in one colour.
    void DrawCaptionText(TCanvas& Canvas, const TRect& R, const std::string& Caption, bool Rotated, unsigned Align,
                         TColor Colour) const;
    void DrawTriangle(TCanvas& Canvas, TPoint Apex, int Size, bool Down, TColor Colour) const;
    void DrawChevrons(TCanvas& Canvas, const TRect& R, bool Vertical, TColor Colour) const;
};

// The standard style: raised and sunken edges, the mark button an 11 x 9 corner.
class TzqBarStandardPainter : public TzqBarPainter {
public:
    TzqBarManagerStyle Style() const override { return TzqBarManagerStyle::bmsStandard; }
    void DrawMarkButton(TCanvas& Canvas, const TRect& R, int State, bool Truncated, bool Vertical,
                        bool InTitle) const override;
    void DrawItemBackground(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State,
                            const TzqBarLook& Look) const override;
};

// The enhanced style: as the standard one, with a framed mark strip and wide separators.
class TzqBarEnhancedPainter : public TzqBarStandardPainter {
public:
    TzqBarManagerStyle Style() const override { return TzqBarManagerStyle::bmsEnhanced; }
    void DrawMarkButton(TCanvas& Canvas, const TRect& R, int State, bool Truncated, bool Vertical,
                        bool InTitle) const override;
};

// The flat style: light bars, selection fills framed in the highlight colour, one-pixel
// separators, lightened glyphs that rise over their shadow when hot.
class TzqBarFlatPainter : public TzqBarPainter {
public:
    TzqBarManagerStyle Style() const override { return TzqBarManagerStyle::bmsFlat; }
    TColor BarColor(const TzqBarLook& Look) const override;
    void DrawGrip(TCanvas& Canvas, const TRect& R, bool Vertical) const override;
    void DrawSeparator(TCanvas& Canvas, const TRect& Band, bool LineAcross) const override;
    void DrawMarkButton(TCanvas& Canvas, const TRect& R, int State, bool Truncated, bool Vertical,
                        bool InTitle) const override;
    void DrawTitle(TCanvas& Canvas, const TRect& R, const std::string& Caption, const TzqBarLook& Look) const override;
    void DrawCloseButton(TCanvas& Canvas, const TRect& R, int State, const TzqBarLook& Look) const override;
    void DrawFloatingFrame(TCanvas& Canvas, const TRect& Window, const TRect& Client,
                           const TzqBarLook& Look) const override;
    void DrawItemBackground(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State,
                            const TzqBarLook& Look) const override;
    TzqBarGlyphEffect GlyphEffect(const TzqBarItemState& State) const override;
    int PressedOffset(const TzqBarItemState& State) const override { return 0; }
    void DrawCaption(TCanvas& Canvas, const TRect& R, const std::string& Caption, bool Enabled, bool Rotated,
                     unsigned Align) const override;
    void DrawSplitArrow(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State, bool Vertical,
                        const TzqBarLook& Look) const override;

    // The flat selection fill and frame of a hot, pressed or down rectangle.
    void DrawSelection(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State, const TzqBarLook& Look) const;
};
