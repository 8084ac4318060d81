// The inspector's painting: one pass over the lines in view, in five paint styles.
// Captions are drawn by the text editor's class drawing and values by the class
// drawing of each line's editor, so a value that is not being edited looks exactly like
// the editor that would edit it.
#include "inspector/CustomzqInspector.h"

#include "editors/EditDrawing.h"
#include "editors/InplaceEdit.h"
#include "editors/InplaceTextEdit.h"
#include "editors/TextEditViewData.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/WinApi.h"

#include <algorithm>

using S = TzqInspectorPaintStyle;

namespace {

bool IsWindowGroup(S Style)
{
    return Style == S::ipsSimple || Style == S::ipsNET;
}

bool HasSunkenFocusFrame(S Style)
{
    return Style == S::ipsStandard || Style == S::ipsExtended;
}

void Fill(TCanvas* canvas, const TRect& r, TColor color)
{
    if (!r.IsEmpty())
        FillRectColor(canvas, r, color);
}

// Excludes the frame ring Outer minus Inner from the clip.
void ExcludeRing(TCanvas* canvas, const TRect& outer, const TRect& inner)
{
    canvas->ExcludeClipRect(TRect(outer.Left, outer.Top, outer.Right, inner.Top));
    canvas->ExcludeClipRect(TRect(outer.Left, inner.Bottom, outer.Right, outer.Bottom));
    canvas->ExcludeClipRect(TRect(outer.Left, inner.Top, inner.Left, inner.Bottom));
    canvas->ExcludeClipRect(TRect(inner.Right, inner.Top, outer.Right, inner.Bottom));
}

// Two chevrons 3 pixels apart, centred in Rect: pointing down (expanded) or right.
void DrawDoubleChevron(TCanvas* canvas, const TRect& rect, bool expanded, TColor color)
{
    const int cx = (rect.Left + rect.Right) / 2;
    const int cy = (rect.Top + rect.Bottom) / 2;
    for (int k = 0; k < 2; ++k) {
        for (int i = 0; i < 3; ++i) {
            if (expanded) {
                // 5 wide, 3 high: rows of 5, 3 and 1 pixels.
                const int y = cy - 3 + k * 3 + i;
                Fill(canvas, TRect(cx - 2 + i, y, cx + 3 - i, y + 1), color);
            } else {
                const int x = cx - 3 + k * 3 + i;
                Fill(canvas, TRect(x, cy - 2 + i, x + 1, cy + 3 - i), color);
            }
        }
    }
}

} // namespace

// What one paint shares between its steps.
struct TCustomzqInspector::TPaintContext {
    TCanvas* Canvas;
    TColor Grid;
    TColor IndentBrush;
    TColor Background;
    TColor CategoryBackground;
    bool HasFocus;
    // The clip with the focus frame left out, restored after each cell's own clip.
    bool HasClip = false;
    TRegion Clip;

    // The layout the paint began with.
    uint32_t Generation = 0;

    void RestoreClip() { Canvas->SelectClipRegion(HasClip ? &Clip : nullptr); }
};

TColor TCustomzqInspector::EffectiveValueColor() const
{
    if (ColorToRGB(clBtnFace) == 0)
        return static_cast<TColor>(ColorToRGB(m_valueColor) ^ 0xFFFFFF);
    return m_valueColor;
}

void TCustomzqInspector::Paint()
{
    UpdateEditor(false, false);
    TCanvas* canvas = Canvas();
    const bool hadClip = canvas->HasClipRegion();
    const TRegion savedClip = canvas->ClipRegion();
    const bool editorFocused = m_editor && m_editor->HandleAllocated() && m_editor->Focused();
    TPaintContext context{canvas, m_gridColor, clBtnShadow, Color(), clBtnFace, Focused() || editorFocused, false, {}};
    canvas->Font()->Assign(*Font());
    PaintFocusFrame(context);
    context.HasClip = canvas->HasClipRegion();
    context.Clip = canvas->ClipRegion();
    PaintBands(context);
    // Handlers of the custom drawing may change the tree: the lines of this paint are a
    // copy, and a new layout ends the paint with another one to follow.
    const std::vector<TVisibleLine> lines = m_visible;
    context.Generation = m_layoutGeneration;
    for (const TVisibleLine& line : lines) {
        PaintLine(context, line);
        if (context.Generation != m_layoutGeneration || IsDestroying()) {
            Invalidate();
            break;
        }
    }
    canvas->SelectClipRegion(hadClip ? &savedClip : nullptr);
}

void TCustomzqInspector::PaintFocusFrame(TPaintContext& Context)
{
    if (!HasSunkenFocusFrame(m_paintStyle) || !m_focusedNode)
        return;
    const TRect line = LineRect(m_focusedNode);
    if (line.IsEmpty())
        return;
    const TRect outer(line.Left - 1, line.Top - 2, line.Right + 1, line.Bottom);
    TRect r = outer;
    Context.Canvas->DrawEdge(r, EDGE_SUNKEN, BF_TOPLEFT);
    r = outer;
    Context.Canvas->DrawEdge(r, BDR_SUNKENOUTER, BF_BOTTOMRIGHT);
    ExcludeRing(Context.Canvas, outer, TRect(outer.Left + 2, outer.Top + 2, outer.Right - 1, outer.Bottom - 1));
}

void TCustomzqInspector::PaintBands(TPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    const TRect client = ClientRect();
    const int bandWidth = BandMode() ? m_bandWidth : client.Width();
    const int bands = BandMode() ? m_visibleBandCount : 1;
    // Beyond the last band.
    Fill(canvas, TRect(bands * bandWidth, 0, client.Right, client.Bottom), Context.Background);
    for (int k = 0; k < bands; ++k) {
        const int left = k * bandWidth;
        int right = left + bandWidth;
        if (BandMode()) {
            right -= BandSeparatorWidth;
            Fill(canvas, TRect(right, 0, right + 1, client.Bottom), Context.Grid);
            Fill(canvas, TRect(right + 1, 0, right + 2, client.Bottom), Context.Background);
            Fill(canvas, TRect(right + 2, 0, right + 3, client.Bottom), Context.Grid);
        }
        int bottom = 0;
        for (const TVisibleLine& line : m_visible)
            if (line.Band == m_firstBand + k)
                bottom = std::max(bottom, line.Rect.Bottom);
        Fill(canvas, TRect(left, bottom, right, client.Bottom), Context.Background);
        if (bottom == 0 && IsDesigning()) {
            canvas->Pen()->SetColor(Context.Grid);
            canvas->MoveTo(left + m_dividerPos, 0);
            canvas->LineTo(left + m_dividerPos, client.Bottom);
        }
    }
}

void TCustomzqInspector::PaintLine(TPaintContext& Context, const TVisibleLine& Line)
{
    const bool categorized = m_paintStyle == S::ipsCategorized;
    const bool category = IsCategory(Line.Node);
    if (m_gridLineWidth > 0)
        PaintGridLine(Context, Line);
    if (categorized)
        PaintCategoryFrame(Context, Line, false);
    const TzqInspectorLineGeometry g = LineGeometry(Line.Node, Line.Rect);
    PaintIndent(Context, Line, g);
    if (!g.Button.IsEmpty())
        PaintExpandButton(Context, Line.Node, g.Button);
    if (!g.Image.IsEmpty() && m_images) {
        const int x = g.Image.Left + (g.Image.Width() - m_imageWidth) / 2;
        const int y = g.Image.Top + (g.Image.Height() - m_imageHeight) / 2;
        TCanvas* canvas = Context.Canvas;
        canvas->IntersectClipRect(g.Image);
        DrawImageListItem(canvas, x, y, m_images, GetImageIndex(Line.Node));
        Context.RestoreClip();
    }
    PaintCaption(Context, Line, g);
    if (Context.Generation != m_layoutGeneration || IsDestroying())
        return;
    // The edges of a category lie over its caption cell's outer pixels.
    if (categorized && category)
        PaintCategoryFrame(Context, Line, true);
    // The categorized chevron lies over the caption's right end.
    if (categorized && category && !g.Button.IsEmpty())
        PaintExpandButton(Context, Line.Node, g.Button);
    if (category)
        return;
    PaintDivider(Context, Line);
    PaintValue(Context, Line, g);
}

void TCustomzqInspector::PaintGridLine(TPaintContext& Context, const TVisibleLine& Line)
{
    TCanvas* canvas = Context.Canvas;
    TRect r(Line.Rect.Left, Line.Rect.Bottom - m_gridLineWidth, Line.Rect.Right, Line.Rect.Bottom);
    switch (m_paintStyle) {
    case S::ipsStandard:
    case S::ipsExtended:
        Fill(canvas, r, Context.Background);
        FillHalftone(canvas, r, Context.Grid);
        break;
    case S::ipsNET: {
        // The gutter runs on through the grid line.
        const TRect gutter(r.Left, r.Top, std::min(r.Left + m_indentWidth, r.Right), r.Bottom);
        const TzqInspectorNode* top = Line.Node;
        while (top->Parent())
            top = top->Parent();
        Fill(canvas, TRect(gutter.Left, r.Top, gutter.Right - 1, r.Bottom),
             IsCategory(top) ? Context.CategoryBackground : Context.Background);
        Fill(canvas, TRect(gutter.Right - 1, r.Top, r.Right, r.Bottom), Context.Grid);
        break;
    }
    default:
        Fill(canvas, r, Context.Grid);
        break;
    }
}

void TCustomzqInspector::PaintCategoryFrame(TPaintContext& Context, const TVisibleLine& Line, bool Edges)
{
    TCanvas* canvas = Context.Canvas;
    if (!IsCategory(Line.Node)) {
        // A data line: cell-margin frames in the background colour.
        TRect r = Line.Rect;
        for (int i = 0; i < m_cellMargin; ++i) {
            FrameRectColor(canvas, r, Context.Background);
            r = r.Inflate(-1, -1);
        }
        return;
    }
    if (!Edges) {
        Fill(canvas, Line.Rect, Context.IndentBrush);
        return;
    }
    TRect r = Line.Rect.Inflate(-1, -1);
    if (Line.Node == m_pressedNode && m_mouseState == TzqInspectorMouseState::msRowPressed) {
        canvas->DrawEdge(r, BDR_SUNKENOUTER, BF_BOTTOMRIGHT | BF_ADJUST);
        canvas->DrawEdge(r, BDR_SUNKENINNER, BF_TOPLEFT);
    } else if (Line.Node == m_focusedNode || Line.Node == m_hotNode) {
        canvas->DrawEdge(r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT | BF_ADJUST);
        canvas->DrawEdge(r, BDR_RAISEDINNER, BF_TOPLEFT);
    } else {
        FrameRectColor(canvas, r, Context.Background);
    }
}

void TCustomzqInspector::PaintIndent(TPaintContext& Context, const TVisibleLine& Line,
                                     const TzqInspectorLineGeometry& Geometry)
{
    TCanvas* canvas = Context.Canvas;
    const TRect& indent = Geometry.Indent;
    if (m_paintStyle == S::ipsCategorized) {
        // Data lines take the background; the body of a category begins inside its frame.
        TRect body = indent;
        if (IsCategory(Line.Node))
            body = TRect(indent.Left + 1, indent.Top + 1, indent.Right, indent.Bottom - 1);
        Fill(canvas, body, Context.Background);
        return;
    }
    if (m_paintStyle != S::ipsNET) {
        Fill(canvas, indent, Context.Background);
        return;
    }
    const TzqInspectorNode* top = Line.Node;
    while (top->Parent())
        top = top->Parent();
    const int gutterRight = std::min(indent.Left + m_indentWidth, indent.Right);
    Fill(canvas, TRect(indent.Left, indent.Top, gutterRight - 1, indent.Bottom),
         IsCategory(top) ? Context.CategoryBackground : Context.Background);
    Fill(canvas, TRect(gutterRight - 1, indent.Top, gutterRight, indent.Bottom), Context.Grid);
    Fill(canvas, TRect(gutterRight, indent.Top, indent.Right, indent.Bottom), Context.Background);
}

void TCustomzqInspector::PaintExpandButton(TPaintContext& Context, const TzqInspectorNode* Node, const TRect& Button)
{
    TCanvas* canvas = Context.Canvas;
    const bool expanded = Node->Expanded();
    const TColor fontColor = Font()->Color();
    const int cx = Button.Left + (Button.Width() - 9) / 2;
    const int cy = Button.Top + (Button.Height() - 9) / 2;
    switch (m_paintStyle) {
    case S::ipsStandard: {
        TRect r = Button;
        const int oldMode = canvas->SetBkMode(TRANSPARENT);
        canvas->SetTextColor(fontColor);
        canvas->DrawText(expanded ? "-" : "+", r, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        canvas->SetBkMode(oldMode);
        return;
    }
    case S::ipsExtended: {
        const int left = Button.Left + (Button.Width() - 10) / 2;
        const int top = Button.Top + (Button.Height() - 10) / 2;
        TRect box(left, top, left + 10, top + 10);
        Fill(canvas, box, clBtnFace);
        TRect r = box;
        canvas->DrawEdge(r, BDR_RAISEDINNER, BF_TOPLEFT);
        r = box;
        canvas->DrawEdge(r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        TRect inner = box.Inflate(-1, -1);
        r = inner;
        canvas->DrawEdge(r, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
        Fill(canvas, TRect(inner.Left + 1, inner.Top + 3, inner.Left + 6, inner.Top + 4), clBtnText);
        if (!expanded)
            Fill(canvas, TRect(inner.Left + 3, inner.Top + 1, inner.Left + 4, inner.Top + 6), clBtnText);
        return;
    }
    case S::ipsCategorized:
        if (IsCategory(Node)) {
            DrawDoubleChevron(canvas, Button, expanded, fontColor);
            return;
        }
        [[fallthrough]];
    default: {
        const TRect box(cx, cy, cx + 9, cy + 9);
        Fill(canvas, box, Context.Background);
        FrameRectColor(canvas, box, fontColor);
        Fill(canvas, TRect(cx + 2, cy + 4, cx + 7, cy + 5), fontColor);
        if (!expanded)
            Fill(canvas, TRect(cx + 4, cy + 2, cx + 5, cy + 7), fontColor);
        return;
    }
    }
}

void TCustomzqInspector::PaintCaption(TPaintContext& Context, const TVisibleLine& Line,
                                      const TzqInspectorLineGeometry& Geometry)
{
    TCanvas* canvas = Context.Canvas;
    const TzqInspectorNode* node = Line.Node;
    const bool category = IsCategory(node);
    const bool focused = node == m_focusedNode;
    TRect rect = Geometry.Caption;
    if (rect.IsEmpty())
        return;
    TColor back = Context.Background;
    TColor text = Font()->Color();
    if (IsWindowGroup(m_paintStyle) && focused) {
        back = clHighlight;
        text = clHighlightText;
    } else if (m_paintStyle == S::ipsNET && category && !node->Parent()) {
        back = Context.CategoryBackground;
    }
    TFontStyles style = Font()->Style();
    if (category || (m_paintStyle == S::ipsSimple && node->HasChildren()))
        style.include(TFontStyle::fsBold);
    canvas->Font()->Assign(*Font());
    canvas->Font()->SetStyle(style);
    canvas->Font()->SetColor(text);
    canvas->Brush()->SetColor(back);

    std::string caption, value;
    GetNodeTexts(node, caption, value);
    if (!category)
        canvas->IntersectClipRect(rect);
    const bool done = CustomDrawCell(node, false, canvas, rect, caption, back);
    if (!done && !IsDestroying()) {
        canvas->Brush()->SetColor(back);
        DrawCaption(node, canvas, rect, caption);
    }
    Context.RestoreClip();
    if (m_paintStyle == S::ipsCategorized && focused && Context.HasFocus)
        canvas->DrawFocusRect(TRect(rect.Left - 1, rect.Top, rect.Right - 1, rect.Bottom));
    canvas->Font()->Assign(*Font());
}

void TCustomzqInspector::PaintDivider(TPaintContext& Context, const TVisibleLine& Line)
{
    TCanvas* canvas = Context.Canvas;
    const int x = Line.Rect.Left + m_dividerPos;
    const int bottom = Line.Rect.Bottom - m_gridLineWidth;
    switch (m_paintStyle) {
    case S::ipsCategorized:
        Fill(canvas, TRect(x, Line.Rect.Top + m_cellMargin, x + 2, Line.Rect.Bottom - m_cellMargin), Context.Background);
        break;
    case S::ipsSimple:
    case S::ipsNET: Fill(canvas, TRect(x, Line.Rect.Top, x + 1, bottom), Context.Grid); break;
    default: {
        Fill(canvas, TRect(x, Line.Rect.Top, x + 2, bottom), Context.Background);
        TRect r(x, Line.Rect.Top, x + 2, bottom);
        canvas->DrawEdge(r, EDGE_ETCHED, BF_LEFT);
        break;
    }
    }
}

void TCustomzqInspector::PaintValue(TPaintContext& Context, const TVisibleLine& Line,
                                    const TzqInspectorLineGeometry& Geometry)
{
    TCanvas* canvas = Context.Canvas;
    const TRect& rect = Geometry.Value;
    if (rect.IsEmpty())
        return;
    TColor back = Context.Background;
    TColor text = EffectiveValueColor();
    if (m_paintStyle == S::ipsCategorized) {
        back = clWindow;
        text = Font()->Color();
    } else if (HasSunkenFocusFrame(m_paintStyle) && Line.Node == m_focusedNode) {
        back = GetEditColor();
        text = Font()->Color();
    }
    canvas->Font()->Assign(*Font());
    canvas->Font()->SetColor(text);
    canvas->Brush()->SetColor(back);
    std::string caption, value;
    GetNodeTexts(Line.Node, caption, value);
    canvas->IntersectClipRect(rect);
    if (!CustomDrawCell(Line.Node, true, canvas, rect, value, back) && !IsDestroying()) {
        canvas->Brush()->SetColor(back);
        DrawValue(Line.Node, canvas, rect);
    }
    Context.RestoreClip();
}

void TCustomzqInspector::DrawCaption(const TzqInspectorNode*, TCanvas* Canvas, const TRect& Rect,
                                     const std::string& Text)
{
    // A text editor's cell without a frame: the canvas's font, brush and colours.
    TzqTextEditViewData view;
    view.Enabled = true;
    view.BorderColor = clNone;
    view.BorderStyle = TzqEditBorderStyle::xbsNone;
    view.ButtonStyle = (m_paintStyle == S::ipsCategorized || Flat()) ? TzqEditButtonViewStyle::btsFlat
                                                                      : TzqEditButtonViewStyle::bts3D;
    view.Bounds = Rect.Inflate(2, 2);
    view.TextOffsets = TRect();
    view.LayoutMode = Rect.Height() > m_singleLineHeight ? 3 : 0;
    view.Font = Canvas->Font();
    view.Brush = Canvas->Brush();
    view.BkColor = static_cast<TColor>(ColorToRGB(Canvas->Brush()->Color()));
    view.TextColor = static_cast<TColor>(ColorToRGB(Canvas->Font()->Color()));
    view.Data = Variant(Text);
    view.EndEllipsis = (m_optionWord & zqInspectorOption::DrawEndEllipsis) != 0;
    TzqInplaceTextEdit::StaticClass().Draw(Canvas, view, nullptr);
}

void TCustomzqInspector::DrawValue(const TzqInspectorNode* Node, TCanvas* Canvas, const TRect& Rect)
{
    std::string caption, value;
    GetNodeTexts(Node, caption, value);
    Canvas->TextRect(Rect, Rect.Left + 2, Rect.Top + 1, value);
}
