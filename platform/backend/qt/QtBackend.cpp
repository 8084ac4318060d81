#include "platform/backend/qt/QtBackend.h"
#include "platform/backend/qt/QtLocale.h"

#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Bitmap_p.h"
#include "platform/window/InputInjection.h"
#include "platform/window/WinApi.h"

#include <QBackingStore>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>

#include <cstdlib>
#include <thread>
#include <unordered_map>

namespace {

TRect FromQ(const QRect& r)
{
    return TRect::FromSize(r.x(), r.y(), r.width(), r.height());
}

QRect ToQ(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

WORD VirtualKeyFor(const QKeyEvent* e)
{
    const int key = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<WORD>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<WORD>(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Plus:
        return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal:
        return VK_OEM_PLUS;
    case Qt::Key_Minus:
        return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Slash:
        return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Period:
        return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Comma:
        return VK_OEM_COMMA;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    default:
        return 0;
    }
}

// The character a key produced, as the classic keyboard layer reports it.
char32_t CharacterOf(const QKeyEvent* e)
{
    const QString text = e->text();
    if (text.isEmpty())
        return 0;
    const char32_t ch = text.toUcs4().value(0);
    if (ch == 0x7F)
        return 0; // Delete makes no character
    if (ch == '\n')
        return '\r';
    return ch;
}

TMouseButton ButtonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton:
        return TMouseButton::mbRight;
    case Qt::MiddleButton:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

Qt::CursorShape ShapeOf(HCURSOR c)
{
    switch (c) {
    case IDC_IBEAM:
        return Qt::IBeamCursor;
    case IDC_WAIT:
        return Qt::WaitCursor;
    case IDC_CROSS:
        return Qt::CrossCursor;
    case IDC_UPARROW:
        return Qt::UpArrowCursor;
    case IDC_SIZENWSE:
        return Qt::SizeFDiagCursor;
    case IDC_SIZENESW:
        return Qt::SizeBDiagCursor;
    case IDC_SIZEWE:
        return Qt::SizeHorCursor;
    case IDC_SIZENS:
        return Qt::SizeVerCursor;
    case IDC_SIZEALL:
        return Qt::SizeAllCursor;
    case IDC_NO:
    case IDC_NODROP:
        return Qt::ForbiddenCursor;
    case IDC_HAND:
        return Qt::PointingHandCursor;
    case IDC_APPSTARTING:
        return Qt::BusyCursor;
    case IDC_HELP:
        return Qt::WhatsThisCursor;
    case IDC_HSPLIT:
        return Qt::SplitHCursor;
    case IDC_VSPLIT:
        return Qt::SplitVCursor;
    case IDC_DRAG:
    case IDC_MULTIDRAG:
        return Qt::DragMoveCursor;
    case 0:
        return Qt::BlankCursor;
    default:
        return Qt::ArrowCursor;
    }
}

class QtTopLevel;

class QtBackend : public TWindowBackend {
public:
    QtBackend() { m_clock.start(); }

    std::string Name() const override { return "qt"; }

    DWORD TickCount() override { return static_cast<DWORD>(m_clock.elapsed()); }

    void WaitUntilTick(DWORD target, DWORD maxWaitMs) override
    {
        const DWORD start = TickCount();
        while (static_cast<int32_t>(target - TickCount()) > 0 && TickCount() - start < maxWaitMs)
            std::this_thread::yield();
    }

    void WaitForEvents(int timeoutMs) override
    {
        if (timeoutMs == 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            return;
        }
        QTimer timer;
        if (timeoutMs > 0) {
            timer.setSingleShot(true);
            timer.start(timeoutMs);
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }

    void ProcessDisplayEvents() override
    {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    void Wake() override
    {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    }

    void TopLevelCreated(HWND hwnd) override;
    void TopLevelDestroyed(HWND hwnd) override;
    void TopLevelGeometryChanged(HWND hwnd, const TRect& r) override;
    void TopLevelShown(HWND hwnd, bool visible, bool activate) override;
    void TopLevelTextChanged(HWND hwnd, const std::string& text) override;
    void TopLevelRaised(HWND hwnd) override;
    void TopLevelActivated(HWND hwnd) override;
    void Present(HWND hwnd, const TBitmap& surface, const TRect& rect) override;
    bool GrabScreen(HWND hwnd, TBitmap& picture) override;
    bool BeginSystemMove(HWND hwnd) override;
    bool BeginSystemResize(HWND hwnd, int hitTest) override;

    TRect ScreenRect() override
    {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? FromQ(s->geometry()) : TRect(0, 0, 1024, 768);
    }
    TRect WorkArea() override
    {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? FromQ(s->availableGeometry()) : ScreenRect();
    }
    std::vector<TMonitorInfo> Monitors() override
    {
        std::vector<TMonitorInfo> monitors;
        const QScreen* primary = QGuiApplication::primaryScreen();
        for (const QScreen* screen : QGuiApplication::screens())
            monitors.push_back({FromQ(screen->geometry()), FromQ(screen->availableGeometry()), screen == primary});
        return monitors;
    }
    int PixelsPerInch() override
    {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? static_cast<int>(s->logicalDotsPerInch() + 0.5) : 96;
    }
    void SetCursorShape(HCURSOR cursor) override;
    void SetCursorPos(TPoint p) override { QCursor::setPos(p.X, p.Y); }

    std::string ClipboardText() override { return QGuiApplication::clipboard()->text().toStdString(); }
    void SetClipboardText(const std::string& text) override
    {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    }
    void Beep(UINT) override {}
    bool PlaySystemSound(const std::string&) override { return false; }
    bool OpenUrl(const std::string& target) override
    {
        return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
    }

    QtTopLevel* WindowOf(HWND hwnd)
    {
        auto it = m_windows.find(hwnd);
        return it == m_windows.end() ? nullptr : it->second;
    }

private:
    QCursor CursorFor(HCURSOR cursor);

    struct CachedCursor {
        unsigned version = 0;
        QCursor cursor;
    };
    QElapsedTimer m_clock;
    std::unordered_map<HWND, QtTopLevel*> m_windows;
    QCursor m_cursor{Qt::ArrowCursor};
    std::unordered_map<HCURSOR, CachedCursor> m_customCursors;
};

// A native window showing one top-level window's surface and reporting its input.
class QtTopLevel : public QWindow {
public:
    QtTopLevel(HWND hwnd, Qt::WindowFlags flags) : m_hwnd(hwnd), m_store(this)
    {
        setFlags(flags);
        setSurfaceType(QSurface::RasterSurface);
    }

    void Present(const TBitmap& surface, const TRect& rect)
    {
        if (!isExposed())
            return;
        const QRect r = ToQ(rect).intersected(QRect(QPoint(0, 0), size()));
        if (r.isEmpty())
            return;
        if (m_store.size() != size())
            m_store.resize(size());
        m_store.beginPaint(QRegion(r));
        if (QPaintDevice* device = m_store.paintDevice()) {
            QPainter p(device);
            p.drawImage(r.topLeft(), BitmapImage(const_cast<TBitmap&>(surface)), r);
            TRect caret;
            if (CaretOverlay(m_hwnd, caret)) {
                p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                p.fillRect(ToQ(caret).intersected(r), Qt::white);
            }
        }
        m_store.endPaint();
        m_store.flush(QRegion(r));
    }

protected:
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Expose:
            if (isExposed())
                RawInput::NativeExposed(m_hwnd);
            return true;
        case QEvent::Close:
            RawInput::NativeCloseRequested(m_hwnd);
            e->ignore();
            return true;
        case QEvent::Leave:
            RawInput::MouseLeftAll();
            return true;
        case QEvent::Wheel: {
            auto* we = static_cast<QWheelEvent*>(e);
            const QPoint g = we->globalPosition().toPoint();
            RawInput::MouseWheel({g.x(), g.y()}, we->angleDelta().y());
            return true;
        }
        default:
            return QWindow::event(e);
        }
    }

    void resizeEvent(QResizeEvent*) override { ReportGeometry(); }
    void moveEvent(QMoveEvent*) override { ReportGeometry(); }

    void mousePressEvent(QMouseEvent* e) override { Mouse(e, true); }
    void mouseReleaseEvent(QMouseEvent* e) override { Mouse(e, false); }
    // Qt has already delivered the second click's press; the window system makes the
    // double-click message of it itself, for the windows that ask for double clicks.
    void mouseDoubleClickEvent(QMouseEvent*) override {}
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint g = e->globalPosition().toPoint();
        RawInput::MouseMove({g.x(), g.y()});
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        const WORD vk = VirtualKeyFor(e);
        const char32_t ch = CharacterOf(e);
        if (vk)
            RawInput::Key(vk, true, ch);
        else if (ch)
            RawInput::Text(ch);
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (const WORD vk = VirtualKeyFor(e))
            RawInput::Key(vk, false);
    }
    void focusInEvent(QFocusEvent*) override { RawInput::NativeActivated(m_hwnd, true); }
    void focusOutEvent(QFocusEvent*) override
    {
        if (!QGuiApplication::focusWindow())
            RawInput::NativeActivated(m_hwnd, false);
    }

private:
    void Mouse(QMouseEvent* e, bool down)
    {
        const QPoint g = e->globalPosition().toPoint();
        RawInput::MouseButton({g.x(), g.y()}, ButtonOf(e->button()), down);
    }

    void ReportGeometry()
    {
        if (m_settingGeometry)
            return;
        RawInput::NativeGeometryChanged(m_hwnd, FromQ(geometry()));
    }

public:
    bool m_settingGeometry = false;

private:
    HWND m_hwnd;
    QBackingStore m_store;
};

Qt::WindowFlags FlagsFor(HWND hwnd)
{
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    const bool caption = (style & WS_CAPTION) == WS_CAPTION;
    if ((style & WS_POPUP) && !caption) {
        // Menus, drop-downs and hints: never take activation, never grab.
        flags |= Qt::ToolTip | Qt::WindowDoesNotAcceptFocus;
    } else if (exStyle & WS_EX_TOOLWINDOW) {
        flags |= Qt::Tool;
    } else {
        flags |= Qt::Window;
    }
    if (exStyle & WS_EX_NOACTIVATE)
        flags |= Qt::WindowDoesNotAcceptFocus;
    if (exStyle & WS_EX_TOPMOST)
        flags |= Qt::WindowStaysOnTopHint;
    // Hints: the pointer passes through to the window below.
    if (exStyle & WS_EX_TRANSPARENT)
        flags |= Qt::WindowTransparentForInput;
    return flags;
}

void QtBackend::TopLevelCreated(HWND hwnd)
{
    auto* w = new QtTopLevel(hwnd, FlagsFor(hwnd));
    m_windows[hwnd] = w;
    if (QtTopLevel* owner = WindowOf(GetParent(hwnd)))
        w->setTransientParent(owner);
    TopLevelGeometryChanged(hwnd, WindowRect(hwnd));
    w->setCursor(m_cursor);
}

void QtBackend::TopLevelDestroyed(HWND hwnd)
{
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end())
        return;
    QtTopLevel* w = it->second;
    m_windows.erase(it);
    w->hide();
    w->deleteLater();
}

void QtBackend::TopLevelGeometryChanged(HWND hwnd, const TRect& r)
{
    if (QtTopLevel* w = WindowOf(hwnd)) {
        w->m_settingGeometry = true;
        w->setGeometry(ToQ(r));
        w->m_settingGeometry = false;
    }
}

void QtBackend::TopLevelShown(HWND hwnd, bool visible, bool activate)
{
    QtTopLevel* w = WindowOf(hwnd);
    if (!w)
        return;
    if (!visible) {
        w->hide();
        return;
    }
    w->show();
    if (activate)
        w->requestActivate();
}

void QtBackend::TopLevelTextChanged(HWND hwnd, const std::string& text)
{
    if (QtTopLevel* w = WindowOf(hwnd))
        w->setTitle(QString::fromStdString(text));
}

void QtBackend::TopLevelRaised(HWND hwnd)
{
    if (QtTopLevel* w = WindowOf(hwnd))
        if (w->isVisible())
            w->raise();
}

bool QtBackend::GrabScreen(HWND hwnd, TBitmap& picture)
{
    QtTopLevel* w = WindowOf(hwnd);
    if (!w || !w->isExposed() || !w->screen())
        return false;
    // What the display server shows at the window's place, not the window's own buffer.
    const QImage shot = w->screen()->grabWindow(0, w->x(), w->y(), w->width(), w->height()).toImage();
    if (shot.isNull())
        return false;
    picture.SetSize(shot.width(), shot.height());
    BitmapImage(picture) = shot.convertToFormat(QImage::Format_RGB32);
    return true;
}

void QtBackend::TopLevelActivated(HWND hwnd)
{
    if (QtTopLevel* w = WindowOf(hwnd))
        if (w->isVisible() && !(w->flags() & Qt::WindowDoesNotAcceptFocus))
            w->requestActivate();
}

void QtBackend::Present(HWND hwnd, const TBitmap& surface, const TRect& rect)
{
    if (QtTopLevel* w = WindowOf(hwnd))
        w->Present(surface, rect);
}

bool QtBackend::BeginSystemMove(HWND hwnd)
{
    QtTopLevel* w = WindowOf(hwnd);
    return w && w->startSystemMove();
}

bool QtBackend::BeginSystemResize(HWND hwnd, int hit)
{
    QtTopLevel* w = WindowOf(hwnd);
    if (!w)
        return false;
    Qt::Edges edges;
    if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
        edges |= Qt::LeftEdge;
    if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
        edges |= Qt::RightEdge;
    if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
        edges |= Qt::TopEdge;
    if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
        edges |= Qt::BottomEdge;
    return w->startSystemResize(edges);
}

// A registered cursor's picture: the mask's white pixels become transparent.
QCursor QtBackend::CursorFor(HCURSOR cursor)
{
    const TCustomCursor* custom = CustomCursorFor(cursor);
    if (!custom)
        return QCursor(ShapeOf(cursor));
    CachedCursor& cached = m_customCursors[cursor];
    if (cached.version != custom->version) {
        QImage image = BitmapImage(custom->image).convertToFormat(QImage::Format_ARGB32);
        if (!custom->mask.Empty()) {
            const QImage& mask = BitmapImage(custom->mask);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (MonochromePixel(mask.pixel(x, y)) == 0xFFFFFFFFu)
                        image.setPixel(x, y, 0);
        }
        cached.cursor = QCursor(QPixmap::fromImage(image), custom->hotSpot.X, custom->hotSpot.Y);
        cached.version = custom->version;
    }
    return cached.cursor;
}

void QtBackend::SetCursorShape(HCURSOR cursor)
{
    m_cursor = CursorFor(cursor);
    for (auto& [h, w] : m_windows)
        w->setCursor(m_cursor);
}

} // namespace

bool DisplayAvailable()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

std::unique_ptr<TWindowBackend> CreateQtBackend(int& argc, char** argv)
{
    if (!QGuiApplication::instance()) {
        static int s_argc = argc;
        new QGuiApplication(s_argc, argv);
    }
    QGuiApplication::setQuitOnLastWindowClosed(false);
    FollowDesktopLocale();
    return std::make_unique<QtBackend>();
}
