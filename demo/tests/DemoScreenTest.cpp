// The demonstration window on a real display (run under Xvfb): what reaches the screen,
// read back from the display server, on the program's own start path.
#include "dborgchart/DbOrgChart.h"
#include "demo/FindBox.h"
#include "demo/MainForm.h"
#include "platform/controls/Application.h"
#include "platform/controls/CustomEdit.h"
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

    // The program's window on the Qt back end, shown.
    void StartShown()
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, false);
        ASSERT_NE(WindowBackend()->Name(), "headless") << "the display could not be opened";
        app->CreateForm<TMainForm>();
        MainForm->Show();
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
    ASSERT_NO_FATAL_FAILURE(StartShown());
    RunFor(1500);
    TBitmap first;
    ASSERT_TRUE(ScreenPicture(MainForm->Handle(), first)) << "the window never reached the screen";

    RedrawWindow(MainForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RunFor(500);
    TBitmap repainted;
    ASSERT_TRUE(ScreenPicture(MainForm->Handle(), repainted));
    EXPECT_EQ(DifferingPixels(first, repainted), 0) << "the first frame differs from a full repaint";
}

TEST_F(DemoScreenTest, CtrlFOpensTheFindBoxOnTheScreenAndTypingSelectsTheMatch)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "this test needs a display (run it under xvfb-run)";
    if (std::system("command -v xdotool > /dev/null") != 0)
        GTEST_SKIP() << "xdotool is not installed";
    ASSERT_NO_FATAL_FAILURE(StartShown());
    RunFor(1000);
    MainForm->Tree->FullCollapse();
    RunFor(300);
    TBitmap before;
    ASSERT_TRUE(ScreenPicture(MainForm->Handle(), before));

    // Real key presses through the display server, into the program's window.
    ASSERT_EQ(std::system("xdotool key --clearmodifiers ctrl+f"), 0);
    RunFor(500);
    ASSERT_TRUE(MainForm->FindBox->Visible());
    ASSERT_EQ(std::system("xdotool type --delay 20 calibration"), 0);
    RunFor(800);
    ASSERT_NE(MainForm->Tree->Selected(), nullptr);
    EXPECT_EQ(MainForm->Tree->Selected()->Text(), "Calibration");
    EXPECT_TRUE(MainForm->Tree->Selected()->IsVisible());
    EXPECT_EQ(MainForm->FindBox->Edit()->Text(), "calibration");

    // The box reached the screen: the strip above the chart is no longer what it was.
    TBitmap after;
    ASSERT_TRUE(ScreenPicture(MainForm->Handle(), after));
    TPoint strip = MainForm->FindBox->ClientToScreen(TPoint{0, 0});
    // The picture is the whole window, its frame included.
    TRect window;
    GetWindowRect(MainForm->Handle(), window);
    const TPoint origin{window.Left, window.Top};
    strip = TPoint{strip.X - origin.X, strip.Y - origin.Y};
    int changed = 0;
    for (int y = strip.Y; y < strip.Y + MainForm->FindBox->Height(); ++y)
        for (int x = strip.X; x < strip.X + MainForm->FindBox->Width(); ++x)
            changed += before.Pixel(x, y) != after.Pixel(x, y);
    EXPECT_GT(changed, 200) << "the find box is not on the screen";

    ASSERT_EQ(std::system("xdotool key Escape"), 0);
    RunFor(400);
    EXPECT_FALSE(MainForm->FindBox->Visible());
}

} // namespace
