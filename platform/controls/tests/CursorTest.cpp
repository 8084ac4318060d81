// Cursors of the program's own numbers: registered with their pictures, shown over
// controls whose Cursor names them (the headless back end reports the number), the
// arrow for a number nobody registered; during a drag the drag object chooses.
#include "ControlsFixture.h"

#include "platform/controls/CustomControl.h"
#include "platform/controls/DragObject.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <vector>

namespace {

constexpr TCursor crBarDrag = 1041;
constexpr TCursor crBarNoDrop = 1043;
constexpr TCursor crGroup = -1125;

class TPad : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

// A drag object that chooses its cursors itself and notes what it was asked.
class TItemDragObject : public TDragObject {
public:
    using TDragObject::TDragObject;
    struct Query {
        bool accepted;
        TPoint at;
    };
    std::vector<Query> queries;
    TCursor GetDragCursor(bool Accepted, int X, int Y) override
    {
        queries.push_back({Accepted, {X, Y}});
        return Accepted ? crBarDrag : crBarNoDrop;
    }
};

class CursorTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        picture.SetSize(16, 16);
        picture.Fill(clBlack);
        mask.SetSize(16, 16);
        mask.Fill(clWhite);
        mask.Canvas()->Brush()->SetColor(clBlack);
        mask.Canvas()->FillRect(TRect(0, 0, 8, 16));
        source = Make<TPad>();
        source->SetBounds(10, 10, 100, 60);
        target = Make<TPad>();
        target->SetBounds(150, 10, 100, 60);
        ShowForm();
    }
    HCURSOR Shown() { return driver.Backend().CursorShape(); }

    TBitmap picture;
    TBitmap mask;
    TPad* source = nullptr;
    TPad* target = nullptr;
};

TEST_F(CursorTest, AControlShowsARegisteredNumberAndTheArrowForAnUnknownOne)
{
    ASSERT_TRUE(SetCustomCursor(crBarDrag, picture, mask, {0, 0}));
    source->SetCursor(crBarDrag);
    target->SetCursor(crGroup);
    driver.MoveTo(At(source, {20, 20}));
    EXPECT_EQ(Shown(), crBarDrag);
    driver.MoveTo(At(target, {20, 20}));
    EXPECT_EQ(Shown(), IDC_ARROW) << "-1125 is not registered yet";
    EXPECT_EQ(GetCursor(), crGroup);
    // Registered while showing: the picture shows at once.
    ASSERT_TRUE(SetCustomCursor(crGroup, picture, TBitmap(), {15, 15}));
    EXPECT_EQ(Shown(), crGroup);
    ASSERT_TRUE(RemoveCustomCursor(crGroup));
    EXPECT_EQ(Shown(), IDC_ARROW);
    EXPECT_FALSE(RemoveCustomCursor(crGroup));

    // What cannot be a cursor is refused.
    TBitmap narrowMask(8, 16);
    EXPECT_FALSE(SetCustomCursor(2000, TBitmap(), TBitmap(), {0, 0})) << "no picture";
    EXPECT_FALSE(SetCustomCursor(2000, picture, narrowMask, {0, 0})) << "a mask of another size";
    EXPECT_FALSE(SetCustomCursor(2000, picture, mask, {16, 3})) << "a hot spot outside the picture";
    EXPECT_FALSE(SetCustomCursor(IDC_ARROW, picture, mask, {0, 0})) << "a standard cursor";
    EXPECT_FALSE(IsCustomCursor(2000));
}

TEST_F(CursorTest, TheDragObjectChoosesTheCursorDuringADrag)
{
    ASSERT_TRUE(SetCustomCursor(crBarDrag, picture, mask, {0, 0}));
    ASSERT_TRUE(SetCustomCursor(crBarNoDrop, picture, mask, {8, 8}));
    TItemDragObject dragObject(source);
    source->OnStartDrag = [&](TObject*, TDragObject*& object) { object = &dragObject; };
    TObject* sourceSeen = nullptr;
    target->OnDragOver = [&](TObject*, TObject* s, int, int, TDragState, bool& accept) {
        sourceSeen = s;
        accept = true;
    };

    driver.MoveTo(At(source, {20, 20}));
    driver.Press(At(source, {20, 20}));
    source->BeginDrag(true);
    EXPECT_EQ(Shown(), crBarNoDrop) << "over the source, which takes no drop";
    const TPoint over = At(target, {30, 30});
    driver.MoveTo(over);
    EXPECT_EQ(Shown(), crBarDrag);
    ASSERT_FALSE(dragObject.queries.empty());
    EXPECT_TRUE(dragObject.queries.back().accepted);
    EXPECT_EQ(dragObject.queries.back().at, over) << "asked with the screen point";
    EXPECT_EQ(sourceSeen, &dragObject) << "the targets see the drag object";
    driver.MoveTo(At(form, {300, 200}));
    EXPECT_EQ(Shown(), crBarNoDrop);
    driver.Release(At(form, {300, 200}));
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(Shown(), IDC_ARROW);

    // Without a drag object of its own the source's DragCursor shows, and the targets
    // see the source control.
    source->OnStartDrag = nullptr;
    source->SetDragCursor(crHandPoint);
    driver.Press(At(source, {20, 20}));
    source->BeginDrag(true);
    driver.MoveTo(over);
    EXPECT_EQ(Shown(), crHandPoint);
    EXPECT_EQ(sourceSeen, static_cast<TObject*>(source));
    driver.MoveTo(At(source, {20, 20}));
    EXPECT_EQ(Shown(), crNoDrop);
    driver.Release(At(source, {20, 20}));
}

} // namespace
