// CM_MOUSEENTER and CM_MOUSELEAVE reach windowed and windowless controls as the
// pointer crosses them, so that hot tracking ends when the pointer leaves.
#include "ControlsFixture.h"

#include "platform/controls/CustomControl.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

// A control that shows itself "hot" while the pointer is over it.
template <typename TBase>
class THot : public TBase {
public:
    THot(TComponent* owner, std::string name) : TBase(owner), Name(std::move(name)) {}
    std::string Name;
    bool Hot = false;

protected:
    void MouseEnter() override
    {
        Hot = true;
        g_log.push_back("enter " + Name);
    }
    void MouseLeave() override
    {
        Hot = false;
        g_log.push_back("leave " + Name);
    }
};

using THotSpot = THot<TGraphicControl>;
using THotPad = THot<TCustomControl>;

class MouseEnterLeaveTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        g_log.clear();
        first = Place(new THotSpot(form, "first"), 10);
        second = Place(new THotSpot(form, "second"), 80);
        pad = Place(new THotPad(form, "pad"), 150);
        ShowForm();
        driver.MoveTo(At(form, {300, 200}));
        g_log.clear();
    }
    template <typename T>
    T* Place(T* c, int x)
    {
        c->SetParent(form);
        c->SetBounds(x, 10, 60, 40);
        return c;
    }

    THotSpot* first = nullptr;
    THotSpot* second = nullptr;
    THotPad* pad = nullptr;
};

TEST_F(MouseEnterLeaveTest, EnterAndLeaveFollowThePointerAcrossControls)
{
    driver.MoveTo(At(first, {5, 5}));
    driver.MoveTo(At(first, {20, 20})); // moving inside changes nothing
    driver.MoveTo(At(second, {5, 5}));
    driver.MoveTo(At(pad, {5, 5}));
    driver.MoveTo(At(form, {300, 200}));
    EXPECT_EQ(g_log, (std::vector<std::string>{"enter first", "leave first", "enter second", "leave second", "enter pad",
                                               "leave pad"}));
    EXPECT_TRUE(form->MouseInControl());
    EXPECT_FALSE(pad->MouseInControl());
}

TEST_F(MouseEnterLeaveTest, LeavingTheProgramEndsHotTracking)
{
    driver.MoveTo(At(second, {5, 5}));
    ASSERT_TRUE(second->Hot);
    ASSERT_TRUE(second->MouseInControl());
    RawInput::MouseLeftAll();
    driver.Pump();
    EXPECT_FALSE(second->Hot) << "a windowless control hears the leave";
    EXPECT_FALSE(form->MouseInControl());

    driver.MoveTo(At(pad, {5, 5}));
    ASSERT_TRUE(pad->Hot);
    RawInput::MouseLeftAll();
    driver.Pump();
    EXPECT_FALSE(pad->Hot) << "so does a windowed one";

    // A hovered control that goes away leaves nothing behind.
    driver.MoveTo(At(first, {5, 5}));
    delete first;
    first = nullptr;
    driver.MoveTo(At(second, {5, 5}));
    EXPECT_EQ(g_log.back(), "enter second");
    // A window made again asks for its leave notice again.
    driver.MoveTo(At(pad, {5, 5}));
    pad->RecreateWnd();
    g_log.clear();
    driver.MoveTo(At(pad, {6, 6}));
    driver.MoveTo(At(form, {300, 200}));
    EXPECT_EQ(g_log, (std::vector<std::string>{"enter pad", "leave pad"}));
}

} // namespace
