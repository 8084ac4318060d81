// TzqBarTooltips: the tooltips of a manager's bar items, shown in the manager's one hint
// window. Resting on an item schedules its tooltip after 1000 ms; while one shows, or
// within 400 ms after one was hidden, the next shows at once. A tooltip hides after
// 10000 ms, when the mouse leaves its item, and on any click.
#pragma once

#include "bars/BarTypes.h"
#include "platform/core/Types.h"

#include <memory>
#include <string>

class THintWindow;
class TzqBarItemControl;

class TzqBarTooltips {
public:
    static constexpr unsigned kShowDelay = 1000;
    static constexpr unsigned kReshowWindow = 400;
    static constexpr unsigned kHideDelay = 10000;
    // The tooltip's distance below the cursor.
    static constexpr int kCursorOffset = 20;

    explicit TzqBarTooltips(TzqBarManager* Manager);
    ~TzqBarTooltips();

    // The mouse rests on the control (null: on none) at a screen point.
    void MouseOver(TzqBarItemControl* Control, TPoint ScreenPt);
    // The mouse rests on a part of a window that is no item (a menu's detach bar or
    // expand button, a bar's mark button); Part tells the parts apart, Text is its tooltip.
    void MouseOverPart(const void* Part, const std::string& Text, TPoint ScreenPt);
    // Hides the tooltip (a click, the time out); it comes again on another item.
    void Hide();
    // A control is about to go: its tooltip goes with it.
    void ControlDestroyed(TzqBarItemControl* Control);

    bool Visible() const;
    // The text shown now (empty when none shows).
    std::string Text() const;
    THintWindow* Window() const { return m_window.get(); }

private:
    void Rest(const void* Key, TzqBarItemControl* Control, const std::string& PartText, TPoint ScreenPt);
    void Show();
    void StopTimers();

    TzqBarManager* m_manager;
    std::unique_ptr<THintWindow> m_window;
    // What the mouse rests on: an item control, or a part with its own text.
    const void* m_key = nullptr;
    TzqBarItemControl* m_control = nullptr;
    std::string m_partText;
    TPoint m_cursor;
    uintptr_t m_showTimer = 0;
    uintptr_t m_hideTimer = 0;
    unsigned long m_hiddenAt = 0;
    bool m_everHidden = false;
    std::string m_text;
};
