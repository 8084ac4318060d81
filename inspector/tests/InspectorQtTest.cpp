// The inspector through the Qt back end on a real X display (run under Xvfb, keys typed
// by xdotool through the X server as a user's would be): the first paint shows every
// line's caption and value, the editor over the focused line has the keyboard focus, and
// what is typed there is written back to the row when the focus moves on; a click and a
// key move the focus from line to line.
#include "inspector/CustomzqInspectorControl.h"
#include "inspector/InspectorTextRow.h"
#include "platform/backend/tests/DisplayTest.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

class InspectorQtTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped())
            return;
        app->OnException = [this](TObject*, const std::exception& e) { errors.push_back(e.what()); };
        form->SetBounds(100, 100, 330, 260);
        form->SetCaption("Inspector");
        inspector = new TCustomzqInspectorControl(form);
        inspector->SetName("Inspector1");
        inspector->SetParent(form);
        inspector->SetBounds(0, 0, 300, 180);
        inspector->SetDividerPos(120);
        for (int i = 0; i < 4; ++i) {
            auto* row = new TzqInspectorTextRow(form);
            row->SetName("Row" + std::to_string(i));
            row->SetCaption("Caption " + std::to_string(i));
            row->SetText("Value " + std::to_string(i));
            row->SetInspector(inspector);
            rows.push_back(row);
        }
        form->Show();
        inspector->SetFocus();
        PumpFor(300ms);
    }

    // Pixels of a rectangle of the inspector's client area, as the screen shows it, that
    // differ from the inspector's background.
    int InkIn(const TRect& r)
    {
        TBitmap screen;
        if (!ScreenPicture(form->Handle(), screen))
            return -1;
        TPoint origin{0, 0};
        ClientToScreen(inspector->Handle(), origin);
        // The picture holds the whole window, frame and caption included.
        TRect window;
        GetWindowRect(form->Handle(), window);
        const TPoint formOrigin{window.Left, window.Top};
        const TColor background = ColorToRGB(inspector->Color());
        int count = 0;
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
            for (int x = r.Left + 1; x < r.Right - 1; ++x) {
                const int sx = origin.X - formOrigin.X + x, sy = origin.Y - formOrigin.Y + y;
                if (sx >= 0 && sy >= 0 && sx < screen.Width() && sy < screen.Height() &&
                    screen.Pixel(sx, sy) != background)
                    ++count;
            }
        return count;
    }

    TCustomzqInspectorControl* inspector = nullptr;
    std::vector<TzqInspectorTextRow*> rows;
    std::vector<std::string> errors;
};

TEST_F(InspectorQtTest, FirstPaintShowsCaptionsAndValuesOfEveryLine)
{
    for (size_t i = 1; i < rows.size(); ++i) {
        const TzqInspectorNode* node = rows[i]->Node();
        const TzqInspectorLineGeometry g = inspector->LineGeometry(node, inspector->LineRect(node));
        EXPECT_GT(InkIn(g.Caption), 10) << "caption of line " << i;
        EXPECT_GT(InkIn(g.Value), 10) << "value of line " << i;
    }
    // Below the last line, left of the divider, nothing shows.
    const TRect below(0, inspector->LineRect(rows.back()->Node()).Bottom + 2, 100, inspector->ClientHeight());
    EXPECT_EQ(InkIn(below), 0);
    if (const char* dir = std::getenv("VELMORA_PNG_DIR")) {
        TBitmap screen;
        if (ScreenPicture(form->Handle(), screen))
            screen.SaveToPngFile(std::string(dir) + "/inspector-qt.png");
    }
}

TEST_F(InspectorQtTest, TypedValueIsWrittenBackWhenTheFocusMovesOn)
{
    inspector->ShowEditor();
    TzqInplaceEdit* editor = inspector->Editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return editor->Focused(); }, 2s));
    Xdotool("key --delay 30 ctrl+a");
    Xdotool("type --delay 30 'typed'");
    ASSERT_TRUE(PumpUntil([&] { return editor->Text() == "typed"; }, 3s)) << editor->Text();
    inspector->SetFocusedNode(rows[2]->Node());
    EXPECT_EQ(rows[0]->Text(), "typed");
    EXPECT_EQ(inspector->Editor()->Text(), "Value 2");
    EXPECT_TRUE(errors.empty());
}

TEST_F(InspectorQtTest, ClickOnAValueFocusesItsLineAndDownMovesOn)
{
    const TzqInspectorNode* node = rows[2]->Node();
    const TRect value = inspector->LineGeometry(node, inspector->LineRect(node)).Value;
    TPoint p{(value.Left + value.Right) / 2, (value.Top + value.Bottom) / 2};
    ClientToScreen(inspector->Handle(), p);
    Xdotool("mousemove --sync " + At(p) + " click 1");
    ASSERT_TRUE(PumpUntil([&] { return inspector->FocusedNode() == rows[2]->Node(); }, 3s));
    ASSERT_TRUE(PumpUntil([&] { return inspector->Editor() && inspector->Editor()->Focused(); }, 3s));
    EXPECT_EQ(inspector->EditingNode(), rows[2]->Node());
    // The release ends the press.
    EXPECT_TRUE(
        PumpUntil([&] { return inspector->MouseState() == TzqInspectorMouseState::msNone; }, 3s));
    Xdotool("key --delay 30 Down");
    ASSERT_TRUE(PumpUntil([&] { return inspector->FocusedNode() == rows[3]->Node(); }, 3s));
    EXPECT_EQ(inspector->Editor()->Text(), "Value 3");
    EXPECT_TRUE(errors.empty());
}

} // namespace
