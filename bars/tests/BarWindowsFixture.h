// The fixture of the bar window tests: a shown, active form with a manager, toolbars of
// glyph buttons docked where asked, and access to their windows and pictures.
#pragma once

#include "bars/BarControl.h"
#include "bars/DockControl.h"
#include "bars/tests/BarsFixture.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <memory>
#include <string>

#ifndef VELMORA_BINARY_DIR
#define VELMORA_BINARY_DIR "."
#endif

class BarWindowsFixture : public BarsFixture {
protected:
    void SetUp() override
    {
        BarsFixture::SetUp();
        form->SetBounds(40, 40, 640, 420);
        form->Show();
        SetActiveWindow(form->Handle());
        driver.Pump();
    }

    // A 16 x 16 glyph: a square of the colour on a background that is transparent (the
    // bottom-left pixel's colour).
    static void PaintGlyph(TBitmap& glyph, TColor colour)
    {
        glyph.SetSize(16, 16);
        glyph.Fill(clFuchsia);
        FillRectColor(glyph.Canvas(), TRect(2, 2, 14, 14), colour);
        FillRectColor(glyph.Canvas(), TRect(5, 5, 11, 11), clWhite);
    }

    // A button showing a glyph.
    TzqBarButton* GlyphButton(const std::string& name, TColor colour = clNavy)
    {
        TzqBarButton* button = Make(name);
        TBitmap glyph;
        PaintGlyph(glyph, colour);
        button->SetGlyph(&glyph);
        return button;
    }

    // A bar of `count` glyph buttons docked on a side at a row and position, shown.
    TzqBar* Toolbar(const std::string& caption, int count, TzqBarDockingStyle side = TzqBarDockingStyle::dsTop,
                    int row = 0, int position = 0)
    {
        TzqBar* bar = AddBar(caption);
        for (int i = 0; i < count; ++i)
            Link(bar->ItemLinks(), GlyphButton(caption + std::to_string(i)));
        bar->SetRow(row);
        bar->SetDockedLeft(position);
        bar->SetDockedTop(position);
        bar->SetDockingStyle(side);
        bar->SetVisible(true);
        return bar;
    }

    static TzqBarControl* Window(TzqBar* bar) { return static_cast<TzqBarControl*>(bar->Control()); }
    TzqDockControl* Site(TzqBarDockingStyle side) const { return manager->Bars()->DockSite(side); }

    // The window's bounds in screen coordinates.
    static TRect OnScreen(TControl* control)
    {
        const TPoint origin = control->Parent() ? control->Parent()->ClientToScreen(TPoint{control->Left(), control->Top()})
                                                : TPoint{control->Left(), control->Top()};
        return TRect(origin.X, origin.Y, origin.X + control->Width(), origin.Y + control->Height());
    }
    // A screen point on the grip of a docked bar (or the title of a floating one).
    static TPoint Handle(TzqBarControl* control)
    {
        const TRect r = OnScreen(control);
        if (control->Floating())
            return {r.Left + control->TitleRect().Left + 30, r.Top + control->TitleRect().Top + 4};
        const TRect grip = control->GripRect();
        return {r.Left + grip.Left + grip.Width() / 2, r.Top + grip.Top + grip.Height() / 2};
    }

    // What the form shows now (client and frame), as the screen shows it.
    std::unique_ptr<TBitmap> FormPicture()
    {
        driver.PaintAll();
        const TBitmap* surface = WindowSurface(form->Handle());
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(surface->Width(), surface->Height());
        bitmap->Canvas()->Draw(0, 0, const_cast<TBitmap*>(surface));
        return bitmap;
    }
    // Saves a top-level window's picture beside the build.
    void SavePicture(HWND window, const std::string& name)
    {
        driver.PaintAll();
        ASSERT_TRUE(driver.SavePng(window, std::string(VELMORA_BINARY_DIR) + "/bars-" + name + ".png"));
    }
};
