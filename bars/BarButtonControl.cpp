#include "bars/BarButtonControl.h"

#include "bars/BarButton.h"
#include "bars/BarGlyphDrawing.h"
#include "bars/BarItemLink.h"
#include "bars/BarManager.h"
#include "bars/BarPopupMenu.h"
#include "bars/CustomBarControl.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/ImageList.h"

#include <algorithm>

TzqBarButtonControl::TzqBarButtonControl(TzqBarItemLink* Link, TCustomzqBarControl* Parent)
    : TzqBarItemControl(Link, Parent)
{
}

TzqBarButton* TzqBarButtonControl::Button() const
{
    return dynamic_cast<TzqBarButton*>(Item());
}

bool TzqBarButtonControl::HasGlyph() const
{
    if (Link()->Glyph())
        return true;
    TzqBarManager* manager = Manager();
    TzqBarItem* item = Item();
    if (!manager || !item)
        return false;
    TImageList* images = manager->LargeIcons() && manager->LargeImages() ? manager->LargeImages() : manager->Images();
    return images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
}

TzqBarPaintStyle TzqBarButtonControl::BarPaintStyle() const
{
    // Items without paint styles of their own show their caption.
    TzqBarPaintStyle style = Button() ? Link()->PaintStyle() : TzqBarPaintStyle::psCaption;
    if (style == TzqBarPaintStyle::psCaptionInMenu)
        return TzqBarPaintStyle::psStandard;
    if (style == TzqBarPaintStyle::psStandard && !HasGlyph())
        return TzqBarPaintStyle::psCaption;
    return style;
}

bool TzqBarButtonControl::ShowsCaption() const
{
    const TzqBarPaintStyle style = BarPaintStyle();
    return style == TzqBarPaintStyle::psCaption || style == TzqBarPaintStyle::psCaptionGlyph;
}

bool TzqBarButtonControl::ShowsGlyph() const
{
    const TzqBarPaintStyle style = BarPaintStyle();
    return style == TzqBarPaintStyle::psStandard || style == TzqBarPaintStyle::psCaptionGlyph;
}

bool TzqBarButtonControl::Split() const
{
    TzqBarButton* button = Button();
    return button && button->ButtonStyle() == TzqBarButtonStyle::bsDropDown;
}

std::string TzqBarButtonControl::DisplayCaption() const
{
    return Link()->Caption();
}

TzqBarItemExtent TzqBarButtonControl::CalcExtent(bool Vertical, bool Rotated) const
{
    TzqBarManager* manager = Manager();
    const int buttonSize = manager ? manager->ButtonSize() : 23;
    const int itemHeight = manager ? manager->MenuItemHeight() : 22;
    const bool caption = ShowsCaption();
    int length, thickness;
    if (!caption) {
        length = buttonSize;
        thickness = itemHeight;
    } else {
        thickness = std::max(TextHeight(), Rotated ? buttonSize : itemHeight);
        length = TextWidth(DisplayCaption());
        if (BarPaintStyle() == TzqBarPaintStyle::psCaption)
            length += Parent()->Font()->Size();
        else
            length += (Rotated ? itemHeight : buttonSize) + 4;
    }
    if (TzqBarButton* button = Button(); button && button->Lowered()) {
        length += 2;
        thickness += 2;
    }
    if (Split())
        length += manager ? manager->ArrowWidth() : 11;
    // A vertical bar that does not turn its captions keeps captioned buttons in their
    // horizontal shape: their length runs across the bar.
    if (Vertical && caption && !Rotated)
        return {thickness, length};
    return {length, thickness};
}

TRect TzqBarButtonControl::ArrowRect() const
{
    if (!Split())
        return {};
    const int arrow = Manager() ? Manager()->ArrowWidth() : 11;
    const TRect r = Rect();
    // Along the button in rotated vertical bars, at its right otherwise.
    if (Parent()->Rotated())
        return TRect(r.Left, r.Bottom - arrow, r.Right, r.Bottom);
    return TRect(r.Right - arrow, r.Top, r.Right, r.Bottom);
}

TzqBarItemState TzqBarButtonControl::State() const
{
    TzqBarItemState state;
    state.Hot = Hot();
    state.Pressed = Pressed();
    state.Down = Button() && Button()->Down();
    state.Enabled = Enabled();
    state.DroppedDown = DroppedDown();
    return state;
}

void TzqBarButtonControl::MouseDown(TPoint Pt)
{
    if (!Split() || !ArrowRect().Contains(Pt) || !Enabled()) {
        TzqBarItemControl::MouseDown(Pt);
        return;
    }
    TzqBarButton* button = Button();
    TzqBarPopupMenu* menu = button->DropDownMenu();
    if (!menu || !button->DropDownEnabled())
        return;
    // The menu drops below the button (to its right in vertical bars).
    const TRect r = Rect();
    const TPoint at = Parent()->Vertical() ? Parent()->ClientToScreen(TPoint{r.Right, r.Top})
                                           : Parent()->ClientToScreen(TPoint{r.Left, r.Bottom});
    const auto alive = Parent()->Watch();
    SetDroppedDown(true);
    menu->SetOpenerButton(button);
    menu->Popup(at.X, at.Y);
    if (!*alive)
        return;
    menu->SetOpenerButton(nullptr);
    if (Parent()->ControlOf(Link()) == this)
        SetDroppedDown(false);
}

void TzqBarButtonControl::PaintFace(TCanvas& Canvas, const TzqBarPainter& Painter, const TzqBarLook& Look,
                                    const TRect& Face, const TzqBarItemState& State)
{
    TzqBarManager* manager = Manager();
    const int offset = Painter.PressedOffset(State);
    const bool rotated = Parent()->Rotated();
    const bool caption = ShowsCaption();
    TRect textRect = Face;
    if (ShowsGlyph() && manager) {
        // The glyph: centred in a glyph-only button, in a square at the start otherwise.
        TRect place = Face;
        if (caption) {
            const int size = rotated ? manager->MenuItemHeight() : manager->ButtonSize();
            if (rotated) {
                place = TRect(Face.Left, Face.Top, Face.Right, Face.Top + size);
                textRect.Top = place.Bottom;
            } else {
                place = TRect(Face.Left, Face.Top, Face.Left + size, Face.Bottom);
                textRect.Left = place.Right;
            }
        }
        TzqBarGlyphSource source;
        source.Glyph = Link()->Glyph();
        TImageList* images = manager->Images();
        if (manager->LargeIcons() && manager->LargeImages())
            images = manager->LargeImages();
        else if (State.Hot && manager->HotImages())
            images = manager->HotImages();
        source.Images = images;
        source.ImageIndex = Item() ? Item()->ImageIndex() : -1;
        source.ImageListBkColor = manager->ImageListBkColor();
        TBitmap picture;
        MakeBarGlyph(picture, source, manager->GlyphSize(), manager->StretchGlyphs(), Painter.GlyphEffect(State));
        DrawBarGlyphPicture(Canvas, picture, place.Offset(offset, offset));
    }
    if (caption) {
        TFont* font = Parent()->Font();
        Canvas.Font()->Assign(*font);
        Painter.DrawCaption(Canvas, textRect.Offset(offset, offset), DisplayCaption(), State.Enabled, rotated,
                            DT_CENTER);
    }
    (void)Look;
}

void TzqBarButtonControl::Paint(TCanvas& Canvas, const TzqBarPainter& Painter, const TzqBarLook& Look)
{
    const TzqBarItemState state = State();
    TRect face = Rect();
    if (Split()) {
        const TRect arrow = ArrowRect();
        if (Parent()->Rotated())
            face.Bottom = arrow.Top;
        else
            face.Right = arrow.Left;
        TzqBarItemState arrowState = state;
        arrowState.Pressed = false;
        Painter.DrawItemBackground(Canvas, face, state, Look);
        Painter.DrawSplitArrow(Canvas, arrow, arrowState, Parent()->Vertical(), Look);
    } else {
        Painter.DrawItemBackground(Canvas, face, state, Look);
    }
    PaintFace(Canvas, Painter, Look, face, state);
}
