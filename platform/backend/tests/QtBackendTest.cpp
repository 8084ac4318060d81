// The Qt back end (on Qt's offscreen platform): the monitors it reports, the pictures
// of cursors registered under the program's own numbers, and the window flags of
// windows the pointer passes through.
#include "platform/backend/qt/QtBackend.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/WinApi.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class QtBackendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        int argc = 1;
        static char name[] = "qt-backend-test";
        static char* argv[] = {name, nullptr};
        SetWindowBackend(CreateQtBackend(argc, argv));
        WNDCLASS wc;
        wc.lpszClassName = "QtBackendTest";
        wc.hbrBackground = clWhite;
        RegisterClass(wc);
    }
    void TearDown() override { ShutdownWindowSystem(); }

    // The native window showing a top-level window.
    static QWindow* NativeOf(const std::string& title)
    {
        for (QWindow* w : QGuiApplication::topLevelWindows())
            if (w->title() == QString::fromStdString(title))
                return w;
        return nullptr;
    }
};

TEST_F(QtBackendTest, MonitorsAreTheScreensWithTheirAvailableAreas)
{
    const std::vector<TMonitorInfo> monitors = GetMonitors();
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(monitors.size(), static_cast<size_t>(screens.size()));
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(monitors[0].Primary);
    EXPECT_EQ(monitors[0].WorkArea, TRect::FromSize(primary.x(), primary.y(), primary.width(), primary.height()));
    EXPECT_EQ(MonitorWorkAreaAt({primary.x() + 5, primary.y() + 5}), monitors[0].WorkArea);
}

TEST_F(QtBackendTest, ARegisteredCursorShowsItsPictureAndAnUnknownNumberTheArrow)
{
    HWND hwnd = CreateWindowEx(0, "QtBackendTest", "Cursor", WS_POPUP | WS_VISIBLE, 10, 10, 100, 80, nullptr);
    ProcessPendingMessages();
    QWindow* native = NativeOf("Cursor");
    ASSERT_NE(native, nullptr);

    TBitmap image(16, 16), mask(16, 16);
    image.Fill(clRed);
    mask.Fill(clBlack);
    mask.SetPixel(0, 0, clWhite); // one transparent pixel
    ASSERT_TRUE(SetCustomCursor(1041, image, mask, {3, 4}));
    SetCursor(1041);
    QCursor shown = native->cursor();
    EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
    EXPECT_EQ(shown.hotSpot(), QPoint(3, 4));
    const QImage picture = shown.pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(5, 5)), 255);
    EXPECT_EQ(qRed(picture.pixel(5, 5)), 255);

    SetCursor(-1121);
    EXPECT_EQ(native->cursor().shape(), Qt::ArrowCursor);
    SetCursor(IDC_IBEAM);
    EXPECT_EQ(native->cursor().shape(), Qt::IBeamCursor);
    DestroyWindow(hwnd);
}

TEST_F(QtBackendTest, ATransparentWindowLetsThePointerThroughAndTakesNoFocus)
{
    CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT, "QtBackendTest", "Hint",
                   WS_POPUP | WS_BORDER | WS_VISIBLE, 10, 10, 60, 20, nullptr);
    ProcessPendingMessages();
    QWindow* native = NativeOf("Hint");
    ASSERT_NE(native, nullptr);
    const Qt::WindowFlags flags = native->flags();
    EXPECT_TRUE(flags & Qt::WindowTransparentForInput);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
}

} // namespace
