// Context menus: a control asked for its menu (right-button release, the menu key,
// Shift+F10) lets OnContextPopup take the request, then opens its popup menu, which
// runs its own loop until it closes; the chosen item runs after the menu closed.
#include "ControlsFixture.h"

#include "platform/controls/CustomEdit.h"
#include "platform/controls/PopupList.h"
#include "platform/controls/PopupMenu.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using D = THeadlessDriver;

// A focusable windowed control, and a windowless one.
class TPad : public TCustomControl {
public:
    explicit TPad(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
};

class TSpot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
};

// What the menu looked like while it was open.
struct Seen {
    bool open = false;
    TPoint at;
    TComponent* component = nullptr;
};

class ContextMenuTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        pad = Make<TPad>();
        pad->SetBounds(20, 20, 150, 100);
        menu = new TPopupMenu(form);
        menu->OnPopup = [this](TObject*) { ++popups; };
        cut = menu->AddItem("Cu&t", scCtrl | 'X', [this](TObject*) { Log("cut"); });
        copy = menu->AddItem("&Copy", scCtrl | 'C', [this](TObject*) { Log("copy"); });
        pad->SetPopupMenu(menu);
        ShowForm();
        pad->SetFocus();
    }
    void Log(const std::string& what)
    {
        log.push_back(what + (menu && menu->IsOpen() ? " (menu open)" : ""));
    }
    // The next time a loop waits: note what the open menu shows, then run `then`.
    void WhileOpen(TPopupMenu* m, Seen& seen, std::function<void()> then)
    {
        driver.Backend().PushIdleAction([m, &seen, then = std::move(then)] {
            seen.open = m->IsOpen();
            seen.at = m->PopupPoint();
            seen.component = m->PopupComponent();
            then();
        });
    }
    void CloseWithEscape(TPopupMenu* m, Seen& seen)
    {
        WhileOpen(m, seen, [this] { driver.PressKey(VK_ESCAPE); });
    }
    TPoint ItemCentre(TPopupMenu* m, TMenuItem* item)
    {
        const TRect r = m->ItemRect(item);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    TPad* pad = nullptr;
    TPopupMenu* menu = nullptr;
    TMenuItem* cut = nullptr;
    TMenuItem* copy = nullptr;
    int popups = 0;
    std::vector<std::string> log;
};

TEST_F(ContextMenuTest, RightClickMenuKeyAndShiftF10OpenThePopupMenu)
{
    const TPoint click = At(pad, {30, 40});
    const TPoint corner = At(pad, {0, 0});
    struct Case {
        const char* how;
        std::function<void()> ask;
        TPoint expectedAt;
    };
    const Case cases[] = {
        {"right click", [&] { driver.Click(click, TMouseButton::mbRight); }, click},
        {"menu key", [&] { driver.PressKey(VK_APPS); }, corner},
        {"Shift+F10", [&] { driver.PressKey(VK_F10, D::Shift); }, corner},
    };
    for (const Case& c : cases) {
        Seen seen;
        CloseWithEscape(menu, seen);
        c.ask();
        EXPECT_TRUE(seen.open) << c.how;
        EXPECT_EQ(seen.at, c.expectedAt) << c.how;
        EXPECT_EQ(seen.component, pad) << c.how;
        EXPECT_FALSE(menu->IsOpen()) << c.how << ": Esc closed it and Popup returned";
        EXPECT_TRUE(log.empty()) << c.how << ": nothing was chosen";
    }
    EXPECT_EQ(popups, 3);
    EXPECT_EQ(driver.Backend().PendingIdleActions(), 0u);

    // With a caret, the keyboard's menu opens at the caret.
    CreateCaret(pad->Handle(), 1, 12);
    SetCaretPos(40, 50);
    Seen seen;
    CloseWithEscape(menu, seen);
    driver.PressKey(VK_APPS);
    EXPECT_EQ(seen.at, At(pad, {40, 50}));
    DestroyCaret();
}

TEST_F(ContextMenuTest, OnContextPopupTakesTheRequestFirst)
{
    std::vector<TPoint> asked;
    pad->OnContextPopup = [&](TObject*, TPoint at, bool& handled) {
        asked.push_back(at);
        handled = true;
    };
    driver.Click(At(pad, {30, 40}), TMouseButton::mbRight);
    driver.PressKey(VK_APPS);
    EXPECT_EQ(popups, 0) << "the menu never opened";
    EXPECT_EQ(asked, (std::vector<TPoint>{{30, 40}, {0, 0}})) << "client points; the keyboard's at the corner";

    // A handler that leaves the request lets the menu open.
    pad->OnContextPopup = [&](TObject*, TPoint, bool&) {};
    Seen seen;
    CloseWithEscape(menu, seen);
    driver.Click(At(pad, {30, 40}), TMouseButton::mbRight);
    EXPECT_TRUE(seen.open);
}

TEST_F(ContextMenuTest, RequestsNobodyTakesGoToTheParentAndWindowlessControlsAnswerForTheirArea)
{
    auto* formMenu = new TPopupMenu(form);
    formMenu->AddItem("Form item");
    form->SetPopupMenu(formMenu);
    auto* spot = Make<TSpot>();
    spot->SetBounds(200, 20, 80, 60);
    auto* spotMenu = new TPopupMenu(form);
    spotMenu->AddItem("Spot item");
    spot->SetPopupMenu(spotMenu);

    struct Case {
        const char* where;
        TPoint at;
        TPopupMenu* opens;
        TComponent* component;
    };
    menu->SetAutoPopup(false);
    const Case cases[] = {
        {"a control whose menu does not pop up by itself", At(pad, {10, 10}), formMenu, form},
        {"a windowless control", At(spot, {5, 5}), spotMenu, spot},
        {"the form itself", At(form, {300, 200}), formMenu, form},
    };
    for (const Case& c : cases) {
        Seen seen;
        CloseWithEscape(c.opens, seen);
        driver.Click(c.at, TMouseButton::mbRight);
        EXPECT_TRUE(seen.open) << c.where;
        EXPECT_EQ(seen.component, c.component) << c.where;
    }
    EXPECT_EQ(popups, 0);
}

TEST_F(ContextMenuTest, TheChosenItemRunsAfterTheMenuClosed)
{
    // By mouse.
    Seen seen;
    WhileOpen(menu, seen, [this] { driver.Click(ItemCentre(menu, copy)); });
    driver.Click(At(pad, {30, 40}), TMouseButton::mbRight);
    EXPECT_EQ(log, (std::vector<std::string>{"copy"}));

    // By keys: Down to the first item, Enter; an accelerator letter.
    WhileOpen(menu, seen, [this] {
        driver.PressKey(VK_DOWN);
        driver.PressKey(VK_RETURN);
    });
    driver.PressKey(VK_APPS);
    WhileOpen(menu, seen, [this] { driver.PressKey('C'); });
    driver.PressKey(VK_APPS);
    EXPECT_EQ(log, (std::vector<std::string>{"copy", "cut", "copy"}));

    // A disabled item cannot be chosen; a hidden one is not shown; radio items with
    // AutoCheck check themselves and uncheck their group.
    cut->SetEnabled(false);
    auto* small = menu->AddItem("Small");
    auto* large = menu->AddItem("Large");
    auto* hidden = menu->AddItem("Hidden");
    hidden->SetVisible(false);
    for (TMenuItem* item : {small, large}) {
        item->SetRadioItem(true);
        item->SetAutoCheck(true);
        item->SetGroupIndex(1);
    }
    small->SetChecked(true);
    WhileOpen(menu, seen, [&] {
        EXPECT_TRUE(menu->ItemRect(hidden).IsEmpty());
        driver.Click(ItemCentre(menu, cut));
        EXPECT_TRUE(menu->IsOpen()) << "a click on a disabled item leaves the menu open";
        driver.Click(ItemCentre(menu, large));
    });
    driver.Click(At(pad, {30, 40}), TMouseButton::mbRight);
    EXPECT_TRUE(large->Checked());
    EXPECT_FALSE(small->Checked());
    EXPECT_EQ(log.size(), 3u);

    // A menu already open does not open again.
    int nested = 0;
    WhileOpen(menu, seen, [&] {
        const int before = popups;
        menu->Popup(5, 5);
        nested = popups - before;
        driver.PressKey(VK_ESCAPE);
    });
    driver.PressKey(VK_APPS);
    EXPECT_EQ(nested, 0);

    // Shortcuts of the menu's items work while the control has the focus.
    driver.PressKey('C', D::Ctrl);
    EXPECT_EQ(log.back(), "copy");
    EXPECT_FALSE(menu->IsShortCut(scCtrl | 'X')) << "Cut is disabled";
}

TEST_F(ContextMenuTest, AMenuOrItemDestroyedWhileOpenLeavesNothingBehind)
{
    // An item freed while shown: choosing its row does nothing.
    Seen seen;
    WhileOpen(menu, seen, [&] {
        const TPoint at = ItemCentre(menu, copy);
        delete copy;
        copy = nullptr;
        driver.Click(at);
        if (menu->IsOpen())
            driver.PressKey(VK_ESCAPE);
    });
    driver.Click(At(pad, {30, 40}), TMouseButton::mbRight);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(menu->Count(), 1);

    // The menu itself freed while open: Popup returns, the control lets go of it.
    WhileOpen(menu, seen, [&] {
        delete menu;
        menu = nullptr;
    });
    driver.Click(At(pad, {30, 40}), TMouseButton::mbRight);
    EXPECT_TRUE(seen.open);
    EXPECT_EQ(pad->PopupMenu(), nullptr);
    EXPECT_EQ(driver.Backend().PendingIdleActions(), 0u);
    driver.Click(At(pad, {30, 40}), TMouseButton::mbRight); // no menu now: nothing happens

    // A menu without visible items does not open.
    auto* empty = new TPopupMenu(form);
    empty->AddItem("Gone")->SetVisible(false);
    pad->SetPopupMenu(empty);
    driver.Click(At(pad, {30, 40}), TMouseButton::mbRight);
    EXPECT_FALSE(empty->IsOpen());
}

TEST_F(ContextMenuTest, TheEditShowsItsOwnMenuOnlyWhenNeitherTookTheRequest)
{
    auto* edit = Make<TEdit>();
    edit->SetBounds(200, 150, 150, 21);
    edit->SetText("some text");
    edit->SetFocus();
    const TPoint inside = At(edit, {20, 8});

    // Its own popup menu comes first.
    edit->SetPopupMenu(menu);
    Seen seen;
    CloseWithEscape(menu, seen);
    driver.Click(inside, TMouseButton::mbRight);
    EXPECT_TRUE(seen.open);
    EXPECT_EQ(seen.component, edit);
    EXPECT_FALSE(edit->EditMenu()->IsOpen());

    // A parent's popup menu shows instead of the edit's own.
    edit->SetPopupMenu(nullptr);
    form->SetPopupMenu(menu);
    CloseWithEscape(menu, seen);
    driver.PressKey(VK_APPS);
    EXPECT_EQ(seen.component, form);
    EXPECT_FALSE(edit->EditMenu()->IsOpen());

    // Neither: the edit's own menu.
    form->SetPopupMenu(nullptr);
    driver.Click(inside, TMouseButton::mbRight);
    EXPECT_TRUE(edit->EditMenu()->IsOpen());
    driver.PressKey(VK_ESCAPE);
}

TEST_F(ContextMenuTest, APopupMenuShowsChecksRadioDotsSeparatorsDisabledAndDefaultItems)
{
    auto* sample = new TPopupMenu(form);
    auto* open = sample->AddItem("&Open");
    open->SetDefault(true);
    sample->AddItem("&Save", scCtrl | 'S');
    sample->AddItem("Save &As...", scCtrl | scShift | 'S')->SetEnabled(false);
    sample->AddItem("-");
    auto* ruler = sample->AddItem("&Ruler");
    ruler->SetChecked(true);
    sample->AddItem("-");
    auto* large = sample->AddItem("&Large icons");
    auto* small = sample->AddItem("S&mall icons");
    for (TMenuItem* item : {large, small})
        item->SetRadioItem(true);
    small->SetChecked(true);
    large->SetChecked(true);
    EXPECT_FALSE(small->Checked()) << "one radio item of a group is checked";
    sample->AddItem("E&xit", scAlt | VK_F4);

    TBitmap picture;
    TRect rulerRect, largeRect, smallRect, menuRect;
    Seen seen;
    WhileOpen(sample, seen, [&] {
        driver.PaintAll();
        const HWND h = sample->PopupList()->Handle();
        picture.Assign(*WindowSurface(h));
        menuRect = WindowRect(h);
        rulerRect = sample->ItemRect(ruler);
        largeRect = sample->ItemRect(large);
        smallRect = sample->ItemRect(small);
        const char* dir = std::getenv("VELMORA_SAMPLE_DIR");
        EXPECT_TRUE(driver.SavePng(h, std::string(dir ? dir : VELMORA_BINARY_DIR) + "/popup-menu-sample.png"));
        driver.PressKey(VK_ESCAPE);
    });
    sample->Popup(100, 100);
    ASSERT_TRUE(seen.open);
    ASSERT_FALSE(picture.Empty());
    // The check mark's top-right pixel and the radio dot's centre are drawn in the
    // menu's text colour; the unchecked radio item has no dot.
    const TColor text = ColorToRGB(clMenuText), back = ColorToRGB(clMenu);
    auto mark = [&](const TRect& item, int dx, int dy) {
        return picture.Pixel(item.Left - menuRect.Left + 9 + dx, (item.Top + item.Bottom) / 2 - menuRect.Top + dy);
    };
    EXPECT_EQ(mark(rulerRect, 3, -3), text);
    EXPECT_EQ(mark(rulerRect, -3, -3), back);
    EXPECT_EQ(mark(largeRect, 0, 0), text);
    EXPECT_EQ(mark(smallRect, 0, 0), back);
}

} // namespace
