// Pictures of the side bar for people to look at, saved beside the build as
// h18-*.png: each look with three groups and items in every state, a small-icon group,
// gradients, a tiled picture. Each picture is also checked for what it must show.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/drawing/ImageList.h"
#include "platform/drawing/Picture.h"

#include <vector>

namespace {

class Pictures : public SideBarTest {
protected:
    void SetUp() override
    {
        SideBarTest::SetUp();
        large = std::make_unique<TImageList>(32, 32);
        small = std::make_unique<TImageList>(16, 16);
        const TColor colors[] = {clRed, clGreen, clBlue, clOlive, clPurple, clTeal};
        for (TColor color : colors) {
            large->AddMasked(Icon(32, color).get(), clFuchsia);
            small->AddMasked(Icon(16, color).get(), clFuchsia);
        }
    }

    // A round icon with a white highlight on a transparent (fuchsia) ground.
    static std::unique_ptr<TBitmap> Icon(int size, TColor color)
    {
        auto b = std::make_unique<TBitmap>(size, size);
        b->Fill(clFuchsia);
        TCanvas* c = b->Canvas();
        c->Brush()->SetColor(color);
        c->Pen()->SetColor(clBlack);
        c->Ellipse(1, 1, size - 1, size - 1);
        c->Brush()->SetColor(clWhite);
        c->Pen()->SetColor(clWhite);
        c->Ellipse(size / 4, size / 4, size / 2, size / 2);
        return b;
    }

    // A form of `count` side bars side by side, each `w` x `h`.
    std::vector<TzqSideBar*> NewForm(int count, int w, int h, TzqsbPaintStyle style)
    {
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, count * (w + 8), h);
        form->SetColor(clWhite);
        std::vector<TzqSideBar*> bars;
        for (int i = 0; i < count; ++i) {
            auto* bar = new TzqSideBar(form);
            bar->SetAlign(TAlign::alNone);
            bar->SetPaintStyle(style);
            bar->SetParent(form);
            bar->SetBounds(i * (w + 8), 0, w, h);
            bar->SetLargeImages(large.get());
            bar->SetSmallImages(small.get());
            bars.push_back(bar);
        }
        form->Show();
        driver.Pump();
        return bars;
    }

    // Three groups, the middle one active with items in every state.
    void Fill(TzqSideBar* bar, TzqSideGroupIconType type = TzqSideGroupIconType::zqsgLargeIcon)
    {
        bar->SetCanSelected(true);
        AddGroup(bar, "Favourites", 2);
        TzqSideGroup* mail = AddGroup(bar, "Mail", 0, type);
        AddGroup(bar, "Other folders", 2);
        const char* captions[] = {"Inbox", "Selected item", "Focused item", "Disabled item", "Outbox", "Deleted items",
                                  "Drafts", "Journal"};
        int i = 0;
        for (const char* caption : captions) {
            TzqSideBarItem* item = mail->Items()->Add();
            item->SetCaption(caption);
            item->SetLargeImage(i % 6);
            item->SetSmallImage(i % 6);
            ++i;
        }
        mail->Items()->Items(3)->SetEnabled(false);
        bar->SetActiveGroup(mail);
        mail->SetTopItemIndex(1);
        bar->SetSelectedItem(mail->Items()->Items(1));
    }

    std::unique_ptr<TImageList> large;
    std::unique_ptr<TImageList> small;
};

const char* StyleName(TzqsbPaintStyle style)
{
    switch (style) {
    case TzqsbPaintStyle::sbpsStandard: return "standard";
    case TzqsbPaintStyle::sbpsFlat: return "flat";
    case TzqsbPaintStyle::sbpsXP: return "xp";
    case TzqsbPaintStyle::sbpsW2K: return "w2k";
    }
    return "?";
}

// Left: the first header hot, the focused item under the pointer. Right: the third header
// hot and pressed, the focused item pressed.
TEST_F(Pictures, EachStyleWithHotAndPressedHeadersAndItemsInEveryState)
{
    for (TzqsbPaintStyle style : {TzqsbPaintStyle::sbpsStandard, TzqsbPaintStyle::sbpsFlat, TzqsbPaintStyle::sbpsW2K,
                                  TzqsbPaintStyle::sbpsXP}) {
        SCOPED_TRACE(StyleName(style));
        std::vector<TzqSideBar*> bars = NewForm(2, 130, 420, style);
        for (int i = 0; i < 2; ++i) {
            TzqSideBar* bar = bars[size_t(i)];
            Fill(bar);
            TzqSideGroup* mail = bar->ActiveGroup();
            bar->SetFocusedItem(mail->Items()->Items(2), i == 1);
            bar->SetHotGroup(bar->Groups()->Items(i == 0 ? 0 : 2), i == 1);
        }
        bars[1]->SetScrollButtonsPressed(false, true);
        Save(std::string("style-") + StyleName(style));
        const TzqSideBarViewInfo* vi = bars[0]->ViewInfo();
        EXPECT_EQ(vi->HeaderCount(), 3);
        EXPECT_FALSE(vi->UpButton().IsEmpty());
        EXPECT_FALSE(vi->DownButton().IsEmpty());
        form->Release();
        driver.Pump();
    }
}

TEST_F(Pictures, SmallIconsGradientsAndATiledPicture)
{
    std::vector<TzqSideBar*> bars = NewForm(4, 130, 300, TzqsbPaintStyle::sbpsFlat);
    Fill(bars[0], TzqSideGroupIconType::zqsgSmallIcon);
    bars[0]->SetFocusedItem(bars[0]->ActiveGroup()->Items()->Items(2));

    Fill(bars[1]);
    bars[1]->BkGround()->SetBeginColor(RGB(20, 40, 120));
    bars[1]->BkGround()->SetEndColor(RGB(160, 200, 255));
    bars[1]->BkGround()->SetFillStyle(TzqSideBarFillStyle::bfsHorz);
    bars[1]->BkGround()->SetStep(4);

    Fill(bars[2]);
    bars[2]->BkGround()->SetBeginColor(RGB(120, 20, 40));
    bars[2]->BkGround()->SetEndColor(RGB(255, 220, 160));
    bars[2]->BkGround()->SetFillStyle(TzqSideBarFillStyle::bfsVert);
    bars[2]->BkGround()->SetStep(2);

    Fill(bars[3]);
    TBitmap tile(24, 24);
    tile.Fill(RGB(90, 110, 90));
    tile.Canvas()->Brush()->SetColor(RGB(110, 130, 110));
    tile.Canvas()->FillRect(TRect(0, 0, 12, 12));
    tile.Canvas()->FillRect(TRect(12, 12, 24, 24));
    TPicture picture;
    picture.SetBitmap(&tile);
    bars[3]->SetBkPicture(picture);
    Save("small-gradients-picture");

    const auto shot = Picture();
    // The vertical gradient grows lighter to the right.
    const TRect ia = bars[2]->ViewInfo()->ItemsArea();
    const int y = ia.Bottom - 3;
    const int x0 = bars[2]->Left() + ia.Left + 1, x1 = bars[2]->Left() + ia.Right - 2;
    EXPECT_LT(GetRValue(At(shot, x0, y)), GetRValue(At(shot, x1, y)));
}

} // namespace
