// The mouse hook sees the message a press actually makes (client or non-client, single
// or double) and, over a form disabled by another window, sees the press before the
// disabled window's beep, and may take it.
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Seen {
    UINT message;
    HWND hwnd;
    UINT hitTest;
};

class MouseHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASS wc;
        wc.lpszClassName = "HookTarget";
        wc.style = CS_DBLCLKS;
        wc.hbrBackground = clWhite;
        wc.lpfnWndProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE)
                ++moves;
            else if ((m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK))
                delivered.push_back(m);
            return DefWindowProc(h, m, w, l);
        };
        RegisterClass(wc);
        owner = CreateWindowEx(0, "HookTarget", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr);
        hook = SetWindowsHookEx(WH_MOUSE, [this](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
            if (static_cast<UINT>(wParam) != WM_MOUSEMOVE && static_cast<UINT>(wParam) != WM_NCMOUSEMOVE)
                seen.push_back({static_cast<UINT>(wParam), info->hwnd, info->wHitTestCode});
            return swallow ? 1 : CallNextHookEx(hook, code, wParam, lParam);
        });
        driver.Pump();
    }
    TPoint ClientPoint(HWND h, TPoint p) { return driver.ToScreen(h, p); }
    // A point on the owner's caption bar.
    TPoint CaptionPoint()
    {
        const TRect r = WindowRect(owner);
        return {r.Left + 60, r.Top + 10};
    }

    THeadlessDriver driver;
    HWND owner = nullptr;
    HHOOK hook = nullptr;
    bool swallow = false;
    std::vector<Seen> seen;
    std::vector<UINT> delivered; // button messages the windows got
    int moves = 0;
};

TEST_F(MouseHookTest, TheHookSeesTheMessageThePressMakes)
{
    ASSERT_EQ(SendMessage(owner, WM_NCHITTEST, 0, LParamFromPoint(CaptionPoint())), HTCAPTION);
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<UINT> messages;
        UINT hit;
    };
    const Case cases[] = {
        {"a click in the client area", [&] { driver.Click(ClientPoint(owner, {50, 50})); }, {WM_LBUTTONDOWN, WM_LBUTTONUP}, HTCLIENT},
        {"a double click", [&] { driver.DoubleClick(ClientPoint(owner, {60, 60})); },
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, HTCLIENT},
        {"a right click on the caption", [&] { driver.Click(CaptionPoint(), TMouseButton::mbRight); }, {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP}, HTCAPTION},
        {"a middle click on the caption", [&] { driver.Click(CaptionPoint(), TMouseButton::mbMiddle); }, {WM_NCMBUTTONDOWN, WM_NCMBUTTONUP}, HTCAPTION},
    };
    for (const Case& c : cases) {
        seen.clear();
        delivered.clear();
        driver.AdvanceTime(1000); // no double click with the case before
        c.act();
        std::vector<UINT> messages;
        for (const Seen& s : seen) {
            messages.push_back(s.message);
            EXPECT_EQ(s.hitTest, c.hit) << c.what;
            EXPECT_EQ(s.hwnd, owner) << c.what;
        }
        EXPECT_EQ(messages, c.messages) << c.what;
        EXPECT_EQ(delivered, c.messages) << c.what << ": the window got what the hook saw";
    }
    // A hook that takes the press keeps it from the window.
    swallow = true;
    delivered.clear();
    driver.Click(ClientPoint(owner, {50, 50}));
    EXPECT_TRUE(delivered.empty());
}

TEST_F(MouseHookTest, APressOnADisabledFormReachesTheHookBeforeTheBeep)
{
    HWND modal = CreateWindowEx(0, "HookTarget", "Modal", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 200, 150, owner);
    EnableWindow(owner, false);
    SetActiveWindow(modal);
    driver.Pump();
    HWND child = CreateWindowEx(0, "HookTarget", "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 60, owner);
    const int beeps = driver.Backend().Beeps();

    // Taken by the hook: no beep, the modal window stays as it is, nothing delivered.
    swallow = true;
    delivered.clear();
    driver.Click(ClientPoint(child, {20, 20}));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_NCLBUTTONDOWN));
    EXPECT_EQ(seen[0].hwnd, child) << "the window under the pointer";
    EXPECT_EQ(seen[0].hitTest, static_cast<UINT>(HTERROR)) << "as a disabled window reports it";
    EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_NCLBUTTONUP));
    EXPECT_EQ(driver.Backend().Beeps(), beeps);
    EXPECT_TRUE(delivered.empty());

    // Left to the system: a beep, and still nothing for the disabled form.
    swallow = false;
    seen.clear();
    driver.Click(ClientPoint(owner, {200, 150}), TMouseButton::mbRight);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_NCRBUTTONDOWN));
    EXPECT_EQ(driver.Backend().Beeps(), beeps + 1);
    EXPECT_EQ(GetActiveWindow(), modal);
    moves = 0;
    driver.MoveTo(ClientPoint(child, {30, 30}));
    EXPECT_EQ(moves, 0) << "moves do not reach a disabled form either";
    EXPECT_TRUE(delivered.empty());

    // The modal window itself is served as usual.
    seen.clear();
    driver.Click(ClientPoint(modal, {20, 20}));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[0].hitTest, static_cast<UINT>(HTCLIENT));
}

} // namespace
