// Painting a bar window's client area: the bar colour, the separators, the mark button
// and the item controls.
#include "bars/BarControl.h"

#include "bars/Bar.h"
#include "bars/BarManager.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Region.h"

void TzqBarControl::PaintSeparators(TCanvas& Canvas)
{
    const TzqBarPainter& painter = Painter();
    for (const Separator& s : m_separators)
        painter.DrawSeparator(Canvas, s.Band, s.Across);
}

void TzqBarControl::Paint()
{
    TCanvas& canvas = *Canvas();
    const TzqBarPainter& painter = Painter();
    const TzqBarLook look = Look();
    const TRect client = ClientRect();
    // The background around the items; each item paints its own rectangle.
    TRegion background(client);
    for (int i = 0; i < ItemControlCount(); ++i)
        background = background.Subtracted(TRegion(ItemControls(i)->Rect()));
    canvas.SelectClipRegion(&background);
    FillRectColor(&canvas, client, painter.BarColor(look));
    PaintSeparators(canvas);
    if (MarkShown() && !Floating())
        painter.DrawMarkButton(canvas, MarkRect(), m_markState, m_truncated, Vertical(), false);
    canvas.SelectClipRegion(nullptr);
    for (int i = 0; i < ItemControlCount(); ++i) {
        TzqBarItemControl* control = ItemControls(i);
        FillRectColor(&canvas, control->Rect(), painter.BarColor(look));
        control->Paint(canvas, painter, look);
    }
}
