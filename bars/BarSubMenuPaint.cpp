// Painting a submenu: the frame, the side band, the detach bar, the rows (glyph,
// caption, shortcut, submenu arrow), separators, the band of rarely used links, the
// expand button and the scroll arrows, in the manager's style.
#include "bars/BarSubMenuControl.h"

#include "bars/BarButton.h"
#include "bars/BarGlyphDrawing.h"
#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarManager.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarSubItem.h"
#include "platform/controls/ShortCuts.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

// The colour of the band of rarely used links: the face colour lightened by 20 a channel.
TColor RareBandColor()
{
    const COLORREF face = ColorToRGB(clBtnFace);
    const auto up = [](uint8_t v) { return static_cast<uint8_t>(std::min(255, v + 20)); };
    return RGB(up(GetRValue(face)), up(GetGValue(face)), up(GetBValue(face)));
}

void Triangle(TCanvas& canvas, TPoint a, TPoint b, TPoint c, TColor colour)
{
    canvas.Pen()->SetColor(colour);
    canvas.Brush()->SetColor(colour);
    canvas.Polygon(std::vector<TPoint>{a, b, c});
}

// A chevron of `size` pointing down with its tip at (x, y).
void ChevronDown(TCanvas& canvas, int x, int y, int size, TColor colour)
{
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < size; ++i) {
            FillRectColor(&canvas, TRect(x - size + i, y - size + i + k, x - size + i + 1, y - size + i + k + 1), colour);
            FillRectColor(&canvas, TRect(x + size - i, y - size + i + k, x + size - i + 1, y - size + i + k + 1), colour);
        }
    FillRectColor(&canvas, TRect(x, y, x + 1, y + 2), colour);
}

} // namespace

void TzqBarSubMenuControl::Paint()
{
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    const bool flat = m_metrics.Flat;
    TzqBarManager* manager = BarManager();
    const TColor menuColour = flat && manager && manager->FlatMenuBrush() ? manager->FlatMenuBrush()->Color() : clBtnFace;
    FillRectColor(&canvas, client, menuColour);
    const int b = m_metrics.Border;
    if (flat) {
        // The flat style's glyph band runs down the whole menu.
        FillRectColor(&canvas, TRect(b + m_barSize, b, b + m_barSize + m_metrics.ItemHeight + 2, client.Bottom - b),
                      clBtnFace);
    }
    // The side band, painted by the application when it wants.
    if (m_barSize > 0) {
        const TRect band(b, b, b + m_barSize, client.Bottom - b);
        TzqBarPaintSubMenuBarEvent paintBar;
        TObject* sender = nullptr;
        if (auto* sub = m_opener ? dynamic_cast<TCustomzqBarSubItem*>(m_opener->Item()) : nullptr)
            paintBar = sub->OnPaintBar, sender = sub;
        else if (m_popupMenu)
            paintBar = m_popupMenu->OnPaintBar, sender = m_popupMenu;
        FillRectColor(&canvas, band, clBtnShadow);
        if (paintBar)
            paintBar(sender, &canvas, band);
    }
    // The bands of rarely used links: one frame per run of them.
    for (int i = 0; i < ItemControlCount();) {
        if (ItemControls(i)->Rect().IsEmpty() || !RarelyUsed(ItemControls(i)->Link())) {
            ++i;
            continue;
        }
        TRect run = ItemControls(i)->Rect();
        int j = i + 1;
        while (j < ItemControlCount() && !ItemControls(j)->Rect().IsEmpty() && RarelyUsed(ItemControls(j)->Link())) {
            run.Bottom = ItemControls(j)->Rect().Bottom;
            ++j;
        }
        const int glyph = m_metrics.ItemHeight + 2;
        FillRectColor(&canvas, TRect(run.Left, run.Top, run.Left + glyph, run.Bottom), RareBandColor());
        if (!flat)
            FillRectColor(&canvas, run, RareBandColor());
        TRect frame(run.Left, run.Top, run.Left + (flat ? glyph : run.Width()), run.Bottom);
        canvas.DrawEdge(frame, BDR_SUNKENOUTER, BF_RECT);
        i = j;
    }
    const TzqBarPainter& painter = Painter();
    for (int i = 0; i < ItemControlCount(); ++i) {
        TzqBarItemControl* control = ItemControls(i);
        const TRect r = control->Rect();
        if (r.IsEmpty())
            continue;
        if (m_rows[static_cast<size_t>(i)].Separator) {
            const int left = r.Left + (flat ? m_metrics.ItemHeight + 8 : 0);
            painter.DrawSeparator(canvas, TRect(left, r.Top - m_metrics.SeparatorHeight, r.Right, r.Top), false);
        }
        PaintRow(canvas, control, r);
    }
    PaintFrameAndParts(canvas);
}

void TzqBarSubMenuControl::PaintRow(TCanvas& Canvas, TzqBarItemControl* Control, const TRect& R)
{
    TzqBarManager* manager = BarManager();
    TzqBarItem* item = Control->Item();
    TzqBarItemLink* link = Control->Link();
    if (!item || !manager)
        return;
    const bool flat = m_metrics.Flat;
    const bool selected = Control == SelectedControl();
    const bool enabled = Control->Enabled();
    auto* button = dynamic_cast<TzqBarButton*>(item);
    const bool down = button && button->Down();
    const int glyphWidth = m_metrics.ItemHeight + (flat ? 2 : 0);
    const TRect glyphBox(R.Left, R.Top, R.Left + glyphWidth, R.Bottom);
    TRect textArea(glyphBox.Right, R.Top, R.Right, R.Bottom);

    TColor textColour = enabled ? clMenuText : clGrayText;
    TzqBarItemState state;
    state.Hot = selected;
    state.Enabled = enabled;
    state.Down = down;
    if (selected) {
        if (flat) {
            static_cast<const TzqBarFlatPainter&>(Painter()).DrawSelection(Canvas, R, state, Look());
        } else {
            // The standard style fills the whole row; the enhanced one leaves the glyph
            // raised in its box.
            const bool enhanced = manager->Style() == TzqBarManagerStyle::bmsEnhanced;
            FillRectColor(&Canvas, enhanced ? textArea : R, clHighlight);
            if (enabled)
                textColour = clHighlightText;
        }
    }
    // The glyph, or a check mark for a checked button without one.
    TzqBarGlyphSource source;
    source.Glyph = link->Glyph();
    source.Images = manager->Images();
    source.ImageIndex = item->ImageIndex();
    source.ImageListBkColor = manager->ImageListBkColor();
    const bool hasGlyph = !source.Empty();
    if (down) {
        TRect box = glyphBox.Inflate(-1, -1);
        if (flat)
            static_cast<const TzqBarFlatPainter&>(Painter()).DrawSelection(Canvas, box, state, Look());
        else
            Canvas.DrawEdge(box, BDR_SUNKENOUTER, BF_RECT);
    } else if (selected && hasGlyph && enabled && manager->Style() == TzqBarManagerStyle::bmsEnhanced) {
        TRect box = glyphBox.Inflate(-1, -1);
        Canvas.DrawEdge(box, BDR_RAISEDINNER, BF_RECT);
    }
    if (hasGlyph) {
        TBitmap picture;
        const TzqBarGlyphEffect effect = !enabled ? TzqBarGlyphEffect::geEmbossed : TzqBarGlyphEffect::geNormal;
        MakeBarGlyph(picture, source, manager->GlyphSize(), manager->StretchGlyphs(), effect);
        DrawBarGlyphPicture(Canvas, picture, glyphBox);
    } else if (down) {
        // A check mark of seven columns, in the text colour of the row where the row's
        // selection covers the glyph box.
        const bool covered = selected && manager->Style() == TzqBarManagerStyle::bmsStandard && enabled;
        const TColor checkColour = covered ? clHighlightText : clMenuText;
        const int cx = glyphBox.Left + glyphBox.Width() / 2 - 3;
        const int cy = glyphBox.Top + glyphBox.Height() / 2 - 1;
        for (int i = 0; i < 7; ++i) {
            const int y = i < 3 ? cy + i : cy + 4 - i;
            FillRectColor(&Canvas, TRect(cx + i, y, cx + i + 1, y + 3), checkColour);
        }
    }
    // Caption and shortcut.
    Canvas.Font()->Assign(*Font());
    Canvas.SetBkMode(TRANSPARENT);
    TRect caption = textArea;
    caption.Left += flat ? 8 : 3;
    caption.Right -= m_metrics.TextRowHeight;
    Canvas.SetTextColor(textColour);
    if (!enabled && !flat && !selected) {
        // Disabled text is engraved in the standard and enhanced styles.
        Canvas.SetTextColor(clBtnHighlight);
        TRect shade = caption.Offset(1, 1);
        Canvas.DrawText(link->Caption(), shade, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        Canvas.SetTextColor(clBtnShadow);
    }
    Canvas.DrawText(link->Caption(), caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (item->ShortCut() != scNone) {
        TRect shortCut = caption;
        Canvas.DrawText(ShortCutToText(item->ShortCut()), shortCut, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (Control->HasMenu()) {
        const int size = std::max(2, m_metrics.ArrowSize / 2);
        const int x = R.Right - m_metrics.TextRowHeight / 2 - size / 2;
        const int y = R.Top + R.Height() / 2;
        Triangle(Canvas, TPoint{x, y - size}, TPoint{x, y + size}, TPoint{x + size, y}, textColour);
    }
}

void TzqBarSubMenuControl::PaintFrameAndParts(TCanvas& Canvas)
{
    const TRect client = ClientRect();
    const bool flat = m_metrics.Flat;
    if (flat) {
        FrameRectColor(&Canvas, client, clBtnShadow);
    } else {
        TRect edge = client;
        Canvas.DrawEdge(edge, EDGE_RAISED, BF_RECT);
    }
    if (m_detachable) {
        // A strip with a raised grip line across it.
        const TRect d = DetachRect();
        FillRectColor(&Canvas, d, flat ? clBtnShadow : clActiveCaption);
        TRect grip(d.Left + 3, d.Top + d.Height() / 2 - 1, d.Right - 3, d.Top + d.Height() / 2 + 1);
        FillRectColor(&Canvas, grip, flat ? clBtnFace : clCaptionText);
    }
    if (m_expandButton) {
        const TRect e = ExpandButtonRect();
        TRect face(e.Left, e.Bottom - m_metrics.ExpandButtonHeight, e.Right, e.Bottom);
        face.Left = face.Left + face.Width() / 2 - 2 * m_metrics.TextRowHeight / 2;
        face.Right = face.Left + 2 * (m_metrics.TextRowHeight / 2) * 2;
        if (m_expandState == 1) {
            if (flat) {
                TzqBarItemState state;
                state.Hot = true;
                static_cast<const TzqBarFlatPainter&>(Painter()).DrawSelection(Canvas, face, state, Look());
            } else {
                TRect raised = face;
                Canvas.DrawEdge(raised, BDR_RAISEDINNER, BF_RECT);
            }
        }
        const int k = std::max(2, m_metrics.ChevronSize);
        const int cx = face.Left + face.Width() / 2;
        const int cy = face.Top + face.Height() / 2 - 1;
        ChevronDown(Canvas, cx, cy, k - 1, clMenuText);
        ChevronDown(Canvas, cx, cy + 4, k - 1, clMenuText);
    }
    if (m_cut) {
        const int size = std::max(3, m_metrics.ArrowSize / 2);
        const TRect up = UpArrowRect();
        const TRect down = DownArrowRect();
        const TColor upColour = m_topIndex > 0 ? clMenuText : clGrayText;
        const TColor downColour = m_topIndex + VisibleRowCount() < ItemControlCount() ? clMenuText : clGrayText;
        const int ux = up.Left + up.Width() / 2, uy = up.Top + up.Height() / 2;
        Triangle(Canvas, TPoint{ux - size, uy + size / 2}, TPoint{ux + size, uy + size / 2}, TPoint{ux, uy - size / 2 - 1},
                 upColour);
        const int dx = down.Left + down.Width() / 2, dy = down.Top + down.Height() / 2;
        Triangle(Canvas, TPoint{dx - size, dy - size / 2}, TPoint{dx + size, dy - size / 2}, TPoint{dx, dy + size / 2 + 1},
                 downColour);
    }
}
