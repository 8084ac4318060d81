// The image editor: looking a value up (first equal entry, image indexes that are not
// numbers, lists of unequal length), the cell it draws, Step, typing that searches the
// descriptions, and its list.
#include "editors/InplaceImageEdit.h"
#include "editors/PopupFrame.h"
#include "editors/tests/DropDownFixture.h"
#include "platform/controls/TextMeasure.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/drawing/SystemMetrics.h"

namespace {

// The colour list of the chart's inspector: eighteen names, two of them sharing their
// value with an earlier one.
void FillColors(TzqInplaceImageEdit* edit)
{
    const std::pair<const char*, const char*> colors[] = {
        {"clBlack", "0"},          {"clMaroon", "128"},       {"clGreen", "32768"},     {"clOlive", "32896"},
        {"clNavy", "8388608"},     {"clPurple", "8388736"},   {"clTeal", "8421376"},    {"clGray", "8421504"},
        {"clSilver", "12632256"},  {"clRed", "255"},          {"clLime", "65280"},      {"clYellow", "65535"},
        {"clBlue", "16711680"},    {"clFuchsia", "16711935"}, {"clAqua", "16776960"},   {"clLtGray", "12632256"},
        {"clDkGray", "8421504"},   {"clWhite", "16777215"},
    };
    edit->Values()->Clear();
    edit->Descriptions()->Clear();
    for (const auto& [name, value] : colors) {
        edit->Descriptions()->Add(name);
        edit->Values()->Add(value);
    }
    edit->SetShowDescription(true);
}

void FillShapes(TzqInplaceImageEdit* edit)
{
    edit->Values()->SetText("0\n1\n2\n3");
    edit->Descriptions()->SetText("Rectangle\nRound Rect\nEllipse\nDiamond");
    edit->SetShowDescription(true);
}

class ImageEditTest : public DropDownTest {
protected:
    TzqInplaceImageEdit* Editor()
    {
        return static_cast<TzqInplaceImageEdit*>(host->EditorOfClass(TzqInplaceImageEdit::StaticClass()));
    }
    TzqInplaceImageEdit* OpenImage(const std::string& value)
    {
        TzqInplaceImageEdit* edit = host->Open<TzqInplaceImageEdit>(Variant(value));
        driver.Pump();
        return edit;
    }
    std::string Description(TzqInplaceImageEdit* edit)
    {
        return static_cast<TzqImageEditViewData&>(*edit->CreateViewData(false)).Description;
    }
};

TEST(ImageLookup, TheFirstEqualValueGivesTheDescriptionAndTheImage)
{
    TStringList values, descriptions, indexes;
    values.SetText("10\n20\n30\n20\n40");
    descriptions.SetText("ten\ntwenty\nthirty\nanother twenty");
    indexes.SetText("4\n x \n 7 \n9");
    struct Row {
        const char* value;
        bool defaultImages;
        int position;
        const char* description;
        int image;
    };
    const Row rows[] = {
        {"20", true, 1, "twenty", 1},   {"20", false, 1, "twenty", -1}, {"30", false, 2, "thirty", 7},
        {"10", false, 0, "ten", 4},     {"40", true, 4, "", 4},         {"40", false, 4, "", -1},
        {"50", true, -1, "", -1},       {"", true, -1, "", -1},         {"2", true, -1, "", -1},
    };
    for (const Row& row : rows) {
        const TzqImageLookup found = LookupImageValue(values, descriptions, indexes, row.defaultImages, row.value);
        EXPECT_EQ(found.Position, row.position) << row.value;
        EXPECT_EQ(found.Description, row.description) << row.value;
        EXPECT_EQ(found.ImageIndex, row.image) << row.value << " default " << row.defaultImages;
    }
}

TEST_F(ImageEditTest, TheColourSilverShowsTheFirstOfItsTwoEntries)
{
    TzqInplaceImageEdit* edit = Editor();
    FillColors(edit);
    OpenImage("12632256");
    EXPECT_EQ(Description(edit), "clSilver");
    edit->SetEditValue(Variant("8421504"));
    EXPECT_EQ(Description(edit), "clGray");
    edit->SetEditValue(Variant("12345"));
    EXPECT_EQ(Description(edit), "") << "a value not in the list shows nothing";
    Variant value;
    edit->GetEditValue(value);
    EXPECT_EQ(value.AsString(), "12345") << "and is kept";
}

TEST_F(ImageEditTest, StepStaysInsideTheListAndStartsFromTheFirstEntryForAnUnknownValue)
{
    struct Row {
        const char* value;
        int delta;
        const char* result;
    };
    const Row rows[] = {{"1", 1, "2"}, {"1", -1, "0"}, {"0", -1, "0"}, {"2", 5, "3"}, {"9", 1, "0"}, {"9", -1, "0"}};
    for (const Row& row : rows) {
        TzqInplaceImageEdit* edit = Editor();
        FillShapes(edit);
        OpenImage(row.value);
        edit->Step(row.delta, false);
        EXPECT_EQ(edit->Text(), row.result) << row.value << " " << row.delta;
        EXPECT_EQ(edit->GetModified(), std::string(row.value) != row.result);
    }
}

TEST_F(ImageEditTest, LeftAndRightNavigateTheHostAndTheWheelSteps)
{
    TzqInplaceImageEdit* edit = Editor();
    FillShapes(edit);
    OpenImage("1");
    Key(VK_LEFT);
    Key(VK_RIGHT);
    EXPECT_EQ(host->navigations, (std::vector<std::string>{"back", "forward"}));
    EXPECT_EQ(edit->Text(), "1");
    driver.Wheel(EditPoint(edit, 5, 5), -120);
    EXPECT_EQ(edit->Text(), "2");
}

TEST_F(ImageEditTest, TypingSearchesTheDescriptionsFromTheCurrentOneAndForgetsAfterTwoSeconds)
{
    TzqInplaceImageEdit* edit = Editor();
    FillShapes(edit);
    OpenImage("0");
    TypeText("r");
    EXPECT_EQ(edit->Text(), "0") << "the current one matches";
    TypeText("o");
    EXPECT_EQ(edit->Text(), "1") << "\"ro\": Round Rect";
    TypeText("x");
    EXPECT_EQ(edit->Text(), "1") << "nothing begins with \"rox\"";
    EXPECT_EQ(edit->TypedSearch(), "ro");
    driver.AdvanceTime(1999);
    TypeText("u");
    EXPECT_EQ(edit->TypedSearch(), "rou") << "typing continued";
    driver.AdvanceTime(2001);
    TypeText("d");
    EXPECT_EQ(edit->Text(), "3") << "a new search: Diamond";
    Key(VK_ESCAPE);
    EXPECT_EQ(edit->TypedSearch(), "");
    TypeText("e");
    EXPECT_EQ(edit->Text(), "2") << "from the current one on, round the end";
    host->SetFocus();
    driver.Pump();
    EXPECT_EQ(edit->TypedSearch(), "") << "a focus change forgets it";
}

TEST_F(ImageEditTest, AltDownOpensTheListOnTheCurrentValueAndEnterPicksTheHighlightedLine)
{
    TzqInplaceImageEdit* edit = Editor();
    FillColors(edit);
    OpenImage("12632256");
    Key(VK_DOWN, THeadlessDriver::Alt);
    ASSERT_TRUE(edit->DroppedDown());
    EXPECT_EQ(edit->List()->ItemIndex(), 8) << "clSilver";
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(edit->List()->IsShown());
    EXPECT_EQ(edit->Text(), "65280") << "clLime";
    EXPECT_TRUE(edit->GetModified());
}

TEST_F(ImageEditTest, APressOnTheEditorOpensTheListAndOneDragPicksALine)
{
    TzqInplaceImageEdit* edit = Editor();
    FillShapes(edit);
    OpenImage("0");
    const TPoint text = EditPoint(edit, 20, 5);
    driver.Press(text);
    ASSERT_TRUE(edit->DroppedDown());
    const TRect line = edit->List()->ItemRect(2);
    const TPoint target = driver.ToScreen(edit->List()->Handle(), TPoint(line.Left + 10, line.Top + 3));
    driver.MoveTo(target);
    driver.Release(target);
    EXPECT_EQ(edit->Text(), "2");
    EXPECT_FALSE(edit->List()->IsShown());
    edit->HostClick();
    EXPECT_TRUE(edit->DroppedDown()) << "the host's click opens it too";
}

TEST_F(ImageEditTest, TheListIsSizedFromTheRowsTheWidestDescriptionAndTheImages)
{
    TImageList images(20, 24);
    TzqInplaceImageEdit* edit = Editor();
    FillShapes(edit);
    edit->SetImages(&images);
    edit->SetDropDownRows(3);
    OpenImage("2");
    Key(VK_F4);
    TzqPopupImageListBox* list = edit->List();
    EXPECT_EQ(list->ItemIndex(), 2);
    const int lineHeight = std::max(FontLineHeight(*edit->Font()), 24 + 2);
    EXPECT_EQ(list->ClientHeight(), 3 * lineHeight);
    int widest = 0;
    for (int i = 0; i < 4; ++i)
        widest = std::max(widest, MeasureText(*edit->Font(), edit->Descriptions()->Strings(i)).cx);
    const int wanted = widest + 2 + 20 + 4 + GetSystemMetrics(SM_CXVSCROLL) +
                       2 * PopupBorderWidth(edit->ResolvedPopupBorder());
    EXPECT_EQ(list->Frame()->Width(), std::max(wanted, edit->Width() - 4));
    Key(VK_ESCAPE);
    // Large images win over the small ones.
    TImageList large(32, 32);
    edit->SetLargeImages(&large);
    Key(VK_F4);
    EXPECT_EQ(list->Images(), &large);
    Key(VK_ESCAPE);
    edit->SetLargeImages(nullptr);
    edit->SetImages(nullptr);
}

TEST_F(ImageEditTest, MultiLineTextMakesLinesTallEnoughForTheirWrappedDescription)
{
    TzqInplaceImageEdit* edit = Editor();
    edit->Values()->SetText("0\n1");
    edit->Descriptions()->SetText(
        "Short\nA description long enough to need several lines in a list as narrow as this one is");
    edit->SetDropDownWidth(120);
    OpenImage("0");
    Key(VK_F4);
    TzqPopupImageListBox* list = edit->List();
    const int one = list->ItemRect(0).Height();
    EXPECT_EQ(list->ItemRect(1).Height(), one) << "one line each without MultiLineText";
    Key(VK_ESCAPE);
    edit->SetMultiLineText(true);
    Key(VK_F4);
    EXPECT_EQ(list->ItemRect(0).Height(), one);
    EXPECT_GE(list->ItemRect(1).Height(), 3 * FontLineHeight(*edit->Font())) << "wrapped";
}

TEST_F(ImageEditTest, AnImageListDestroyedWhileSetIsForgotten)
{
    TzqInplaceImageEdit* edit = Editor();
    auto* images = new TImageList(form, 16, 16);
    edit->SetImages(images);
    edit->SetLargeImages(images);
    delete images;
    EXPECT_EQ(edit->Images(), nullptr);
    EXPECT_EQ(edit->LargeImages(), nullptr);
}

// The cell drawn by the class: the picture at the left with the description, or alone
// and centred.
TEST(ImageEditDrawing, ThePictureSitsLeftWithTheDescriptionAndCentredWithout)
{
    THeadlessDriver driver;
    TImageList images(10, 10);
    TBitmap red(10, 10);
    FillRectColor(red.Canvas(), TRect(0, 0, 10, 10), clRed);
    images.Add(&red, nullptr);
    TFont font;
    for (bool showDescription : {true, false}) {
        TzqImageEditViewData data;
        data.Images = &images;
        data.ImageIndex = 0;
        data.Description = "Rectangle";
        data.ShowDescription = showDescription;
        data.Font = &font;
        data.BkColor = ColorToRGB(clWindow);
        TBitmap bitmap(100, 20);
        TzqInplaceImageEdit::StaticClass().DrawContent(bitmap.Canvas(), TRect(0, 0, 100, 20), false, data);
        const TColor left = bitmap.Canvas()->Pixel(5, 10), centre = bitmap.Canvas()->Pixel(50, 10);
        EXPECT_EQ(left == ColorToRGB(clRed), showDescription) << showDescription;
        EXPECT_EQ(centre == ColorToRGB(clRed), !showDescription) << showDescription;
        int textPixels = 0;
        for (int x = 12; x < 100; ++x)
            for (int y = 0; y < 20; ++y)
                textPixels += bitmap.Canvas()->Pixel(x, y) == ColorToRGB(clBlack);
        EXPECT_EQ(textPixels > 0, showDescription) << "the description is drawn only with ShowDescription";
    }
    // A cell is at least as high as the images.
    TzqImageEditViewData tall;
    TImageList big(40, 40);
    tall.Images = &big;
    tall.Font = &font;
    EXPECT_EQ(TzqInplaceImageEdit::StaticClass().GetDefaultHeight(tall), 40);
}

} // namespace
