// The check editor: its states and toggle cycle, Space and the mouse pressing the box
// and toggling it on release, the host's click, the value exchanged with the host and
// the box drawn in each button style.
#include "editors/InplaceCheckEdit.h"
#include "editors/tests/DropDownFixture.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

namespace {

class CheckEditTest : public DropDownTest {
protected:
    TzqInplaceCheckEdit* OpenCheck(int state, bool allowGrayed = false)
    {
        auto* edit = static_cast<TzqInplaceCheckEdit*>(host->EditorOfClass(TzqInplaceCheckEdit::StaticClass()));
        edit->SetAllowGrayed(allowGrayed);
        host->Open<TzqInplaceCheckEdit>(Variant(state));
        driver.Pump();
        return edit;
    }
};

TEST_F(CheckEditTest, ToggleCyclesThroughTheStatesGrayedOnlyWhenAllowed)
{
    struct Row {
        bool allowGrayed;
        int start;
        std::vector<int> cycle;
    };
    const Row rows[] = {
        {false, 0, {1, 0, 1}},
        {true, 0, {2, 1, 0, 2}},
        {false, 2, {1, 0}},
    };
    for (const Row& row : rows) {
        TzqInplaceCheckEdit* edit = OpenCheck(row.start, row.allowGrayed);
        std::vector<int> states;
        std::vector<int> told;
        edit->OnToggleClick = [&](TObject*, const std::string&, int state) { told.push_back(state); };
        for (size_t i = 0; i < row.cycle.size(); ++i) {
            edit->Toggle();
            states.push_back(edit->State());
        }
        EXPECT_EQ(states, row.cycle) << "grayed " << row.allowGrayed << " from " << row.start;
        EXPECT_EQ(told, row.cycle);
        EXPECT_TRUE(edit->GetModified());
        edit->OnToggleClick = nullptr;
    }
}

TEST_F(CheckEditTest, TheValueIsTheStateAsAWholeNumber)
{
    TzqInplaceCheckEdit* edit = OpenCheck(0);
    const std::pair<Variant, int> rows[] = {{Variant(1), 1}, {Variant(2), 2}, {Variant(0), 0}, {Variant("1"), 1},
                                           {Variant(7), 0},  {Variant("x"), 0}};
    for (const auto& [value, state] : rows) {
        edit->SetEditValue(value);
        EXPECT_EQ(edit->State(), state) << value.AsString();
        Variant back;
        edit->GetEditValue(back);
        EXPECT_EQ(back.AsInteger(), state);
    }
}

TEST_F(CheckEditTest, ANullValueStaysNullUntilToggledFromWhatItShows)
{
    struct Row {
        TzqShowNullFieldStyle style;
        bool allowGrayed;
        int shown;    // the state the box is drawn in
        bool inactive;
        int toggled;
    };
    const Row rows[] = {
        {TzqShowNullFieldStyle::nsGrayedChecked, false, 2, false, 1},
        {TzqShowNullFieldStyle::nsGrayedChecked, true, 2, false, 1},
        {TzqShowNullFieldStyle::nsUnchecked, false, 0, false, 1},
        {TzqShowNullFieldStyle::nsUnchecked, true, 0, false, 2},
        {TzqShowNullFieldStyle::nsInactive, false, 0, true, 1},
    };
    for (const Row& row : rows) {
        TzqInplaceCheckEdit* edit = OpenCheck(1, row.allowGrayed);
        edit->SetShowNullFieldStyle(row.style);
        edit->SetEditValue(Variant::Null());
        Variant value;
        edit->GetEditValue(value);
        EXPECT_TRUE(value.IsNull());
        const auto data = edit->CreateViewData(false);
        const auto& check = static_cast<const TzqCheckEditViewData&>(*data);
        EXPECT_TRUE(check.IsNull);
        // Drawn: the mark of the state it shows, and the inactive look.
        TBitmap shown(40, 20), expected(40, 20);
        TzqCheckEditViewData reference;
        reference.State = row.shown;
        reference.Enabled = !row.inactive;
        reference.ButtonStyle = check.ButtonStyle;
        TzqCheckEditViewData drawn = check;
        drawn.BkColor = reference.BkColor = ColorToRGB(clWindow);
        drawn.Brush = reference.Brush = nullptr;
        TzqInplaceCheckEdit::StaticClass().DrawContent(shown.Canvas(), TRect(0, 0, 40, 20), false, drawn);
        TzqInplaceCheckEdit::StaticClass().DrawContent(expected.Canvas(), TRect(0, 0, 40, 20), false, reference);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(shown.Canvas()->Pixel(x, y), expected.Canvas()->Pixel(x, y)) << int(row.style) << " " << x << "," << y;
        edit->Toggle();
        EXPECT_FALSE(edit->IsNull());
        EXPECT_EQ(edit->State(), row.toggled) << int(row.style) << " grayed " << row.allowGrayed;
    }
}

TEST_F(CheckEditTest, SpacePressesTheBoxWhileDownAndTogglesOnRelease)
{
    TzqInplaceCheckEdit* edit = OpenCheck(0);
    driver.KeyDown(VK_SPACE);
    driver.Pump();
    EXPECT_TRUE(edit->Pressed());
    EXPECT_EQ(edit->State(), 0) << "not yet";
    driver.KeyUp(VK_SPACE);
    driver.Pump();
    EXPECT_FALSE(edit->Pressed());
    EXPECT_EQ(edit->State(), 1);
}

TEST_F(CheckEditTest, TheMouseTogglesOnlyWhenReleasedOverTheEditor)
{
    TzqInplaceCheckEdit* edit = OpenCheck(0);
    const TPoint on = EditPoint(edit, 8, 8);
    const TPoint off = driver.ToScreen(host->Handle(), TPoint(300, 150));
    driver.Press(on);
    EXPECT_TRUE(edit->Pressed());
    EXPECT_EQ(edit->State(), 0) << "a press does not toggle";
    driver.MoveTo(off);
    EXPECT_FALSE(edit->Pressed()) << "shown released away from the editor";
    driver.Release(off);
    EXPECT_EQ(edit->State(), 0) << "released elsewhere";
    driver.AdvanceTime(1000);
    driver.Press(on);
    driver.MoveTo(off);
    driver.MoveTo(on);
    EXPECT_TRUE(edit->Pressed());
    driver.Release(on);
    EXPECT_EQ(edit->State(), 1) << "released on it";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CheckEditTest, TheHostsClickTogglesUnlessTheHostRefusesChanges)
{
    TzqInplaceCheckEdit* edit = OpenCheck(1);
    edit->HostClick();
    EXPECT_EQ(edit->State(), 0);
    host->allowModify = false;
    edit->HostClick();
    Key(VK_SPACE);
    EXPECT_EQ(edit->State(), 0);
}

TEST_F(CheckEditTest, LeftAndRightNavigateAndEscapeReturnsToTheLoadedState)
{
    TzqInplaceCheckEdit* edit = OpenCheck(0);
    Key(VK_LEFT);
    Key(VK_RIGHT);
    EXPECT_EQ(host->navigations, (std::vector<std::string>{"back", "forward"}));
    Key(VK_SPACE);
    ASSERT_EQ(edit->State(), 1);
    Key(VK_ESCAPE);
    EXPECT_EQ(edit->State(), 0);
    EXPECT_FALSE(edit->GetModified());
}

TEST(CheckEditDrawing, TheBoxShowsItsStateInEveryButtonStyle)
{
    THeadlessDriver driver;
    for (TzqEditButtonViewStyle style : {TzqEditButtonViewStyle::bts3D, TzqEditButtonViewStyle::btsFlat,
                                         TzqEditButtonViewStyle::btsSimple, TzqEditButtonViewStyle::btsHotFlat}) {
        int marks[3] = {0, 0, 0};
        for (int state = 0; state < 3; ++state) {
            TzqCheckEditViewData data;
            data.State = state;
            data.ButtonStyle = style;
            data.BkColor = ColorToRGB(clWindow);
            TBitmap bitmap(40, 20);
            const TRect cell(0, 0, 40, 20);
            TzqInplaceCheckEdit::StaticClass().DrawContent(bitmap.Canvas(), cell, false, data);
            // The mark: dark pixels well inside the box.
            const TRect box = TzqInplaceCheckEditClass::BoxRect(cell, TAlignment::taLeftJustify).Inflate(-3, -3);
            for (int y = box.Top; y < box.Bottom; ++y)
                for (int x = box.Left; x < box.Right; ++x) {
                    const TColor c = bitmap.Canvas()->Pixel(x, y);
                    marks[state] += c != ColorToRGB(clWindow) && c != ColorToRGB(clBtnFace);
                }
        }
        EXPECT_EQ(marks[0], 0) << "unchecked, style " << int(style);
        EXPECT_GT(marks[1], 0) << "checked, style " << int(style);
        EXPECT_GT(marks[2], 0) << "grayed, style " << int(style);
    }
}

} // namespace
