// The text and mask editors through the Qt back end on a real X display (run under
// Xvfb, keys typed by xdotool through the X server as a user's would be): the editor's
// first paint shows its text, it has the focus, and typing fills the mask.
//
// With VELMORA_PNG_DIR set, the test also saves what the screen shows of its editors
// (plain, masked, selected, read-only, right-aligned, the context menu open) there.
#include "TextEditorFixture.h"

#include "platform/backend/tests/DisplayTest.h"
#include "platform/controls/PopupMenu.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <chrono>
#include <cstdlib>

namespace {

using namespace std::chrono_literals;

class InplaceEditorQtTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped())
            return;
        app->OnException = [this](TObject*, const std::exception& e) { errors.push_back(e.what()); };
        form->SetBounds(100, 100, 420, 260);
        form->SetCaption("Editors");
        host = new TEditorHost(form);
        host->SetParent(form);
        host->SetBounds(0, 0, 400, 220);
        host->SetColor(clWhite);
        ShowForm();
    }
    // Pixels of the screen over the editor's client area that are neither its
    // background nor the border: the text drawn.
    int TextPixels(TzqInplaceEdit* edit)
    {
        TBitmap screen;
        if (!ScreenPicture(form->Handle(), screen))
            return -1;
        TPoint origin{0, 0};
        ClientToScreen(edit->Handle(), origin);
        TPoint formOrigin{0, 0};
        ClientToScreen(form->Handle(), formOrigin);
        const TRect client = edit->ClientRect();
        const TColor background = ColorToRGB(edit->Color());
        int count = 0;
        for (int y = client.Top + 2; y < client.Bottom - 2; ++y)
            for (int x = client.Left + 2; x < client.Right - 2; ++x) {
                const int sx = origin.X - formOrigin.X + x, sy = origin.Y - formOrigin.Y + y;
                if (sx >= 0 && sy >= 0 && sx < screen.Width() && sy < screen.Height() &&
                    screen.Pixel(sx, sy) != background)
                    ++count;
            }
        return count;
    }
    void SavePicture(const std::string& name)
    {
        const char* dir = std::getenv("VELMORA_PNG_DIR");
        if (!dir || !*dir)
            return;
        PumpFor(200ms);
        TBitmap screen;
        if (ScreenPicture(form->Handle(), screen))
            screen.SaveToPngFile(std::string(dir) + "/" + name + ".png");
    }

    // Cells drawn by the text editor's class without a window, one per look.
    void SaveCells(TzqInplaceTextEdit* edit)
    {
        const char* dir = std::getenv("VELMORA_PNG_DIR");
        struct Cell {
            const char* value;
            TAlignment alignment;
            uint8_t layout;
            char32_t password;
            bool bar;
            bool ellipsis;
            int height;
        };
        const Cell cells[] = {
            {"Left aligned", TAlignment::taLeftJustify, 0, 0, false, false, 20},
            {"Centred", TAlignment::taCenter, 1, 0, false, false, 20},
            {"Right aligned", TAlignment::taRightJustify, 2, 0, false, false, 20},
            {"password", TAlignment::taLeftJustify, 0, U'*', false, false, 20},
            {"With a selection bar", TAlignment::taLeftJustify, 0, 0, true, false, 20},
            {"A long text cut with an ellipsis at the end of the cell", TAlignment::taLeftJustify, 0, 0, false, true, 20},
            {"A long text wrapped onto several lines inside one taller cell", TAlignment::taLeftJustify, 3, 0, false,
             false, 48},
            {"(555) 12_-____", TAlignment::taLeftJustify, 0, 0, false, false, 20},
        };
        int height = 0;
        for (const Cell& c : cells)
            height += c.height + 4;
        TBitmap picture;
        picture.SetSize(220, height);
        FillRectColor(picture.Canvas(), TRect(0, 0, 220, height), clBtnFace);
        int y = 0;
        for (const Cell& c : cells) {
            std::unique_ptr<TzqEditViewData> data = edit->CreateViewData(true);
            auto& view = static_cast<TzqTextEditViewData&>(*data);
            view.Data = Variant(c.value);
            view.TextLength = -1;
            view.Alignment = c.alignment;
            view.LayoutMode = c.layout;
            view.PasswordChar = c.password;
            view.SelectionBar = c.bar;
            view.EndEllipsis = c.ellipsis;
            view.CharCase = TEditCharCase::ecNormal;
            const TRect cell(2, y + 2, 218, y + 2 + c.height);
            edit->EditClass().DrawContent(picture.Canvas(), cell, false, view);
            y += c.height + 4;
        }
        if (dir && *dir)
            picture.SaveToPngFile(std::string(dir) + "/cells.png");
    }

    TEditorHost* host = nullptr;
    std::vector<std::string> errors;
};

TEST_F(InplaceEditorQtTest, FirstPaintShowsTheTextAndTypingFillsTheMask)
{
    auto* edit = static_cast<TzqInplaceMaskEdit*>(host->EditorOfClass(TzqInplaceMaskEdit::StaticClass()));
    edit->SetEditMask("(999) 000-0000;1;_");
    host->Open<TzqInplaceMaskEdit>(Variant());
    ASSERT_TRUE(PumpUntil([&] { return TextPixels(edit) > 20; }, 5s))
        << "the editor's first paint shows no text; pixels " << TextPixels(edit);
    EXPECT_EQ(GetFocus(), edit->Handle());
    Xdotool("key --delay 30 Home");
    Xdotool("type --delay 40 5551234567");
    ASSERT_TRUE(PumpUntil([&] { return edit->Text() == "(555) 123-4567"; }, 10s)) << edit->Text();
    Variant value;
    edit->GetEditValue(value);
    EXPECT_EQ(value.AsString(), "(555) 123-4567");
    EXPECT_TRUE(edit->GetModified());
    SavePicture("mask-typed");
}

TEST_F(InplaceEditorQtTest, PicturesOfTheEditors)
{
    if (!std::getenv("VELMORA_PNG_DIR"))
        GTEST_SKIP() << "pictures are saved only when VELMORA_PNG_DIR names a folder";
    auto* text = host->Open<TzqInplaceTextEdit>(Variant("Plain text, part selected"));
    text->SetSelStart(6);
    text->SetSelLength(4);
    SavePicture("text-selection");
    text->SetSelectionBar(true);
    text->SetAlignment(TAlignment::taRightJustify);
    host->Open<TzqInplaceTextEdit>(Variant("Right aligned"));
    SavePicture("text-right-selectionbar");
    text->SetAlignment(TAlignment::taLeftJustify);
    text->SetSelectionBar(false);
    text->SetReadOnly(true);
    text->SetPasswordChar(U'*');
    host->Open<TzqInplaceTextEdit>(Variant("hidden"));
    SavePicture("text-readonly-password");
    text->SetReadOnly(false);
    text->SetPasswordChar(0);
    host->SetActiveEdit(nullptr);
    text->Hide();
    SaveCells(text);
    auto* mask = static_cast<TzqInplaceMaskEdit*>(host->EditorOfClass(TzqInplaceMaskEdit::StaticClass()));
    mask->SetEditMask("(999) 000-0000;1;_");
    host->Open<TzqInplaceMaskEdit>(Variant("(555) 12"));
    SavePicture("mask-empty-positions");
    // The context menu open over the editor: pictured from inside its loop by a timer,
    // which then closes it.
    bool pictured = false;
    SetTimer(form->Handle(), 0x51, 500, [&](HWND hwnd, UINT, uintptr_t id, DWORD) {
        KillTimer(hwnd, id);
        if (mask->ContextMenu() && mask->ContextMenu()->IsOpen()) {
            SavePicture("mask-context-menu");
            pictured = true;
            mask->ContextMenu()->CloseMenu();
        }
    });
    TPoint at{60, 8};
    ClientToScreen(mask->Handle(), at);
    Xdotool("mousemove --sync " + std::to_string(at.X) + " " + std::to_string(at.Y));
    Xdotool("click 3");
    PumpUntil([&] { return pictured; }, 5s);
    EXPECT_TRUE(pictured);
}

} // namespace
