#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Button.h"
#include "platform/controls/CustomControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/MessageBoxForm.h"
#include "platform/core/Exception.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        app->SetTitle("Tests");
    }
    void TearDown() override
    {
        SetMessageBoxHandler({});
        app.reset();
    }

    TForm* NewForm(int w = 300, int h = 200)
    {
        auto* form = new TForm(app.get());
        form->SetBounds(50, 50, w, h);
        return form;
    }

    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
};

// A windowed control that just records what reaches it.
class TProbe : public TCustomControl {
public:
    explicit TProbe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    std::vector<std::string> events;

protected:
    void Paint() override { ++paints; }
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override
    {
        static const char* names[] = {"enter", "leave", "move"};
        events.push_back(std::string("over:") + names[static_cast<int>(State)]);
        Accept = true;
    }
    void DragDrop(TObject* Source, int X, int Y) override { events.push_back("drop"); }
    void DoEndDrag(TObject* Target, int X, int Y) override { events.push_back(Target ? "end:dropped" : "end:none"); }
    void DragCanceled() override { events.push_back("canceled"); }

public:
    int paints = 0;
};

TEST_F(ControlsTest, EnterPressesTheDefaultButtonAndEscTheCancelButtonOfAModalForm)
{
    TForm* main = NewForm();
    auto* edit = new TProbe(main);
    edit->SetParent(main);
    edit->SetBounds(10, 10, 100, 20);
    main->Show();
    edit->SetFocus();
    driver.Pump();
    ASSERT_EQ(GetFocus(), edit->Handle());

    TForm* dialog = NewForm(200, 100);
    dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetCaption("&OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    ok->SetBounds(10, 40, 75, 25);
    auto* cancel = new TButton(dialog);
    cancel->SetParent(dialog);
    cancel->SetCaption("&Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetBounds(100, 40, 75, 25);
    auto* field = new TProbe(dialog);
    field->SetParent(dialog);
    field->SetBounds(10, 10, 100, 20);
    dialog->SetActiveControl(field);

    driver.Backend().PushIdleAction([&] { driver.PressKey(VK_RETURN); });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(GetFocus(), edit->Handle()) << "the focus comes back to where it was";
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));

    driver.Backend().PushIdleAction([&] { driver.PressKey(VK_ESCAPE); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(ControlsTest, TabWalksTheTabOrderAndFiresExitBeforeEnter)
{
    TForm* form = NewForm();
    std::vector<std::string> log;
    std::vector<TProbe*> probes;
    for (int i = 0; i < 3; ++i) {
        auto* p = new TProbe(form);
        p->SetParent(form);
        p->SetBounds(10, 10 + 30 * i, 100, 20);
        p->SetName("p" + std::to_string(i));
        p->OnEnter = [&log, p](TObject*) { log.push_back("enter " + p->Name()); };
        p->OnExit = [&log, p](TObject*) { log.push_back("exit " + p->Name()); };
        probes.push_back(p);
    }
    probes[1]->SetTabOrder(0); // p1, p0, p2
    form->Show();
    driver.Pump();
    EXPECT_EQ(form->ActiveControl(), probes[1]);
    driver.PressKey(VK_TAB);
    driver.PressKey(VK_TAB);
    driver.PressKey(VK_TAB, THeadlessDriver::Shift);
    EXPECT_EQ(form->ActiveControl(), probes[0]);
    const std::vector<std::string> expected = {"enter p1", "exit p1", "enter p0", "exit p0", "enter p2", "exit p2", "enter p0"};
    EXPECT_EQ(log, expected);
}

TEST_F(ControlsTest, AlignedChildrenShareTheClientAreaAndFollowResizing)
{
    TForm* form = NewForm(400, 300);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    auto make = [&](TAlign align, int size) {
        auto* c = new TProbe(form);
        c->SetParent(form);
        c->SetBounds(0, 0, size, size);
        c->SetAlign(align);
        return c;
    };
    TProbe* top = make(TAlign::alTop, 30);
    TProbe* left = make(TAlign::alLeft, 50);
    TProbe* right = make(TAlign::alRight, 40);
    TProbe* client = make(TAlign::alClient, 10);
    form->Show();
    EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 400, 30));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 30, 50, 300));
    EXPECT_EQ(right->BoundsRect(), TRect(360, 30, 400, 300));
    EXPECT_EQ(client->BoundsRect(), TRect(50, 30, 360, 300));
    form->SetBounds(50, 50, 500, 200);
    EXPECT_EQ(client->BoundsRect(), TRect(50, 30, 460, 200));
    EXPECT_EQ(right->BoundsRect(), TRect(460, 30, 500, 200));
}

TEST_F(ControlsTest, ControlsOfOneAlignmentLineUpByWhereTheyStand)
{
    TForm* form = NewForm(400, 300);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    auto* inspector = new TProbe(form);
    inspector->SetParent(form);
    inspector->SetBounds(300, 0, 100, 300);
    inspector->SetAlign(TAlign::alRight);
    // Made later but standing left of the inspector: it stays on the inspector's left.
    auto* splitter = new TProbe(form);
    splitter->SetParent(form);
    splitter->SetBounds(290, 0, 5, 300);
    splitter->SetAlign(TAlign::alRight);
    form->Show();
    EXPECT_EQ(inspector->BoundsRect(), TRect(300, 0, 400, 300));
    EXPECT_EQ(splitter->BoundsRect(), TRect(295, 0, 300, 300));
    // Moved to the far right, the splitter goes outermost on the next alignment.
    splitter->SetLeft(398);
    EXPECT_EQ(splitter->BoundsRect(), TRect(395, 0, 400, 300));
    EXPECT_EQ(inspector->BoundsRect(), TRect(295, 0, 395, 300));
}

TEST_F(ControlsTest, ControlsWithoutWindowsGetTheirClicksThroughTheParent)
{
    TForm* form = NewForm();
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetLeft(20);
    label->SetTop(20);
    label->SetCaption("Click me");
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    driver.Pump();
    EXPECT_GT(label->Width(), 20) << "the label sized itself to its text";
    driver.ClickAt(form->Handle(), {label->Left() + 3, label->Top() + 3});
    EXPECT_EQ(clicks, 1);
    driver.ClickAt(form->Handle(), {label->Left() + label->Width() + 5, label->Top() + 3});
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, DragPassesTheThresholdVisitsTargetsAndDropsOnRelease)
{
    TForm* form = NewForm(400, 200);
    auto* source = new TProbe(form);
    source->SetParent(form);
    source->SetBounds(10, 10, 100, 100);
    auto* target = new TProbe(form);
    target->SetParent(form);
    target->SetBounds(200, 10, 100, 100);
    source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { source->BeginDrag(false); };
    form->Show();
    driver.Pump();

    const TPoint start = driver.ToScreen(source->Handle(), {50, 50});
    driver.MoveTo(start);
    driver.Press(start);
    driver.MoveTo(start + TPoint(2, 1)); // below the threshold: nothing yet
    EXPECT_TRUE(target->events.empty());
    EXPECT_TRUE(source->events.empty());
    driver.MoveTo(driver.ToScreen(target->Handle(), {20, 20}));
    driver.MoveTo(driver.ToScreen(target->Handle(), {30, 20}));
    driver.Release(driver.ToScreen(target->Handle(), {30, 20}));
    EXPECT_EQ(target->events, (std::vector<std::string>{"over:enter", "over:move", "over:move", "over:leave", "drop"}));
    EXPECT_EQ(source->events, (std::vector<std::string>{"end:dropped"}));
    EXPECT_FALSE(source->Dragging());

    // Cancelled from the keyboard: the target hears the leave, the source the cancel.
    target->events.clear();
    source->events.clear();
    source->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        if (key == VK_ESCAPE)
            source->EndDrag(false);
    };
    source->SetFocus();
    driver.Press(start);
    driver.MoveTo(driver.ToScreen(target->Handle(), {20, 20}));
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(target->events, (std::vector<std::string>{"over:enter", "over:move", "over:leave"}));
    EXPECT_EQ(source->events, (std::vector<std::string>{"canceled", "end:none"}));
    driver.Release(start);
}

TEST_F(ControlsTest, AnErrorInAHandlerIsShownAndTheLoopGoesOn)
{
    std::vector<std::string> shown;
    SetMessageBoxHandler([&](const std::string& text, const std::string& caption, UINT flags) {
        shown.push_back(caption + ": " + text);
        return IDOK;
    });
    TForm* form = NewForm();
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 75, 25);
    button->OnClick = [](TObject*) { throw Exception("Cannot create new key."); };
    form->Show();
    driver.ClickAt(button->Handle(), {5, 5});
    driver.ClickAt(button->Handle(), {5, 5});
    EXPECT_EQ(shown, (std::vector<std::string>{"Tests: Cannot create new key.", "Tests: Cannot create new key."}));
}

TEST_F(ControlsTest, MessageBoxShowsTheTextAndAnswersTheButtonPressed)
{
    driver.Backend().PushIdleAction([&] {
        // The dialog is up: its text is there, No is the default for MB_DEFBUTTON2.
        driver.PressKey(VK_RETURN);
    });
    EXPECT_EQ(ShowMessageBox("Delete the branch?", "", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
    driver.Backend().PushIdleAction([&] { driver.PressKey(VK_ESCAPE); });
    EXPECT_EQ(ShowMessageBox("Something", "Title", MB_OKCANCEL), IDCANCEL);
}

TEST_F(ControlsTest, FormsDesignedAt120PpiScaleToTheScreen)
{
    TForm* form = NewForm();
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetPixelsPerInch(120);
    form->SetClientWidth(316);
    form->SetClientHeight(204);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(160, 176, 75, 25);
    form->Show(); // the headless screen has 96 pixels per inch
    EXPECT_EQ(form->ClientWidth(), 253);
    EXPECT_EQ(form->ClientHeight(), 163);
    EXPECT_EQ(button->BoundsRect(), TRect(128, 141, 188, 161));
    EXPECT_EQ(form->PixelsPerInch(), 96);
}

} // namespace
