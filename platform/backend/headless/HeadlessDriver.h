// Drives the window system like a user at a desk, for tests: installs the headless back
// end, injects mouse and keyboard input at screen or client coordinates, moves virtual
// time forward (firing timers on the way) and saves pictures of windows.
#pragma once

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/window/InputInjection.h"

#include <string>

class THeadlessDriver {
public:
    // Installs a fresh headless back end (and the graphics system fonts need).
    THeadlessDriver();
    // Destroys every window and removes the back end.
    ~THeadlessDriver();

    THeadlessBackend& Backend() { return *m_backend; }

    // Handles every message available now (no waiting). Inside an idle action (a step
    // of a waiting loop) it does nothing: the loop handles the input itself.
    void Pump();
    // Moves the virtual clock forward, firing due timers in time order on the way. As a
    // step of a waiting loop it only moves the clock: the loop fires the due timers.
    void AdvanceTime(DWORD ms);

    // Mouse, at screen coordinates; each call is followed by Pump().
    void MoveTo(TPoint screenPt);
    void Press(TPoint screenPt, TMouseButton button = TMouseButton::mbLeft);
    void Release(TPoint screenPt, TMouseButton button = TMouseButton::mbLeft);
    void Click(TPoint screenPt, TMouseButton button = TMouseButton::mbLeft);
    void DoubleClick(TPoint screenPt);
    // Moves with the left button held from one point to the other in steps. A press that
    // runs a loop of its own (a modal drag) gets the moves and the release in that loop.
    void Drag(TPoint from, TPoint to, int steps = 8);
    void Wheel(TPoint screenPt, int delta);

    // The same at a window's client coordinates.
    TPoint ToScreen(HWND hwnd, TPoint clientPt) const;
    void ClickAt(HWND hwnd, TPoint clientPt) { Click(ToScreen(hwnd, clientPt)); }
    void DoubleClickAt(HWND hwnd, TPoint clientPt) { DoubleClick(ToScreen(hwnd, clientPt)); }
    void MoveToAt(HWND hwnd, TPoint clientPt) { MoveTo(ToScreen(hwnd, clientPt)); }

    // Keys. Modifiers are the MK-like flags below; the key's character follows the
    // keyboard: letters, digits, space, Enter, Esc, Backspace and Tab make characters.
    enum Modifier : unsigned { None = 0, Shift = 1, Ctrl = 2, Alt = 4 };
    void KeyDown(WORD vk, unsigned modifiers = None);
    void KeyUp(WORD vk, unsigned modifiers = None);
    void PressKey(WORD vk, unsigned modifiers = None);
    // Types UTF-8 text character by character (keys where a key makes the character).
    void Type(const std::string& utf8);

    // Paints everything pending and saves the top-level window's picture.
    bool SavePng(HWND topLevel, const std::string& path);
    // Paints everything pending now.
    void PaintAll();

    static char32_t CharacterFor(WORD vk, unsigned modifiers);

private:
    THeadlessBackend* m_backend = nullptr;
};
