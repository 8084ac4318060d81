// The drop-down editors through the Qt back end on a real X display (run under Xvfb,
// the pointer and keys driven by xdotool through the X server): a click on the button of
// a pick editor opens its list as a window of its own while the editor keeps the focus,
// a click on a line picks it; a press held on the spin editor's up half repeats; a
// click on an image editor opens its list and Down and Enter pick a value.
//
// With VELMORA_PNG_DIR set, the test also saves what the screen shows with the lists
// open there.
#include "DropDownFixture.h"

#include "editors/InplaceImageEdit.h"
#include "editors/InplacePickEdit.h"
#include "editors/InplaceSpinEdit.h"
#include "platform/backend/tests/DisplayTest.h"
#include "platform/drawing/Bitmap.h"

#include <chrono>
#include <cstdlib>

namespace {

using namespace std::chrono_literals;

class DropDownQtTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped())
            return;
        app->OnException = [this](TObject*, const std::exception& e) { errors.push_back(e.what()); };
        form->SetBounds(100, 100, 420, 260);
        form->SetCaption("Drop-down editors");
        host = new TDropDownHost(form);
        host->SetParent(form);
        host->SetBounds(0, 0, 400, 220);
        host->SetColor(clWhite);
        ShowForm();
    }
    // The screen point of a client point of a window.
    static TPoint ScreenOf(HWND window, TPoint client)
    {
        ClientToScreen(window, client);
        return client;
    }
    // The centre of the editor's right-most button (inside the 2-pixel frame).
    static TPoint ButtonPoint(TzqInplaceEdit* edit, int fromTop = -1)
    {
        const TRect r = WindowRect(edit->Handle());
        return TPoint(r.Right - 9, fromTop >= 0 ? r.Top + fromTop : r.Top + r.Height() / 2);
    }
    // What the screen shows of the form and of the open list, two pictures.
    void SavePicture(const std::string& name, TWinControl* list)
    {
        const char* dir = std::getenv("VELMORA_PNG_DIR");
        if (!dir || !*dir)
            return;
        PumpFor(200ms);
        TBitmap screen;
        if (ScreenPicture(form->Handle(), screen))
            screen.SaveToPngFile(std::string(dir) + "/" + name + "-form.png");
        if (ScreenPicture(list->Handle(), screen))
            screen.SaveToPngFile(std::string(dir) + "/" + name + "-list.png");
    }

    TDropDownHost* host = nullptr;
    std::vector<std::string> errors;
};

TEST_F(DropDownQtTest, AClickOnThePickButtonOpensTheListAndAClickOnALinePicksIt)
{
    auto* edit = static_cast<TzqInplacePickEdit*>(host->EditorOfClass(TzqInplacePickEdit::StaticClass()));
    edit->Items()->SetText("Accounting\nAdministration\nEngineering\nFinance\nLegal");
    host->Open<TzqInplacePickEdit>(Variant("Finance"));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit->Handle(); }, 2s));
    Xdotool("mousemove --sync " + At(ButtonPoint(edit)) + " click 1");
    ASSERT_TRUE(PumpUntil([&] { return edit->List()->IsShown(); }, 2s)) << "the list opened";
    EXPECT_EQ(edit->List()->ItemIndex(), 3);
    EXPECT_EQ(GetFocus(), edit->Handle()) << "the editor keeps the focus";
    EXPECT_EQ(GetActiveWindow(), form->Handle()) << "the list does not take the activation";
    SavePicture("qt-pick", edit->List()->Frame());
    const TRect line = edit->List()->ItemRect(2);
    Xdotool("mousemove --sync " + At(ScreenOf(edit->List()->Handle(), TPoint(line.Left + 10, line.Top + 4))) +
            " click 1");
    ASSERT_TRUE(PumpUntil([&] { return !edit->List()->IsShown(); }, 2s));
    EXPECT_EQ(edit->Text(), "Engineering");
    EXPECT_TRUE(edit->GetModified());
    EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(DropDownQtTest, APressHeldOnTheSpinUpHalfRepeats)
{
    auto* edit = host->Open<TzqInplaceSpinEdit>(Variant("0"));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit->Handle(); }, 2s));
    Xdotool("mousemove --sync " + At(ButtonPoint(edit, 5)) + " mousedown 1");
    ASSERT_TRUE(PumpUntil([&] { return edit->Text() == "1"; }, 2s)) << "a step at the press";
    // 400 ms to the first repeat, then every 100 ms: three more within a second.
    EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "4"; }, 3s)) << edit->Text();
    Xdotool("mouseup 1");
    PumpFor(300ms);
    const std::string released = edit->Text();
    PumpFor(400ms);
    EXPECT_EQ(edit->Text(), released) << "no step after the release";
}

TEST_F(DropDownQtTest, AClickOnAnImageEditorOpensItsListAndDownAndEnterPick)
{
    auto* edit = static_cast<TzqInplaceImageEdit*>(host->EditorOfClass(TzqInplaceImageEdit::StaticClass()));
    edit->Values()->SetText("0\n1\n2\n3");
    edit->Descriptions()->SetText("Rectangle\nRound Rect\nEllipse\nDiamond");
    edit->SetShowDescription(true);
    host->Open<TzqInplaceImageEdit>(Variant("1"));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit->Handle(); }, 2s));
    const TRect r = WindowRect(edit->Handle());
    Xdotool("mousemove --sync " + At(TPoint(r.Left + 30, r.Top + r.Height() / 2)) + " click 1");
    ASSERT_TRUE(PumpUntil([&] { return edit->List()->IsShown(); }, 2s));
    EXPECT_EQ(edit->List()->ItemIndex(), 1);
    SavePicture("qt-image", edit->List()->Frame());
    Xdotool("key --delay 40 Down Return");
    ASSERT_TRUE(PumpUntil([&] { return !edit->List()->IsShown(); }, 2s));
    EXPECT_EQ(edit->Text(), "2");
}

} // namespace
