// The main window's furniture driven headless: where its components stand at the design
// resolution and scaled, the menu bar and toolbar reached by keys and the mouse, the
// side bar's colours and its about page, and a start that stores nothing.
#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarControl.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarSubItem.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "dborgchart/DbOrgChart.h"
#include "demo/AboutPage.h"
#include "demo/ExportDialog.h"
#include "demo/FindBox.h"
#include "demo/MainForm.h"
#include "demo/OptionsForm.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/CustomEdit.h"
#include "platform/controls/MessageBoxForm.h"
#include "platform/controls/Panel.h"
#include "platform/controls/Splitter.h"
#include "platform/core/VirtualKeys.h"
#include "platform/data/Table.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/WinApi.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarBackGround.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroup.h"
#include "sidebar/SideGroups.h"
#include "sidebar/SideItemViewInfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

class MainFormFurnitureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("velmora-furniture-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "config");
        fs::copy_file(fs::path(VELMORA_DEMO_DIR) / "ARBOLO.DB", folder / "ARBOLO.DB");
        std::ofstream(folder / AboutPage::kFileName) << "<html><body>About</body></html>\n";
        TMainForm::SetProgramFolderForTests(folder.string() + "/");
        // The user's settings go to a folder of the test's own.
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            savedConfigHome = old;
        ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        SetMessageBoxHandler([this](const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }

    void Start(int pixelsPerInch = 96)
    {
        driver.Backend().SetPixelsPerInch(pixelsPerInch);
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        app->SetTitle("VelmoraOrgChart Demo");
        app->CreateForm<TMainForm>();
        app->CreateForm<TOptionsForm>();
        MainForm->Show();
        driver.PaintAll();
        driver.Pump();
    }

    void TearDown() override
    {
        app.reset();
        SetMessageBoxHandler({});
        TMainForm::SetProgramFolderForTests({});
        if (savedConfigHome.empty())
            ::unsetenv("XDG_CONFIG_HOME");
        else
            ::setenv("XDG_CONFIG_HOME", savedConfigHome.c_str(), 1);
        fs::remove_all(folder);
    }

    TzqDbOrgChart* Tree() { return MainForm->Tree; }
    TzqBarManager* Bars() { return MainForm->zqBarManager1; }
    TzqBar* Toolbar() { return Bars()->BarByCaption("OrgChart Toolbar"); }

    // Clicks the middle of an item's button on a docked bar, as the mouse does.
    void ClickOnBar(TzqBar* bar, TzqBarItem* item)
    {
        TzqBarItemLink* link = nullptr;
        for (int i = 0; i < bar->ItemLinks()->Count(); ++i)
            if (bar->ItemLinks()->Items(i)->Item() == item)
                link = bar->ItemLinks()->Items(i);
        ASSERT_NE(link, nullptr) << item->Name();
        auto* control = dynamic_cast<TWinControl*>(bar->Control());
        ASSERT_NE(control, nullptr);
        const TRect r = link->ItemRect();
        ASSERT_FALSE(r.IsEmpty()) << item->Name();
        driver.ClickAt(control->Handle(), TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }

    // Clicks the middle of a side-bar item's picture.
    void ClickSideBarItem(int index)
    {
        TzqSideBar* bar = MainForm->SideBar;
        bar->CalculateLayout();
        const TzqSideItemViewInfo* info = bar->ViewInfo()->FindItem(bar->ActiveGroup()->Items()->Items(index));
        ASSERT_NE(info, nullptr);
        const TRect r = info->ImageFrame;
        driver.ClickAt(bar->Handle(), TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }

    static int FilesIn(const fs::path& dir)
    {
        int files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            files += entry.is_regular_file();
        return files;
    }

    fs::path folder;
    std::string savedConfigHome;
    std::vector<std::string> messages;
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
};

// ---- Where the components stand ----

template <typename T>
bool IsA(TComponent* c)
{
    return dynamic_cast<T*>(c) != nullptr;
}

struct LayoutRow {
    const char* name;
    bool (*kind)(TComponent*);
    const char* kindName;
    const char* parent;
    TAlign align;
    int at;   // left for left and right, top for top, in the parent at design size
    int size; // width for left and right, height for top; 0: fills what is left
};

// The design values, at 120 pixels per inch, in the window's design client area of
// 638 x 382: the bars take 53, the chart 278 of the 510 beside the side bar.
const LayoutRow kLayout[] = {
    {"MainPanel", IsA<TPanel>, "TPanel", "MainForm", TAlign::alClient, 53, 0},
    {"Panel1", IsA<TPanel>, "TPanel", "MainPanel", TAlign::alTop, 0, 2},
    {"SideBar", IsA<TzqSideBar>, "TzqSideBar", "MainPanel", TAlign::alLeft, 0, 124},
    {"Splitter1", IsA<TSplitter>, "TSplitter", "MainPanel", TAlign::alLeft, 124, 4},
    {"ClientPanel", IsA<TPanel>, "TPanel", "MainPanel", TAlign::alClient, 128, 0},
    {"Tree", IsA<TzqDbOrgChart>, "TzqDbOrgChart", "ClientPanel", TAlign::alClient, 0, 0},
    {"Splitter2", IsA<TSplitter>, "TSplitter", "ClientPanel", TAlign::alRight, 278, 3},
    {"DBInspector", IsA<TPanel>, "TPanel", "ClientPanel", TAlign::alRight, 281, 229},
};

class MainFormLayoutTest : public MainFormFurnitureTest, public ::testing::WithParamInterface<int> {};

TEST_P(MainFormLayoutTest, EveryComponentHasItsKindParentAlignmentAndScaledSize)
{
    const int ppi = GetParam();
    Start(ppi);
    for (const LayoutRow& row : kLayout) {
        SCOPED_TRACE(row.name);
        auto* control = dynamic_cast<TControl*>(MainForm->FindComponent(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(row.kind(control)) << "not a " << row.kindName;
        ASSERT_NE(control->Parent(), nullptr);
        EXPECT_EQ(control->Parent()->Name(), row.parent);
        EXPECT_EQ(control->Align(), row.align);
        // A scaled window scales the edges, so a size is the distance of its scaled edges.
        const int expected = MulDiv(row.at + row.size, ppi, 120) - MulDiv(row.at, ppi, 120);
        if (row.align == TAlign::alLeft || row.align == TAlign::alRight) {
            EXPECT_EQ(control->Width(), expected);
        } else if (row.align == TAlign::alTop) {
            EXPECT_EQ(control->Height(), expected);
        }
    }
    // The bars dock at the top in two rows; the panels fill the client area below them.
    TzqDockControl* top = Bars()->Bars()->DockSite(TzqBarDockingStyle::dsTop);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->Parent(), MainForm);
    EXPECT_EQ(top->Align(), TAlign::alTop);
    ASSERT_EQ(top->RowCount(), 2);
    EXPECT_EQ(top->Height(), top->Rows(0).Thickness + top->Rows(1).Thickness);
    EXPECT_EQ(MainForm->MainPanel->Top(), top->Height());
    EXPECT_EQ(MainForm->MainPanel->Height(), MainForm->ClientHeight() - top->Height());
    EXPECT_EQ(MainForm->MainPanel->Width(), MainForm->ClientWidth());
    // Side by side without gaps: side bar, splitter, then the chart and the inspector.
    EXPECT_EQ(MainForm->Splitter1->Left(), MainForm->SideBar->Width());
    EXPECT_EQ(MainForm->ClientPanel->Left(), MainForm->SideBar->Width() + MainForm->Splitter1->Width());
    EXPECT_EQ(MainForm->DBInspector->Left() + MainForm->DBInspector->Width(), MainForm->ClientPanel->ClientWidth());
    EXPECT_EQ(MainForm->Splitter2->Left() + MainForm->Splitter2->Width(), MainForm->DBInspector->Left());
    EXPECT_EQ(MainForm->Splitter1->MinSize(), 90);
    EXPECT_EQ(Bars()->Name(), "zqBarManager1");
    EXPECT_EQ(Bars()->Owner(), MainForm);
    EXPECT_EQ(MainForm->ClientPanel->TabOrder(), 0);
    EXPECT_EQ(Tree()->TabOrder(), 0);
}

INSTANTIATE_TEST_SUITE_P(DesignAndScreenResolution, MainFormLayoutTest, ::testing::Values(120, 96));

// ---- The bar items in the window ----

TEST_F(MainFormFurnitureTest, TheWindowOwnsEveryBarItemUnderItsNameAndBindsTheCommands)
{
    Start();
    const std::pair<const char*, TzqBarSubItem* TMainForm::*> menus[] = {
        {"bsFile", &TMainForm::bsFile}, {"bsEdit", &TMainForm::bsEdit}, {"sbView", &TMainForm::sbView}};
    for (const auto& [name, member] : menus) {
        SCOPED_TRACE(name);
        ASSERT_NE(MainForm->*member, nullptr);
        EXPECT_EQ(MainForm->FindComponent(name), MainForm->*member);
        EXPECT_EQ(Bars()->ItemByName(name), MainForm->*member);
    }
    const std::pair<const char*, TzqBarButton* TMainForm::*> buttons[] = {
        {"bbOptions", &TMainForm::bbOptions},       {"bbExit", &TMainForm::bbExit},
        {"bbExport", &TMainForm::bbExport},         {"bbPrint", &TMainForm::bbPrint},
        {"bsAddNode", &TMainForm::bsAddNode},       {"bbAddChild", &TMainForm::bbAddChild},
        {"bbRenameNode", &TMainForm::bbRenameNode}, {"bbDeleteNode", &TMainForm::bbDeleteNode},
        {"bbZoom", &TMainForm::bbZoom},             {"bbRotate", &TMainForm::bbRotate},
        {"bbAnimate", &TMainForm::bbAnimate},       {"bb3D", &TMainForm::bb3D},
        {"bbFullExpand", &TMainForm::bbFullExpand}, {"bbFullCollaps", &TMainForm::bbFullCollaps},
        {"bbUndo", &TMainForm::bbUndo},             {"bbRedo", &TMainForm::bbRedo},
        {"bbFind", &TMainForm::bbFind},
    };
    for (const auto& [name, member] : buttons) {
        SCOPED_TRACE(name);
        ASSERT_NE(MainForm->*member, nullptr);
        EXPECT_EQ(MainForm->FindComponent(name), MainForm->*member);
        EXPECT_TRUE(static_cast<bool>((MainForm->*member)->OnClick)) << "no handler";
    }
    EXPECT_EQ(Bars()->ItemCount(), 20);
    // In the window the bars are docked where the definition puts them.
    TzqDockControl* top = Bars()->Bars()->DockSite(TzqBarDockingStyle::dsTop);
    EXPECT_EQ(top->Rows(0).Cols.front().BarControl->Bar(), Bars()->MainMenuBar());
    EXPECT_EQ(top->Rows(1).Cols.front().BarControl->Bar(), Toolbar());
}

// ---- Commands through the keys and the mouse ----

TEST_F(MainFormFurnitureTest, AltXEndsTheProgramFromTheChartAndFromTheFindBox)
{
    for (bool inFindBox : {false, true}) {
        SCOPED_TRACE(inFindBox ? "find box" : "chart");
        Start();
        if (inFindBox) {
            driver.PressKey('F', THeadlessDriver::Ctrl);
            ASSERT_TRUE(MainForm->FindBox->Edit()->Focused());
        } else {
            Tree()->SetFocus();
        }
        EXPECT_FALSE(app->Terminated());
        driver.PressKey('X', THeadlessDriver::Alt);
        EXPECT_TRUE(app->Terminated());
        EXPECT_FALSE(MainForm->Visible());
        EXPECT_TRUE(messages.empty());
        app.reset();
    }
}

TEST_F(MainFormFurnitureTest, TheEditMenuAndTheToolbarRunTheChartCommands)
{
    Start();
    Tree()->SetFocus();
    Tree()->SetSelected(Tree()->Items(0));
    const int nodes = Tree()->Count();
    // Alt+E opens the Edit menu, A picks "&Add Node": a sibling before the selection.
    driver.PressKey('E', THeadlessDriver::Alt);
    driver.PressKey('A');
    ASSERT_EQ(Tree()->Count(), nodes + 1);
    TzqOcNode* added = Tree()->Selected();
    EXPECT_EQ(added->Text(), "New topic");
    EXPECT_EQ(added->Parent(), nullptr);
    // The toolbar's "Add Child Node " under the mouse: a child of the new node.
    ClickOnBar(Toolbar(), MainForm->bbAddChild);
    ASSERT_EQ(Tree()->Count(), nodes + 2);
    EXPECT_EQ(Tree()->Selected()->Parent(), added);
    // And "Delete Node" takes the branch away again.
    Tree()->SetSelected(added);
    ClickOnBar(Toolbar(), MainForm->bbDeleteNode);
    EXPECT_EQ(Tree()->Count(), nodes);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainFormFurnitureTest, UndoAndRedoRunByKeysAndTheEditMenuFollowingTheHistory)
{
    Start();
    Tree()->SetFocus();
    Tree()->SetSelected(Tree()->Items(0));
    const int nodes = Tree()->Count();
    // The records as a second connection to the file reads them.
    const auto records = [this] {
        TTable reader;
        reader.SetDatabaseName(folder.string());
        reader.SetTableName("ARBOLO.DB");
        reader.Open();
        std::string out;
        for (reader.First(); !reader.Eof(); reader.Next())
            out += reader.FieldByName("ID")->AsString() + ":" + reader.FieldByName("NAME")->AsString() + ";";
        return out;
    };
    const std::string before = records();
    EXPECT_FALSE(MainForm->bbUndo->Enabled());
    EXPECT_FALSE(MainForm->bbRedo->Enabled());

    // Add Node with its look is one step of the history.
    driver.PressKey('E', THeadlessDriver::Alt);
    driver.PressKey('A');
    ASSERT_EQ(Tree()->Count(), nodes + 1);
    const std::string added = records();
    EXPECT_NE(added.find("New topic"), std::string::npos);
    EXPECT_TRUE(MainForm->bbUndo->Enabled());
    EXPECT_EQ(MainForm->bbUndo->Hint(), "Undo Add Node");
    EXPECT_FALSE(MainForm->bbRedo->Enabled());

    struct Step {
        const char* what;
        std::function<void()> keys;
        bool undone;
    };
    const Step steps[] = {
        {"Ctrl+Z", [this] { driver.PressKey('Z', THeadlessDriver::Ctrl); }, true},
        {"Ctrl+Y", [this] { driver.PressKey('Y', THeadlessDriver::Ctrl); }, false},
        {"Alt+E U",
         [this] {
             driver.PressKey('E', THeadlessDriver::Alt);
             driver.PressKey('U');
         },
         true},
        {"Ctrl+Shift+Z", [this] { driver.PressKey('Z', THeadlessDriver::Ctrl | THeadlessDriver::Shift); }, false},
        {"Ctrl+Z again", [this] { driver.PressKey('Z', THeadlessDriver::Ctrl); }, true},
        {"Alt+E E",
         [this] {
             driver.PressKey('E', THeadlessDriver::Alt);
             driver.PressKey('E');
         },
         false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.keys();
        EXPECT_EQ(records(), step.undone ? before : added);
        EXPECT_EQ(Tree()->Count(), step.undone ? nodes : nodes + 1);
        EXPECT_EQ(MainForm->bbUndo->Enabled(), !step.undone);
        EXPECT_EQ(MainForm->bbRedo->Enabled(), step.undone);
    }
    // With nothing to redo, Ctrl+Y does nothing.
    driver.PressKey('Y', THeadlessDriver::Ctrl);
    EXPECT_EQ(records(), added);

    // Alt+E F opens the find box.
    driver.PressKey('E', THeadlessDriver::Alt);
    driver.PressKey('F');
    EXPECT_TRUE(MainForm->FindBox->Edit()->Focused());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainFormFurnitureTest, AnUndoRefusedAfterAnotherChangeIsReportedInAMessageBox)
{
    Start();
    Tree()->SetFocus();
    TzqOcNode* node = Tree()->Items(0);
    Tree()->SetSelected(node);
    node->AssignText("Board");
    // Another control changes the same record's caption.
    MainForm->Table->Edit();
    MainForm->Table->FieldByName("NAME")->SetAsString("Council");
    MainForm->Table->Post();
    driver.PressKey('Z', THeadlessDriver::Ctrl);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Cannot undo \"Rename Node\""), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("NAME is \"Council\" now, not \"Board\""), std::string::npos) << messages[0];
    EXPECT_EQ(MainForm->Table->FieldByName("NAME")->AsString(), "Council");
    EXPECT_FALSE(MainForm->bbUndo->Enabled());
}

TEST_F(MainFormFurnitureTest, TheViewMenuTogglesZoomByKeys)
{
    Start();
    Tree()->SetFocus();
    driver.PressKey('V', THeadlessDriver::Alt);
    driver.PressKey('Z');
    EXPECT_TRUE(MainForm->bbZoom->Down());
    EXPECT_TRUE(Tree()->Zoom());
    driver.PressKey('V', THeadlessDriver::Alt);
    driver.PressKey('Z');
    EXPECT_FALSE(MainForm->bbZoom->Down());
    EXPECT_FALSE(Tree()->Zoom());
}

// ---- The side bar ----

TEST_F(MainFormFurnitureTest, TheSideBarHasItsSettingsGroupAndItems)
{
    Start();
    TzqSideBar* bar = MainForm->SideBar;
    EXPECT_EQ(bar->PaintStyle(), TzqsbPaintStyle::sbpsXP);
    EXPECT_FALSE(bar->ShowGroups());
    EXPECT_TRUE(bar->CanSelected());
    EXPECT_FALSE(bar->StoreInRegistry());
    EXPECT_FALSE(bar->TransparentImages());
    EXPECT_EQ(bar->ScrollDelay(), 300);
    EXPECT_EQ(bar->SpaceHeight(), 11);
    EXPECT_EQ(bar->GroupHeightOffSet(), 0);
    EXPECT_EQ(bar->BkGround()->BeginColor(), clGrayText);
    EXPECT_EQ(bar->BkGround()->EndColor(), clGrayText);
    EXPECT_EQ(bar->BkGround()->FillStyle(), TzqSideBarFillStyle::bfsNone);
    EXPECT_EQ(bar->LargeImages(), MainForm->SaidBar);
    EXPECT_EQ(MainForm->SaidBar->Count(), 3);
    EXPECT_EQ(MainForm->SaidBar->Width(), 32);
    for (TFont* font : {bar->GroupFont(), bar->ItemFont()}) {
        EXPECT_EQ(font->Name(), "MS Sans Serif");
        EXPECT_EQ(font->Height(), -11);
    }
    EXPECT_EQ(bar->GroupFont()->Color(), clWindowText);
    EXPECT_EQ(bar->ItemFont()->Color(), clWindowText) << "the start changes the stored white";

    ASSERT_EQ(bar->Groups()->Count(), 1);
    TzqSideGroup* group = bar->Groups()->Items(0);
    EXPECT_EQ(group->Caption(), "New Group");
    EXPECT_EQ(group->IconType(), TzqSideGroupIconType::zqsgLargeIcon);
    EXPECT_EQ(bar->ActiveGroup(), group);
    struct Item {
        const char* caption;
        int largeImage;
        int tag;
    };
    const Item items[] = {{"Velmora OrgChart", 0, 1}, {"Korvath on the Web", 1, 2}};
    ASSERT_EQ(group->Items()->Count(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(items[i].caption);
        TzqSideBarItem* item = group->Items()->Items(i);
        EXPECT_EQ(item->Caption(), items[i].caption);
        EXPECT_TRUE(item->IsDefault());
        EXPECT_EQ(item->LargeImage(), items[i].largeImage);
        EXPECT_EQ(item->SmallImage(), -1);
        EXPECT_EQ(item->Tag(), items[i].tag);
    }
}

TEST_F(MainFormFurnitureTest, TheSideBarColourIsTheButtonFaceLiftedBySixteenPerCentTowardsWhite)
{
    // Faces whose channels round up, round down and sit at the ends of the range.
    struct Face {
        COLORREF face;
        COLORREF expected;
    };
    const Face faces[] = {
        // 212 + 43*16/100 = 218.88, 208 + 7.52, 200 + 8.8
        {RGB(212, 208, 200), RGB(219, 216, 209)},
        // 192 + 10.08, 0 + 40.8, 255 + 0
        {RGB(192, 0, 255), RGB(202, 41, 255)},
    };
    const COLORREF saved = GetSysColor(COLOR_BTNFACE);
    for (const Face& f : faces) {
        SetSysColor(COLOR_BTNFACE, f.face);
        Start();
        EXPECT_EQ(ColorToRGB(MainForm->SideBar->Color()), f.expected) << std::hex << f.face;
        app.reset();
    }
    SetSysColor(COLOR_BTNFACE, saved);
}

TEST_F(MainFormFurnitureTest, OnlyTheItemWithTag2OpensTheAboutPageBesideTheProgram)
{
    Start();
    const std::string page = AboutPage::FileAddress((folder / AboutPage::kFileName).string());
    ClickSideBarItem(0);
    EXPECT_TRUE(driver.Backend().OpenedUrls().empty()) << "Tag 1 does nothing";
    ClickSideBarItem(1);
    EXPECT_EQ(driver.Backend().OpenedUrls(), std::vector<std::string>{page});
    EXPECT_EQ(page.rfind("file:///", 0), 0u) << "a local file address: " << page;
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainFormFurnitureTest, AnAboutPageThatCannotBeOpenedIsReportedInAMessageBox)
{
    Start();
    // The desktop has no program for the page.
    driver.Backend().SetOpenUrlSucceeds(false);
    ClickSideBarItem(1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("could not be opened"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find(AboutPage::kFileName), std::string::npos) << messages[0];
    // The page is not there: nothing is asked of the desktop, and the message says where
    // it was looked for.
    messages.clear();
    driver.Backend().SetOpenUrlSucceeds(true);
    fs::remove(folder / AboutPage::kFileName);
    const size_t opened = driver.Backend().OpenedUrls().size();
    ClickSideBarItem(1);
    EXPECT_EQ(driver.Backend().OpenedUrls().size(), opened);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("was not found"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find((folder / AboutPage::kFileName).string()), std::string::npos) << messages[0];
    EXPECT_TRUE(MainForm->Visible());
}

TEST(AboutPageTest, TheAddressEscapesWhatAFileAddressCannotHoldAsItIs)
{
    EXPECT_EQ(AboutPage::FileAddress("/opt/velmora/about.html"), "file:///opt/velmora/about.html");
    EXPECT_EQ(AboutPage::FileAddress("/home/ann lee/50%/#1/caf\xc3\xa9.html"),
              "file:///home/ann%20lee/50%25/%231/caf%C3%A9.html");
    const std::vector<std::string> places = AboutPage::Candidates("/opt/velmora/bin");
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0], "/opt/velmora/bin/about.html");
    EXPECT_EQ(places[1].rfind("/opt/velmora/bin/", 0), 0u);
    EXPECT_NE(places[1], places[0]);
    EXPECT_EQ(AboutPage::Address("/nonexistent-velmora-folder/"), "");
}

// ---- Nothing stored; bad tables ----

TEST_F(MainFormFurnitureTest, NothingIsStoredAndTheNextStartShowsTheSameBarsAndSideBar)
{
    Start();
    // What a user may change: a View switch, the toolbar floated, the side bar's selection.
    MainForm->bbZoom->DirectClick();
    Toolbar()->SetDockingStyle(TzqBarDockingStyle::dsNone);
    ClickSideBarItem(0);
    driver.PressKey('X', THeadlessDriver::Alt);
    ASSERT_TRUE(app->Terminated());
    app.reset();
    EXPECT_EQ(FilesIn(folder / "config"), 0) << "the user's settings folder got a file";

    Start();
    EXPECT_FALSE(MainForm->bbZoom->Down());
    EXPECT_FALSE(Tree()->Zoom());
    EXPECT_EQ(Toolbar()->DockingStyle(), TzqBarDockingStyle::dsTop);
    EXPECT_EQ(Toolbar()->Row(), 1);
    EXPECT_EQ(MainForm->SideBar->ActiveGroup()->Items()->Count(), 2);
    app.reset();
    EXPECT_EQ(FilesIn(folder / "config"), 0);
}

TEST_F(MainFormFurnitureTest, WithoutAUsableTableTheWindowsMenusToolbarAndSideBarStillWork)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        const char* message; // part of the one message shown
    };
    const Case cases[] = {
        {"a missing table", [](const fs::path&) {}, "ARBOLO.DB' does not exist"},
        {"a file that is no database",
         [](const fs::path& f) { std::ofstream(f, std::ios::binary) << std::string(3000, '\x9c'); }, "is not a database"},
        {"a table short of columns",
         [](const fs::path& f) {
             const std::string sql = "CREATE TABLE ARBOLO (ID INTEGER PRIMARY KEY, NAME VARCHAR(100));"
                                     " INSERT INTO ARBOLO VALUES (1, 'a');";
             ASSERT_EQ(std::system(("sqlite3 '" + f.string() + "' \"" + sql + "\"").c_str()), 0);
         },
         "Field 'PARENT' not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(folder / "ARBOLO.DB");
        c.make(folder / "ARBOLO.DB");
        messages.clear();
        Start();
        ASSERT_EQ(messages.size(), 1u) << "one clear message";
        EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
        EXPECT_EQ(Tree()->Count(), 0);
        EXPECT_FALSE(MainForm->Table->Active());
        Tree()->SetFocus();
        // Every command of the Edit menu and the toolbar: nothing happens, nothing is said.
        driver.PressKey('E', THeadlessDriver::Alt);
        driver.PressKey('A');
        for (TzqBarButton* b : {MainForm->bbAddChild, MainForm->bbRenameNode, MainForm->bbDeleteNode,
                                MainForm->bbFullExpand, MainForm->bbFullCollaps})
            ClickOnBar(Toolbar(), b);
        EXPECT_EQ(Tree()->Count(), 0);
        EXPECT_EQ(messages.size(), 1u);
        // The View switches still switch the (empty) chart.
        driver.PressKey('V', THeadlessDriver::Alt);
        driver.PressKey('R');
        EXPECT_TRUE(MainForm->bbRotate->Down());
        EXPECT_TRUE(Tree()->Rotated());
        const size_t opened = driver.Backend().OpenedUrls().size();
        ClickSideBarItem(1);
        EXPECT_EQ(driver.Backend().OpenedUrls().size(), opened + 1);
        driver.PressKey('X', THeadlessDriver::Alt);
        EXPECT_TRUE(app->Terminated());
        app.reset();
    }
}

} // namespace

// ---- Export ----

TEST_F(MainFormFurnitureTest, CtrlEWritesAPictureOfTheWholeChartWhereTheDialogSaysAndAsksBeforeReplacingAFile)
{
    Start();
    Tree()->SetFocus();
    const fs::path file = folder / "chart.png";
    int answer = IDNO;
    SetMessageBoxHandler([&](const std::string& text, const std::string&, UINT) {
        messages.push_back(text);
        return answer;
    });
    // Ctrl+E opens the dialog; the idle action types the name and closes it by key.
    auto exportTo = [&](const fs::path& name, WORD closingKey) {
        driver.Backend().PushIdleAction([this, name, closingKey] {
            ASSERT_NE(MainForm->ExportDialog, nullptr);
            ASSERT_TRUE(MainForm->ExportDialog->Visible());
            MainForm->ExportDialog->edFileName->SetText(name.string());
            driver.PressKey(closingKey);
        });
        driver.PressKey('E', THeadlessDriver::Ctrl);
    };

    exportTo(file, VK_ESCAPE);
    EXPECT_FALSE(fs::exists(file)) << "Escape cancels";

    exportTo(file, VK_RETURN);
    ASSERT_TRUE(fs::exists(file));
    TBitmap picture;
    picture.LoadFromPngFile(file.string());
    EXPECT_EQ(picture.Width(), Tree()->TotalWidth());
    EXPECT_EQ(picture.Height(), Tree()->TotalHeight());
    EXPECT_TRUE(messages.empty());

    std::ofstream(file) << "kept";
    exportTo(file, VK_RETURN);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back(), "The file " + file.string() + " already exists. Replace it?");
    std::ifstream kept(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept") << "No keeps the file";

    answer = IDYES;
    exportTo(file, VK_RETURN);
    EXPECT_NO_THROW(picture.LoadFromPngFile(file.string())) << "Yes replaces it with the picture";
}

TEST_F(MainFormFurnitureTest, CtrlPSendsTheChartToThePrintServiceOrSaysThereIsNone)
{
    Start();
    Tree()->SetFocus();
    SetMessageBoxHandler([&](const std::string& text, const std::string&, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    const char* path = std::getenv("PATH");
    const std::string savedPath = path ? path : "";
    fs::create_directories(folder / "bin");
    ::setenv("PATH", (folder / "bin").c_str(), 1);
    driver.PressKey('P', THeadlessDriver::Ctrl);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages.back().find("There is no print service"), std::string::npos) << messages.back();

    // A print service that takes the job: its answer is shown.
    {
        std::ofstream script(folder / "bin" / "lp");
        script << "#!/bin/sh\ntest -s \"$4\" && echo 'request id is desk-3 (1 file(s))'\n";
    }
    fs::permissions(folder / "bin" / "lp", fs::perms::owner_all);
    ::setenv("PATH", ((folder / "bin").string() + ":/usr/bin:/bin").c_str(), 1);
    driver.PressKey('P', THeadlessDriver::Ctrl);
    ::setenv("PATH", savedPath.c_str(), 1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages.back(), "The chart was sent to the printer.\nrequest id is desk-3 (1 file(s))");
}
