// How input reaches the window system: back ends (and tests, through the headless back
// end) report raw mouse and keyboard events at screen coordinates; the window system
// queues them and turns them into window messages when they are retrieved, hit-testing,
// activating, synthesising double clicks and consulting hooks as it does.
#pragma once

#include "platform/window/WindowTypes.h"

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

namespace RawInput {

void MouseMove(TPoint screenPt);
void MouseButton(TPoint screenPt, TMouseButton button, bool down);
void MouseWheel(TPoint screenPt, int delta);
// A key went down or up. `text` is the character the key produced (0 for none); it
// becomes WM_CHAR when the key-down message is translated.
void Key(WORD vk, bool down, char32_t text = 0);
// Text typed without a key (input methods): becomes a VK_PACKET key-down and WM_CHAR.
void Text(char32_t ch);
// The pointer left every window of the program.
void MouseLeftAll();

// Changes the desktop made to a native top-level window.
void NativeActivated(HWND topLevel, bool active);
void NativeGeometryChanged(HWND topLevel, const TRect& screenRect);
void NativeExposed(HWND topLevel);
void NativeCloseRequested(HWND topLevel);

} // namespace RawInput

// Virtual-key code used for characters that no key produces.
constexpr WORD VK_PACKET = 0xE7;
