// Long work in a shown window: a load and a branch deletion that take more than half a
// second say how far they got while they run, and leave a complete picture behind.
#include "dborgchart/tests/DbChartFixture.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WinApi.h"

namespace {

class LongWorkTest : public DbChartTest {
protected:
    void SetUp() override
    {
        DbChartTest::SetUp();
        // A tree of 3,000 records: node 1 at the top, every node the parent of three.
        std::string sql = std::string(kArboloSchema) + "BEGIN;";
        for (int id = 1; id <= kRecords; ++id)
            sql += "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (" + std::to_string(id) + ", " +
                   (id == 1 ? std::string("NULL") : std::to_string((id - 2) / 3 + 1)) + ", 'N" + std::to_string(id) +
                   "', " + std::to_string(id) + ");";
        Sql(sql + "COMMIT;");
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 800, 600);
    }
    void TearDown() override
    {
        Reset();
        form.reset();
        DbChartTest::TearDown();
    }

    THeadlessBackend& Backend() { return *static_cast<THeadlessBackend*>(WindowBackend()); }
    void Tick(DWORD ms) { Backend().SetTickCount(Backend().TickCount() + ms); }

    void OpenShown()
    {
        Open([this](TestDbOrgChart& c) {
            c.SetParent(form.get());
            c.SetAlign(TAlign::alClient);
            form->Show();
        });
    }

    std::unique_ptr<TBitmap> Screen()
    {
        auto picture = std::make_unique<TBitmap>();
        EXPECT_TRUE(ScreenPicture(form->Handle(), *picture));
        return picture;
    }

    // The colour on the screen a little left of the middle of the chart: inside the
    // progress box while it shows, the chart's own background otherwise.
    TColor BesideTheMiddle(const std::unique_ptr<TBitmap>& picture)
    {
        const TRect client = chart->ClientRect();
        const TPoint p = chart->ClientToScreen(TPoint(client.Width() / 2 - 140, client.Height() / 2));
        const TRect window = WindowRect(form->Handle());
        return picture->Pixel(p.X - window.Left, p.Y - window.Top);
    }

    // The screen equals a full repaint of everything.
    void ExpectCompletePicture()
    {
        ProcessPendingMessages();
        const auto shown = Screen();
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ProcessPendingMessages();
        const auto repainted = Screen();
        ASSERT_EQ(shown->Width(), repainted->Width());
        int differing = 0;
        for (int y = 0; y < shown->Height(); ++y)
            for (int x = 0; x < shown->Width(); ++x)
                differing += shown->Pixel(x, y) != repainted->Pixel(x, y);
        EXPECT_EQ(differing, 0);
    }

    static constexpr int kRecords = 3000;
    std::unique_ptr<TForm> form;
};

} // namespace

TEST_F(LongWorkTest, ALongLoadShowsHowFarItGotAndEndsWithTheWholeChart)
{
    // Each record takes a millisecond of the (virtual) clock.
    std::vector<TColor> seen;
    Open([this, &seen](TestDbOrgChart& c) {
        c.SetParent(form.get());
        c.SetAlign(TAlign::alClient);
        form->Show();
        ProcessPendingMessages();
        c.OnLoadNode = [this, &seen](TObject*, TzqOcNode*) {
            Tick(1);
            const int loaded = chart->LastIndex() + 1;
            if (loaded == 100 || loaded == 2000)
                seen.push_back(BesideTheMiddle(Screen()));
        };
    });
    ASSERT_EQ(chart->Count(), kRecords);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0], ColorToRGB(clBtnFace)); // not yet at 100 ms
    EXPECT_EQ(seen[1], ColorToRGB(clBtnFace)); // the box, on the screen, at 2 s
    chart->OnLoadNode = nullptr;
    ExpectCompletePicture();
    EXPECT_NE(BesideTheMiddle(Screen()), ColorToRGB(clBtnFace));
}

TEST_F(LongWorkTest, ALongBranchDeletionShowsHowFarItGotAndEndsWithTheWholeChart)
{
    OpenShown();
    ProcessPendingMessages();
    const TColor background = BesideTheMiddle(Screen());
    std::vector<TColor> seen;
    int deleted = 0;
    chart->OnDeletion = [&](TObject*, TzqOcNode*) {
        Tick(1);
        if (++deleted == 900)
            seen.push_back(BesideTheMiddle(Screen()));
    };
    chart->DeleteNode(Node(2)); // about a third of the tree
    chart->OnDeletion = nullptr;
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], ColorToRGB(clBtnFace));
    EXPECT_EQ(Query("SELECT count(*) FROM ARBOLO"), std::to_string(chart->Count()));
    ExpectCompletePicture();
    EXPECT_EQ(BesideTheMiddle(Screen()), background);
    ExpectConsistent();
}
