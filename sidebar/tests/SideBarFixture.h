// Shared fixture of the side bar tests: a headless window system with an application,
// side bars on a borderless form, and helpers that fill groups and read pixels.
#pragma once

#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarBackGround.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarPainter.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroups.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#ifndef SIDEBAR_PNG_DIR
#define SIDEBAR_PNG_DIR "."
#endif

class SideBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
    }
    void TearDown() override { app.reset(); }

    // A side bar without a window: the model and the layout only.
    std::unique_ptr<TzqSideBar> NewSideBar() { return std::make_unique<TzqSideBar>(nullptr); }

    // A side bar of `w` x `h` on a shown borderless form of the same size.
    TzqSideBar* NewShownSideBar(int w, int h, TzqsbPaintStyle style = TzqsbPaintStyle::sbpsFlat)
    {
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, std::max(w, 1), std::max(h, 1));
        auto* bar = new TzqSideBar(form);
        bar->SetAlign(TAlign::alNone);
        bar->SetPaintStyle(style);
        bar->SetParent(form);
        bar->SetBounds(0, 0, w, h);
        form->Show();
        driver.Pump();
        return bar;
    }

    // Adds a group of `count` items captioned "<prefix> <n>".
    static TzqSideGroup* AddGroup(TzqSideBar* bar, const std::string& caption, int count,
                                  TzqSideGroupIconType type = TzqSideGroupIconType::zqsgLargeIcon)
    {
        TzqSideGroup* group = bar->Groups()->Add();
        group->SetCaption(caption);
        group->SetIconType(type);
        for (int i = 0; i < count; ++i)
            group->Items()->Add()->SetCaption(caption + " " + std::to_string(i + 1));
        return group;
    }

    // The text-metric height of a font.
    static int FontHeight(const TFont& font)
    {
        TCanvas canvas;
        canvas.Font()->Assign(font);
        return canvas.GetTextMetrics().tmHeight;
    }

    // The form's picture as the window system last painted it.
    std::unique_ptr<TBitmap> Picture()
    {
        driver.PaintAll();
        const TBitmap* surface = WindowSurface(form->Handle());
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(surface->Width(), surface->Height());
        bitmap->Canvas()->Draw(0, 0, const_cast<TBitmap*>(surface));
        return bitmap;
    }

    // The form's picture as it stands now, without painting what is pending (usable
    // in the middle of a paint).
    void SaveSurface(const std::string& name)
    {
        const TBitmap* surface = WindowSurface(form->Handle());
        ASSERT_NE(surface, nullptr);
        ASSERT_TRUE(surface->SaveToPngFile(std::string(SIDEBAR_PNG_DIR) + "/h18-" + name + ".png"));
    }

    void Save(const std::string& name)
    {
        driver.PaintAll();
        ASSERT_TRUE(driver.SavePng(form->Handle(), std::string(SIDEBAR_PNG_DIR) + "/h18-" + name + ".png"));
    }

    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
};

inline TColor At(const std::unique_ptr<TBitmap>& b, int x, int y)
{
    return b->Pixel(x, y) & 0xFFFFFF;
}
