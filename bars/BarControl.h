// TzqBarControl: the window of a visible bar. Docked, it is a child of its dock site
// and gets its place from the site's row layout; floating, it is a tool window owned by
// the form that never takes the activation, with a title, a close button and sizing
// edges. It fits or wraps the bar's links into its length, paints them in the manager's
// style and starts the drag loop from its grip, title or empty space.
#pragma once

#include "bars/BarLineWrap.h"
#include "bars/CustomBarControl.h"

class TzqBar;
class TzqDockControl;

class TzqBarControl : public TCustomzqBarControl {
public:
    // The mark button's length along the bar.
    static constexpr int kMarkSize = 11;

    explicit TzqBarControl(TzqBar* Bar);
    ~TzqBarControl() override;

    TzqBar* Bar() const { return m_bar; }
    TzqBarItemLinks* ItemLinks() const override;

    // The side it is docked on; dsNone while floating.
    TzqBarDockingStyle DockingStyle() const { return m_dockingStyle; }
    TzqDockControl* DockSite() const { return m_dockSite; }
    bool Floating() const { return m_dockingStyle == TzqBarDockingStyle::dsNone; }
    bool Vertical() const override;
    bool Rotated() const override;
    // Floating bars and docked bars with MultiLine wrap their links.
    bool MultiLine() const;
    // Not every displayed link is shown.
    bool Truncated() const { return m_truncated; }
    // Being dragged now.
    bool Moving() const { return m_moving; }
    void SetMoving(bool value) { m_moving = value; }
    // Lengths of the window along its row (frame included), for its orientation.
    int MinLength() const { return m_minLength; }
    int MaxLength() const { return m_maxLength; }
    // 0 normal, 1 hot, 2 pressed.
    int MarkState() const { return m_markState; }
    // The mark button shows: ShowMark and truncated, or always outside the standard
    // style with AllowQuickCustomizing; MarkCounted: the lengths count it already.
    bool MarkShown() const;
    bool MarkCounted() const;
    TzqBarLook Look() const override;
    // True while the window changes the bar's links itself (its own layout).
    bool Arranging() const { return m_arranging; }

    // ---- Docking and floating ----
    // Becomes a child window of the site (re-made when it was floating).
    void AttachToSite(TzqDockControl* Site);
    // Leaves its site and floats with its window's top-left corner at the point, sized
    // for the bar's float client width.
    void MakeFloating(TPoint ScreenTopLeft);
    // Shows or hides a floating window by the owner form's state and activation.
    void UpdateFloatingVisibility();

    // ---- Layout ----
    // Before a row layout: all displayed links back, not truncated, lengths computed.
    void PrepareRowLayout();
    // The window's thickness across its row for a window length along it.
    int ThicknessForLength(int Length);
    // Takes the place the row layout gave (site client coordinates) and lays the links
    // out in it; moves the window only when its bounds change.
    void PlaceDocked(const TRect& R, bool RowTruncated);
    // The window size a floating bar needs for a client width (0: all on one line).
    TSize FloatSizeFor(int ClientWidth);
    // Lays the links out again in the present size.
    void Relayout();

    // ---- Frame ----
    // The non-client widths (left, top, right, bottom in the rectangle's fields).
    TRect FrameMargins() const;
    // Parts in window coordinates (empty when absent).
    TRect GripRect() const;
    TRect TitleRect() const;
    TRect CloseButtonRect() const;
    TRect SizeGripRect() const;
    // The mark button: client coordinates when docked, window coordinates when floating.
    TRect MarkRect() const;
    bool CloseButtonShown() const;
    bool HasSizeGrip() const;
    // The non-client part at a screen point (HTCAPTION for the drag handles, HTCLOSE,
    // the sizing edges, kHitMark, HTCLIENT).
    int HitTest(TPoint ScreenPt) const;
    static constexpr int kHitMark = 100;

    // ---- Mouse ----
    // Runs the drag loop from a screen point on the drag handle.
    void BeginDrag(TPoint ScreenPt);
    // A click on the mark button (second click closes what the first opened).
    void MarkButtonClick();

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void EmptySpaceMouseDown(TPoint Pt) override;
    // The mark button's tooltip, "More Buttons".
    const void* TooltipPart(TPoint Pt, std::string& Text) const override;
    void LayoutScheduled() override;
    bool LayingOut() const override { return m_arranging; }

private:
    friend class TzqDockControl;
    // Lays the displayed links out in a client length; answers the client thickness.
    // Apply false only measures.
    int ArrangeLinks(int ClientLength, bool Apply);
    // Personalized bars: the largest recent count whose links fit the length.
    void FitRecentItems(int ContentLength);
    std::vector<TzqBarItemLink*> DisplayedLinks() const;
    std::vector<TzqBarLineItem> LineItems(const std::vector<TzqBarItemControl*>& Controls) const;
    int ContentSum(const std::vector<TzqBarLineItem>& Items) const;
    int HitTestAt(TPoint WindowPt) const;
    int FrameAlong() const;
    int FrameAcross() const;
    void PaintFrame();
    void PaintSeparators(TCanvas& Canvas);
    void SetMarkState(int State);
    void CloseClicked();
    void ResizeFloating(int Hit, TPoint ScreenPt);
    TRect FloatClientForWidth(int Width);

    TzqBar* m_bar;
    TzqBarDockingStyle m_dockingStyle = TzqBarDockingStyle::dsNone;
    TzqDockControl* m_dockSite = nullptr;
    bool m_truncated = false;
    bool m_rowTruncated = false;
    bool m_moving = false;
    int m_minLength = 0;
    int m_maxLength = 0;
    int m_markState = 0;
    int m_closeState = 0;
    bool m_arranging = false;
    TRect m_lastMargins;
    // The lines of the last arrangement and the separator bands to paint.
    TzqBarLines m_lines;
    struct Separator {
        TRect Band;
        bool Across; // a line across a horizontal bar's thickness
    };
    std::vector<Separator> m_separators;
};
