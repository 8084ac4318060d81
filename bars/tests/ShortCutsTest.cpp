// Shortcuts and accelerators: which command a key runs, through submenus and
// drop-down menus, and which link an Alt+letter selects.
#include "BarsFixture.h"

#include "bars/BarAccelerator.h"
#include "bars/BarEdit.h"
#include "bars/BarPopupMenu.h"
#include "platform/core/VirtualKeys.h"

namespace {

class ShortCutsTest : public BarsFixture {
protected:
    TzqBarButton* Command(const std::string& name, TShortCut shortCut)
    {
        TzqBarButton* button = Make(name);
        button->SetShortCut(shortCut);
        button->OnClick = [this, name](TObject*) { clicked.push_back(name); };
        return button;
    }
    std::vector<std::string> clicked;
};

const TShortCut CtrlO = ShortCut('O', {TShiftStateFlag::ssCtrl});
const TShortCut CtrlS = ShortCut('S', {TShiftStateFlag::ssCtrl});
const TShortCut F5 = ShortCut(VK_F5, {});

TEST_F(ShortCutsTest, FindShortCutSearchesNestedSubmenusWhetherOpenOrNot)
{
    TzqBar* bar = AddBar("Main");
    auto* file = Make<TzqBarSubItem>("File");
    auto* recent = Make<TzqBarSubItem>("Recent");
    Link(bar->ItemLinks(), file);
    Link(file->ItemLinks(), recent);
    Link(recent->ItemLinks(), Command("Open", CtrlO));
    Link(bar->ItemLinks(), Command("Save", CtrlS));

    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(CtrlO));
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(CtrlS));
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(F5));
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(0));
    EXPECT_EQ(clicked, (std::vector<std::string>{"Open", "Save"}));
}

TEST_F(ShortCutsTest, DisabledHiddenAndWindowItemsDoNotAnswer)
{
    TzqBar* bar = AddBar("Main");
    auto* menu = Make<TzqBarSubItem>("Menu");
    Link(bar->ItemLinks(), menu);
    Link(menu->ItemLinks(), Command("InDisabledMenu", CtrlO));
    menu->SetEnabled(false);
    TzqBarButton* disabled = Command("Disabled", CtrlS);
    disabled->SetEnabled(false);
    Link(bar->ItemLinks(), disabled);
    TzqBarButton* never = Command("Never", F5);
    never->SetVisible(TzqBarItemVisible::ivNever);
    Link(bar->ItemLinks(), never);
    auto* edit = Make<TzqBarEdit>("Edit");
    edit->SetShortCut(F5);
    Link(bar->ItemLinks(), edit);

    for (TShortCut key : {CtrlO, CtrlS, F5})
        EXPECT_FALSE(bar->ItemLinks()->FindShortCut(key)) << key;
    EXPECT_TRUE(clicked.empty());

    // The first of two commands with one shortcut runs, alone.
    Link(bar->ItemLinks(), Command("First", CtrlS));
    Link(bar->ItemLinks(), Command("Second", CtrlS));
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(CtrlS));
    EXPECT_EQ(clicked, std::vector<std::string>{"First"});
}

TEST_F(ShortCutsTest, ADropDownButtonSearchesItsMenuAndACycleEnds)
{
    auto* popup = new TzqBarPopupMenu(form);
    TzqBarButton* dropper = Command("Dropper", F5);
    dropper->SetButtonStyle(TzqBarButtonStyle::bsDropDown);
    dropper->SetDropDownMenu(popup);
    Link(popup->ItemLinks(), dropper); // the menu drops itself down
    Link(popup->ItemLinks(), Command("Print", CtrlO));
    TzqBar* bar = AddBar("Main");
    Link(bar->ItemLinks(), dropper);

    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(CtrlS)); // ends
    EXPECT_FALSE(popup->ItemLinks()->FindShortCut(CtrlS));
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(CtrlO));
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(F5));
    EXPECT_EQ(clicked, (std::vector<std::string>{"Print", "Dropper"}));
    // A plain button does not look into a menu it has.
    dropper->SetButtonStyle(TzqBarButtonStyle::bsDefault);
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(CtrlO));
}

TEST_F(ShortCutsTest, ASearchSeesWhatChangedSinceTheLastOne)
{
    TzqBar* bar = AddBar("Main");
    auto* menu = Make<TzqBarSubItem>("Menu");
    Link(bar->ItemLinks(), menu);
    TzqBarButton* open = Command("Open", CtrlO);
    Link(menu->ItemLinks(), open);
    auto* popup = new TzqBarPopupMenu(form);
    Link(popup->ItemLinks(), Command("Print", F5));
    TzqBarButton* dropper = Command("Dropper", 0);
    Link(bar->ItemLinks(), dropper);
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(CtrlO));

    open->SetShortCut(CtrlS);
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(CtrlO));
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(CtrlS));
    open->SetEnabled(false);
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(CtrlS));
    open->SetEnabled(true);
    menu->SetEnabled(false);
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(CtrlS));
    menu->SetEnabled(true);
    open->SetVisible(TzqBarItemVisible::ivInCustomizing);
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(CtrlS));
    manager->SetCustomizing(true);
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(CtrlS));
    manager->SetCustomizing(false);

    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(F5));
    dropper->SetDropDownMenu(popup);
    dropper->SetButtonStyle(TzqBarButtonStyle::bsDropDown);
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(F5));
    delete popup;
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(F5));
    EXPECT_EQ(clicked, (std::vector<std::string>{"Open", "Open", "Open", "Print"}));
}

TEST_F(ShortCutsTest, ACheckedButtonRunByItsShortcutTogglesFirst)
{
    TzqBar* bar = AddBar("Main");
    TzqBarButton* zoom = Command("Zoom", F5);
    zoom->SetButtonStyle(TzqBarButtonStyle::bsChecked);
    bool downInHandler = false;
    zoom->OnClick = [&](TObject*) { downInHandler = zoom->Down(); };
    Link(bar->ItemLinks(), zoom);
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(F5));
    EXPECT_TRUE(downInHandler);
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(F5));
    EXPECT_FALSE(downInHandler);
}

TEST_F(ShortCutsTest, TheAcceleratorIsAfterTheLastSingleAmpersand)
{
    const std::pair<const char*, char32_t> cases[] = {
        {"&File", U'F'},   {"Save &As", U'A'}, {"Fish && &Chips", U'C'}, {"A&&B", 0},    {"&a&b", U'b'},
        {"End&", 0},       {"&&&x", U'x'},     {"Caf&\xC3\xA9", U'\u00E9'}, {"", 0}, {"No mark", 0},
    };
    for (auto [caption, accelerator] : cases)
        EXPECT_EQ(AcceleratorOf(caption), accelerator) << caption;
}

struct MatchCase {
    const char* caption;
    WORD key;
    TShiftState shift;
    bool matches;
};

TEST_F(ShortCutsTest, AcceleratorMatchesByKeyAndShiftKeys)
{
    using F = TShiftStateFlag;
    const MatchCase cases[] = {
        {"&File", 'F', {}, true},
        {"&File", 'F', {F::ssShift}, true}, // upper case: Shift does not matter
        {"&File", 'F', {F::ssAlt}, true},   // Alt never matters
        {"&File", 'F', {F::ssCtrl}, false},
        {"&File", 'G', {}, false},
        {"&file", 'F', {}, true},
        {"&file", 'F', {F::ssShift}, false},
        {"&1", '1', {}, true},
        {"&1", '1', {F::ssAlt}, true},
        {"&1", '1', {F::ssShift}, false}, // digits only without shift keys
        {"&1", '1', {F::ssCtrl}, false},
        {"&!", '1', {F::ssShift}, true},   // typed with Shift+1
        {"&!", '1', {}, false},
        {"A&&B", 'B', {}, false},
        {"&-", VK_OEM_MINUS, {}, true},
    };
    for (const MatchCase& c : cases)
        EXPECT_EQ(AcceleratorMatches(AcceleratorOf(c.caption), c.key, c.shift), c.matches)
            << c.caption << " key " << c.key << " shift " << int(c.shift.ToWord());
}

TEST_F(ShortCutsTest, InABarOnlyButtonsShowingTheirCaptionAnswerAccelerators)
{
    TzqBar* bar = AddBar("Tools");
    TzqBarButton* glyphOnly = Make("GlyphOnly", "&Glyph");
    TzqBarButton* captioned = Make("Captioned", "&Caption");
    captioned->SetPaintStyle(TzqBarPaintStyle::psCaption);
    TzqBarButton* both = Make("Both", "&Both");
    both->SetPaintStyle(TzqBarPaintStyle::psCaptionGlyph);
    auto* edit = Make<TzqBarEdit>("Edit", "&Edit");
    auto* menu = Make<TzqBarSubItem>("Menu", "&Menu");
    for (TzqBarItem* item : std::initializer_list<TzqBarItem*>{glyphOnly, captioned, both, edit, menu})
        Link(bar->ItemLinks(), item);

    TzqBarItemLinks* links = bar->ItemLinks();
    EXPECT_EQ(links->FindAccelerator('G', {}, nullptr), nullptr);
    EXPECT_EQ(links->FindAccelerator('C', {}, nullptr), links->Items(1));
    EXPECT_EQ(links->FindAccelerator('B', {}, nullptr), links->Items(2));
    EXPECT_EQ(links->FindAccelerator('E', {}, nullptr), nullptr);
    EXPECT_EQ(links->FindAccelerator('M', {}, nullptr), links->Items(4));
    edit->SetShowCaption(true);
    EXPECT_EQ(links->FindAccelerator('E', {}, nullptr), links->Items(3));
    // A user paint style counts.
    links->Items(0)->SetUserPaintStyle(TzqBarPaintStyle::psCaptionGlyph);
    EXPECT_EQ(links->FindAccelerator('G', {}, nullptr), links->Items(0));

    // In a menu every enabled item answers.
    Link(menu->ItemLinks(), Make("InMenu", "&Glyph"));
    EXPECT_EQ(menu->ItemLinks()->FindAccelerator('G', {}, nullptr), menu->ItemLinks()->Items(0));
}

TEST_F(ShortCutsTest, FindAcceleratorGoesOnFromTheLinkAfterAndSkipsDisabledItems)
{
    auto* menu = Make<TzqBarSubItem>("Menu");
    TzqBarItemLinks* links = menu->ItemLinks();
    TzqBarItemLink* save = Link(links, Make("Save", "&Save"));
    TzqBarItemLink* search = Link(links, Make("Search", "&Search"));
    TzqBarButton* disabled = Make("Send", "&Send");
    disabled->SetEnabled(false);
    Link(links, disabled);
    Link(links, Make("Other", "&Other"));

    EXPECT_EQ(links->FindAccelerator('S', {}, nullptr), save);
    EXPECT_EQ(links->FindAccelerator('S', {}, save), search);
    EXPECT_EQ(links->FindAccelerator('S', {}, search), save);
    links->Items(1)->SetVisible(false);
    EXPECT_EQ(links->FindAccelerator('S', {}, save), save); // around, back to itself
    EXPECT_EQ(links->FindAccelerator('X', {}, nullptr), nullptr);
}

} // namespace
