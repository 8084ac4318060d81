// An inspector with a category and its children, a complex line, an image and a value
// too long for its cell, and the form's picture as the window system painted it.
#pragma once

#include "inspector/tests/InspectorFixture.h"

#include "inspector/InspectorComplexRow.h"
#include "inspector/InspectorNode.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/Backend.h"

#include <memory>

class InspectorPaintTest : public InspectorTest {
protected:
    void SetUp() override
    {
        InspectorTest::SetUp();
        images = new TImageList(form, 16, 16);
        TBitmap glyph(16, 16);
        glyph.Canvas()->Brush()->SetColor(clWhite);
        glyph.Canvas()->FillRect(TRect(0, 0, 16, 16));
        glyph.Canvas()->Brush()->SetColor(clRed);
        glyph.Canvas()->Ellipse(2, 2, 14, 14);
        images->AddMasked(&glyph, clWhite);
        host->SetImages(images);

        rows = AddRows(6);
        category = rows[0];
        category->SetCaption("Appearance");
        category->SetIsCategory(true);
        rows[1]->SetCaption("Colour");
        rows[1]->SetText("clWindow");
        rows[1]->SetImageIndex(0);
        rows[2]->SetCaption("Caption");
        rows[2]->SetText("A value far too long to be shown in its cell");
        rows[3]->SetCaption("Width");
        rows[3]->SetText("120");
        rows[4]->SetCaption("Height");
        rows[4]->SetText("80");
        rows[5]->SetCaption("Name");
        rows[5]->SetText("Node1");
        complex = new TzqInspectorComplexRow(form);
        complex->SetName("Size");
        complex->SetCaption("Size");
        complex->SetInspector(host);
        complex->AddItem()->SetRow(rows[3]);
        complex->AddItem()->SetRow(rows[4]);
        for (int i = 1; i <= 2; ++i)
            rows[static_cast<size_t>(i)]->Node()->MoveTo(category->Node(), TzqInspectorMoveMode::imAddChild);
        complex->Node()->MoveTo(category->Node(), TzqInspectorMoveMode::imAddChild);
        rows[5]->Node()->MoveTo(rows[2]->Node(), TzqInspectorMoveMode::imAddChild);
        host->FullExpand();
        SetClientSize(300, 160);
        host->SetDividerPos(110);
        driver.Pump();
    }

    // The form's picture with the inspector painted anew.
    std::unique_ptr<TBitmap> Picture()
    {
        host->Invalidate();
        driver.PaintAll();
        const TBitmap* surface = WindowSurface(form->Handle());
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(surface->Width(), surface->Height());
        bitmap->Canvas()->Draw(0, 0, const_cast<TBitmap*>(surface));
        return bitmap;
    }
    // A pixel of the inspector's client area in the picture.
    TColor ClientPixel(TBitmap& picture, int x, int y)
    {
        const TPoint origin = host->ClientToScreen(TPoint(0, 0)) - form->ClientToScreen(TPoint(0, 0));
        return picture.Canvas()->Pixel(origin.X + x, origin.Y + y);
    }

    TImageList* images = nullptr;
    std::vector<TzqInspectorTextRow*> rows;
    TzqInspectorTextRow* category = nullptr;
    TzqInspectorComplexRow* complex = nullptr;
};
