// The demonstration window on a real display (run under Xvfb): what reaches the screen,
// read back from the display server, on the program's own start path.
#include "dborgchart/DbOrgChart.h"
#include "demo/MainForm.h"
#include "platform/controls/Application.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class DemoScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("velmora-screen-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy_file(fs::path(VELMORA_DEMO_DIR) / "ARBOLO.DB", folder / "ARBOLO.DB");
        TMainForm::SetProgramFolderForTests(folder.string() + "/");
    }
    void TearDown() override
    {
        app.reset();
        TMainForm::SetProgramFolderForTests({});
        fs::remove_all(folder);
    }

    void Sql(const std::string& sql)
    {
        const std::string cmd = "sqlite3 '" + (folder / "ARBOLO.DB").string() + "' \"" + sql + "\"";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }

    // Runs the message loop as the program's own loop does, for a while: messages are
    // handled, and whatever was painted is presented whenever the loop would wait.
    void RunFor(int milliseconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        // A timer wakes the waiting loop, so that the time limit is kept.
        SetTimer(MainForm->Handle(), 77, 20, nullptr);
        while (std::chrono::steady_clock::now() < end) {
            MSG msg;
            if (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(msg);
                DispatchMessage(msg);
            } else {
                WaitMessage();
            }
        }
        KillTimer(MainForm->Handle(), 77);
    }

    static int DifferingPixels(const TBitmap& a, const TBitmap& b)
    {
        if (a.Width() != b.Width() || a.Height() != b.Height())
            return -1;
        int differing = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                differing += a.Pixel(x, y) != b.Pixel(x, y);
        return differing;
    }

    fs::path folder;
    std::unique_ptr<TApplication> app;
};

TEST_F(DemoScreenTest, TheFirstFrameOnTheScreenIsCompleteWhenTheFirstRecordIsNoTopLevelNode)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "this test needs a display (run it under xvfb-run)";
    Sql("UPDATE ARBOLO SET ID=100 WHERE ID=1; UPDATE ARBOLO SET PARENT=100 WHERE PARENT=1; "
        "UPDATE ARBOLO SET ID=1 WHERE ID=4;");
    app = std::make_unique<TApplication>();
    int argc = 0;
    app->Initialize(argc, nullptr, false);
    ASSERT_NE(WindowBackend()->Name(), "headless") << "the display could not be opened";
    app->CreateForm<TMainForm>();
    MainForm->Show();
    RunFor(1500);
    TBitmap first;
    ASSERT_TRUE(ScreenPicture(MainForm->Handle(), first)) << "the window never reached the screen";

    RedrawWindow(MainForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RunFor(500);
    TBitmap repainted;
    ASSERT_TRUE(ScreenPicture(MainForm->Handle(), repainted));
    EXPECT_EQ(DifferingPixels(first, repainted), 0) << "the first frame differs from a full repaint";
}

} // namespace
