// Pictures of the drop-down editors, for a person to look at:
//   dropdown_gallery [folder] (default: the current folder)
// writes, each with its drop-down open over the window beneath it: color-list.png,
// image-list.png and shape-list.png (the inspector's Color, Image and Shape rows),
// pick-list.png (a pick editor completing a typed text), spin-pressed.png (the up
// half held), and buttons.png (drop-down buttons and check boxes in every button style).
#include "demo/Artwork.h"
#include "editors/CustomzqContainer.h"
#include "editors/InplaceCheckEdit.h"
#include "editors/InplaceImageEdit.h"
#include "editors/InplacePickEdit.h"
#include "editors/InplacePopupControl.h"
#include "editors/InplaceSpinEdit.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Form.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"

#include <cstdio>
#include <string>

namespace {

class THost : public TCustomzqContainer {
public:
    using TCustomzqContainer::TCustomzqContainer;
    bool CanEditModify() override { return true; }
    bool CanEditAcceptKey(char32_t) override { return true; }

    template <typename TEdit>
    TEdit* Editor() { return static_cast<TEdit*>(EditorOfClass(TEdit::StaticClass())); }
    template <typename TEdit>
    TEdit* Open(const Variant& value, const TRect& cell)
    {
        TEdit* edit = Editor<TEdit>();
        PrepareEditor(edit);
        LoadEditor(edit, value);
        SetActiveEdit(edit);
        edit->ShowAt(cell);
        return edit;
    }
    void Paint() override
    {
        TCanvas* c = Canvas();
        FillRectColor(c, ClientRect(), clWindow);
        c->SetBkMode(TRANSPARENT);
        c->SetTextColor(clBlack);
        c->TextOut(8, 24, caption);
    }
    std::string caption;
};

// The form and every shown popup, as the screen shows them.
bool SaveScreen(THeadlessDriver& driver, TForm& form, TWinControl* popup, const std::string& path)
{
    driver.PaintAll();
    const TRect formRect = WindowRect(form.Handle());
    TRect area = formRect;
    TRect popupRect;
    if (popup && popup->HandleAllocated() && IsWindowVisible(popup->Handle())) {
        popupRect = WindowRect(popup->Handle());
        area = TRect(std::min(area.Left, popupRect.Left), std::min(area.Top, popupRect.Top),
                     std::max(area.Right, popupRect.Right), std::max(area.Bottom, popupRect.Bottom));
    }
    TBitmap picture(area.Width(), area.Height());
    FillRectColor(picture.Canvas(), TRect(0, 0, area.Width(), area.Height()), clAppWorkSpace);
    if (const TBitmap* surface = WindowSurface(form.Handle()))
        picture.Canvas()->Draw(formRect.Left - area.Left, formRect.Top - area.Top, const_cast<TBitmap*>(surface));
    if (!popupRect.IsEmpty())
        if (const TBitmap* surface = WindowSurface(popup->Handle()))
            picture.Canvas()->Draw(popupRect.Left - area.Left, popupRect.Top - area.Top, const_cast<TBitmap*>(surface));
    const bool ok = picture.SaveToPngFile(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

struct TScene {
    THeadlessDriver& driver;
    TForm form{nullptr};
    THost* host = nullptr;

    explicit TScene(THeadlessDriver& d, const std::string& caption) : driver(d)
    {
        form.SetBorderStyle(TFormBorderStyle::bsNone);
        form.SetBounds(100, 100, 300, 60);
        host = new THost(&form);
        host->SetParent(&form);
        host->SetBounds(0, 0, 300, 60);
        host->caption = caption;
        form.Show();
        driver.Pump();
    }
    const TRect cell{110, 20, 290, 38};
};

void Colors(TzqInplaceImageEdit* edit)
{
    const std::pair<const char*, const char*> colors[] = {
        {"clBlack", "0"},         {"clMaroon", "128"},       {"clGreen", "32768"},   {"clOlive", "32896"},
        {"clNavy", "8388608"},    {"clPurple", "8388736"},   {"clTeal", "8421376"},  {"clGray", "8421504"},
        {"clSilver", "12632256"}, {"clRed", "255"},          {"clLime", "65280"},    {"clYellow", "65535"},
        {"clBlue", "16711680"},   {"clFuchsia", "16711935"}, {"clAqua", "16776960"}, {"clLtGray", "12632256"},
        {"clDkGray", "8421504"},  {"clWhite", "16777215"},
    };
    for (const auto& [name, value] : colors) {
        edit->Descriptions()->Add(name);
        edit->Values()->Add(value);
    }
    edit->SetShowDescription(true);
}

void ImageRow(THeadlessDriver& driver, const std::string& path, const std::string& caption, TImageList* images,
              void (*fill)(TzqInplaceImageEdit*), const char* value)
{
    TScene scene(driver, caption);
    auto* edit = scene.host->Editor<TzqInplaceImageEdit>();
    fill(edit);
    edit->SetImages(images);
    scene.host->Open<TzqInplaceImageEdit>(Variant(value), scene.cell);
    driver.Pump();
    driver.PressKey(VK_DOWN, THeadlessDriver::Alt);
    driver.Pump();
    SaveScreen(driver, scene.form, edit->List()->Frame(), path);
    driver.PressKey(VK_ESCAPE);
    driver.Pump();
    edit->SetImages(nullptr);
}

void Buttons(THeadlessDriver& driver, const std::string& path)
{
    using S = TzqEditButtonViewStyle;
    const S styles[] = {S::bts3D, S::btsFlat, S::btsSimple, S::btsHotFlat};
    const char* names[] = {"bts3D", "btsFlat", "btsSimple", "btsHotFlat"};
    TBitmap picture(520, 4 * 30 + 30);
    TCanvas* c = picture.Canvas();
    FillRectColor(c, TRect(0, 0, picture.Width(), picture.Height()), clBtnFace);
    c->SetBkMode(TRANSPARENT);
    c->TextOut(100, 6, "normal");
    c->TextOut(190, 6, "hot");
    c->TextOut(280, 6, "pressed");
    c->TextOut(370, 6, "unchecked  checked  grayed");
    TFont font;
    TBrush brush;
    brush.SetColor(clWindow);
    for (int row = 0; row < 4; ++row) {
        const int y = 30 + row * 30;
        c->TextOut(8, y + 4, names[row]);
        for (int col = 0; col < 3; ++col) {
            TzqDropDownEditViewData data;
            data.Bounds = TRect(90 + col * 90, y, 90 + col * 90 + 80, y + 22);
            data.ButtonStyle = styles[row];
            data.BorderStyle = TzqEditBorderStyle::xbs3D;
            data.Brush = &brush;
            data.BkColor = ColorToRGB(clWindow);
            data.Font = &font;
            data.ButtonCount = 1;
            data.Buttons[0].Width = 16;
            data.Buttons[0].Kind = TzqEditButtonKind::bkDown;
            data.HotButton = col == 1 ? 0 : -1;
            data.PressedButton = col == 2 ? 0 : -1;
            TzqInplaceDropDownEdit::StaticClass().Draw(c, data, nullptr);
        }
        for (int state = 0; state < 3; ++state) {
            TzqCheckEditViewData data;
            data.Bounds = TRect(370 + state * 50, y, 370 + state * 50 + 40, y + 22);
            data.ButtonStyle = styles[row];
            data.Brush = &brush;
            data.BkColor = ColorToRGB(clWindow);
            data.State = state;
            data.Alignment = TAlignment::taCenter;
            TzqInplaceCheckEdit::StaticClass().Draw(c, data, nullptr);
        }
    }
    std::printf("%s %s\n", picture.SaveToPngFile(path) ? "wrote" : "FAILED", path.c_str());
    // The same three times as large, to see single pixels.
    TBitmap zoomed(picture.Width() * 3, picture.Height() * 3);
    zoomed.Canvas()->StretchDraw(TRect(0, 0, zoomed.Width(), zoomed.Height()), &picture);
    const std::string zoomPath = path.substr(0, path.size() - 4) + "-x3.png";
    std::printf("%s %s\n", zoomed.SaveToPngFile(zoomPath) ? "wrote" : "FAILED", zoomPath.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : std::string();
    THeadlessDriver driver;
    TImageList images(16, 16), shapes(16, 16);
    Artwork::FillInspectorImage(images);
    Artwork::FillInspectorShape(shapes);

    ImageRow(driver, folder + "color-list.png", "Color", nullptr, Colors, "12632256");
    ImageRow(
        driver, folder + "image-list.png", "Image", &images,
        [](TzqInplaceImageEdit* edit) {
            edit->Values()->SetText("1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
            edit->Descriptions()->SetText(
                "Chemical\nChip\nConstruct\nEarth\nFactory\nFinance\nHandshak\nShipping\nSkyline\nTechnology");
            edit->ImageIndexes()->SetText("0\n1\n2\n3\n4\n5\n6\n7\n8\n9");
            edit->SetDefaultImages(false);
            edit->SetShowDescription(true);
        },
        "4");
    ImageRow(
        driver, folder + "shape-list.png", "Shape", &shapes,
        [](TzqInplaceImageEdit* edit) {
            edit->Values()->SetText("0\n1\n2\n3");
            edit->Descriptions()->SetText("Rectangle\nRound Rect\nEllipse\nDiamond");
            edit->SetShowDescription(true);
        },
        "2");
    {
        TScene scene(driver, "Department");
        auto* edit = scene.host->Editor<TzqInplacePickEdit>();
        edit->Items()->SetText("Accounting\nAdministration\nEngineering\nFinance\nLegal\nMarketing\nResearch\nSales");
        scene.host->Open<TzqInplacePickEdit>(Variant(""), scene.cell);
        driver.Pump();
        driver.Type("ad");
        driver.Pump();
        SaveScreen(driver, scene.form, edit->List()->Frame(), folder + "pick-list.png");
        driver.PressKey(VK_ESCAPE);
        driver.Pump();
    }
    {
        TScene scene(driver, "Width");
        auto* edit = scene.host->Open<TzqInplaceSpinEdit>(Variant("120"), scene.cell);
        driver.Pump();
        const TRect window = WindowRect(edit->Handle());
        const TPoint up(window.Right - 8, window.Top + 6);
        driver.MoveTo(up);
        driver.Press(up);
        SaveScreen(driver, scene.form, nullptr, folder + "spin-pressed.png");
        driver.Release(up);
    }
    Buttons(driver, folder + "buttons.png");
    return 0;
}
