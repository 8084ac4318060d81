// The manager itself: creation rules, corrected properties, style metrics and colours,
// the built-in dock sites, the process-wide lists, docking permission and locking.
#include "BarsFixture.h"

#include "bars/BarContainerItem.h"
#include "bars/BarCursors.h"
#include "bars/BarEdit.h"
#include "bars/BarCombo.h"
#include "bars/BarItemKinds.h"
#include "bars/BarManagerList.h"
#include "bars/DockControl.h"
#include "platform/core/Color.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"
#include "platform/window/Cursors.h"

#include <algorithm>

namespace {

class BarManagerTest : public BarsFixture {};

bool Listed(TzqBarManager* manager)
{
    const auto& all = TzqBarManagerList::All();
    return std::find(all.begin(), all.end(), manager) != all.end();
}

TEST_F(BarManagerTest, CreationRefusesAnOwnerThatIsNotAFormAndASecondManager)
{
    TComponent notAForm;
    try {
        new TzqBarManager(&notAForm);
        FAIL() << "a manager owned by a plain component was made";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "TzqBarManager should have as its Owner - TForm (TCustomForm)");
    }
    EXPECT_EQ(notAForm.ComponentCount(), 0);
    try {
        new TzqBarManager(form);
        FAIL() << "a second manager was made on one form";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "A Form should contain only a single TzqBarManager");
    }
    EXPECT_EQ(TzqBarManagerList::All().size(), 1u);
    EXPECT_EQ(TzqBarManagerList::ForForm(form), manager);
}

TEST_F(BarManagerTest, WithoutOwnerTheMainFormIsServed)
{
    TForm* mainForm = app->CreateForm<TForm>();
    auto* second = new TzqBarManager(nullptr);
    EXPECT_EQ(second->OwnerForm(), mainForm);
    EXPECT_EQ(second->Owner(), mainForm);
    EXPECT_EQ(TzqBarManagerList::All(), (std::vector<TzqBarManager*>{manager, second}));
    delete second;
    EXPECT_FALSE(Listed(second));
    EXPECT_TRUE(Listed(manager));
}

TEST_F(BarManagerTest, NewManagerStartsWithTheDefaultsAndOneCategory)
{
    EXPECT_EQ(manager->Categories()->ToVector(), std::vector<std::string>{"Default"});
    EXPECT_TRUE(manager->AllowReset());
    EXPECT_TRUE(manager->AutoDockColor());
    EXPECT_EQ(manager->DockColor(), form->Color());
    EXPECT_EQ(manager->ButtonArrowWidth(), 11);
    EXPECT_EQ(manager->LargeButtonArrowWidth(), 13);
    EXPECT_EQ(manager->ImageListBkColor(), clFuchsia);
    EXPECT_EQ(manager->MostRecentItemsPercents(), 95);
    EXPECT_EQ(manager->UsageThreshold(), 20);
    EXPECT_EQ(manager->Style(), TzqBarManagerStyle::bmsEnhanced);
    EXPECT_EQ(manager->WaitForDockingTime(), 21);
    EXPECT_TRUE(manager->UseSystemFont());
    EXPECT_TRUE(manager->UseF10ForMenu());
    EXPECT_EQ(manager->ReadCount(), 0);
    EXPECT_FALSE(manager->Modified());
}

TEST_F(BarManagerTest, OutOfRangeValuesAreCorrectedOrIgnored)
{
    manager->SetButtonArrowWidth(1);
    EXPECT_EQ(manager->ButtonArrowWidth(), 11);
    manager->SetButtonArrowWidth(2);
    EXPECT_EQ(manager->ButtonArrowWidth(), 2);
    manager->SetLargeButtonArrowWidth(-4);
    EXPECT_EQ(manager->LargeButtonArrowWidth(), 13);
    manager->SetMostRecentItemsPercents(150);
    EXPECT_EQ(manager->MostRecentItemsPercents(), 100);
    manager->SetWaitForDockingTime(-5);
    EXPECT_EQ(manager->WaitForDockingTime(), 21);
    manager->SetWaitForDockingTime(0);
    EXPECT_EQ(manager->WaitForDockingTime(), 0);

    manager->SetDockColor(clRed);
    EXPECT_FALSE(manager->AutoDockColor());
    EXPECT_EQ(manager->DockColor(), clRed);
    EXPECT_EQ(manager->Bars()->DockSite(TzqBarDockingStyle::dsTop)->Color(), clRed);
}

TEST_F(BarManagerTest, SettingAFontLeavesTheSystemFont)
{
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-14);
    TzqBar* bar = AddBar("Tools");
    manager->SetFont(font);
    EXPECT_FALSE(manager->UseSystemFont());
    EXPECT_EQ(manager->Font()->Name(), "Tahoma");
    EXPECT_EQ(bar->Font()->Name(), "Tahoma");
    EXPECT_FALSE(bar->UseOwnFont());
    // A bar's own font change makes it keep its own font.
    bar->Font()->SetHeight(-20);
    EXPECT_TRUE(bar->UseOwnFont());
    font.SetName("Arial");
    manager->SetFont(font);
    EXPECT_EQ(bar->Font()->Name(), "Tahoma");
}

struct MetricsCase {
    TzqBarManagerStyle style;
    bool largeIcons;
    int buttonArrowWidth;
    int border, grip, separator, glyph, button, menuItem, arrow;
};

TEST_F(BarManagerTest, StyleMetricsFollowStyleAndLargeIcons)
{
    using S = TzqBarManagerStyle;
    const MetricsCase cases[] = {
        {S::bmsStandard, false, 11, 2, 9, 2, 16, 23, 22, 11},
        {S::bmsEnhanced, false, 11, 1, 6, 12, 16, 23, 22, 11},
        {S::bmsFlat, false, 11, 1, 6, 8, 16, 23, 22, 10},
        {S::bmsEnhanced, false, 12, 1, 6, 12, 16, 23, 22, 13}, // even: raised to odd
        {S::bmsFlat, false, 12, 1, 6, 8, 16, 23, 22, 12},      // raised, then one less
        {S::bmsStandard, true, 11, 2, 9, 2, 32, 39, 38, 23},
        {S::bmsFlat, true, 11, 1, 6, 8, 32, 39, 38, 22},
    };
    for (const MetricsCase& c : cases) {
        manager->SetStyle(c.style);
        manager->SetLargeIcons(c.largeIcons);
        manager->SetButtonArrowWidth(c.buttonArrowWidth);
        SCOPED_TRACE(testing::Message() << "style " << int(c.style) << " large " << c.largeIcons << " arrow "
                                        << c.buttonArrowWidth);
        EXPECT_EQ(manager->BorderWidth(), c.border);
        EXPECT_EQ(manager->GripSize(), c.grip);
        EXPECT_EQ(manager->SeparatorSize(), c.separator);
        EXPECT_EQ(manager->GlyphSize(), c.glyph);
        EXPECT_EQ(manager->ButtonSize(), c.button);
        EXPECT_EQ(manager->MenuItemHeight(), c.menuItem);
        EXPECT_EQ(manager->ArrowWidth(), c.arrow);
    }
}

class SystemColours {
public:
    SystemColours(COLORREF face, COLORREF highlight, COLORREF window, COLORREF shadow)
        : m_face(SetSysColor(COLOR_BTNFACE, face)), m_highlight(SetSysColor(COLOR_HIGHLIGHT, highlight)),
          m_window(SetSysColor(COLOR_WINDOW, window)), m_shadow(SetSysColor(COLOR_BTNSHADOW, shadow))
    {
    }
    ~SystemColours()
    {
        SetSysColor(COLOR_BTNFACE, m_face);
        SetSysColor(COLOR_HIGHLIGHT, m_highlight);
        SetSysColor(COLOR_WINDOW, m_window);
        SetSysColor(COLOR_BTNSHADOW, m_shadow);
    }

private:
    COLORREF m_face, m_highlight, m_window, m_shadow;
};

TEST_F(BarManagerTest, FlatColoursAreMixedFromTheSystemColours)
{
    SystemColours colours(RGB(212, 208, 200), RGB(10, 36, 106), RGB(255, 255, 255), RGB(128, 128, 128));
    manager->RefreshSystemColors();
    EXPECT_EQ(manager->FlatShadowBrush()->Color(), RGB(102, 102, 102));
    EXPECT_EQ(manager->FlatMenuBrush()->Color(), RGB(219, 216, 209));
    EXPECT_EQ(manager->FlatSelectBrush(0)->Color(), RGB(210, 212, 218));
    EXPECT_EQ(manager->FlatSelectBrush(1)->Color(), RGB(136, 147, 177));
    EXPECT_EQ(manager->FlatSelectBrush(2)->Color(), RGB(183, 191, 212));
    EXPECT_EQ(manager->FlatSelectBrush(3), nullptr);
}

TEST_F(BarManagerTest, FlatColoursRoundHalvesAwayFromZero)
{
    // Red: 50 * 11 / 100 = 5.5 gives 6. Green: 25 * -2 / 100 = -0.5 gives -1, and
    // 100 * 72 / 100 = 72 with it makes 71.
    SystemColours colours(RGB(50, 25, 100), RGB(0, 0, 0), RGB(0, 100, 0), RGB(128, 128, 128));
    manager->RefreshSystemColors();
    EXPECT_EQ(GetRValue(manager->FlatSelectBrush(0)->Color()), 6);
    EXPECT_EQ(GetGValue(manager->FlatSelectBrush(2)->Color()), 71);
}

TEST_F(BarManagerTest, OnABlackOrWhiteFaceTheSelectionIsTheHighlight)
{
    for (COLORREF face : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
        SystemColours colours(face, RGB(10, 36, 106), RGB(255, 255, 255), RGB(128, 128, 128));
        manager->RefreshSystemColors();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(manager->FlatSelectBrush(i)->Color(), RGB(10, 36, 106)) << "face " << face << " brush " << i;
    }
}

TEST_F(BarManagerTest, BuiltInDockSitesAreEmptyChildWindowsSizedByDockControlHeights)
{
    const std::pair<TzqBarDockingStyle, TAlign> sides[] = {{TzqBarDockingStyle::dsLeft, TAlign::alLeft},
                                                           {TzqBarDockingStyle::dsTop, TAlign::alTop},
                                                           {TzqBarDockingStyle::dsRight, TAlign::alRight},
                                                           {TzqBarDockingStyle::dsBottom, TAlign::alBottom}};
    for (auto [style, align] : sides) {
        TzqDockControl* site = manager->Bars()->DockSite(style);
        ASSERT_NE(site, nullptr);
        EXPECT_EQ(site->Parent(), form);
        EXPECT_EQ(site->Align(), align);
        EXPECT_EQ(site->DockingStyle(), style);
        EXPECT_EQ(site->ControlCount(), 0);
    }
    EXPECT_EQ(manager->Bars()->DockSite(TzqBarDockingStyle::dsNone), nullptr);
    EXPECT_EQ(manager->DockControlHeights(), (std::array<int, 4>{0, 0, 0, 0}));

    manager->SetDockControlHeights({10, 20, 53, 7});
    EXPECT_EQ(manager->DockControlHeights(), (std::array<int, 4>{10, 20, 53, 7}));
    EXPECT_EQ(manager->Bars()->DockSite(TzqBarDockingStyle::dsLeft)->Width(), 10);
    EXPECT_EQ(manager->Bars()->DockSite(TzqBarDockingStyle::dsRight)->Width(), 20);
    EXPECT_EQ(manager->Bars()->DockSite(TzqBarDockingStyle::dsTop)->Height(), 53);
    EXPECT_EQ(manager->Bars()->DockSite(TzqBarDockingStyle::dsBottom)->Height(), 7);
}

TEST_F(BarManagerTest, AFormGoingAwayTakesSitesItemsAndManagerWithoutDangling)
{
    TzqBarButton* button = Make("bbOne");
    TzqBar* bar = AddBar("Tools");
    Link(bar->ItemLinks(), button);
    bar->SetDockingStyle(TzqBarDockingStyle::dsTop);
    bar->SetVisible(true);
    delete form;
    form = nullptr;
    EXPECT_TRUE(TzqBarManagerList::All().empty());
}

class TUnregisteredButton : public TzqBarButton {
public:
    using TzqBarButton::TzqBarButton;
};

TEST_F(BarManagerTest, ItemKindsAreLookedUpByExactClass)
{
    struct Case {
        TzqBarItem* item;
        bool rotated;
        std::string control;
    };
    const Case cases[] = {
        {Make<TzqBarButton>("a"), false, "TzqBarButtonControl"},
        {Make<TzqBarEdit>("b"), false, "TzqBarEditControl"},
        {Make<TzqBarEdit>("c"), true, "TzqBarButtonControl"},
        {Make<TzqBarCombo>("d"), true, "TzqBarButtonControl"},
        {Make<TzqBarCombo>("e"), false, "TzqBarComboControl"},
        {Make<TzqBarSubItem>("f"), true, "TzqBarSubItemControl"},
        {Make<TzqBarListItem>("g"), false, "TzqBarContainerItemControl"},
        {Make<TzqBarCustomCombo>("h"), false, ""}, // not registered itself
        {Make<TUnregisteredButton>("i"), false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TzqBarItemKinds::ControlClassFor(*c.item, c.rotated), c.control) << c.item->Name();
    EXPECT_EQ(TzqBarItemKinds::All().size(), 10u);
}

TEST_F(BarManagerTest, TheNthShownKindCountsShownKindsOnly)
{
    EXPECT_EQ(TzqBarItemKinds::ShownCount(), 7);
    const char* shown[] = {"TzqBarButton",  "TzqBarEdit",     "TCustomzqBarCombo",  "TzqBarCombo",
                           "TzqBarSubItem", "TzqBarListItem", "TzqBarContainerItem"};
    for (int n = 0; n < 7; ++n)
        EXPECT_EQ(TzqBarItemKinds::Shown(n)->ItemClassName, shown[n]);
    EXPECT_EQ(TzqBarItemKinds::Shown(7), nullptr);
    EXPECT_EQ(TzqBarItemKinds::Shown(-1), nullptr);
}

TEST_F(BarManagerTest, TheFourCursorsAreRegisteredWithPicturesOfTheirOwn)
{
    std::vector<std::vector<TColor>> pictures;
    for (HCURSOR cursor : {ZQBARDRAGCURSOR, ZQBARDRAGCOPYCURSOR, ZQBARDRAGNODROPCURSOR, ZQBAREDITSIZINGCURSOR}) {
        EXPECT_TRUE(IsCustomCursor(cursor)) << cursor;
        TBitmap image, mask;
        PaintBarCursor(cursor, image, mask);
        ASSERT_EQ(image.Width(), 32);
        ASSERT_EQ(mask.Width(), 32);
        int shown = 0;
        std::vector<TColor> pixels;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                shown += mask.Pixel(x, y) == 0 ? 1 : 0;
                pixels.push_back(mask.Pixel(x, y) == 0 ? image.Pixel(x, y) : 0x1);
            }
        EXPECT_GT(shown, 40) << cursor;
        EXPECT_LT(shown, 32 * 32 / 2) << cursor;
        pictures.push_back(pixels);
    }
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j << " look the same";
#ifdef VELMORA_BINARY_DIR
    // The four side by side, enlarged, for people to look at.
    TBitmap sheet(4 * 32 * 4 + 40, 32 * 4 + 20);
    sheet.Fill(RGB(0x80, 0xA0, 0x90));
    int n = 0;
    for (HCURSOR cursor : {ZQBARDRAGCURSOR, ZQBARDRAGCOPYCURSOR, ZQBARDRAGNODROPCURSOR, ZQBAREDITSIZINGCURSOR}) {
        TBitmap image, mask;
        PaintBarCursor(cursor, image, mask);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (mask.Pixel(x / 4, y / 4) == 0)
                    sheet.SetPixel(10 + n * 138 + x, 10 + y, image.Pixel(x / 4, y / 4));
        ++n;
    }
    sheet.SaveToPngFile(std::string(VELMORA_BINARY_DIR) + "/bar-cursors.png");
#endif
}

TEST_F(BarManagerTest, CanDockingAsksTheBarTheManagerTheSiteAndTheHandler)
{
    TzqBar* bar = AddBar("Tools");
    auto* userSite = new TzqBarDockControl(form);
    userSite->SetParent(form);
    userSite->SetBarManager(manager);
    TzqDockControl* top = manager->Bars()->DockSite(TzqBarDockingStyle::dsTop);
    using D = TzqBarDockingStyle;

    EXPECT_TRUE(manager->CanDocking(bar, D::dsTop, top));
    EXPECT_TRUE(manager->CanDocking(bar, D::dsNone, nullptr));
    bar->SetNotDocking({D::dsTop});
    EXPECT_FALSE(manager->CanDocking(bar, D::dsTop, top));
    EXPECT_FALSE(manager->CanDocking(bar, D::dsTop, userSite));
    bar->SetNotDocking({});
    manager->SetNotDocking({D::dsLeft});
    EXPECT_FALSE(manager->CanDocking(bar, D::dsLeft, manager->Bars()->DockSite(D::dsLeft)));
    EXPECT_TRUE(manager->CanDocking(bar, D::dsLeft, userSite)); // a user site decides itself
    userSite->SetAllowDocking(false);
    EXPECT_FALSE(manager->CanDocking(bar, D::dsTop, userSite));

    manager->OnDocking = [](TzqBar*, TzqBarDockingStyle style, TzqDockControl*, bool& can) {
        can = style == TzqBarDockingStyle::dsBottom;
    };
    EXPECT_TRUE(manager->CanDocking(bar, D::dsBottom, manager->Bars()->DockSite(D::dsBottom)));
    EXPECT_FALSE(manager->CanDocking(bar, D::dsTop, top));
}

TEST_F(BarManagerTest, UserDockSitesJoinTheListAndTakeTheirBarsWhenTheyGo)
{
    auto* userSite = new TzqBarDockControl(form);
    userSite->SetParent(form);
    userSite->SetBarManager(manager);
    userSite->SetAlign(TzqBarDockAlign::dalLeft);
    ASSERT_EQ(manager->DockControlCount(), 1);
    TzqBar* bar = AddBar("Tools");
    bar->SetDockControl(userSite);
    bar->SetVisible(true);
    EXPECT_EQ(bar->DockingStyle(), TzqBarDockingStyle::dsLeft);
    EXPECT_EQ(bar->DockedDockControl(), userSite);

    // A site of another manager is not taken.
    TForm other(nullptr);
    auto* otherManager = new TzqBarManager(&other);
    auto* foreignSite = new TzqBarDockControl(&other);
    foreignSite->SetBarManager(otherManager);
    bar->SetDockControl(foreignSite);
    EXPECT_EQ(bar->DockControl(), userSite);

    delete userSite;
    EXPECT_EQ(manager->DockControlCount(), 0);
    EXPECT_EQ(bar->DockControl(), nullptr);
    EXPECT_EQ(bar->DockedDockControl(), nullptr);
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(bar->DockedDockingStyle(), TzqBarDockingStyle::dsLeft);
}

TEST_F(BarManagerTest, LockingHoldsTheBarsAndReleasesThemOnTheLastEnd)
{
    TzqBar* docked = AddBar("Docked");
    docked->SetDockingStyle(TzqBarDockingStyle::dsTop);
    TzqBar* floating = AddBar("Floating");
    docked->LayoutDone();
    floating->LayoutDone();

    manager->BeginLock();
    manager->BeginLock();
    EXPECT_TRUE(manager->LockUpdate());
    EXPECT_TRUE(docked->HoldLayout());
    manager->EndLock();
    EXPECT_TRUE(docked->HoldLayout());
    manager->EndLock();
    EXPECT_FALSE(manager->LockUpdate());
    EXPECT_FALSE(docked->HoldLayout());
    EXPECT_TRUE(docked->LayoutPending());
    EXPECT_FALSE(floating->LayoutPending());
}

TEST_F(BarManagerTest, ALockTakenByABulkChangeIsReleasedWhenAHandlerThrows)
{
    manager->SetAutoHideEmptyBars(true);
    TzqBar* bar = AddBar("Tools");
    Link(bar->ItemLinks(), Make("bbOne"));
    bar->SetVisible(true);
    manager->OnBarVisibleChange = [](TzqBarManager*, TzqBar*) { throw Exception("handler failed"); };
    EXPECT_THROW(manager->SetCategoryItemsVisible(0, TzqBarItemVisible::ivNever), Exception);
    EXPECT_FALSE(manager->LockUpdate());
    EXPECT_FALSE(bar->HoldLayout());
}

TEST_F(BarManagerTest, ChangesOutsideLoadingMarkTheManagerModified)
{
    EXPECT_FALSE(manager->Modified());
    TzqBar* bar = AddBar("Tools");
    EXPECT_TRUE(manager->Modified());
    manager->SetModified(false);
    Link(bar->ItemLinks(), Make("bbOne"));
    EXPECT_TRUE(manager->Modified());
    manager->SetModified(false);
    manager->Categories()->Add("File");
    EXPECT_TRUE(manager->Modified());
}

TEST_F(BarManagerTest, LookupsByNameAndCaption)
{
    TzqBarButton* one = Make("bbOne");
    Make("bbTwo");
    TzqBar* tools = AddBar("Tools");
    EXPECT_EQ(manager->ItemByName("BBONE"), one);
    EXPECT_EQ(manager->ItemByName("missing"), nullptr);
    EXPECT_EQ(manager->BarByCaption("Tools"), tools);
    EXPECT_EQ(manager->BarByCaption("tools"), nullptr);
    EXPECT_EQ(manager->BarByName("Tools"), tools);

    manager->MoveItem(0, 1);
    EXPECT_EQ(manager->Items(1), one);
    manager->ExchangeItems(0, 1);
    EXPECT_EQ(manager->Items(0), one);
    manager->MoveItem(0, 5); // outside the pool: nothing
    EXPECT_EQ(manager->Items(0), one);
}

} // namespace
