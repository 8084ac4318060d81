// The demonstration window driven headless on a copy of the demonstration table: the
// start sequence, the commands, the table handlers and the Options dialog.
#include "bars/BarButton.h"
#include "dborgchart/DbOrgChart.h"
#include "demo/FindBox.h"
#include "demo/MainForm.h"
#include "demo/OptionsForm.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/MessageBoxForm.h"
#include "platform/controls/SpinEdit.h"
#include "platform/core/Exception.h"
#include "platform/core/VirtualKeys.h"
#include "platform/data/Table.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

class DemoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("velmora-demo-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        if (copyTable)
            fs::copy_file(fs::path(VELMORA_DEMO_DIR) / "ARBOLO.DB", folder / "ARBOLO.DB");
        TMainForm::SetProgramFolderForTests(folder.string() + "/");
        SetMessageBoxHandler([this](const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }

    void Start()
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        app->SetTitle("VelmoraOrgChart Demo");
        app->CreateForm<TMainForm>();
        app->CreateForm<TOptionsForm>();
        MainForm->Show();
        driver.PaintAll();
    }

    void TearDown() override
    {
        app.reset();
        SetMessageBoxHandler({});
        TMainForm::SetProgramFolderForTests({});
        fs::remove_all(folder);
    }

    // Reads one value from the table file itself.
    std::string Query(const std::string& sql)
    {
        const std::string cmd = "sqlite3 '" + (folder / "ARBOLO.DB").string() + "' \"" + sql + "\"";
        std::string out;
        if (FILE* p = popen(cmd.c_str(), "r")) {
            char buf[512];
            while (fgets(buf, sizeof buf, p))
                out += buf;
            pclose(p);
        }
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
            out.pop_back();
        return out;
    }

    TzqDbOrgChart* Tree() { return MainForm->Tree; }

    static std::string ReadBytes(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    bool copyTable = true;
    fs::path folder;
    std::vector<std::string> messages;
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
};

TEST_F(DemoTest, StartOpensTheTableLoadsEveryRecordAndSelectsTheFirstTopLevelNode)
{
    Start();
    EXPECT_TRUE(MainForm->TableOpened());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Tree()->Count(), std::stoi(Query("SELECT COUNT(*) FROM ARBOLO")));
    ASSERT_NE(Tree()->Selected(), nullptr);
    EXPECT_EQ(Tree()->Selected(), Tree()->Items(0));
    EXPECT_EQ(Tree()->Selected()->Text(), Query("SELECT NAME FROM ARBOLO WHERE ID = 1"));
    EXPECT_EQ(MainForm->TableID->AsInteger(), 1) << "the table follows the selection";
    EXPECT_EQ(Tree()->Images(), MainForm->TreeLarge);
    EXPECT_EQ(Tree()->DefaultNodeWidth(), 90);
    EXPECT_TRUE(IsZoomed(MainForm->Handle())) << "the window is shown maximised";
}

TEST_F(DemoTest, TheFirstFrameShowsEveryNodeWhenTheFirstRecordIsNoTopLevelNode)
{
    // The table's first record hangs below a record read later: the node selected at
    // activation is not the one the cursor stood on, and it repaints at once while the
    // window is being shown.
    Query("UPDATE ARBOLO SET ID=100 WHERE ID=1; UPDATE ARBOLO SET PARENT=100 WHERE PARENT=1; "
          "UPDATE ARBOLO SET ID=1 WHERE ID=4;");
    app = std::make_unique<TApplication>();
    int argc = 0;
    app->Initialize(argc, nullptr, true);
    app->CreateForm<TMainForm>();
    MainForm->Show();
    // Until the program would wait for input, when what was painted is presented.
    driver.Pump();
    TBitmap first;
    ASSERT_TRUE(ScreenPicture(MainForm->Handle(), first));
    // Everything painted again and shown: the screen must not change.
    RedrawWindow(MainForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    driver.Pump();
    TBitmap repainted;
    ASSERT_TRUE(ScreenPicture(MainForm->Handle(), repainted));
    ASSERT_EQ(first.Width(), repainted.Width());
    ASSERT_EQ(first.Height(), repainted.Height());
    int differing = 0;
    for (int y = 0; y < first.Height(); ++y)
        for (int x = 0; x < first.Width(); ++x)
            differing += first.Pixel(x, y) != repainted.Pixel(x, y);
    EXPECT_EQ(differing, 0);
    // And what is shown is a chart: its boxes are there, not a grey area.
    const TRect chart = Tree()->ClientRect();
    TPoint corner = Tree()->ClientToScreen(TPoint(chart.Left, chart.Top));
    const TRect window = WindowRect(MainForm->Handle());
    EXPECT_EQ(first.Pixel(corner.X - window.Left + 2, corner.Y - window.Top + 2), ColorToRGB(Tree()->Color()));
}

TEST_F(DemoTest, NarrowRecordsLoadAtTheDefaultWidthAndOthersAtTheirOwnOrTheMinimum)
{
    const std::string db = (folder / "ARBOLO.DB").string();
    Query("UPDATE ARBOLO SET WIDTH = 40 WHERE ID = 3");
    Query("UPDATE ARBOLO SET WIDTH = 51 WHERE ID = 4");
    Query("UPDATE ARBOLO SET WIDTH = 120 WHERE ID = 5");
    Start();
    TzqDbOcNode* n3 = Tree()->FindNodeByKey(Variant(int64_t(3)));
    TzqDbOcNode* n4 = Tree()->FindNodeByKey(Variant(int64_t(4)));
    TzqDbOcNode* n5 = Tree()->FindNodeByKey(Variant(int64_t(5)));
    ASSERT_TRUE(n3 && n4 && n5);
    EXPECT_EQ(Tree()->NodeWidth(n3), 90);
    EXPECT_EQ(Tree()->NodeWidth(n4), 64) << "raised to twice the 32-pixel image width";
    EXPECT_EQ(Tree()->NodeWidth(n5), 120);
}

TEST_F(DemoTest, AddNodeInsertsBeforeTheSelectionOrAtTheEndOfTheTopLevel)
{
    Start();
    TzqOcNode* first = Tree()->Items(0);
    MainForm->bsAddNodeClick(nullptr);
    TzqOcNode* added = Tree()->Selected();
    ASSERT_NE(added, first);
    EXPECT_EQ(added->Text(), "New topic");
    EXPECT_EQ(added->GetNextSibling(), first) << "placed just before the selected node";
    EXPECT_EQ(added->Parent(), nullptr);

    Tree()->SetSelected(nullptr);
    const int topLevel = Tree()->RootNode()->Count();
    MainForm->bsAddNodeClick(nullptr);
    EXPECT_EQ(Tree()->RootNode()->Count(), topLevel + 1);
    EXPECT_EQ(Tree()->Selected(), Tree()->Items(topLevel)) << "no selection: the end of the top level";
}

TEST_F(DemoTest, AddChildExpandsACollapsedParentAndTheNewRecordHasTheDefaults)
{
    Start();
    TzqOcNode* parent = Tree()->Items(0);
    parent->Collapse(false);
    Tree()->SetSelected(parent);
    MainForm->bbAddChildClick(nullptr);
    TzqDbOcNode* child = dynamic_cast<TzqDbOcNode*>(Tree()->Selected());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->Parent(), parent);
    EXPECT_TRUE(parent->Expanded());
    const std::string id = child->Key().AsString();
    EXPECT_EQ(Query("SELECT NAME, WIDTH, HEIGHT, TYPE, COLOR, IMAGE, IMAGEALIGN, ALIGN, PARENT FROM ARBOLO WHERE ID = " + id),
              "New topic|90|70|0|16777215|0|0|1|1");
    EXPECT_EQ(child->ImageIndex(), 0) << "the node shows the picture its new record names";
}

TEST_F(DemoTest, AnAddedNodeShowsWhatItsNewRecordHoldsAndAgainAfterARestart)
{
    // The chart's own keys add a node with only the handlers' defaults; the commands add
    // one and give it the new look. Either way the box is what its record says.
    struct Way {
        const char* what;
        std::function<void()> add;
        const char* caption;
    };
    const Way ways[] = {
        {"the Insert key", [&] { driver.PressKey(VK_INSERT); }, "New Item"},
        {"Ctrl+Insert", [&] { driver.PressKey(VK_INSERT, THeadlessDriver::Ctrl); }, "New Item"},
        {"Add Node", [&] { MainForm->bsAddNodeClick(nullptr); }, "New topic"},
        {"Add Child Node", [&] { MainForm->bbAddChildClick(nullptr); }, "New topic"},
    };
    Start();
    Tree()->SetFocus();
    std::vector<std::pair<std::string, std::string>> shown; // key, what the box shows
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        Tree()->SetSelected(Tree()->Items(0));
        const int before = Tree()->Count();
        way.add();
        ASSERT_EQ(Tree()->Count(), before + 1);
        auto* added = dynamic_cast<TzqDbOcNode*>(Tree()->Selected());
        ASSERT_NE(added, nullptr);
        const std::string key = added->Key().AsString();
        EXPECT_EQ(added->Text(), way.caption);
        EXPECT_EQ(Query("SELECT NAME || '|' || IMAGE FROM ARBOLO WHERE ID = " + key),
                  added->Text() + "|" + std::to_string(added->ImageIndex()));
        EXPECT_EQ(added->ImageIndex(), 0) << "the picture the new record names";
        shown.emplace_back(key, added->Text() + "|" + std::to_string(added->ImageIndex()));
    }
    EXPECT_TRUE(messages.empty());
    app.reset();
    Start();
    for (const auto& [key, look] : shown) {
        TzqDbOcNode* node = Tree()->FindNodeByKey(Variant(int64_t(std::stoll(key))));
        ASSERT_NE(node, nullptr) << key;
        EXPECT_EQ(node->Text() + "|" + std::to_string(node->ImageIndex()), look) << key;
    }
}

TEST_F(DemoTest, BadValuesInOneRecordDoNotStopTheStartAndReadAsTheChartReadsThem)
{
    // Text and numbers beyond 32 bits in the columns the window's handlers read.
    Query("UPDATE ARBOLO SET WIDTH = 'wide', HEIGHT = 'tall' WHERE ID = 3");
    Query("UPDATE ARBOLO SET COLOR = 1099511627776, TYPE = 'round' WHERE ID = 4");
    Query("UPDATE ARBOLO SET WIDTH = 1099511627776, HEIGHT = -1099511627776, TYPE = 4294967298 WHERE ID = 5");
    Query("UPDATE ARBOLO SET WIDTH = 130.6, COLOR = 'blue' WHERE ID = 6");
    Start();
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_TRUE(MainForm->TableOpened());
    EXPECT_EQ(Tree()->Count(), std::stoi(Query("SELECT COUNT(*) FROM ARBOLO")));
    auto node = [&](int id) { return Tree()->FindNodeByKey(Variant(int64_t(id))); };
    ASSERT_TRUE(node(3) && node(4) && node(5) && node(6));
    // Text is no value: the defaults (the chart's size, shape 0).
    EXPECT_EQ(Tree()->NodeWidth(node(3)), 90);
    EXPECT_EQ(Tree()->NodeHeight(node(3)), 70);
    EXPECT_EQ(node(4)->Shape(), TzqOcShape::shRectangle);
    // Too wide for a colour: no colour of its own; for a shape: no shape at all.
    EXPECT_EQ(node(4)->Color(), clNone);
    EXPECT_EQ(static_cast<int>(node(5)->Shape()), 255);
    // Sizes are limited, not wrapped around.
    EXPECT_EQ(Tree()->NodeWidth(node(5)), 65535);
    EXPECT_EQ(Tree()->NodeHeight(node(5)), 70) << "a negative height is not above 50";
    // A fraction still counts; text reads as null does, as 0.
    EXPECT_EQ(Tree()->NodeWidth(node(6)), 131);
    EXPECT_EQ(node(6)->Color(), TColor(0));
}

TEST_F(DemoTest, AnAddCommandWritesItsRecordWithTheNewLookOrNotAtAll)
{
    // The table refuses the second write of the command (the new look).
    struct Command {
        const char* what;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"Add Node", [&] { MainForm->bsAddNodeClick(nullptr); }},
        {"Add Child Node", [&] { MainForm->bbAddChildClick(nullptr); }},
    };
    Start();
    const std::string records = Query("SELECT count(*) FROM ARBOLO");
    for (const Command& c : commands) {
        SCOPED_TRACE(c.what);
        Query("CREATE TRIGGER REFUSE BEFORE UPDATE ON ARBOLO BEGIN SELECT RAISE(ABORT, 'no changes today'); END;");
        Tree()->SetSelected(Tree()->Items(0));
        const int nodes = Tree()->Count();
        try {
            c.run();
            ADD_FAILURE() << "no error";
        } catch (const std::exception& e) {
            EXPECT_NE(std::string(e.what()).find("no changes today"), std::string::npos) << e.what();
        }
        EXPECT_EQ(Query("SELECT count(*) FROM ARBOLO"), records) << "no half-made record";
        EXPECT_EQ(Tree()->Count(), nodes);
        Query("DROP TRIGGER REFUSE;");

        c.run();
        EXPECT_EQ(Tree()->Count(), nodes + 1);
        const std::string key = static_cast<TzqDbOcNode*>(Tree()->Selected())->Key().AsString();
        EXPECT_EQ(Query("SELECT NAME FROM ARBOLO WHERE ID = " + key), "New topic");
        Tree()->DeleteNode(Tree()->Selected());
    }
}

TEST_F(DemoTest, AFieldChangeOfTheCurrentRecordResizesTheSelectedNodeClamped)
{
    Start();
    TzqOcNode* node = Tree()->Selected();
    ASSERT_NE(node, nullptr);
    MainForm->Table->Edit();
    MainForm->TableWIDTH->SetAsInteger(150);
    EXPECT_EQ(Tree()->NodeWidth(node), 150);
    MainForm->Table->Edit();
    MainForm->TableWIDTH->SetAsInteger(-5);
    EXPECT_EQ(Tree()->NodeWidth(node), Tree()->MinNodeWidth()) << "a negative width is a width below the minimum";
    MainForm->Table->Edit();
    MainForm->TableWIDTH->SetAsInteger(70000);
    EXPECT_EQ(Tree()->NodeWidth(node), 65535) << "not wrapped around to 4464";
    if (MainForm->Table->State() != TDataSetState::dsBrowse)
        MainForm->Table->Post();
}

TEST_F(DemoTest, OptionsCancelChangesNothingAndOkWritesTheSettings)
{
    Start();
    const TzqOcOptions options = Tree()->Options();
    const TzqOcEditMode mode = Tree()->EditMode();
    driver.Backend().PushIdleAction([&] {
        OptionsForm->cbSelect->SetChecked(!OptionsForm->cbSelect->Checked());
        OptionsForm->seX->SetValue(40);
        driver.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(OptionsForm->ShowModal(), mrCancel);
    EXPECT_EQ(Tree()->Options(), options);
    EXPECT_EQ(Tree()->EditMode(), mode);
    EXPECT_EQ(Tree()->IndentX(), 16);

    driver.Backend().PushIdleAction([&] {
        OptionsForm->cbShowImages->SetChecked(false);
        OptionsForm->seX->SetValue(30);
        OptionsForm->BitBtn2->Click();
    });
    EXPECT_EQ(OptionsForm->ShowModal(), mrOk);
    EXPECT_EQ(Tree()->Images(), nullptr);
    EXPECT_EQ(Tree()->IndentX(), 30);
    EXPECT_TRUE(Tree()->Options().contains(TzqOcOption::ocRect3D)) << "3D is not the dialog's and stays";

    driver.Backend().PushIdleAction([&] {
        EXPECT_FALSE(OptionsForm->cbShowImages->Checked()) << "the dialog read the chart again";
        OptionsForm->cbShowImages->SetChecked(true);
        OptionsForm->BitBtn2->Click();
    });
    OptionsForm->ShowModal();
    EXPECT_EQ(Tree()->Images(), MainForm->TreeLarge);
}

TEST_F(DemoTest, LineWidthNeverGoesBelowOneNorAboveWhatTheChartHolds)
{
    Start();
    driver.Backend().PushIdleAction([&] {
        OptionsForm->seLineWidth->SetFocus();
        OptionsForm->seLineWidth->SelectAll();
        driver.Type("0");
        EXPECT_EQ(OptionsForm->seLineWidth->Value(), 1);
        OptionsForm->seX->SetValue(70000);
        EXPECT_EQ(OptionsForm->seX->Value(), 65535);
        OptionsForm->BitBtn1->Click();
    });
    OptionsForm->ShowModal();
    EXPECT_EQ(Tree()->LineWidth(), 1);
}

TEST_F(DemoTest, ReturningFromTheOptionsDialogSelectsTheFirstTopLevelNodeAgain)
{
    Start();
    TzqOcNode* other = Tree()->Items(0)->GetFirstChild();
    ASSERT_NE(other, nullptr);
    Tree()->SetSelected(other);
    driver.Backend().PushIdleAction([&] { driver.PressKey(VK_ESCAPE); });
    MainForm->bbOptionsClick(nullptr);
    driver.Pump();
    EXPECT_EQ(Tree()->Selected(), Tree()->Items(0));
}

TEST_F(DemoTest, EachViewSwitchTogglesItsOwnDownAndTheChartWithIt)
{
    // A click on a check button (from the View menu or a key) toggles its Down, and the
    // handler gives the chart the state the button now shows; the other switches stay.
    struct Switch {
        const char* name;
        TzqBarButton* TMainForm::*button;
        std::function<bool()> chart;
        bool down; // at start
    };
    const Switch switches[] = {
        {"Zoom", &TMainForm::bbZoom, [&] { return Tree()->Zoom(); }, false},
        {"Rotated", &TMainForm::bbRotate, [&] { return Tree()->Rotated(); }, false},
        {"Animated", &TMainForm::bbAnimate, [&] { return Tree()->Options().contains(TzqOcOption::ocAnimate); }, true},
        {"3D", &TMainForm::bb3D, [&] { return Tree()->Options().contains(TzqOcOption::ocRect3D); }, true},
    };
    Start();
    auto states = [&] {
        std::string out;
        for (const Switch& s : switches)
            out += std::string((MainForm->*s.button)->Down() ? "D" : "u") + (s.chart() ? "1" : "0");
        return out;
    };
    EXPECT_EQ(states(), "u0u0D1D1") << "each switch starts as the chart does";
    for (const Switch& s : switches) {
        SCOPED_TRACE(s.name);
        const std::string before = states();
        TzqBarButton* button = MainForm->*s.button;
        button->DirectClick();
        EXPECT_EQ(button->Down(), !s.down);
        EXPECT_EQ(s.chart(), !s.down);
        button->DirectClick();
        EXPECT_EQ(button->Down(), s.down);
        EXPECT_EQ(s.chart(), s.down);
        EXPECT_EQ(states(), before) << "two clicks put everything back";
    }
}

TEST_F(DemoTest, DeleteRemovesTheBranchRecords)
{
    Start();
    TzqOcNode* first = Tree()->Items(0);
    Tree()->SetSelected(first);
    const int before = std::stoi(Query("SELECT COUNT(*) FROM ARBOLO"));
    int branch = 0;
    for (TzqOcNode* n = first; n && (n == first || n->HasAsParent(first)); n = n->GetNext())
        ++branch;
    MainForm->bbDeleteNodeClick(nullptr);
    EXPECT_EQ(std::stoi(Query("SELECT COUNT(*) FROM ARBOLO")), before - branch);
}

TEST_F(DemoTest, ClosingPostsThePendingEditAndStaysOpenWhenThatFails)
{
    Start();
    MainForm->Table->Edit();
    MainForm->TableCBY->SetAsString("Night shift");
    MainForm->Table->BeforePost = [](TDataSet*) { throw Exception("Field 'CBY' is locked."); };
    MainForm->Close();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("locked"), std::string::npos);
    EXPECT_TRUE(MainForm->Visible()) << "the window stays open so the edit is not lost";
    EXPECT_FALSE(app->Terminated());
    EXPECT_EQ(MainForm->Table->State(), TDataSetState::dsEdit);

    MainForm->Table->BeforePost = nullptr;
    MainForm->Close();
    EXPECT_TRUE(app->Terminated());
    const std::string id = std::to_string(MainForm->TableID->AsInteger());
    EXPECT_EQ(Query("SELECT CBY FROM ARBOLO WHERE ID = " + id), "Night shift");
}

TEST_F(DemoTest, ATableWhoseKeyTheDatabaseDoesNotFillGetsNewKeysFromTheChart)
{
    // The demonstration layout with a plain INTEGER key and no primary key: nothing
    // fills the key of a new record.
    fs::remove(folder / "ARBOLO.DB");
    Query("CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(100), CDATE DATE, CBY VARCHAR(100),"
          " WIDTH INTEGER, HEIGHT INTEGER, TYPE INTEGER, COLOR INTEGER, IMAGE INTEGER, IMAGEALIGN INTEGER,"
          " [ORDER] INTEGER, ALIGN INTEGER);"
          " INSERT INTO ARBOLO (ID, PARENT, NAME, [ORDER]) VALUES (1, NULL, 'Top', 0), (7, 1, 'Below', 0);");
    Start();
    ASSERT_EQ(Tree()->Count(), 2);
    Tree()->SetSelected(Tree()->Items(0));
    MainForm->bbAddChildClick(nullptr);
    MainForm->bsAddNodeClick(nullptr);
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(Query("SELECT count(*) FROM ARBOLO WHERE ID IS NULL"), "0");
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM (SELECT ID FROM ARBOLO ORDER BY ID)"), "1,7,8,9");
    ASSERT_EQ(Tree()->Count(), 4);
    app.reset();
    Start();
    EXPECT_EQ(Tree()->Count(), 4) << "every new node is there at the next start";
}

class DemoWithoutTableTest : public DemoTest {
protected:
    DemoWithoutTableTest() { copyTable = false; }
};

TEST_F(DemoWithoutTableTest, AMissingTableIsReportedAndTheWindowOpensEmpty)
{
    Start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("ARBOLO"), std::string::npos) << messages[0];
    EXPECT_FALSE(MainForm->TableOpened());
    EXPECT_EQ(Tree()->Count(), 0);
    EXPECT_TRUE(IsWindowVisible(MainForm->Handle()));
    MainForm->bsAddNodeClick(nullptr); // no table: no node, no error
    EXPECT_EQ(Tree()->Count(), 0);
}

TEST_F(DemoWithoutTableTest, BadTableFilesAreReportedOrLoadedAndNeverWrittenTo)
{
    // Each file in place of the table: the window opens, with the records the loading
    // rules allow or empty with one message naming the cause, and the file is as it was.
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        int nodes;           // loaded
        const char* message; // or reported
    };
    const auto sql = [this](const std::string& text) {
        return [this, text](const fs::path&) { Query(text); };
    };
    const std::string layout =
        "CREATE TABLE ARBOLO (ID INTEGER PRIMARY KEY AUTOINCREMENT, PARENT INTEGER, NAME VARCHAR(100), CDATE DATE,"
        " CBY VARCHAR(100), WIDTH INTEGER, HEIGHT INTEGER, TYPE INTEGER, COLOR INTEGER, IMAGE INTEGER,"
        " IMAGEALIGN INTEGER, [ORDER] INTEGER, ALIGN INTEGER);";
    const Case cases[] = {
        {"a file of no bytes", [](const fs::path& f) { std::ofstream(f, std::ios::binary); }, 0, "not found"},
        {"random bytes", [](const fs::path& f) { std::ofstream(f, std::ios::binary) << std::string(3000, '\x9c'); }, 0,
         "is not a database"},
        {"a database without the table", sql("CREATE TABLE OTHER (ID INTEGER);"), 0, "not found"},
        {"a table without a column the window binds",
         sql("CREATE TABLE ARBOLO (ID INTEGER PRIMARY KEY, NAME VARCHAR(100)); INSERT INTO ARBOLO VALUES (1, 'a');"), 0,
         "'PARENT' not found"},
        {"a caption of a megabyte",
         sql(layout + " INSERT INTO ARBOLO (ID, NAME) VALUES (1, printf('%.1048576c', 'm'));"), 1, nullptr},
        {"a read-only file",
         [&](const fs::path& f) {
             Query(layout + " INSERT INTO ARBOLO (ID, NAME) VALUES (1, 'a'), (2, 'b');");
             fs::permissions(f, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         },
         2, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = folder / "ARBOLO.DB";
        if (fs::exists(file))
            fs::permissions(file, fs::perms::owner_all);
        fs::remove(file);
        c.make(file);
        const std::string before = ReadBytes(file);
        messages.clear();
        Start();
        EXPECT_TRUE(IsWindowVisible(MainForm->Handle()));
        EXPECT_EQ(Tree()->Count(), c.nodes);
        if (c.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
        } else {
            EXPECT_TRUE(messages.empty()) << messages.front();
        }
        if (c.nodes == 1) {
            EXPECT_EQ(Tree()->Items(0)->Text().size(), 100u) << "cut to the caption field's size";
        } else {
            // Where nothing can be written, the commands add nothing and say nothing.
            MainForm->bsAddNodeClick(nullptr);
            MainForm->bbAddChildClick(nullptr);
            EXPECT_EQ(Tree()->Count(), c.nodes);
            EXPECT_EQ(messages.size(), c.message ? 1u : 0u);
        }
        app.reset();
        EXPECT_TRUE(ReadBytes(file) == before) << "the file changed";
    }
}

} // namespace

TEST_F(DemoTest, TheFindBoxSelectsMatchesInTreeOrderAndTheTableFollows)
{
    Start();
    // The expected order, read independently: every caption containing "sales" in any
    // case, in tree order.
    std::vector<TzqOcNode*> salesNodes;
    for (TzqOcNode* n = Tree()->GetFirstNode(); n; n = n->GetNext()) {
        std::string lower = n->Text();
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower.find("sales") != std::string::npos)
            salesNodes.push_back(n);
    }
    ASSERT_GE(salesNodes.size(), 3u);

    driver.PressKey('F', THeadlessDriver::Ctrl);
    ASSERT_TRUE(MainForm->FindBox->Visible());
    EXPECT_TRUE(MainForm->FindBox->Edit()->Focused());
    driver.Type("SALES");
    EXPECT_EQ(Tree()->Selected(), salesNodes[0]);
    EXPECT_EQ(MainForm->TableNAME->AsString(), salesNodes[0]->Text()) << "the table's cursor follows";
    EXPECT_TRUE(salesNodes[0]->IsVisible());

    driver.PressKey(VK_RETURN);
    EXPECT_EQ(Tree()->Selected(), salesNodes[1]);
    driver.PressKey(VK_F3);
    EXPECT_EQ(Tree()->Selected(), salesNodes[2]);
    driver.PressKey(VK_F3, THeadlessDriver::Shift);
    EXPECT_EQ(Tree()->Selected(), salesNodes[1]);
    EXPECT_EQ(MainForm->FindBox->Status(), "");

    // Going round from the last match says so.
    Tree()->SetSelected(salesNodes.back());
    driver.PressKey(VK_F3);
    EXPECT_EQ(Tree()->Selected(), salesNodes[0]);
    EXPECT_EQ(MainForm->FindBox->Status(), "Passed the last node; continued from the first.");

    // No match: the box says so and nothing moves.
    driver.Type("zzz");
    EXPECT_EQ(Tree()->Selected(), salesNodes[0]);
    EXPECT_EQ(MainForm->FindBox->Status(), "No node's caption contains \"SALESzzz\".");

    driver.PressKey(VK_ESCAPE);
    EXPECT_FALSE(MainForm->FindBox->Visible());
    EXPECT_TRUE(Tree()->Focused());
}

TEST_F(DemoTest, FindingANodeInACollapsedBranchExpandsItsAncestors)
{
    Start();
    Tree()->FullCollapse();
    driver.PressKey('F', THeadlessDriver::Ctrl);
    driver.Type("calibration");
    ASSERT_NE(Tree()->Selected(), nullptr);
    EXPECT_EQ(Tree()->Selected()->Text(), "Calibration");
    EXPECT_TRUE(Tree()->Selected()->IsVisible());
    EXPECT_EQ(MainForm->TableID->AsInteger(), 31);
}
